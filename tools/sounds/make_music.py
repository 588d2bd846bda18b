#!/usr/bin/env python3
"""Arranges the game's six background-music tracks, resources/MIDI/1001.mid
... 1006.mid, as standard MIDI files (type 1, a conductor track and one
track per instrument, General MIDI programs).

    1001  Greensleeves (English, 16th century): flute, nylon guitar, strings
    1002  Minuet in G major (Anna Magdalena notebook, BWV Anh. 114):
          harpsichord, then recorder, harpsichord and cello
    1003  Wiegenlied (Brahms, op. 49 no. 4): music box, celesta, strings
    1004  Scarborough Fair (English folk song, Dorian): clarinet, harp,
          pan flute, cello (who sings the third verse)
    1005  "Quiet Rooms", our own slow waltz for piano and strings
    1006  Canon over a ground (Pachelbel): string quartet

All melodies are in the public domain; the arrangements are ours.
Deterministic: small velocity variations come from generators with fixed
seeds. Usage: python3 tools/sounds/make_music.py [output folder]
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
CLARINET, FLUTE, RECORDER, PAN_FLUTE = 71, 73, 74, 75


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


def guide_line(part, start, chords, vel, low, high, avoid=None, prev=None,
               gap=20):
    """A calm counter-line: per chord one chord tone, the nearest to the
    one before (preferring thirds and sevenths), held for the chord."""
    t = start
    for sym, ticks in chords:
        root, pcs = chord(sym)
        cands = [p for p in range(low, high + 1) if p % 12 in pcs]
        if prev is None:
            prev = (low + high) // 2

        def cost(p):
            c = abs(p - prev)
            if p % 12 == root:
                c += 2
            if avoid and avoid(t) is not None and p % 12 == avoid(t) % 12:
                c += 10
            return c
        p = min(cands, key=cost)
        part.note(t, ticks - gap, p, vel + part.rng.randint(-2, 2))
        prev = p
        t += ticks
    return t


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


def lint(name, seq, start, chords):
    """Notes of a line that fall on a beat but are no tone of the chord
    there: a list to read through when a tune or its harmony changes (a
    passing note on a beat may be meant)."""
    spans = []
    t = start
    for sym, ticks in chords:
        spans.append((t, t + ticks, sym))
        t += ticks
    t = start
    for pitches, ticks in seq:
        if pitches and t % Q == 0:
            for a, b, sym in spans:
                if a <= t < b:
                    _, pcs = chord(sym)
                    if pitches[0] % 12 not in pcs:
                        LINT.append("%s: bar %d beat %d: %s over %s" % (
                            name, (t - start) // (3 * Q) + 1, (t - start) % (3 * Q) // Q + 1,
                            pitches[0], sym))
        t += ticks


# ------------------------------------------------------------ 1001

def greensleeves():
    s = Score("Greensleeves", 96, beats=3, key=(0, 1))
    s.gain_db = -6.0  # about as loud as the other tracks
    bar = 3 * Q
    verse = parse("""
        C5/h D5/q | E5/q. F5/e E5/q | D5/h B4/q | G4/q. A4/e B4/q |
        C5/h A4/q | A4/q. G#4/e A4/q | B4/h G#4/q | E4/h A4/q |
        C5/h D5/q | E5/q. F5/e E5/q | D5/h B4/q | G4/q. A4/e B4/q |
        C5/q. B4/e A4/q | G#4/q. F#4/e G#4/q | A4/h.+h. |
        G5/h. | G5/q. F#5/e E5/q | D5/h B4/q | G4/q. A4/e B4/q |
        C5/h A4/q | A4/q. G#4/e A4/q | B4/h G#4/q | E4/h. |
        G5/h. | G5/q. F#5/e E5/q | D5/h B4/q | G4/q. A4/e B4/q |
        C5/q. B4/e A4/q | G#4/q. F#4/e G#4/q | A4/h.+h""")
    chords = progression("""
        Am C G Em Am F E E:2 Am:1 Am C G Em Am E Am Am
        C Em G Em Am F E E C Em G Em Am E Am Am""", 3)
    flute = s.part("Flute", 0, FLUTE, volume=100, pan=70, reverb=55)
    guitar = s.part("Nylon guitar", 1, NYLON_GUITAR, volume=100, pan=52, reverb=45, seed=2)
    strings = s.part("Strings", 2, STRINGS, volume=72, pan=76, reverb=65, seed=3)
    bass = s.part("Bass", 3, CELLO, volume=70, pan=60, reverb=45, seed=4)
    acc = downbeat_accent(6)

    intro = progression("Am E", 3)
    t, prev = arpeggiate(guitar, 0, intro, "B01210", E, 56, 52, 62, (40, 51))
    v1 = 2 * bar
    # verse 1: flute and guitar
    flute.play(v1 - Q, parse("A4/q"), 70)
    end1 = flute.play(v1, verse, 74, legato=0.97, accent=acc)
    lint("1001", verse, v1, chords)
    _, prev = arpeggiate(guitar, v1, chords, "B01210", E, 56, 52, 62, (40, 51), prev=prev)
    # verse 2: the strings and a bowed bass join, the guitar picks in
    # sixteenths under the refrain
    flute.play(end1, parse("A4/q"), 70)
    v2 = end1 + Q
    last = list(verse)
    last[-1] = (last[-1][0], 6 * Q)          # the last A is held to the end
    flute.play(v2, last, 76, legato=0.97, accent=acc)
    coda = chords[:-2] + [("A", bar), ("A", bar)]
    _, prev = arpeggiate(guitar, v2, window(coda, 0, 16 * bar), "B01210", E, 56, 52, 62, (40, 51), prev=prev)
    arpeggiate(guitar, v2 + 16 * bar, window(coda, 16 * bar, 31 * bar), "B01232101232", S, 50,
               52, 62, (40, 51), prev=prev)
    # the final chord, strummed slowly from the bass up
    fin = v2 + 31 * bar
    for i, p in enumerate([45, 52, 57, 61, 64, 69]):
        guitar.note(fin + i * 40, 2 * bar - i * 40 - 60, p, 60 - i * 2)
    pad(strings, v2, window(coda, 0, 31 * bar), 46, 55, 67)
    strings.note(fin, 2 * bar - 60, 57, 44)
    strings.note(fin, 2 * bar - 60, 61, 44)
    strings.note(fin, 2 * bar - 60, 64, 44)
    for i in range(0, 32, 4):
        strings.swell(v2 + i * bar, v2 + (i + 4) * bar, 80, 112, steps=6)
    bass_line(bass, v1 + 16 * bar, window(chords, 16 * bar, 32 * bar), 52, 36, 47)
    bass_line(bass, v2, window(coda, 0, 31 * bar), 58, 36, 47)
    bass.note(fin, 2 * bar - 60, 45, 56)
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


