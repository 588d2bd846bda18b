#!/usr/bin/env bash
# The game's start-up, memory and idle CPU next to a bare Qt window, measured
# side by side in one run on a private 1920 x 1080 Xvfb, plus the board,
# wallpaper and audio benchmarks; prints every figure with its goal.
#
#   bench/startup.sh [-n RUNS] [-i IDLE_SECONDS] [-q]
#
# -n  counted rounds (default 7; each round runs every program once)
# -i  idle seconds for the CPU reading (default 10)
# -q  skip the board, wallpaper and audio benchmarks
#
# Builds into build/bench (Release: the game and the benchmarks),
# build/bench-floor (the bare window) and build/bench/mapwait. The game runs
# from a private copy whose Tavoro.ini sets the music off, or on (once); a
# third copy runs with music off and its cache folder emptied every time, as
# at a first start (the game keeps nothing there: it must start as fast as
# at later starts).
# The game's measured window is the main room, not its start screen; "room
# completely painted" is the end of the room's first paint (the last drawing
# before the window stays untouched for 150 ms), against the bare window's
# first paint.
# Needs: xvfb x11-utils xdotool libx11-dev libxdamage-dev gcc dbus.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
RUNS=7 IDLE=10 QUICK=0
while getopts "n:i:q" opt; do
    case $opt in
        n) RUNS=$OPTARG ;; i) IDLE=$OPTARG ;; q) QUICK=1 ;;
        *) sed -n '2,20p' "$0" >&2; exit 64 ;;
    esac
done

B="$ROOT/build/bench"
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$ROOT" -B "$B" -DCMAKE_BUILD_TYPE=Release -DTAVORO_BUILD_TESTS=ON "${launcher[@]}" >/dev/null
cmake --build "$B" -j2 --target Tavoro bench_board_bench bench_wallpaper_bench bench_audio_bench >/dev/null
cmake -S "$ROOT/bench/startup/floor" -B "$ROOT/build/bench-floor" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$ROOT/build/bench-floor" -j2 >/dev/null

WORK=$(mktemp -d /tmp/tavoro-bench.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
# A private program folder for each music setting, with its own HOME and TMPDIR;
# "cold" is music off with the player's cache emptied before every run, as at
# the first start after installing.
for variant in 0 1 cold; do
    music=${variant/cold/0}
    d="$WORK/music$variant"
    mkdir -p "$d/home" "$d/tmp"
    cp "$B/Tavoro" "$d/"
    printf '[Optionen]\r\nPlayMusic=%d\r\n' "$music" > "$d/Tavoro.ini"
    # Without a window manager nobody activates the window, and the game
    # starts its music when it becomes active: the wrapper gives it the focus
    # once it is up, as a desktop would (the game itself is what is measured).
    cat > "$d/run.sh" <<END
#!/bin/sh
export HOME="$d/home" TMPDIR="$d/tmp" SDL_AUDIODRIVER=dummy
[ "$variant" = cold ] && rm -rf "$d/home/.cache"
"$d/Tavoro" &
pid=\$!
trap 'kill -TERM \$pid 2>/dev/null' TERM INT
sleep 0.5
w=\$(xdotool search --sync --onlyvisible --pid \$pid 2>/dev/null | head -n 1)
# the focus, and a press on the bare wallpaper in the top left corner
[ -n "\$w" ] && xdotool windowfocus --sync "\$w" mousemove --window "\$w" 5 5 click 1 >/dev/null 2>&1
wait \$pid
END
    chmod +x "$d/run.sh"
done
cat > "$WORK/programs.txt" <<END
floor-qt6     $ROOT/build/bench-floor/floor
tavoro        $WORK/music0/run.sh
tavoro-music  $WORK/music1/run.sh
tavoro-cold   $WORK/musiccold/run.sh
END

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)  ($(nproc) cores)"
MAPWAIT="$B/mapwait" "$ROOT/bench/startup/measure.sh" -b -n "$RUNS" -w 1 -i "$IDLE" \
    -f "$WORK/programs.txt" -o "$WORK/raw.tsv" -q >/dev/null 2>"$WORK/measure.log" || {
    cat "$WORK/measure.log" >&2; exit 1; }
