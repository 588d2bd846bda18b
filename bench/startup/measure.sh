#!/usr/bin/env bash
# startup.sh - time-to-first-window, peak memory and idle CPU of an X11 GUI
# program, measured from outside on a private Xvfb server.
#
#   startup.sh [options] -- CMD [ARG...]     measure CMD
#   startup.sh [options] -f PROGRAMS         measure several, side by side
#   startup.sh --summary RAWFILE             print the table for a raw file
#
# PROGRAMS: one program a line, "LABEL COMMAND [ARG...]" (split at blanks,
# no quoting; '#' starts a comment; a relative path is taken from the
# directory of this script). Programs are run in rounds - every program once
# per round, in turn - on one shared Xvfb (and bus), so that a drift of the
# machine's speed falls on all of them alike.
#
# For each run:
#   * mapwait (./mapwait/mapwait, built on first use) starts CMD and reports
#     the ms from just before fork/exec until the X server maps CMD's first
#     top-level window (MapNotify on the root window, matched by _NET_WM_PID,
#     so wrappers such as dbus-run-session are followed to the real process;
#     start screens and override-redirect windows do not count), the ms until
#     the first drawing into that window (DAMAGE extension), and the ms until
#     the last drawing of its first paint (the window completely painted: no
#     more drawing for QUIET ms after it).
#   * SETTLE s (default 1) after the map: VmHWM/VmRSS/RssAnon/Threads from
#     /proc/PID/status and utime+stime from /proc/PID/stat ("start-up CPU").
#   * IDLE s (default 5) later: utime+stime again -> idle CPU over IDLE s
#     (clock ticks, 10 ms resolution), plus the same delta from the
#     per-thread /proc/PID/task/*/schedstat run times (ns resolution).
#   * the program is sent SIGTERM by PID (SIGKILL after 3 s if needed).
# Nothing is typed or clicked: no window manager, no compositor.
#
# Options:
#   -n RUNS     counted runs (rounds with -f) (default 7)
#   -w WARMUP   uncounted warm-up runs (rounds) before them (default 1)
#   -f FILE     programs file (see above) instead of CMD
#   -s SETTLE   seconds after the map before reading memory (default 1)
#   -i IDLE     idle seconds for the CPU reading (default 5)
#   -t TIMEOUT  seconds to wait for the first map (default 30)
#   -Q QUIET    ms without drawing that end the first paint (default 150)
#   -d DISPLAY  use this running X server instead of starting Xvfb
#   -g WxHxD    Xvfb screen (default 1920x1080x24)
#   -b          run one private session D-Bus (dbus-daemon) for all runs and
#               export its address (as in a desktop session); default: no
#               session bus at all (DBUS_SESSION_BUS_ADDRESS unset)
#   -l LABEL    name in the report (default: basename of CMD; not with -f)
#   -o FILE     append the raw per-run rows (TSV) to FILE
#   -q          print only the summary line
# The environment of CMD: the caller's, with DISPLAY set, WAYLAND_DISPLAY
# unset and XDG_RUNTIME_DIR pointing to a private 0700 directory.
# Set anything else with env: startup.sh -- env QT_SCALE_FACTOR=1 ./prog
#
# Needs: xvfb x11-utils (xdpyinfo) libx11-dev libxdamage-dev gcc; dbus for -b.
set -u

HERE=$(cd "$(dirname "$0")" && pwd)
MAPWAIT="${MAPWAIT:-$HERE/mapwait/mapwait}"

RAW_HEADER=$'label\trun\tmap_ms\tpaint_ms\thwm_kb\trss_kb\tthreads\tstartup_cpu_ms\tidle_cpu_ms\tidle_sched_ms\thwm_end_kb\twin\tloadavg1\trss_anon_kb\tpainted_ms\tpaint_reports'