def trill(seq, index, upper):
    """Replaces note `index` of a parsed line by a trill from the note above
    (upper semitones higher) in sixteenths, ending on the main note."""
    pitches, ticks = seq[index]
    p = pitches[0]
    n = ticks // S
    notes = [([p + upper] if i % 2 == 0 else [p], S) for i in range(n - 1)]
    notes.append(([p], ticks - S * (n - 1)))
    return seq[:index] + notes + seq[index + 1:]


def minuet():
    s = Score("Minuet in G", 108, beats=3, key=(1, 0))
    s.gain_db = 1.0  # about as loud as the other tracks
    bar = 3 * Q
    acc = downbeat_accent(5)
    rh = s.part("Harpsichord right hand", 0, HARPSICHORD, volume=82, pan=70, reverb=40)
    lh = s.part("Harpsichord left hand", 1, HARPSICHORD, volume=78, pan=56, reverb=40, seed=2)
    rec = s.part("Recorder", 2, RECORDER, volume=88, pan=78, reverb=55, seed=3)
    cello = s.part("Cello", 3, CELLO, volume=70, pan=48, reverb=50, seed=4)
    a_rh, a_lh = parse(MINUET_A_RH), parse(MINUET_A_LH)
    b_rh, b_lh = parse(MINUET_B_RH), parse(MINUET_B_LH)
    # the repeats are ornamented: trills at the cadences
    a_rh2 = trill(a_rh, len(a_rh) - 6, 2)       # the A of bar 15
    b_rh2 = trill(b_rh, len(b_rh) - 2, 1)       # the F sharp of bar 31
    t = 0
    for r, l in [(a_rh, a_lh), (a_rh2, a_lh), (b_rh, b_lh), (b_rh2, b_lh)]:
        rh.play(t, r, 70, legato=0.9, accent=acc)
        lh.play(t, l, 62, legato=0.88, accent=acc)
        t += 16 * bar
    # da capo as a little consort: recorder, harpsichord and cello
    for r, l, r2 in [(a_rh, a_lh, a_rh2), (b_rh, b_lh, b_rh2)]:
        rec.play(t, r2, 72, legato=0.93, accent=acc)
        rh.play(t, r, 56, legato=0.9, accent=acc)
        lh.play(t, l, 58, legato=0.9, accent=acc)
        cello.play(t, [([ps[0]], d) for ps, d in l], 56, legato=0.92, accent=acc)
        for i in range(0, 16, 4):
            rec.swell(t + i * bar, t + (i + 4) * bar, 96, 122, steps=6)
        t += 16 * bar
    # a held G major chord to close
    for p in [43, 55, 59, 62, 67]:
        rh.note(t, 2 * bar - 40, p, 60)
    cello.note(t, 2 * bar - 40, 43, 52)
    rec.note(t, 2 * bar - 40, 67, 64)
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