cp "$WORK/raw.tsv" "$B/startup-raw.tsv"
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg); raw rows in build/bench/startup-raw.tsv"
echo

# Medians of the counted runs, and the figures against their goals.
awk -F'\t' -v idle="$IDLE" '
function med(L, col,   n, i, j, t, a) {
    n = 0
    for (i = 1; i <= cnt[L]; i++) a[++n] = v[L, i, col] + 0
    for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j+1] = a[j]; a[j+1] = t }
    return n ? ((n % 2) ? a[(n+1)/2] : (a[n/2] + a[n/2+1]) / 2) : -1
}
function mx(L, col,   i, m) { m = -1; for (i = 1; i <= cnt[L]; i++) if (v[L, i, col] + 0 > m) m = v[L, i, col] + 0; return m }
$1 == "label" { next }
$2 > 0 && $3 != "FAIL" { L = $1; k = ++cnt[L]; for (c = 3; c <= 16; c++) v[L, k, c] = $c; load[++nl] = $13 }
END {
    f = "floor-qt6"; t = "tavoro"; m = "tavoro-music"; c = "tavoro-cold"
    printf "%-44s %10s %10s %10s  %s\n", "figure (medians of " cnt[t] " runs)", "bare Qt", "Tavoro", "ratio", "goal"
    # The window of the game measured is the main room, not the start screen.
    printf "%-44s %10.0f %10.0f %9.2fx  %s\n", "exec -> window mapped, ms", med(f, 3), med(t, 3), med(t, 3) / med(f, 3), "-"
    printf "%-44s %10.0f %10.0f %9.2fx  %s\n", "exec -> first pixels (bare: first paint), ms", med(f, 4), med(t, 4), med(t, 4) / med(f, 4), "-"
    printf "%-44s %10.0f %10.0f %9.2fx  %s\n", "exec -> room completely painted, ms", med(f, 4), med(t, 15), med(t, 15) / med(f, 4), "<= 2x bare paint"
    printf "%-44s %10.0f %10.0f %9.2fx  %s\n", "  the same with music on, ms", med(f, 4), med(m, 15), med(m, 15) / med(f, 4), "<= 2x bare paint"
    printf "%-44s %10.0f %10.0f %9.2fx  %s\n", "  the same at a first start (cold cache), ms", med(f, 4), med(c, 15), med(c, 15) / med(f, 4), "-"
    printf "%-44s %10.1f %10.1f %10s  %s\n", "peak memory (VmHWM), music off, MiB", med(f, 11) / 1024, med(t, 11) / 1024, "", "<= 56 MiB"
    printf "%-44s %10.1f %10.1f %10s  %s\n", "peak memory (VmHWM), music playing, MiB", med(f, 11) / 1024, med(m, 11) / 1024, "", "<= 72 MiB"
    # CPU: utime + stime of the whole process (10 ms ticks; threads that ended count too)
    printf "%-44s %10.0f %10.0f %10s  %s\n", "idle CPU over " idle " s, music off, ms", med(f, 9), med(t, 9), "", "0 (max " mx(t, 9) ")"
    printf "%-44s %10.2f %10.2f %10s  %s\n", "CPU with music playing, % of one core", med(f, 9) / idle / 10, med(m, 9) / idle / 10, "", "<= 2 %"
    printf "%-44s %10s %10.0f %10s  %s\n", "threads, music off / on", med(f, 7), med(t, 7), med(m, 7), ""
    lo = hi = load[1]; for (i = 2; i <= nl; i++) { if (load[i] < lo) lo = load[i]; if (load[i] > hi) hi = load[i] }
    printf "(1-minute load average during the runs: %.2f to %.2f)\n", lo, hi
}' "$WORK/raw.tsv"

[ "$QUICK" = 1 ] && exit 0
echo
cd "$B"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
./bench_board_bench --benchmark_filter='NewGameAndShuffle/8/|PressOn8x8' --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_median|^Benchmark' || true
echo "goals: press on 8 x 8 <= 1 ms; new game + shuffle 8 x 8 <= 2 ms"
./bench_wallpaper_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null \
    | grep -E '_median' || true
echo "goal: wallpaper over 1920 x 1080 <= 5 ms"
./bench_audio_bench 2>/dev/null || true