summary() {
    # summary RAWFILE : one line per label, runs with run>0 only
    awk -F'\t' '
    function med(a, n,   i, j, t) {
        for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j+1] = a[j]; a[j+1] = t }
        return (n % 2) ? a[(n+1)/2] : (a[n/2] + a[n/2+1]) / 2
    }
    function mn(a, n,   i, m) { m = a[1]; for (i = 2; i <= n; i++) if (a[i] < m) m = a[i]; return m }
    function mx(a, n,   i, m) { m = a[1]; for (i = 2; i <= n; i++) if (a[i] > m) m = a[i]; return m }
    NR == 1 || $1 == "label" { next }
    $2 > 0 && $3 != "" && $3 != "FAIL" {
        L = $1
        if (!(L in cnt)) order[++nl] = L
        k = ++cnt[L]
        map[L, k] = $3; paint[L, k] = $4; hwm[L, k] = $5; thr[L, k] = $7
        scpu[L, k] = $8; icpu[L, k] = $9; isch[L, k] = $10; anon[L, k] = $14
    }
    $2 > 0 && $3 == "FAIL" { fail[$1]++ ; if (!($1 in cnt)) { order[++nl] = $1; cnt[$1] = 0 } }
    END {
        printf "%-22s %4s  %-22s %-22s %9s %8s %7s %11s %11s %13s\n", "program", "runs", "map ms min/med/max", "paint ms min/med/max", "VmHWM MiB", "anon MiB", "threads", "startCPU ms", "idleCPU ms", "idle sched ms"
        for (i = 1; i <= nl; i++) {
            L = order[i]; n = cnt[L]
            if (n == 0) { printf "%-22s %4d  all runs failed (%d)\n", L, 0, fail[L]; continue }
            np = 0
            for (k = 1; k <= n; k++) { a[k] = map[L, k] + 0 }
            m1 = mn(a, n); m2 = med(a, n); m3 = mx(a, n)
            for (k = 1; k <= n; k++) if (paint[L, k] != "" && paint[L, k] != "-") b[++np] = paint[L, k] + 0
            if (np) ps = sprintf("%.0f/%.0f/%.0f", mn(b, np), med(b, np), mx(b, np)); else ps = "-"
            for (k = 1; k <= n; k++) c[k] = hwm[L, k] / 1024; h = med(c, n)
            for (k = 1; k <= n; k++) c[k] = thr[L, k]; th = med(c, n)
            na = 0; for (k = 1; k <= n; k++) if (anon[L, k] != "") d[++na] = anon[L, k] / 1024
            an = na ? sprintf("%.1f", med(d, na)) : "-"
            for (k = 1; k <= n; k++) c[k] = scpu[L, k]; sc = med(c, n)
            for (k = 1; k <= n; k++) c[k] = icpu[L, k]; ic = med(c, n); icmax = mx(c, n)
            for (k = 1; k <= n; k++) c[k] = isch[L, k]; is = med(c, n)
            f = (fail[L] ? sprintf("  (%d failed)", fail[L]) : "")
            printf "%-22s %4d  %-22s %-22s %9.1f %8s %7d %11.0f %6.0f (max %d) %8.1f%s\n", L, n, sprintf("%.0f/%.0f/%.0f", m1, m2, m3), ps, h, an, th, sc, ic, icmax, is, f
            delete a; delete b; delete c; delete d
        }
    }' "$1"
}

if [ "${1:-}" = "--summary" ]; then
    [ -r "${2:-}" ] || { echo "usage: $0 --summary RAWFILE" >&2; exit 64; }
    summary "$2"
    exit 0
fi