def lullaby():
    up = 5                                      # from C to F major
    s = Score("Wiegenlied", 78, beats=3, key=(-1, 0))
    s.gain_db = 3.0  # about as loud as the other tracks
    bar = 3 * Q
    acc = downbeat_accent(5)
    box = s.part("Music box", 0, MUSIC_BOX, volume=96, pan=72, reverb=60)
    cel = s.part("Celesta", 1, CELESTA, volume=84, pan=54, reverb=60, seed=2)
    strings = s.part("Strings", 2, SLOW_STRINGS, volume=76, pan=64, reverb=70, seed=3)
    mel = parse(LULLABY, up + 12)
    mel_low = parse(LULLABY, up)
    pick = parse("E4/e E4/e", up + 12)
    pick_low = parse("E4/e E4/e", up)
    chords = []
    for sym, ticks in progression(LULLABY_CHORDS, 3):
        chords.append((transpose_symbol(sym, up), ticks))
    intro = [(transpose_symbol("C", up), bar), (transpose_symbol("G7", up), bar)]
    # intro: celesta and strings
    t, prev = arpeggiate(cel, 0, intro, "B01210", E, 50, 57, 69, (41, 52))
    pad(strings, 0, intro, 40, 53, 65, bass_range=(41, 52))
    v = 2 * bar
    verses = []
    for k in range(3):
        verses.append(v)
        v += 16 * bar
    # verse 1: music box melody, celesta broken chords, strings
    box.play(verses[0] - Q, pick, 66)
    box.play(verses[0], mel, 70, legato=0.9, accent=acc)
    lint("1003", mel, verses[0], chords)
    _, prev = arpeggiate(cel, verses[0], chords, "B01210", E, 48, 57, 69, (41, 52), prev=prev)
    pad(strings, verses[0], chords, 40, 53, 65, bass_range=(41, 52))
    # verse 2: the strings sing the tune, the music box turns the chords
    strings.play(verses[1] - Q, pick_low, 52, legato=1.0)
    strings.play(verses[1], mel_low, 56, legato=0.98, accent=acc)
    shortened = chords[:-1] + [(chords[-1][0], chords[-1][1] - Q)]
    arpeggiate(box, verses[1], shortened, "012343210123", S, 46, 69, 81, (53, 64), ring_on=False)
    arpeggiate(cel, verses[1], chords, "B0B0B0", E, 40, 55, 67, (41, 52), prev=prev)
    # verse 3: as the first, slowing to the end
    box.play(verses[2] - Q, pick, 64)
    last = list(mel)
    last[-1] = (last[-1][0], 2 * Q)
    box.play(verses[2], last, 66, legato=0.9, accent=acc)
    end = verses[2] + 16 * bar
    arpeggiate(cel, verses[2], chords[:-1], "B01210", E, 46, 57, 69, (41, 52), prev=prev)
    pad(strings, verses[2], chords, 38, 53, 65, bass_range=(41, 52))
    # the last chord: the music box climbs an F major arpeggio
    for i, p in enumerate([65, 69, 72, 81, 84, 89]):
        box.note(end - bar + Q + i * E, bar + Q - i * E, p, 54 - i * 2)
    cel.note(end - bar, bar + 2 * Q, 53, 46)
    cel.note(end - bar, bar + 2 * Q, 57, 42)
    cel.note(end - bar, bar + 2 * Q, 60, 42)
    strings.note(end, 2 * Q, 53, 36)
    strings.note(end, 2 * Q, 57, 34)
    strings.note(end, 2 * Q, 60, 34)
    for base in [0] + verses:
        span = 2 if base == 0 else 16
        for i in range(0, span, 4 if span > 2 else 2):
            strings.swell(base + i * bar, base + (i + min(4, span)) * bar, 84, 118, steps=6)
    s.ritardando(verses[2] + 13 * bar, end + bar, 78, 58, steps=8)
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
SCARBOROUGH_CHORDS = "Dm Dm C Dm F G Am:1 G:2 Am Dm F Dm C Dm G C Dm"


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
    chords = progression(SCARBOROUGH_CHORDS, 3)
    intro = progression("Dm C Dm Dm", 3)
    t, prev = arpeggiate(harp, 0, intro, "B012345", E, 54, 50, 62, (38, 49))
    v = [4 * bar + 16 * bar * k for k in range(4)]
    # verse 1: clarinet over the harp
    clar.play(v[0], mel, 72, legato=0.96, accent=acc)
    lint("1004", mel, v[0], chords)
    _, prev = arpeggiate(harp, v[0], chords, "B01234", E, 52, 50, 62, (38, 49), prev=prev)
    # verse 2: the pan flute an octave up, the clarinet holds a quiet
    # counter-line, the cello takes the bass, the harp ripples
    mel_hi = parse(SCARBOROUGH, 12)
    pan_flute.play(v[1], mel_hi, 68, legato=0.96, accent=acc)
    guide_line(clar, v[1], chords, 52, 57, 69, avoid=melody_at(mel_hi, v[1]))
    _, prev = arpeggiate(harp, v[1], chords, "B01234543210", S, 46, 50, 62, (38, 49), prev=prev)
    t = v[1]
    for sym, ticks in chords:
        root, _ = chord(sym)
        cello.note(t, ticks - 20, bass_note(root, 36, 47), 54)
        t += ticks
    # verse 3: the cello sings the tune low, the clarinet answers with its
    # counter-line, the harp keeps to broken chords
    cello_mel = parse(SCARBOROUGH, -12)
    cello.play(v[2], cello_mel, 64, legato=0.97, accent=acc)
    guide_line(clar, v[2], chords, 46, 62, 72, avoid=melody_at(cello_mel, v[2]))
    _, prev = arpeggiate(harp, v[2], chords, "B01234", E, 50, 50, 62, (38, 49), prev=prev)
    cello.swell(v[2], v[2] + 8 * bar, 96, 122, steps=8)
    cello.swell(v[2] + 8 * bar, v[2] + 16 * bar, 96, 122, steps=8)
    # verse 4: the clarinet again, the cello stays, slowing at the end
    last = list(mel)
    clar.play(v[3], last, 70, legato=0.96, accent=acc)
    _, prev = arpeggiate(harp, v[3], chords[:-1], "B01234", E, 50, 50, 62, (38, 49), prev=prev)
    t = v[3]
    for sym, ticks in chords[:-1]:
        root, _ = chord(sym)
        cello.note(t, ticks - 20, bass_note(root, 36, 47), 50)
        t += ticks
    end = v[3] + 15 * bar
    # close on an open D: a slow harp roll, cello and clarinet hold
    for i, p in enumerate([38, 45, 50, 57, 62, 69, 74]):
        harp.note(end + i * 60, 2 * bar - i * 60, p, 52 - i)
    cello.note(end, 2 * bar, 38, 50)
    for k in (0, 3):
        clar.swell(v[k], v[k] + 8 * bar, 92, 120, steps=8)
        clar.swell(v[k] + 8 * bar, v[k] + 16 * bar, 92, 120, steps=8)
    s.ritardando(v[3] + 13 * bar, end + bar, 96, 70, steps=8)
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


