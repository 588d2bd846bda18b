#!/usr/bin/env python3
"""Arranges the game's six background-music tracks, resources/MIDI/1001.mid
... 1006.mid, as standard MIDI files (type 1, a conductor track and one
track per instrument, General MIDI programs).

    1001  Greensleeves (English, 16th century): flute over a nylon guitar;
          the guitar alone sings the second half; the last verse with
          divisions, strings and a counter-line in the cello
    1002  Minuet in G major (Anna Magdalena notebook, BWV Anh. 114):
          harpsichord, the repeats ornamented over a running left hand;
          da capo as a consort: recorder, oboe, harpsichord continuo, cello
    1003  Wiegenlied (Brahms, op. 49 no. 4), four verses: music box,
          celesta (broken chords, a descant, the song's own off-beats),
          strings, violins (the tune, a tenor line)
    1004  Scarborough Fair (English folk song, Dorian), five verses:
          clarinet, harp, pan flute (tune and descant), cello (tune, bass);
          one verse for the harp alone
    1005  "Quiet Rooms", our own slow waltz for piano, strings and cello
    1006  Canon over a ground (Pachelbel): two violins and a viola in
          canon over the cello, plucked broken chords beneath

All melodies are in the public domain; the arrangements are ours.
Deterministic: small velocity variations come from generators with fixed
seeds. Usage: python3 tools/sounds/make_music.py [--lint] [output folder]
(default: resources/MIDI). Python 3 standard library only.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from miditools import (PPQ, Score, bass_note, chord, downbeat_accent,  # noqa: E402
                       parse, voicing)

Q = PPQ
E = PPQ // 2
S = PPQ // 4

# General MIDI programs (numbered from 0)
PIANO, HARPSICHORD, CELESTA, MUSIC_BOX = 0, 6, 8, 10
NYLON_GUITAR = 24
VIOLIN, VIOLA, CELLO, PIZZICATO, HARP = 40, 41, 42, 45, 46
STRINGS, SLOW_STRINGS = 48, 49
OBOE, CLARINET, FLUTE, RECORDER, PAN_FLUTE = 68, 71, 73, 74, 75


# ------------------------------------------------------------ helpers

def progression(text, beats):
    """'Am C G:2 D:1 | ...' -> list of (chord symbol, ticks); a bare
    symbol fills a whole bar of `beats` quarters."""
    out = []
    for tok in text.split():
        if tok == "|":
            continue
        if ":" in tok:
            sym, n = tok.split(":")
            out.append((sym, int(n) * Q))
        else:
            out.append((tok, beats * Q))
    return out


def window(chords, a, b):
    """The chords between ticks a and b of a progression (cut to fit)."""
    out = []
    t = 0
    for sym, ticks in chords:
        lo, hi = max(a, t), min(b, t + ticks)
        if hi > lo:
            out.append((sym, hi - lo))
        t += ticks
    return out


def bass_line(part, start, chords, vel, low, high, beats=3):
    """A plain bass: the root for a whole bar's first two beats and the
    fifth (or the fourth below) on the last; shorter chords get the root."""
    t = start
    for sym, ticks in chords:
        root, _ = chord(sym)
        b = bass_note(root, low, high)
        if ticks == beats * Q and beats == 3:
            part.note(t, 2 * Q - 20, b, vel + part.rng.randint(-2, 2))
            fifth = b + 7 if b + 7 <= high + 5 else b - 5
            part.note(t + 2 * Q, Q - 20, fifth, vel - 8 + part.rng.randint(-2, 2))
        else:
            part.note(t, ticks - 20, b, vel + part.rng.randint(-2, 2))
        t += ticks
    return t


def ring(part, events, end, vel, legato_gap=20):
    """Plucked notes that ring on: each lasts until its pitch is struck
    again or until `end`. events: (tick, pitch, velocity offset)."""
    events = sorted(events)
    for i, (t, p, dv) in enumerate(events):
        nxt = end
        for t2, p2, _ in events[i + 1:]:
            if p2 == p:
                nxt = t2
                break
        part.note(t, max(30, nxt - t - legato_gap), p, vel + dv + part.rng.randint(-3, 3))


def arpeggiate(part, start, chords, pattern, step, vel, low, high,
               bass_range, ring_on=True, bass_accent=8, prev=None):
    """Broken chords: for each chord, `pattern` (items 'B' for the bass or
    an index into the voicing, counted from the bottom; beyond the top it
    climbs by octaves) in notes of `step` ticks, repeated to fill the
    chord's length. Returns (end tick, last voicing)."""
    t = start
    for sym, ticks in chords:
        bass_pc, pcs = chord(sym)
        v = voicing(pcs, prev, low, high)
        prev = v
        b = bass_note(bass_pc, *bass_range)
        events = []
        k = 0
        while k * step < ticks:
            item = pattern[k % len(pattern)]
            if item == "B":
                events.append((t + k * step, b, bass_accent))
            else:
                idx = int(item)
                p = v[idx % len(v)] + 12 * (idx // len(v))
                events.append((t + k * step, p, 0))
            k += 1
        if ring_on:
            ring(part, events, t + ticks, vel)
        else:
            for tt, p, dv in events:
                part.note(tt, step - 10, p, vel + dv + part.rng.randint(-3, 3))
        t += ticks
    return t, prev


def pad(part, start, chords, vel, low, high, bass_range=None, prev=None,
        gap=15):
    """Sustained chords (and a bass note under them when asked)."""
    t = start
    for sym, ticks in chords:
        bass_pc, pcs = chord(sym)
        v = voicing(pcs, prev, low, high)
        prev = v
        for p in v:
            part.note(t, ticks - gap, p, vel + part.rng.randint(-2, 2))
        if bass_range:
            part.note(t, ticks - gap, bass_note(bass_pc, *bass_range), vel + 4)
        t += ticks
    return t, prev


def melody_at(seq, start):
    """A lookup of the melody pitch sounding at a tick (None for rests)."""
    spans = []
    t = start
    for pitches, ticks in seq:
        spans.append((t, t + ticks, pitches[0] if pitches else None))
        t += ticks

    def at(tick):
        for a, b, p in spans:
            if a <= tick < b:
                return p
        return None
    return at


LINT = []


def spans(seq, start):
    """(start, end, pitch) of every note of a line (its top note for a
    chord), rests left out."""
    out = []
    t = start
    for pitches, ticks in seq:
        if pitches:
            out.append((t, t + ticks, max(pitches)))
        t += ticks
    return out


def lint(name, seq, start, chords, beats=3):
    """Notes of a line that fall on a beat but are no tone of the chord
    there: a list to read through when a tune or its harmony changes (a
    passing note on a beat may be meant)."""
    harmony = []
    t = start
    for sym, ticks in chords:
        harmony.append((t, t + ticks, sym))
        t += ticks
    for t, _, p in spans(seq, start):
        if t % Q:
            continue
        for a, b, sym in harmony:
            if a <= t < b and p % 12 not in chord(sym)[1]:
                LINT.append("%s: bar %d beat %d: %s over %s" % (
                    name, (t - start) // (beats * Q) + 1,
                    (t - start) % (beats * Q) // Q + 1, p, sym))


def against(name, upper, lower, origin, beats=3, crossing=True):
    """Two lines (spans) heard together: perfect fifths or octaves reached
    in parallel, a lower line crossing above (unless the voices share one
    range, as in a canon), and seconds or sevenths struck on a beat (a
    suspension or a passing note may be meant)."""
    def at(line, t):
        for a, b, p in line:
            if a <= t < b:
                return p
        return None
    prev = None
    for t in sorted({a for a, _, _ in upper} | {a for a, _, _ in lower}):
        u, lo = at(upper, t), at(lower, t)
        where = "bar %d beat %d" % ((t - origin) // (beats * Q) + 1,
                                    (t - origin) % (beats * Q) // Q + 1)
        if u is None or lo is None:
            prev = None
            continue
        iv = (u - lo) % 12
        if prev and iv in (0, 7) and (prev[0] - prev[1]) % 12 == iv \
                and u != prev[0] and lo != prev[1]:
            LINT.append("%s: %s: parallel %s %d/%d" % (
                name, where, "octaves" if iv == 0 else "fifths", u, lo))
        if lo > u and crossing:
            LINT.append("%s: %s: crossing %d/%d" % (name, where, u, lo))
        elif t % Q == 0 and abs(u - lo) % 12 in (1, 2, 10, 11):
            LINT.append("%s: %s: dissonance %d/%d" % (name, where, u, lo))
        prev = (u, lo)


# ------------------------------------------------------------ 1001

GREENSLEEVES_A = """
    C5/h D5/q | E5/q. F5/e E5/q | D5/h B4/q | G4/q. A4/e B4/q |
    C5/h A4/q | A4/q. G#4/e A4/q | B4/h G#4/q | E4/h A4/q |
    C5/h D5/q | E5/q. F5/e E5/q | D5/h B4/q | G4/q. A4/e B4/q |
    C5/q. B4/e A4/q | G#4/q. F#4/e G#4/q | A4/h.+h. |"""
GREENSLEEVES_B = """
    G5/h. | G5/q. F#5/e E5/q | D5/h B4/q | G4/q. A4/e B4/q |
    C5/h A4/q | A4/q. G#4/e A4/q | B4/h G#4/q | E4/h. |
    G5/h. | G5/q. F#5/e E5/q | D5/h B4/q | G4/q. A4/e B4/q |
    C5/q. B4/e A4/q | G#4/q. F#4/e G#4/q | A4/h.+h |"""
GREENSLEEVES_CHORDS = """
    Am C G Em Am F E E:2 Am:1 Am C G Em Am E Am Am
    C Em G Em Am F E E C Em G Em Am E Am Am"""
# the second half once more, with divisions: the flute fills the long notes
# and the leap back up to G
GREENSLEEVES_B_DIVIDED = """
    G5/h. | G5/q. F#5/e E5/q | D5/e C5/e D5/q B4/q | G4/q. A4/e B4/q |
    C5/e B4/e C5/q A4/q | A4/q. G#4/e A4/q | B4/e A4/e B4/q G#4/q |
    E4/q G#4/e B4/e E5/e F#5/e |
    G5/h. | G5/q. F#5/e E5/q | D5/e E5/e D5/q B4/q | G4/q. A4/e B4/q |
    C5/q. B4/e A4/q | G#4/q. F#4/e G#4/q | A4/h.+h |"""
# the cello's own line under the last verse: tenths and sixths below the
# tune, moving where the tune holds, the sevenths of E falling to C
GREENSLEEVES_CELLO = """
    A3/h G3/q | C4/h G3/q | B3/h D4/q | E4/h D4/q |
    E4/h C4/q | C4/h. | D4/h B3/q | B3/h C4/q |
    E4/h C4/q | G4/h C4/q | B3/h G3/q | B3/h G3/q |
    A3/h C4/q | D4/h. | C4/h. | A3/h G3/q |
    C4/q D4/q E4/q | B3/h G3/q | B3/h D4/q | E4/h D4/q |
    E4/h C4/q | C4/h. | D4/h B3/q | G#3/h B3/q |
    E4/q D4/q C4/q | B3/h G3/q | B3/h D4/q | E4/h D4/q |
    E4/h C4/q | D4/h. | C#4/h. | A3/h.+h. |"""


def greensleeves():
    s = Score("Greensleeves", 96, beats=3, key=(0, 1))
    s.gain_db = -5.5  # about as loud as the other tracks
    bar = 3 * Q
    verse = parse(GREENSLEEVES_A + GREENSLEEVES_B)
    refrain = parse(GREENSLEEVES_B)
    chords = progression(GREENSLEEVES_CHORDS, 3)
    flute = s.part("Flute", 0, FLUTE, volume=100, pan=70, reverb=55)
    guitar = s.part("Nylon guitar", 1, NYLON_GUITAR, volume=100, pan=52, reverb=45, seed=2)
    strings = s.part("Strings", 2, STRINGS, volume=72, pan=76, reverb=65, seed=3)
    cello = s.part("Cello", 3, CELLO, volume=74, pan=60, reverb=50, seed=4)
    acc = downbeat_accent(6)
    lint("1001", verse, 0, chords)
    lint("1001 divisions", parse(GREENSLEEVES_B_DIVIDED), 0, chords[17:])

    # intro: the guitar alone
    intro = progression("Am E", 3)
    _, prev = arpeggiate(guitar, 0, intro, "B01210", E, 54, 52, 62, (40, 51))
    # verse 1: the flute over the guitar's broken chords; the cello walks in
    # under the second half
    v1 = 2 * bar
    flute.play(v1 - Q, parse("A4/q"), 68)
    first = list(verse)
    first[-1] = (first[-1][0], 6 * Q)           # held into the interlude
    flute.play(v1, first, 72, legato=0.97, accent=acc, lift=0.6)
    flute.phrase(v1, v1 + 32 * bar, 7, bars=4)
    _, prev = arpeggiate(guitar, v1, chords, "B01210", E, 54, 52, 62, (40, 51), prev=prev)
    guitar.phrase(v1, v1 + 32 * bar, 5, bars=8)
    bass_line(cello, v1 + 16 * bar, window(chords, 16 * bar, 32 * bar), 50, 36, 47)
    cello.phrase(v1 + 16 * bar, v1 + 32 * bar, 6, bars=4)
    for i in range(16, 32, 4):
        cello.swell(v1 + i * bar, v1 + (i + 4) * bar, 90, 116, steps=6)
    # and the strings breathe softly under it
    pad(strings, v1 + 16 * bar, window(chords, 16 * bar, 32 * bar), 38, 55, 67)
    strings.ramp(v1 + 16 * bar, v1 + 20 * bar, 70, 100, steps=6)
    for i in range(20, 32, 4):
        strings.swell(v1 + i * bar, v1 + (i + 4) * bar, 84, 106, steps=6)

    # interlude: the guitar alone sings the second half, its tune above
    # softly rippling chords
    gi = v1 + 32 * bar
    guitar.play(gi, refrain, 80, legato=0.92, accent=downbeat_accent(5), lift=0.5)
    ripple = window(chords, 16 * bar, 32 * bar)
    _, prev = arpeggiate(guitar, gi, ripple, "B01012", E, 54, 52, 62, (40, 51), prev=prev)
    guitar.phrase(gi, gi + 16 * bar, 6, bars=4)

    # verse 2: strings and the cello's counter-line join; the guitar picks
    # in sixteenths under the second half; it ends on A major
    v2 = gi + 16 * bar
    flute.play(v2 - Q, parse("A4/q"), 70)
    last = parse(GREENSLEEVES_A + GREENSLEEVES_B_DIVIDED)
    last[-1] = (last[-1][0], 6 * Q)             # the last A is held to the end
    flute.play(v2, last, 76, legato=0.97, accent=acc, lift=0.6)
    flute.phrase(v2, v2 + 32 * bar, 8, bars=4)
    for i in range(0, 32, 4):
        flute.swell(v2 + i * bar, v2 + (i + 4) * bar, 100, 124, steps=6)
    # the cello's D turns the E chords of the last verse into sevenths
    coda = chords[:-2] + [("A", bar), ("A", bar)]
    for i in (6, 14, 23, 30):
        coda[i] = ("E7", bar)
    _, prev = arpeggiate(guitar, v2, window(coda, 0, 8 * bar), "B01210", E, 52, 52, 62, (40, 51), prev=prev)
    arpeggiate(guitar, v2 + 8 * bar, window(coda, 8 * bar, 31 * bar), "B01232101232", S, 46,
               52, 62, (40, 51), prev=prev)
    guitar.phrase(v2, v2 + 31 * bar, 5, bars=4)
    counter = parse(GREENSLEEVES_CELLO)
    cello.play(v2, counter, 56, legato=0.96, accent=acc, lift=0.5)
    cello.phrase(v2, v2 + 32 * bar, 7, bars=4)
    against("1001 cello", spans(last, v2), spans(counter, v2), v2)
    lint("1001 cello", counter, v2, coda)
    # the final chord, strummed slowly from the bass up
    fin = v2 + 31 * bar
    for i, p in enumerate([45, 52, 57, 61, 64, 69]):
        guitar.note(fin + i * 40, 2 * bar - i * 40 - 60, p, 58 - i * 2)
    pad(strings, v2, window(coda, 0, 31 * bar), 44, 55, 67, bass_range=(36, 47))
    for p in (45, 52, 57, 61, 64):
        strings.note(fin, 2 * bar - 60, p, 42)
    for i in range(0, 32, 4):
        strings.swell(v2 + i * bar, v2 + (i + 4) * bar, 80, 112, steps=6)
    for i in range(0, 32, 4):
        cello.swell(v2 + i * bar, v2 + (i + 4) * bar, 92, 118, steps=6)
    s.ritardando(v2 + 28 * bar, v2 + 32 * bar, 96, 72)
    return s


# ------------------------------------------------------------ 1002

MINUET_A_RH = """
    D5/q G4/e A4/e B4/e C5/e | D5/q G4/q G4/q | E5/q C5/e D5/e E5/e F#5/e |
    G5/q G4/q G4/q | C5/q D5/e C5/e B4/e A4/e | B4/q C5/e B4/e A4/e G4/e |
    F#4/q G4/e A4/e B4/e G4/e | A4/h. |
    D5/q G4/e A4/e B4/e C5/e | D5/q G4/q G4/q | E5/q C5/e D5/e E5/e F#5/e |
    G5/q G4/q G4/q | C5/q D5/e C5/e B4/e A4/e | B4/q C5/e B4/e A4/e G4/e |
    A4/q B4/e A4/e G4/e F#4/e | G4/h. |"""
MINUET_A_LH = """
    G3,B3,D4/h A3/q | B3/h. | C4/h. | B3/h. | A3/h. | G3/h. |
    D4/q B3/q G3/q | D4/q D3/e C4/e B3/e A3/e |
    B3/h A3/q | G3/q B3/q G3/q | C4/h. | B3/q C4/e B3/e A3/e G3/e |
    A3/h F#3/q | G3/h B3/q | C4/q D4/q D3/q | G3/h G2/q |"""
MINUET_B_RH = """
    B5/q G5/e A5/e B5/e G5/e | A5/q D5/e E5/e F#5/e D5/e |
    G5/q E5/e F#5/e G5/e D5/e | C#5/q B4/e C#5/e A4/q |
    A4/e B4/e C#5/e D5/e E5/e F#5/e | G5/q F#5/q E5/q | F#5/q A4/q C#5/q | D5/h. |
    D5/q G4/e F#4/e G4/q | E5/q G4/e F#4/e G4/q | D5/q C5/q B4/q |
    A4/e G4/e F#4/e G4/e A4/q | D4/e E4/e F#4/e G4/e A4/e B4/e |
    C5/q B4/q A4/q | B4/e D5/e G4/q F#4/q | G4/h. |"""
MINUET_B_LH = """
    G3/h. | F#3/h. | E3/h G3/q | A3/h A2/q | A3/h. | B3/q D4/q C#4/q |
    D4/q F#3/q A3/q | D4/q D3/q C4/q |
    B3/h. | C4/h. | B3/q A3/q G3/q | D4/h D3/q | D3/h. |
    E3/q G3/q F#3/q | G3/q C3/q D3/q | G2/h. |"""


# the repeats' left hand as a double: the bass broken into running eighths
# where the right hand holds or walks in quarters
MINUET_A_DOUBLE = """
    G3/e B3/e D4/e B3/e G3/e A3/e | B3/e G3/e D3/e G3/e B3/e D4/e |
    C4/e G3/e E3/e G3/e C4/e A3/e | B3/e D4/e B3/e D4/e G3/e B3/e |
    A3/e E3/e A3/e C4/e E4/e C4/e | G3/e D3/e G3/e B3/e D4/e B3/e |
    D4/e C4/e B3/e D4/e G3/e B3/e | D4/e D3/e F#3/e A3/e C4/e A3/e |
    B3/e G3/e D4/e B3/e G3/e A3/e | G3/e B3/e D4/e B3/e G3/e B3/e |
    C4/e G3/e E3/e G3/e C4/e A3/e | B3/e D4/e C4/e B3/e A3/e G3/e |
    A3/e E3/e A3/e E3/e F#3/e A3/e | G3/e D3/e G3/e B3/e D4/e B3/e |
    C4/e A3/e D4/e C4/e D3/e C4/e | B3/e G3/e D3/e B2/e G2/q |"""
MINUET_B_DOUBLE = """
    G3/e D4/e B3/e D4/e G3/e B3/e | F#3/e A3/e F#3/e D3/e A3/e F#3/e |
    E3/e B3/e G3/e B3/e G3/e B3/e | A3/e C#4/e E3/e G3/e A2/e E3/e |
    A3/h. | B3/e G3/e D4/e A3/e C#4/e A3/e |
    D4/e A3/e F#3/e D3/e A2/e E3/e | D3/e F#3/e A3/e D4/e C4/e A3/e |
    B3/e G3/e D3/e G3/e B3/e D4/e | C4/e G3/e E3/e G3/e C3/e E3/e |
    B3/e G3/e A3/e F#3/e G3/e D3/e | D3/e F#3/e A3/e C4/e A3/e D3/e |
    D3/h. | E3/e C4/e G3/e D4/e F#3/e D4/e |
    G3/e B3/e C3/e E3/e D3/e D2/e | G2/h. |"""
# the oboe's second part in the da capo: thirds and sixths under the tune,
# eighths where the tune holds, a rest where it dips below
MINUET_A_OBOE = """
    B4/q B3/e C4/e D4/e E4/e | B4/q D4/h | G4/q E4/e F#4/e G4/e A4/e |
    B4/q B3/q D4/q | E4/q F#4/q D4/e C4/e | D4/q E4/e D4/e C4/e B3/e |
    r/q D4/h | F#4/h. |
    G4/q B3/e C4/e D4/e E4/e | B4/q D4/e C4/e B3/q | G4/q E4/e F#4/e G4/e A4/e |
    B4/q E4/q C4/q | E4/q F#4/q D4/q | G4/q E4/e D4/q. |
    E4/q F#4/q E4/e D4/e | B3/h. |"""
MINUET_B_OBOE = """
    D5/q B4/e C5/e D5/e B4/e | D5/q F#4/e G4/e A4/e F#4/e |
    B4/q G4/e A4/e B4/e F#4/e | E4/q G4/e E4/e C#4/q |
    C#4/e D4/e E4/e F#4/e G4/e A4/e | D5/q A4/q G4/q | A4/q F#4/q E4/q |
    F#4/h A4/q |
    B4/q D4/e C4/e D4/q | G4/q E4/e D4/e E4/q | G4/q F#4/q G4/q |
    F#4/e E4/e D4/e E4/e F#4/q | r/h. | E4/q D4/q C4/q |
    G4/e B4/e E4/q D4/q | B3/h. |"""
# the harmony, for the continuo's chords
MINUET_A_CHORDS = """
    G G C G Am G D:1 G:2 D7 G G C G Am:2 D:1 G Am/C:1 D:2 G"""
MINUET_B_CHORDS = """
    G D Em:2 G:1 A7 A G:1 D:1 A:1 D:2 A:1 D7
    G C G:1 Am:1 G:1 D D C:1 G:1 D:1 G:1 C:1 D:1 G"""


def trill(seq, index, upper):
    """Replaces note `index` of a parsed line by a trill from the note above
    (upper semitones higher) in sixteenths, ending on the main note."""
    pitches, ticks = seq[index]
    p = pitches[0]
    n = ticks // S
    notes = [([p + upper] if i % 2 == 0 else [p], S) for i in range(n - 1)]
    notes.append(([p], ticks - S * (n - 1)))
    return seq[:index] + notes + seq[index + 1:]


def continuo(part, start, chords, vel, tune, low=55, high=67, prev=None):
    """The harpsichordist's right hand over the bass: a chord spread from
    below on the first beat of each harmony, struck again, lighter, on the
    second and third beats of a bar it fills where the tune (a lookup of
    its pitch by tick) sounds a tone of the chord there."""
    t = start
    for sym, ticks in chords:
        _, pcs = chord(sym)
        v = voicing(pcs, prev, low, high)
        prev = v
        beats = [b for b in range(1, ticks // Q)
                 if tune(t + b * Q) is not None and tune(t + b * Q) % 12 in pcs]
        for b in range(ticks // Q):
            if b and b not in beats:
                continue
            nxt = min([x for x in beats if x > b] + [ticks // Q])
            dur = (nxt - b) * Q - 30
            for i, p in enumerate(v):
                lag = i * 18 if b == 0 else i * 6
                part.note(t + b * Q + lag, dur - lag, p,
                          vel - (0 if b == 0 else 8) - i + part.rng.randint(-2, 2))
        t += ticks
    return t, prev


def minuet():
    s = Score("Minuet in G", 108, beats=3, key=(1, 0))
    s.gain_db = -0.3  # about as loud as the other tracks
    bar = 3 * Q
    acc = downbeat_accent(5)
    rh = s.part("Harpsichord right hand", 0, HARPSICHORD, volume=82, pan=70, reverb=40)
    lh = s.part("Harpsichord left hand", 1, HARPSICHORD, volume=78, pan=56, reverb=40, seed=2)
    rec = s.part("Recorder", 2, RECORDER, volume=88, pan=78, reverb=55, seed=3)
    oboe = s.part("Oboe", 4, OBOE, volume=66, pan=40, reverb=55, seed=5)
    cello = s.part("Cello", 3, CELLO, volume=70, pan=48, reverb=50, seed=4)
    a_rh, a_lh = parse(MINUET_A_RH), parse(MINUET_A_LH)
    b_rh, b_lh = parse(MINUET_B_RH), parse(MINUET_B_LH)
    a_dbl, b_dbl = parse(MINUET_A_DOUBLE), parse(MINUET_B_DOUBLE)
    a_ch = progression(MINUET_A_CHORDS, 3)
    b_ch = progression(MINUET_B_CHORDS, 3)
    for name, line, chords in [("1002 A", a_rh, a_ch), ("1002 B", b_rh, b_ch),
                               ("1002 A bass", a_dbl, a_ch), ("1002 B bass", b_dbl, b_ch)]:
        lint(name, line, 0, chords)
    a_ob, b_ob = parse(MINUET_A_OBOE), parse(MINUET_B_OBOE)
    lint("1002 A oboe", a_ob, 0, a_ch)
    lint("1002 B oboe", b_ob, 0, b_ch)
    against("1002 A oboe", spans(a_rh, 0), spans(a_ob, 0), 0)
    against("1002 B oboe", spans(b_rh, 0), spans(b_ob, 0), 0)
    for name, ob, bass in [("A", a_ob, a_lh), ("B", b_ob, b_lh)]:
        against("1002 %s oboe/bass" % name, spans(ob, 0),
                spans([([ps[0]] if ps else [], d) for ps, d in bass], 0), 0)
    against("1002 A double", spans(a_rh, 0), spans(a_dbl, 0), 0)
    against("1002 B double", spans(b_rh, 0), spans(b_dbl, 0), 0)
    # the repeats are ornamented: trills at the cadences, and the left hand
    # runs in eighths
    a_rh2 = trill(a_rh, len(a_rh) - 6, 2)       # the A of bar 15
    b_rh2 = trill(b_rh, len(b_rh) - 2, 1)       # the F sharp of bar 31
    t = 0
    for r, l in [(a_rh, a_lh), (a_rh2, a_dbl), (b_rh, b_lh), (b_rh2, b_dbl)]:
        rh.play(t, r, 70, legato=0.9, accent=acc, lift=0.3)
        lh.play(t, l, 62, legato=0.88, accent=acc)
        rh.phrase(t, t + 16 * bar, 5, bars=4)
        lh.phrase(t, t + 16 * bar, 4, bars=4)
        t += 16 * bar
    # da capo as a little consort: the recorder sings, the oboe below it,
    # the harpsichord accompanies from the bass with chords, the cello
    # doubles the bass
    prev = None
    for r2, l, chords, ob in [(a_rh2, a_lh, a_ch, a_ob), (b_rh2, b_lh, b_ch, b_ob)]:
        rec.play(t, r2, 72, legato=0.93, accent=acc, lift=0.4)
        oboe.play(t, ob, 58, legato=0.92, accent=acc, lift=0.3)
        oboe.phrase(t, t + 16 * bar, 6, bars=4)
        rec.phrase(t, t + 16 * bar, 6, bars=4)
        _, prev = continuo(rh, t, chords, 44, melody_at(r2, t), prev=prev)
        lh.play(t, l, 56, legato=0.9, accent=acc)
        cello.play(t, [([ps[0]], d) for ps, d in l], 56, legato=0.92, accent=acc)
        cello.phrase(t, t + 16 * bar, 5, bars=4)
        for i in range(0, 16, 4):
            rec.swell(t + i * bar, t + (i + 4) * bar, 96, 122, steps=6)
            oboe.swell(t + i * bar, t + (i + 4) * bar, 90, 114, steps=6)
            cello.swell(t + i * bar, t + (i + 4) * bar, 96, 116, steps=4)
        t += 16 * bar
    # a held G major chord to close
    for i, p in enumerate([43, 55, 59, 62, 67]):
        rh.note(t + i * 24, 2 * bar - 40 - i * 24, p, 58)
    cello.note(t, 2 * bar - 40, 43, 52)
    rec.note(t, 2 * bar - 40, 67, 64)
    oboe.note(t, 2 * bar - 40, 59, 54)
    s.ritardando(t - 2 * bar, t + Q, 108, 80, steps=6)
    return s


# ------------------------------------------------------------ 1003

LULLABY = """
    G4/q. E4/e E4/q | G4/h E4/e G4/e | C5/q B4/q. A4/e | A4/q G4/q D4/e E4/e |
    F4/q D4/q D4/e E4/e | F4/h D4/e F4/e | B4/e A4/e G4/q B4/q | C5/h C4/e C4/e |
    C5/h A4/e F4/e | G4/h E4/e C4/e | F4/q G4/q A4/q | G4/h C4/e C4/e |
    C5/h A4/e F4/e | G4/h E4/e C4/e | F4/q E4/q D4/q | C4/h"""
LULLABY_CHORDS = """
    C C C/G:1 G7:2 G7 Dm7 G7 G7 C
    F C Dm7 G7:2 C:1 F C F:1 C/G:1 G7:1 C"""


# a descant for the bells over the strings' verse, and a tenor line for the
# violins under the music box: both written in C like the tune
LULLABY_DESCANT = """
    E5/h. | E5/q D5/q C5/q | E5/q D5/h | F5/h D5/q |
    C5/h A4/q | B4/h D5/q | D5/h F5/q | E5/h. |
    F5/q A5/q F5/q | E5/h G5/q | A5/q G5/q F5/q | D5/h E5/q |
    A5/h F5/q | E5/h G5/q | A5/q G5/q F5/q | E5/h |"""
LULLABY_TENOR = """
    C4/h. | E4/q D4/q C4/q | E4/q D4/h | D4/q B3/q F4/q |
    A4/h F4/q | D4/h B3/q | D4/q E4/q F4/q | E4/h. |
    A4/h F4/q | E4/h G4/q | A4/q B4/q C5/q | B4/h G4/q |
    F4/h A4/q | E4/h G4/q | A4/q G4/q F4/q | E4/h |"""


def offbeats(part, start, chords, vel, low, high, bass_range, prev=None):
    """The rocking figure of the song's own accompaniment: a bass note on
    the beat, the chord's upper tones softly on every half beat between."""
    t = start
    for sym, ticks in chords:
        bass_pc, pcs = chord(sym)
        v = voicing(pcs, prev, low, high)
        prev = v
        b = bass_note(bass_pc, *bass_range)
        part.note(t, ticks - 30, b, vel + 6 + part.rng.randint(-2, 2))
        for k in range(ticks // Q):
            for i, p in enumerate(v):
                part.note(t + k * Q + E, E - 30, p, vel - 4 - i + part.rng.randint(-2, 2))
        t += ticks
    return t, prev


def lullaby():
    up = 5                                      # from C to F major
    s = Score("Wiegenlied", 78, beats=3, key=(-1, 0))
    s.gain_db = 2.7  # about as loud as the other tracks
    bar = 3 * Q
    acc = downbeat_accent(5)
    box = s.part("Music box", 0, MUSIC_BOX, volume=96, pan=72, reverb=60)
    cel = s.part("Celesta", 1, CELESTA, volume=84, pan=54, reverb=60, seed=2)
    strings = s.part("Strings", 2, SLOW_STRINGS, volume=72, pan=64, reverb=70, seed=3)
    violins = s.part("Violins", 3, STRINGS, volume=80, pan=80, reverb=65, seed=4)
    mel = parse(LULLABY, up + 12)
    mel_low = parse(LULLABY, up)
    pick = parse("E4/e E4/e", up + 12)
    pick_low = parse("E4/e E4/e", up)
    descant = parse(LULLABY_DESCANT, up)
    tenor = parse(LULLABY_TENOR, up)
    chords = []
    for sym, ticks in progression(LULLABY_CHORDS, 3):
        chords.append((transpose_symbol(sym, up), ticks))
    intro = [(transpose_symbol("C", up), bar), (transpose_symbol("G", up), bar)]
    lint("1003", mel, 0, chords)
    lint("1003 descant", descant, 0, chords)
    lint("1003 tenor", tenor, 0, chords)
    against("1003 descant", spans(descant, 0), spans(mel_low, 0), 0)
    against("1003 tenor", spans(mel, 0), spans(tenor, 0), 0)
    # intro: celesta and strings
    t, prev = arpeggiate(cel, 0, intro, "B01210", E, 48, 57, 69, (41, 52))
    pad(strings, 0, intro, 40, 53, 65, bass_range=(41, 52))
    verses = [2 * bar + 16 * bar * k for k in range(4)]
    # verse 1: the music box sings, the celesta rocks in broken chords
    box.play(verses[0] - Q, pick, 64)
    box.play(verses[0], mel, 70, legato=0.9, accent=acc, lift=0.4)
    box.phrase(verses[0], verses[1], 5, bars=4)
    _, prev = arpeggiate(cel, verses[0], chords, "B01210", E, 46, 57, 69, (41, 52), prev=prev)
    cel.phrase(verses[0], verses[1], 4, bars=4)
    pad(strings, verses[0], chords, 38, 53, 65, bass_range=(41, 52))
    # verse 2: the violins take the tune, the music box ripples above, the
    # celesta rings a slow descant over all
    violins.play(verses[1] - Q, pick_low, 50, legato=1.0)
    violins.play(verses[1], mel_low, 56, legato=0.98, accent=acc, lift=0.5)
    violins.phrase(verses[1], verses[2], 6, bars=4)
    shortened = chords[:-1] + [(chords[-1][0], chords[-1][1] - Q)]
    arpeggiate(box, verses[1], shortened, "012343210123", S, 40, 69, 81, (53, 64), ring_on=False)
    box.phrase(verses[1], verses[2], 4, bars=4)
    cel.play(verses[1], descant, 46, legato=0.95, accent=acc, lift=0.3)
    pad(strings, verses[1], chords, 36, 53, 64, bass_range=(41, 52))
    # verse 3: the music box again, the celesta in the song's own rocking
    # off-beats, the violins with a tenor line beneath
    box.play(verses[2] - Q, pick, 62)
    box.play(verses[2], mel, 68, legato=0.9, accent=acc, lift=0.4)
    box.phrase(verses[2], verses[3], 5, bars=4)
    offbeats(cel, verses[2], chords, 42, 57, 69, (41, 52))
    violins.play(verses[2], tenor, 48, legato=0.97, accent=acc, lift=0.4)
    violins.phrase(verses[2], verses[3], 5, bars=4)
    t = verses[2]
    for sym, ticks in chords:
        strings.note(t, ticks - 20, bass_note(chord(sym)[0], 41, 52), 36)
        t += ticks
    # verse 4: the violins sing it once more, the celesta rocks, the music
    # box rings the descant; slowing to the end
    violins.play(verses[3] - Q, pick_low, 48, legato=1.0)
    last = list(mel_low)
    last[-1] = (last[-1][0], 2 * Q)
    violins.play(verses[3], last, 54, legato=0.98, accent=acc, lift=0.5)
    violins.phrase(verses[3], verses[3] + 16 * bar, 6, bars=4)
    end = verses[3] + 16 * bar
    _, prev = arpeggiate(cel, verses[3], chords[:-1], "B01210", E, 42, 57, 69, (41, 52), prev=prev)
    bells = descant[:-1] + [(descant[-1][0], Q)]
    box.play(verses[3], bells, 52, legato=0.9, accent=acc, lift=0.3)
    pad(strings, verses[3], chords, 36, 53, 65, bass_range=(41, 52))
    # the last chord: the music box climbs an F major arpeggio
    for i, p in enumerate([65, 69, 72, 81, 84, 89]):
        box.note(end - bar + Q + i * E, bar + Q - i * E, p, 52 - i * 2)
    cel.note(end - bar, bar + 2 * Q, 53, 44)
    cel.note(end - bar, bar + 2 * Q, 57, 40)
    cel.note(end - bar, bar + 2 * Q, 60, 40)
    strings.note(end, 2 * Q, 53, 34)
    strings.note(end, 2 * Q, 57, 32)
    strings.note(end, 2 * Q, 60, 32)
    violins.note(end, 2 * Q, 65, 40)
    for base, span in [(0, 2)] + [(v, 16) for v in verses]:
        for i in range(0, span, 4 if span > 2 else 2):
            strings.swell(base + i * bar, base + (i + min(4, span)) * bar, 84, 118, steps=6)
    for v in verses[1:]:
        for i in range(0, 16, 4):
            violins.swell(v + i * bar, v + (i + 4) * bar, 88, 120, steps=6)
    s.ritardando(verses[3] + 13 * bar, end + bar, 78, 58, steps=8)
    return s


def transpose_symbol(sym, semis):
    names = ["C", "Db", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"]
    bass = None
    if "/" in sym:
        sym, bass = sym.split("/")
    i = 1
    while i < len(sym) and sym[i] in "#b":
        i += 1
    root, quality = sym[:i], sym[i:]
    pc, _ = chord(root)
    out = names[(pc + semis) % 12] + quality
    if bass:
        bpc, _ = chord(bass)
        out += "/" + names[(bpc + semis) % 12]
    return out


# ------------------------------------------------------------ 1004

SCARBOROUGH = """
    D4/h D4/q | A4/h A4/q | E4/q. F4/e E4/q | D4/h. |
    r/q A4/q C5/q | D5/h C5/q | A4/q B4/q G4/q | A4/h. |
    D5/h D5/q | C5/h A4/q | A4/q G4/q F4/q | E4/q C4/h |
    D4/h A4/q | G4/h F4/q | E4/q D4/q C4/q | D4/h."""
SCARBOROUGH_CHORDS = "Dm Dm C Dm F G:2 C:1 Am:1 G:2 Am Dm F Dm C Dm G C Dm"


# the clarinet's line under the pan flute (sixths and tenths below it,
# the Dorian B in bar 11), and the pan flute's descant over the cello
SCARBOROUGH_COUNTER = """
    A4/h G4/q | F4/h. | G4/q. A4/e G4/q | F4/h. |
    C4/q F4/q A4/q | B4/h A4/q | C5/q D5/q B4/q | C5/h. |
    A4/h F4/q | A4/h C5/q | C5/q B4/q A4/q | G4/q E4/h |
    F4/h. | D4/h B3/q | C4/q D4/q E4/q | F4/h. |"""
SCARBOROUGH_DESCANT = """
    A5/h. | F5/h. | G5/h. | A5/q F5/q D5/q |
    F5/h. | G5/h E5/q | C5/q D5/h | C5/h E5/q |
    F5/h. | A5/h F5/q | F5/q D5/q A4/q | C5/q E5/h |
    F5/h. | D5/h. | C5/q D5/q E5/q | F5/h. |"""


def scarborough():
    s = Score("Scarborough Fair", 96, beats=3, key=(-1, 1))
    s.gain_db = -2.0  # about as loud as the other tracks
    bar = 3 * Q
    acc = downbeat_accent(5)
    harp = s.part("Harp", 0, HARP, volume=96, pan=50, reverb=60)
    clar = s.part("Clarinet", 1, CLARINET, volume=92, pan=74, reverb=55, seed=2)
    pan_flute = s.part("Pan flute", 2, PAN_FLUTE, volume=86, pan=82, reverb=65, seed=3)
    cello = s.part("Cello", 3, CELLO, volume=72, pan=40, reverb=55, seed=4)
    mel = parse(SCARBOROUGH)
    mel_hi = parse(SCARBOROUGH, 12)
    cello_mel = parse(SCARBOROUGH, -12)
    counter = parse(SCARBOROUGH_COUNTER)
    descant = parse(SCARBOROUGH_DESCANT)
    chords = progression(SCARBOROUGH_CHORDS, 3)
    lint("1004", mel, 0, chords)
    lint("1004 counter", counter, 0, chords)
    lint("1004 descant", descant, 0, chords)
    against("1004 counter", spans(mel_hi, 0), spans(counter, 0), 0)
    against("1004 descant", spans(descant, 0), spans(cello_mel, 0), 0)
    intro = progression("Dm G C Dm", 3)
    _, prev = arpeggiate(harp, 0, intro, "B012345", E, 52, 50, 62, (38, 49))
    # the pan flute calls the song's last phrase from afar
    pan_flute.play(0, parse("D5/h A5/q | G5/h F5/q | E5/q D5/q C5/q | D5/h."), 50,
                   legato=0.96, accent=acc, lift=0.3)
    pan_flute.swell(0, 4 * bar, 80, 110, steps=8)
    v = [4 * bar + 16 * bar * k for k in range(5)]
    # verse 1: the clarinet alone over the harp
    clar.play(v[0], mel, 72, legato=0.96, accent=acc, lift=0.5)
    clar.phrase(v[0], v[1], 6, bars=4)
    _, prev = arpeggiate(harp, v[0], window(chords, 0, 8 * bar), "B01234", E, 50, 50, 62,
                         (38, 49), prev=prev)
    _, prev = arpeggiate(harp, v[0] + 8 * bar, window(chords, 8 * bar, 16 * bar), "B01234543210",
                         S, 44, 50, 62, (38, 49), prev=prev)
    harp.phrase(v[0], v[1], 4, bars=4)
    # verse 2: the pan flute an octave up, the clarinet's counter-line below
    # it, the cello takes the bass, the harp ripples
    pan_flute.play(v[1], mel_hi, 68, legato=0.96, accent=acc, lift=0.4)
    pan_flute.phrase(v[1], v[2], 6, bars=4)
    clar.play(v[1], counter, 56, legato=0.95, accent=acc, lift=0.4)
    clar.phrase(v[1], v[2], 5, bars=4)
    _, prev = arpeggiate(harp, v[1], chords, "B01234543210", S, 44, 50, 62, (38, 49), prev=prev)
    harp.phrase(v[1], v[2], 5, bars=4)
    bass_line(cello, v[1], chords, 52, 36, 47)
    # verse 3: the cello sings the tune low, the pan flute floats a descant
    # above, the harp shimmers between them over its own bass
    cello.play(v[2], cello_mel, 72, legato=0.97, accent=acc, lift=0.5)
    cello.phrase(v[2], v[3], 6, bars=4)
    pan_flute.play(v[2], descant, 60, legato=0.96, accent=acc, lift=0.3)
    pan_flute.phrase(v[2], v[3], 5, bars=4)
    arpeggiate(harp, v[2], chords, "B01232101232", S, 46, 62, 74, (38, 49))
    harp.phrase(v[2], v[3], 4, bars=4)
    cello.swell(v[2], v[2] + 8 * bar, 96, 122, steps=8)
    cello.swell(v[2] + 8 * bar, v[2] + 16 * bar, 96, 122, steps=8)
    # verse 4: the harp alone, its tune above gently broken chords
    harp.play(v[3], mel_hi, 82, legato=0.95, accent=acc, lift=0.4)
    _, prev = arpeggiate(harp, v[3], chords, "B01210", E, 56, 50, 62, (38, 49))
    harp.phrase(v[3], v[4], 6, bars=4)
    # verse 5: all together: the clarinet sings it last, the pan flute's
    # descant floats above, the cello walks the bass, the harp ripples;
    # slowing at the end
    clar.play(v[4], mel, 70, legato=0.96, accent=acc, lift=0.5)
    pan_flute.play(v[4], descant[:-1], 50, legato=0.96, accent=acc, lift=0.3)
    pan_flute.phrase(v[4], v[4] + 15 * bar, 5, bars=4)
    against("1004 descant over clarinet", spans(descant, 0), spans(mel, 0), 0)
    clar.phrase(v[4], v[4] + 16 * bar, 6, bars=4)
    bass_line(cello, v[4], chords[:-1], 50, 36, 47)
    cello.phrase(v[4], v[4] + 15 * bar, 4, bars=4)
    _, prev = arpeggiate(harp, v[4], chords[:-1], "B01234543210", S, 42, 50, 62, (38, 49), prev=prev)
    harp.phrase(v[4], v[4] + 15 * bar, 5, bars=4)
    end = v[4] + 15 * bar
    # close on an open D: a slow harp roll, cello and clarinet hold
    for i, p in enumerate([38, 45, 50, 57, 62, 69, 74]):
        harp.note(end + i * 60, 2 * bar - i * 60, p, 50 - i)
    cello.note(end, 2 * bar, 50, 48)
    pan_flute.note(end, 2 * bar - 60, 77, 44)
    for k in (0, 1, 4):
        clar.swell(v[k], v[k] + 8 * bar, 92, 120, steps=8)
        clar.swell(v[k] + 8 * bar, v[k] + 16 * bar, 92, 120, steps=8)
    for k in (1, 2, 4):
        pan_flute.swell(v[k], v[k] + 8 * bar, 92, 120, steps=8)
        pan_flute.swell(v[k] + 8 * bar, v[k] + 16 * bar, 92, 120, steps=8)
    s.ritardando(v[4] + 13 * bar, end + bar, 96, 70, steps=8)
    return s


# ------------------------------------------------------------ 1005

QUIET_A = """
    r/q C6/q B5/q | A5/h. | r/q E5/q G5/q | F5/q E5/h |
    r/q D5/q F5/q | E5/q D5/q B4/q | C5/h. | B4/h G#4/q |"""
QUIET_A2 = """
    r/q C6/q B5/q | A5/q G5/q E5/q | r/q E5/q A5/q | G5/q F5/q C5/q |
    D5/h E5/q | F5/q D5/q B4/q | C5/h.+h. |"""
QUIET_B = """
    r/q A5/q C6/q | B5/h G5/q | A5/q F5/q D5/q | E5/h. |
    r/q D5/q F5/q | E5/q C5/q A4/q | E5/h F5/q | E5/q D5/q B4/q |"""
QUIET_END = """
    r/q C6/q B5/q | A5/h. | r/q E5/q G5/q | F5/q E5/h |
    r/q D5/q F5/q | E5/q D5/q B4/q | C5/h. |
    r/q F5/q E5/q | D5/h. | B4/h G#4/q | A4/h.+h. |"""
QUIET_CHORDS = """
    Am9 Fmaj7 Am9 Fmaj7 Dm9 G6 Cmaj7 E7sus4:2 E7:1
    Am9 Fmaj7 Am9 Fmaj9 Dm9 G7 Cmaj7 Cmaj7
    Fmaj7 Em7 Dm7 Cmaj7 Bbmaj7 Am7 Dm9 E7
    Am9 Fmaj7 Am9 Fmaj7 Dm9 G6 Cmaj7 Dm9 E7sus4 E7 Am9 Am9"""


def gymnopedie(part, start, chords, vel, prev=None):
    """The left hand of a slow waltz: a low bass note on the first beat,
    the chord's upper tones on the second, both held to the bar line."""
    t = start
    for sym, ticks in chords:
        root, pcs = chord(sym)
        v = voicing(pcs, prev, 52, 67)
        prev = v
        b = bass_note(root, 38, 49)
        part.note(t, ticks - 15, b, vel + 4 + part.rng.randint(-2, 2))
        if ticks > Q:
            for p in v:
                part.note(t + Q, ticks - Q - 15, p, vel - 6 + part.rng.randint(-2, 2))
        t += ticks
    return t, prev


def waltz(part, start, chords, vel, prev=None):
    """The waltz's own left hand, softly: the bass on the first beat, the
    chord on the second and third."""
    t = start
    for sym, ticks in chords:
        root, pcs = chord(sym)
        v = voicing(pcs, prev, 52, 67)
        prev = v
        part.note(t, ticks - 15, bass_note(root, 38, 49), vel + 4 + part.rng.randint(-2, 2))
        for k in range(1, ticks // Q):
            for p in v:
                part.note(t + k * Q, Q - 30, p, vel - 8 - 2 * (k - 1) + part.rng.randint(-2, 2))
        t += ticks
    return t, prev


def pedal(part, start, chords):
    """The sustain pedal, changed at every chord."""
    t = start
    for _, ticks in chords:
        part.control(t + 10, 64, 127)
        part.control(t + ticks - 10, 64, 0)
        t += ticks


# the second violins under the tune, the middle part's second voice for the
# right hand, and the cello's slow descent through the sevenths beneath it
QUIET_A_SECOND = """
    r/q A5/q G5/q | F5/h. | r/q C5/q E5/q | A4/q C5/h |
    r/q A4/q D5/q | G4/q B4/q G4/q | E4/h. | D4/h E4/q |
    r/q A5/q G5/q | F5/q E5/q C5/q | r/q C5/q C5/q | E5/q A4/h |
    F4/h C5/q | D5/q B4/q G4/q | E4/h.+h. |"""
QUIET_B_ALTO = """
    r/q F5/q A5/q | G5/h E5/q | F5/q D5/q A4/q | C5/h. |
    r/q Bb4/q D5/q | C5/q A4/q E4/q | C5/h D5/q | G#4/q B4/q G#4/q |"""
QUIET_B_CELLO = """
    E4/h. | D4/h. | C4/h. | B3/h. | A3/h. | G3/h. | F3/h. | E3/h G#3/q |"""


def after(seq, tick):
    """The part of a parsed line from `tick` on (a note must begin there)."""
    t = 0
    for i, (_, ticks) in enumerate(seq):
        if t == tick:
            return seq[i:]
        t += ticks
    raise ValueError("no note begins at %d" % tick)


def filled(seq, start, chords):
    """A line doubled an octave below, with the chord tone nearest under the
    top filled in where the top note belongs to the chord."""
    harmony = []
    t = start
    for sym, ticks in chords:
        harmony.append((t, t + ticks, chord(sym)[1]))
        t += ticks
    out = []
    t = start
    for pitches, ticks in seq:
        if pitches:
            top = pitches[0]
            pcs = next((h for a, b, h in harmony if a <= t < b), [])
            notes = [top, top - 12]
            if top % 12 in pcs:
                inner = [p for p in range(top - 9, top - 2) if p % 12 in pcs]
                if inner:
                    notes.insert(1, max(inner))
            out.append((notes, ticks))
        else:
            out.append(([], ticks))
        t += ticks
    return out


def quiet_rooms():
    s = Score("Quiet Rooms", 70, beats=3, key=(0, 1))
    s.gain_db = 5.8  # about as loud as the other tracks
    bar = 3 * Q
    acc = downbeat_accent(4)
    rh = s.part("Piano right hand", 0, PIANO, volume=96, pan=68, reverb=60)
    lh = s.part("Piano left hand", 1, PIANO, volume=90, pan=58, reverb=60, seed=2)
    strings = s.part("Strings", 2, STRINGS, volume=64, pan=72, reverb=75, seed=3)
    cello = s.part("Cello", 3, CELLO, volume=70, pan=44, reverb=65, seed=4)
    chords = progression(QUIET_CHORDS, 3)
    a_chords = window(chords, 0, 16 * bar)
    b_chords = window(chords, 16 * bar, 24 * bar)
    end_chords = window(chords, 24 * bar, 36 * bar)
    tune_a = parse(QUIET_A + QUIET_A2)
    tune_b = parse(QUIET_B)
    alto = parse(QUIET_B_ALTO)
    descent = parse(QUIET_B_CELLO)
    tune_end = parse(QUIET_END)
    second = parse(QUIET_A_SECOND)
    lint("1005", tune_a, 0, a_chords)
    lint("1005 second violins", second, 0, a_chords)
    against("1005 second violins", spans(tune_a, 0), spans(second, 0), 0)
    lint("1005 B", tune_b, 0, b_chords)
    lint("1005 B alto", alto, 0, b_chords)
    lint("1005 B cello", descent, 0, b_chords)
    lint("1005 end", tune_end, 0, end_chords)
    against("1005 B alto", spans(tune_b, 0), spans(alto, 0), 0)
    against("1005 B cello", spans(alto, 0), spans(descent, 0), 0)

    # intro: the left hand alone, a low note and a soft chord in each bar
    intro = progression("Am9 Fmaj7 Am9 Fmaj7", 3)
    _, prev = gymnopedie(lh, 0, intro, 60)
    pedal(lh, 0, intro)
    # A: the piano sings, in two voices from the second half on, where the
    # strings steal in beneath
    t0 = 4 * bar
    rh.play(t0, tune_a, 74, legato=0.98, accent=acc, lift=0.5)
    rh.play(t0 + 8 * bar, after(second, 8 * bar), 54, legato=0.98, accent=acc)
    rh.phrase(t0, t0 + 16 * bar, 6, bars=4)
    _, prev = gymnopedie(lh, t0, window(a_chords, 0, 8 * bar), 60, prev)
    _, prev = waltz(lh, t0 + 8 * bar, window(a_chords, 8 * bar, 16 * bar), 56, prev)
    pedal(lh, t0, a_chords)
    pad(strings, t0 + 8 * bar, window(a_chords, 8 * bar, 16 * bar), 36, 55, 69)
    strings.ramp(t0 + 8 * bar, t0 + 12 * bar, 60, 96, steps=8)
    strings.swell(t0 + 12 * bar, t0 + 16 * bar, 80, 100, steps=6)
    # A again: the strings take the tune, the piano flows beneath in
    # broken chords, the cello holds the bass
    t1 = t0 + 16 * bar
    strings.play(t1, tune_a, 56, legato=0.99, accent=acc, lift=0.5)
    strings.play(t1, second, 46, legato=0.99, accent=acc, lift=0.3)
    strings.phrase(t1, t1 + 16 * bar, 6, bars=4)
    for i in range(0, 16, 4):
        strings.swell(t1 + i * bar, t1 + (i + 4) * bar, 86, 118, steps=8)
    _, prev = arpeggiate(lh, t1, a_chords, "B01232101232", S, 46, 52, 64, (38, 49), prev=prev)
    lh.phrase(t1, t1 + 16 * bar, 5, bars=4)
    pedal(lh, t1, a_chords)
    bass_line(cello, t1, a_chords, 46, 36, 47)
    # B: the piano's tune in two voices, the cello descending beneath
    t2 = t1 + 16 * bar
    rh.play(t2, tune_b, 72, legato=0.98, accent=acc, lift=0.5)
    rh.play(t2, alto, 58, legato=0.98, accent=acc)
    rh.phrase(t2, t2 + 8 * bar, 6, bars=4)
    _, prev = arpeggiate(lh, t2, b_chords, "B01232101232", S, 44, 52, 64, (38, 49), prev=prev)
    pedal(lh, t2, b_chords)
    cello.play(t2, descent, 54, legato=0.98, accent=acc)
    cello.phrase(t2, t2 + 8 * bar, 6, bars=8)
    cello.swell(t2, t2 + 8 * bar, 90, 118, steps=10)
    pad(strings, t2, b_chords, 34, 55, 69)
    strings.ramp(t2, t2 + Q, 100, 84, steps=2)
    # B again: the cello sings it, the strings take the second voice below
    # it, the piano ripples high above and rocks the waltz below
    t3 = t2 + 8 * bar
    cello.play(t3, parse(QUIET_B, -12), 60, legato=0.98, accent=acc, lift=0.5)
    strings.play(t3, parse(QUIET_B_ALTO, -12), 44, legato=0.98, accent=acc, lift=0.3)
    cello.phrase(t3, t3 + 8 * bar, 6, bars=4)
    cello.swell(t3, t3 + 4 * bar, 92, 120, steps=8)
    cello.swell(t3 + 4 * bar, t3 + 8 * bar, 92, 120, steps=8)
    arpeggiate(rh, t3, b_chords, "012343210123", S, 38, 72, 84, (38, 49))
    rh.phrase(t3, t3 + 8 * bar, 4, bars=4)
    _, prev = waltz(lh, t3, b_chords, 50, prev)
    pedal(lh, t3, b_chords)
    strings.ramp(t3, t3 + Q, 100, 100, steps=1)
    # the return: the tune in full octaves, the broken chords flowing on,
    # the cello under all, slowing to the end
    t4 = t3 + 8 * bar
    rh.play(t4, filled(tune_end, t4, end_chords), 66, legato=0.98, accent=acc, lift=0.4)
    rh.phrase(t4, t4 + 12 * bar, 6, bars=4)
    flow = window(end_chords, 0, 10 * bar)
    _, prev = arpeggiate(lh, t4, flow, "B01232101232", S, 46, 52, 64, (38, 49), prev=prev)
    pedal(lh, t4, end_chords)
    fin = t4 + 10 * bar
    for i, p in enumerate([33, 45, 52, 57, 60, 64, 71]):
        lh.note(fin + i * E // 2, 2 * bar - i * E // 2 - 20, p, 54 - i)
    pad(strings, t4, window(end_chords, 0, 10 * bar), 40, 55, 69)
    for p in (57, 60, 64, 71):
        strings.note(fin, 2 * bar - 40, p, 36)
    for i in range(0, 12, 4):
        strings.swell(t4 + i * bar, t4 + (i + 4) * bar, 76, 112, steps=8)
    bass_line(cello, t4, end_chords[:-2], 48, 36, 47)
    cello.note(fin, 2 * bar - 40, 45, 46)
    s.ritardando(t4 + 8 * bar, fin + bar, 70, 52, steps=8)
    return s


# ------------------------------------------------------------ 1006

GROUND = "D3/q A2/q B2/q F#2/q G2/q D2/q G2/q A2/q"
CANON_CHORDS = "D:1 A:1 Bm:1 F#m:1 G:1 D:1 G:1 A:1"
VARIATIONS = {
    1: "F#5/q E5/q D5/q C#5/q B4/q A4/q B4/q C#5/q",
    2: "D5/q C#5/q B4/q A4/q G4/q F#4/q G4/q E4/q",
    3: "D4/e F#4/e A4/e G4/e F#4/e D4/e F#4/e E4/e D4/e B3/e D4/e A4/e G4/e B4/e A4/e G4/e",
    4: "F#5/e D5/e E5/e C#5/e D5/e B4/e C#5/e A4/e B4/e G4/e A4/e F#4/e B4/e D5/e C#5/e E5/e",
    5: """F#5/s A5/s G5/s F#5/s E5/s G5/s F#5/s E5/s D5/s F#5/s E5/s D5/s C#5/s E5/s D5/s C#5/s
          B4/s D5/s C#5/s B4/s A4/s F#4/s G4/s A4/s B4/s G4/s A4/s B4/s C#5/s A4/s B4/s C#5/s""",
    6: "D6/q C#6/q B5/q A5/q G5/q F#5/q G5/q A5/q",
    7: "A5/e. G5/s A5/e. G5/s F#5/e. E5/s F#5/e. E5/s D5/e. C#5/s D5/e. C#5/s G5/e. F#5/s E5/q",
    8: """F#5/s A5/s D6/s A5/s E5/s A5/s C#6/s A5/s D5/s F#5/s B5/s F#5/s C#5/s F#5/s A5/s F#5/s
          B4/s D5/s G5/s D5/s A4/s D5/s F#5/s D5/s B4/s D5/s G5/s D5/s C#5/s E5/s A5/s E5/s""",
    9: "D6/e E6/e C#6/e D6/e B5/e C#6/e A5/e B5/e G5/e A5/e F#5/e G5/e G5/e F#5/e A5/e G5/e",
    10: "A5/h F#5/h G5/q F#5/q G5/q E5/q",
    11: "D5/q C#5/q B4/q A4/q B4/q A4/q B4/q C#5/q",
}
VARIATIONS.update({
    # three more of our own in the same manner
    13: "F#4/e A4/e E4/e A4/e F#4/e B4/e C#5/e A4/e B4/e D5/e A4/e D5/e B4/e G4/e C#5/e E5/e",
    14: "D5/e F#5/e C#5/e E5/e B4/e D5/e A4/e C#5/e G4/e B4/e F#4/e A4/e G4/e B4/e A4/e C#5/e",
    15: """A5/s F#5/s D5/s F#5/s E5/s C#5/s A4/s C#5/s F#5/s D5/s B4/s D5/s C#5/s A4/s F#4/s A4/s
           D5/s B4/s G4/s B4/s A4/s F#4/s D4/s F#4/s B4/s G4/s D4/s G4/s C#5/s A4/s E4/s A4/s""",
})
# the canon: every upper voice plays this chain of variations, the second
# violin one round after the first, the viola one after that, in an order
# in which no variation moves in fifths or octaves with the two heard beside
# it; the violins close with slow lines while the viola finishes
CANON_CHAIN = [1, 2, 13, 9, 7, 8, 15, 3, 6, 5, 4, 14]
CANON_CLOSE = [10, 11]


def canon():
    s = Score("Canon", 56, beats=4, key=(2, 0))
    s.gain_db = 2.0  # about as loud as the other tracks
    cycle = 8 * Q
    vn1 = s.part("Violin I", 0, VIOLIN, volume=84, pan=40, reverb=60)
    vn2 = s.part("Violin II", 1, VIOLIN, volume=80, pan=88, reverb=60, seed=2)
    vla = s.part("Viola", 2, VIOLA, volume=82, pan=72, reverb=60, seed=3)
    vc = s.part("Cello", 3, CELLO, volume=86, pan=56, reverb=60, seed=4)
    pz = s.part("Pizzicato", 4, PIZZICATO, volume=70, pan=60, reverb=55, seed=5)
    acc = downbeat_accent(5, 2, beats=4)
    chords = progression(CANON_CHORDS, 4)
    ground = parse(GROUND)
    plan = {vn1: CANON_CHAIN + CANON_CLOSE, vn2: CANON_CHAIN + CANON_CLOSE[:1],
            vla: CANON_CHAIN}
    entry = {vn1: 1, vn2: 2, vla: 3}
    cycles = 1 + len(CANON_CHAIN) + len(CANON_CLOSE)
    for n in sorted(VARIATIONS):
        lint("1006 variation %d" % n, parse(VARIATIONS[n]), 0, chords, beats=4)
    for k in range(cycles):
        t = k * cycle
        vc.play(t, ground, 60, legato=0.94, accent=acc, beats=4)
        heard = []
        for part, chain in plan.items():
            i = k - entry[part]
            if 0 <= i < len(chain):
                seq = parse(VARIATIONS[chain[i]])
                vel = {vn1: 64, vn2: 58, vla: 56}[part]
                part.play(t, seq, vel, legato=0.96, accent=acc, beats=4, lift=0.3)
                heard.append((chain[i], seq))
        for x in range(len(heard)):
            for y in range(x + 1, len(heard)):
                (na, a), (nb, b) = sorted([heard[x], heard[y]], key=lambda h: -max(
                    p for ps, _ in h[1] for p in ps))
                against("1006 cycle %d: %d over %d" % (k, na, nb), spans(a, t), spans(b, t), t,
                        beats=4, crossing=False)
        # the continuo's plucked broken chords while the canon runs fullest
        if 4 <= k < cycles - 1:
            arpeggiate(pz, t, chords, "B1", E, 44, 50, 62, (38, 50), ring_on=False)
        for part in (vn1, vn2, vla, vc):
            part.swell(t, t + cycle, 92, 120, steps=8)
    end = cycles * cycle
    for p, part, v in [(78, vn1, 60), (74, vn2, 56), (69, vla, 54), (62, vla, 52),
                       (50, vc, 60), (38, vc, 58)]:
        part.note(end, 4 * Q, p, v)
    s.ritardando(end - cycle, end + 2 * Q, 56, 40, steps=8)
    return s


# ------------------------------------------------------------ output

PIECES = {1001: greensleeves, 1002: minuet, 1003: lullaby, 1004: scarborough,
          1005: quiet_rooms, 1006: canon}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    folder = args[0] if args else os.path.join(here, "..", "..", "resources", "MIDI")
    folder = os.path.normpath(folder)
    os.makedirs(folder, exist_ok=True)
    for number, make in PIECES.items():
        score = make()
        path = os.path.join(folder, "%d.mid" % number)
        size = score.write(path)
        notes = sum(len(p.notes) for p in score.parts)
        print("%s: %s, %d bytes, %d notes, %.1f s" % (path, score.title, size, notes, score.seconds()))
    if "--lint" in sys.argv:
        print("\n".join(LINT))


if __name__ == "__main__":
    main()