RUNS=7 WARMUP=1 SETTLE=1 IDLE=5 TIMEOUT=30 USE_DISPLAY="" GEOM=1920x1080x24
WITH_BUS=0 LABEL="" RAWOUT="" QUIET=0 PROGFILE="" PAINT_QUIET=150
while getopts "n:w:s:i:t:Q:d:g:bl:o:qf:" opt; do
    case $opt in
        n) RUNS=$OPTARG ;; w) WARMUP=$OPTARG ;; s) SETTLE=$OPTARG ;;
        i) IDLE=$OPTARG ;; t) TIMEOUT=$OPTARG ;; d) USE_DISPLAY=$OPTARG ;;
        Q) PAINT_QUIET=$OPTARG ;;
        g) GEOM=$OPTARG ;; b) WITH_BUS=1 ;; l) LABEL=$OPTARG ;;
        o) RAWOUT=$OPTARG ;; q) QUIET=1 ;; f) PROGFILE=$OPTARG ;;
        *) sed -n '2,50p' "$0" >&2; exit 64 ;;
    esac
done
shift $((OPTIND - 1))
[ "${1:-}" = "--" ] && shift
# the programs: PLABELS[i] and PCMDS[i] (a command's words joined by \x1f)
PLABELS=() PCMDS=()
if [ -n "$PROGFILE" ]; then
    [ $# -eq 0 ] || { echo "give either -f FILE or a command" >&2; exit 64; }
    [ -r "$PROGFILE" ] || { echo "cannot read $PROGFILE" >&2; exit 64; }
    while read -r -a words; do
        [ ${#words[@]} -ge 2 ] || continue
        case ${words[0]} in \#*) continue ;; esac
        cmd=("${words[@]:1}")
        case ${cmd[0]} in /*) ;; */*) cmd[0]="$HERE/${cmd[0]}" ;; esac
        PLABELS+=("${words[0]}")
        PCMDS+=("$(IFS=$'\x1f'; echo "${cmd[*]}")")
    done < <(sed 's/#.*//' "$PROGFILE")
    [ ${#PLABELS[@]} -ge 1 ] || { echo "no programs in $PROGFILE" >&2; exit 64; }
else
    [ $# -ge 1 ] || { sed -n '2,50p' "$0" >&2; exit 64; }
    [ -n "$LABEL" ] || LABEL=$(basename "$1")
    PLABELS=("$LABEL")
    PCMDS=("$(IFS=$'\x1f'; echo "$*")")
fi
# bounds, so that a run can never go on forever
for v in RUNS WARMUP; do [[ ${!v} =~ ^[0-9]+$ ]] && [ "${!v}" -le 100 ] || { echo "bad -$v" >&2; exit 64; }; done
for v in SETTLE IDLE TIMEOUT PAINT_QUIET; do [[ ${!v} =~ ^[0-9]+(\.[0-9]+)?$ ]] || { echo "bad $v" >&2; exit 64; }; done

say() { [ "$QUIET" = 1 ] || echo "$@" >&2; }

if [ ! -x "$MAPWAIT" ] || [ "$HERE/mapwait/mapwait.c" -nt "$MAPWAIT" ]; then
    cc -O2 -Wall -o "$MAPWAIT" "$HERE/mapwait/mapwait.c" -lX11 -lXdamage || {
        echo "cannot build mapwait (apt-get install libx11-dev libxdamage-dev gcc)" >&2; exit 69; }
fi

WORK=$(mktemp -d /tmp/startup-bench.XXXXXX)
chmod 700 "$WORK"
mkdir -m 700 "$WORK/xdg-runtime"
XVFB_PID="" BUS_PID=""
LOG="$WORK/program-output.log"

cleanup() {
    # the bus runs under "mapwait -R", which passes SIGTERM on to the bus
    # and to the services it started, and reaps them all
    if [ -n "$BUS_PID" ]; then kill -TERM "$BUS_PID" 2>/dev/null; wait "$BUS_PID" 2>/dev/null; fi
    if [ -n "$XVFB_PID" ]; then kill -TERM "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; fi
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -n "$USE_DISPLAY" ]; then
    DISP=$USE_DISPLAY
else
    DISP=""
    for n in $(seq 97 160); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then DISP=":$n"; break; fi
    done
    [ -n "$DISP" ] || { echo "no free display number in :97..:160" >&2; exit 70; }
    Xvfb "$DISP" -screen 0 "$GEOM" -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for i in $(seq 1 100); do
        xdpyinfo -display "$DISP" >/dev/null 2>&1 && break
        kill -0 "$XVFB_PID" 2>/dev/null || { echo "Xvfb failed:" >&2; cat "$WORK/xvfb.log" >&2; exit 70; }
        sleep 0.1
    done
    xdpyinfo -display "$DISP" >/dev/null 2>&1 || { echo "Xvfb did not come up on $DISP" >&2; exit 70; }
    say "Xvfb on $DISP (pid $XVFB_PID, $GEOM)"
fi
export DISPLAY=$DISP XDG_RUNTIME_DIR="$WORK/xdg-runtime"
unset WAYLAND_DISPLAY

if [ "$WITH_BUS" = 1 ]; then
    "$MAPWAIT" -R -- dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$WORK/bus-address" >/dev/null 2>&1 &
    BUS_PID=$!
    for i in $(seq 1 50); do [ -s "$WORK/bus-address" ] && break; sleep 0.1; done
    [ -s "$WORK/bus-address" ] || { echo "dbus-daemon did not start" >&2; exit 71; }
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$WORK/bus-address")
    say "session bus $DBUS_SESSION_BUS_ADDRESS (pid $BUS_PID)"
else
    unset DBUS_SESSION_BUS_ADDRESS
fi

TCK=$(getconf CLK_TCK)
SETTLE_US=$(awk -v s="$SETTLE" 'BEGIN { printf "%d", s * 1e6 }')
now_us() { local t=${EPOCHREALTIME/./}; echo "${t#0}"; }
cpu_ticks() { # utime+stime of PID, clock ticks
    local s
    s=$(cat "/proc/$1/stat" 2>/dev/null) || { echo -1; return; }
    s=${s##*) }
    set -- $s
    echo $(( ${12} + ${13} ))
}
sched_ns() { # sum of run time over PID's live threads, ns
    local f t tot=0
    for f in /proc/$1/task/*/schedstat; do
        read -r t _ < "$f" 2>/dev/null && tot=$((tot + t))
    done
    echo $tot
}
status_kb() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status" 2>/dev/null; }
sleep_until_us() { # sleep until absolute EPOCHREALTIME microseconds
    local left=$(( $1 - $(now_us) ))
    [ $left -gt 0 ] && sleep "$(printf '%d.%06d' $((left / 1000000)) $((left % 1000000)))"
}

ROWS="$WORK/rows.tsv"
echo "$RAW_HEADER" > "$ROWS"
[ -n "$RAWOUT" ] && [ ! -s "$RAWOUT" ] && echo "$RAW_HEADER" > "$RAWOUT"

one_run() { # one_run LABEL RUNNO CMD... -> appends a row
    local LABEL=$1 runno=$2; shift 2
    local fd hp l1 l2 kind ms wpid win cpid geom paint painted reports t_map hwm rss thr anon c0 c1 s0 s1 hwm_end row i
    exec {fd}< <(exec "$MAPWAIT" -t "$TIMEOUT" -p "$SETTLE" -q "$PAINT_QUIET" -- "$@" 2>>"$LOG")
    hp=$!
    if ! read -r -t "$(( ${TIMEOUT%.*} + 5 ))" -u "$fd" l1; then l1="TIMEOUT"; fi
    t_map=$(now_us)
    read -r kind ms wpid win cpid geom <<<"$l1"
    if [ "$kind" != MAPPED ]; then
        say "  [$LABEL] run $runno: $l1  (output in the log below)"
        [ -s "$LOG" ] && tail -n 5 "$LOG" >&2
        kill -TERM "$hp" 2>/dev/null
        exec {fd}<&-
        wait "$hp" 2>/dev/null
        printf '%s\t%s\tFAIL\t%s\n' "$LABEL" "$runno" "$l1" >> "$ROWS"
        return 1
    fi
    paint="-" painted="-" reports=0
    if read -r -t "$(( ${SETTLE%.*} + 2 ))" -u "$fd" l2; then
        case $l2 in PAINTED*) read -r _ paint painted reports <<<"$l2" ;; esac
    fi
    [ "$wpid" -gt 0 ] 2>/dev/null || wpid=$cpid
    sleep_until_us $(( t_map + SETTLE_US ))
    hwm=$(status_kb "$wpid" VmHWM); rss=$(status_kb "$wpid" VmRSS); thr=$(status_kb "$wpid" Threads)
    anon=$(status_kb "$wpid" RssAnon)
    c0=$(cpu_ticks "$wpid"); s0=$(sched_ns "$wpid")
    sleep "$IDLE"
    c1=$(cpu_ticks "$wpid"); s1=$(sched_ns "$wpid")
    hwm_end=$(status_kb "$wpid" VmHWM)
    # end it: the window's process, then the started one if it is a wrapper
    kill -TERM "$wpid" 2>/dev/null
    [ "$cpid" != "$wpid" ] && { sleep 0.2; kill -TERM "$cpid" 2>/dev/null; }
    for i in $(seq 1 30); do kill -0 "$hp" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$hp" 2>/dev/null; then
        kill -KILL "$wpid" "$cpid" 2>/dev/null
        sleep 0.2; kill -TERM "$hp" 2>/dev/null
    fi
    exec {fd}<&-
    wait "$hp" 2>/dev/null
    if [ -z "$hwm" ] || [ "$c0" -lt 0 ] || [ "$c1" -lt 0 ]; then
        say "  [$LABEL] run $runno: process $wpid vanished before the readings"
        printf '%s\t%s\tFAIL\tvanished\n' "$LABEL" "$runno" >> "$ROWS"
        return 1
    fi
    row=$(printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%d\t%d\t%.1f\t%s\t%s\t%s\t%s\t%s\t%s' "$LABEL" "$runno" "$ms" "$paint" \
        "$hwm" "$rss" "$thr" $(( c0 * 1000 / TCK )) $(( (c1 - c0) * 1000 / TCK )) \
        "$(awk -v a="$s0" -v b="$s1" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')" \
        "$hwm_end" "$geom" "$(cut -d' ' -f1 /proc/loadavg)" "$anon" "$painted" "$reports")
    echo "$row" >> "$ROWS"
    say "  [$LABEL] run $runno: map ${ms} ms, paint ${paint}-${painted} ms, VmHWM $((hwm / 1024)) MiB, idle CPU $(( (c1 - c0) * 1000 / TCK )) ms, window $geom"
}

for i in "${!PLABELS[@]}"; do say "program [${PLABELS[$i]}]: ${PCMDS[$i]//$'\x1f'/ }"; done
say "$WARMUP warm-up + $RUNS counted runs each, settle ${SETTLE}s, idle ${IDLE}s; load: $(cut -d' ' -f1-3 /proc/loadavg)"
run_round() { # run_round RUNNO : every program once
    local i cmd
    for i in "${!PLABELS[@]}"; do
        IFS=$'\x1f' read -r -a cmd <<<"${PCMDS[$i]}"
        one_run "${PLABELS[$i]}" "$1" "${cmd[@]}"
    done
}
for r in $(seq 1 "$WARMUP"); do run_round "-$r"; done
for r in $(seq 1 "$RUNS"); do run_round "$r"; done
say "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
[ -n "$RAWOUT" ] && tail -n +2 "$ROWS" >> "$RAWOUT"
if [ -s "$LOG" ] && [ "$QUIET" != 1 ]; then
    echo "--- program output (first 10 distinct lines) ---" >&2
    awk '!seen[$0]++' "$LOG" | head -n 10 >&2
fi
if [ "$QUIET" = 1 ]; then summary "$ROWS" | tail -n +2; else summary "$ROWS"; fi