def pedal(part, start, chords):
    """The sustain pedal, changed at every chord."""
    t = start
    for _, ticks in chords:
        part.control(t + 10, 64, 127)
        part.control(t + ticks - 10, 64, 0)
        t += ticks


def quiet_rooms():
    s = Score("Quiet Rooms", 63, beats=3, key=(0, 1))
    s.gain_db = 3.0  # about as loud as the other tracks
    bar = 3 * Q
    acc = downbeat_accent(4)
    rh = s.part("Piano right hand", 0, PIANO, volume=96, pan=68, reverb=60)
    lh = s.part("Piano left hand", 1, PIANO, volume=90, pan=58, reverb=60, seed=2)
    strings = s.part("Strings", 2, STRINGS, volume=64, pan=72, reverb=75, seed=3)
    chords = progression(QUIET_CHORDS, 3)
    intro = progression("Am9 Fmaj7 Am9 Fmaj7", 3)
    _, prev = gymnopedie(lh, 0, intro, 62)
    pedal(lh, 0, intro)
    t0 = 4 * bar
    mel = parse(QUIET_A + QUIET_A2)
    rh.play(t0, mel, 76, legato=0.98, accent=acc)
    lint("1005", mel, t0, chords)
    first = window(chords, 0, 16 * bar)
    _, prev = gymnopedie(lh, t0, first, 62, prev)
    pedal(lh, t0, first)
    # the middle and the return flow: the left hand in broken chords, the
    # strings underneath, the tune in octaves on its way home
    t1 = t0 + 16 * bar
    second = window(chords, 16 * bar, 36 * bar)
    b = parse(QUIET_B)
    rh.play(t1, b, 74, legato=0.98, accent=acc)
    lint("1005", b, t1, second)
    end = parse(QUIET_END)
    t2 = t1 + 8 * bar
    rh.play(t2, end, 76, legato=0.98, accent=acc)
    rh.play(t2, parse(QUIET_END, -12), 58, legato=0.98, accent=acc)
    lint("1005", end, t2, window(chords, 24 * bar, 36 * bar))
    last = window(second, 0, 19 * bar)
    _, prev = arpeggiate(lh, t1, last, "B01210", E, 54, 52, 67, (38, 49), prev=prev)
    pedal(lh, t1, second)
    fin = t1 + 19 * bar
    for i, p in enumerate([33, 45, 52, 57, 60, 64, 71]):
        lh.note(fin + i * E // 2, bar - i * E // 2 - 20, p, 56 - i)
    pad(strings, t1, second, 44, 55, 69)
    for i in range(0, 20, 4):
        strings.swell(t1 + i * bar, t1 + min(20, i + 4) * bar, 70, 110, steps=8)
    s.ritardando(t1 + 16 * bar, fin + bar, 63, 48, steps=8)
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
# cycle by cycle: (first violin, second violin, viola: a variation, "inner"
# for a moving inner voice, or None)
CANON_PLAN = [
    (None, None, None),
    (1, None, None),
    (2, 1, None),
    (3, 2, "v1"),
    (4, 3, "v2"),
    (5, 2, "inner"),
    (6, 5, "inner"),
    (7, 4, "inner"),
    (8, 2, "inner"),
    (9, 5, "inner"),
    (1, 2, "inner"),
    (10, 11, "inner"),
]


def canon():
    s = Score("Canon", 56, beats=4, key=(2, 0))
    s.gain_db = 2.0  # about as loud as the other tracks
    cycle = 8 * Q
    vn1 = s.part("Violin I", 0, VIOLIN, volume=84, pan=40, reverb=60)
    vn2 = s.part("Violin II", 1, VIOLIN, volume=80, pan=88, reverb=60, seed=2)
    vla = s.part("Viola", 2, VIOLA, volume=80, pan=72, reverb=60, seed=3)
    vc = s.part("Cello", 3, CELLO, volume=86, pan=56, reverb=60, seed=4)
    pz = s.part("Pizzicato", 4, PIZZICATO, volume=70, pan=60, reverb=55, seed=5)
    acc = downbeat_accent(5, 2, beats=4)
    chords = progression(CANON_CHORDS, 4)
    ground = parse(GROUND)
    for k, (a, b, c) in enumerate(CANON_PLAN):
        t = k * cycle
        vc.play(t, ground, 60, legato=0.94, accent=acc, beats=4)
        if 5 <= k <= 9:
            pz.play(t, ground, 48, legato=0.5, accent=acc, beats=4)
        if a:
            seq = parse(VARIATIONS[a])
            vn1.play(t, seq, 64, legato=0.96, accent=acc, beats=4)
            lint("1006 I.%d" % a, seq, t, chords)
        if b:
            seq = parse(VARIATIONS[b])
            vn2.play(t, seq, 58, legato=0.96, accent=acc, beats=4)
        if c in ("v1", "v2"):
            vla.play(t, parse(VARIATIONS[int(c[1])], -12), 56, legato=0.96, accent=acc, beats=4)
        elif c == "inner":
            top = melody_at(parse(VARIATIONS[a]), t) if a else None
            guide_line(vla, t, chords, 52, 57, 69, avoid=top)
        for part in (vn1, vn2, vla, vc):
            part.swell(t, t + cycle, 92, 120, steps=8)
    end = len(CANON_PLAN) * cycle
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
