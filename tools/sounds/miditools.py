"""Small helpers to write arranged music as standard MIDI files (type 1).

A piece is a Score: a conductor track (tempo map, metre, key) and parts,
each on its own channel with a General MIDI program. Notes are written in
a compact text form, "D5/q E5/e. F#5/s r/h C4,E4,G4/h", and placed on a
480-ticks-per-quarter grid. Nothing here is random unless a part asks for
a humanising generator with a fixed seed.
"""

import math
import random
import re
import struct

PPQ = 480
DUR = {"w": 4 * PPQ, "h": 2 * PPQ, "q": PPQ, "e": PPQ // 2, "s": PPQ // 4,
       "t": PPQ // 3}  # t: a triplet eighth
NOTE = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def pitch(name):
    """'C4' is 60, 'F#5' 78, 'Bb3' 58."""
    letter = name[0].upper()
    i = 1
    p = NOTE[letter]
    while i < len(name) and name[i] in "#b":
        p += 1 if name[i] == "#" else -1
        i += 1
    return p + 12 * (int(name[i:]) + 1)


def duration(text):
    """'q' 480, 'q.' 720, 'h+e' 1200, '3q' three quarters."""
    total = 0
    for part in text.split("+"):
        m = re.fullmatch(r"(\d*)([whqest])(\.*)", part)
        if not m:
            raise ValueError("bad duration " + text)
        base = value = DUR[m.group(2)]
        for _ in m.group(3):
            base //= 2
            value += base
        total += value * int(m.group(1) or 1)
    return total


def parse(text, transpose=0):
    """Tokens 'P/d' (pitch or comma-separated chord, or r for a rest) and
    bar lines '|' (ignored) -> list of (pitches, ticks)."""
    out = []
    for tok in text.split():
        if tok == "|":
            continue
        what, dur = tok.split("/")
        ticks = duration(dur)
        if what == "r":
            out.append(([], ticks))
        else:
            out.append(([pitch(p) + transpose for p in what.split(",")], ticks))
    return out


def length(seq):
    return sum(d for _, d in seq)


# ------------------------------------------------------------- harmony

QUALITY = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10),
           "m7": (0, 3, 7, 10), "maj7": (0, 4, 7, 11), "dim": (0, 3, 6),
           "sus4": (0, 5, 7), "7sus4": (0, 5, 7, 10), "6": (0, 4, 7, 9),
           "m9": (0, 3, 7, 10, 14), "add9": (0, 4, 7, 14),
           "madd9": (0, 3, 7, 14), "maj9": (0, 4, 7, 11, 14)}


def chord(symbol):
    """'F#m7' -> (root pitch class, [pitch classes]); 'C/G' names a bass."""
    bass = None
    if "/" in symbol:
        symbol, bass = symbol.split("/")
    root = NOTE[symbol[0]]
    i = 1
    while i < len(symbol) and symbol[i] in "#b":
        root += 1 if symbol[i] == "#" else -1
        i += 1
    pcs = [(root + iv) % 12 for iv in QUALITY[symbol[i:]]]
    bass_pc = root % 12 if bass is None else pitch(bass + "0") % 12
    return bass_pc, pcs


def voicing(pcs, prev, low, high, size=3):
    """The close voicing of the chord within low..high that moves least from
    the previous one (all chord tones of a triad; for bigger chords the
    upper `size` tones above the root)."""
    tones = sorted(set(pcs), key=lambda pc: pcs.index(pc))
    if len(tones) > size:
        tones = tones[1:1 + size] if len(tones) - 1 >= size else tones[:size]
    best = None
    for base in range(low, high + 1):
        if base % 12 not in tones:
            continue
        v = [base]
        need = [t for t in tones if t != base % 12]
        p = base
        while need:
            p += 1
            if p % 12 in need:
                v.append(p)
                need.remove(p % 12)
        if v[-1] > high:
            continue
        cost = 0 if prev is None else sum(abs(a - b) for a, b in zip(sorted(prev), v))
        cost += 0 if prev is None else abs(len(prev) - len(v)) * 3
        if best is None or cost < best[0]:
            best = (cost, v)
    return best[1]


def bass_note(pc, low, high):
    for p in range(low, high + 1):
        if p % 12 == pc:
            return p
    raise ValueError("no bass note")


# ------------------------------------------------------------- score

class Part:
    def __init__(self, name, channel, program, volume=90, pan=64,
                 reverb=45, chorus=0, seed=1):
        self.name = name
        self.channel = channel
        self.program = program
        self.volume = volume
        self.pan = pan
        self.reverb = reverb
        self.chorus = chorus
        self.notes = []       # (start, length, pitch, velocity)
        self.controls = []    # (tick, controller, value)
        self.rng = random.Random(seed)
        self.shapes = []      # (start, end, tick -> velocity offset)

    def phrase(self, start, end, depth, bars=None, beats=3):
        """Shapes the velocities of start..end as one breath, or as breaths
        of `bars` bars each: rising by up to `depth` towards the middle and
        falling back towards the end."""
        span = (end - start) if bars is None else bars * beats * PPQ
        t = start
        while t < end:
            a, b = t, min(end, t + span)
            self.shapes.append((a, b, lambda x, a=a, b=b: depth * math.sin(
                math.pi * (x - a) / (b - a))))
            t = b

    def dynamics(self, tick):
        return sum(f(tick) for a, b, f in self.shapes if a <= tick < b)

    def note(self, start, ticks, p, vel):
        vel = max(1, min(110, int(round(vel + self.dynamics(start)))))
        self.notes.append((int(start), int(ticks), int(p), vel))

    def play(self, start, seq, vel=70, legato=0.95, accent=None, human=3,
             beats=3, lift=0.0):
        """Places a parsed sequence from `start`; returns the end tick.
        accent(tick in bar) -> velocity offset; the bar is `beats` quarters;
        lift: velocity per semitone above or below the line's middle, so a
        line swells as it climbs."""
        t = start
        heard = [p for pitches, _ in seq for p in pitches]
        middle = (max(heard) + min(heard)) / 2 if heard else 0
        for pitches, ticks in seq:
            for p in pitches:
                v = vel + (accent(t % (beats * PPQ)) if accent else 0)
                v += lift * (p - middle)
                v += self.rng.randint(-human, human) if human else 0
                self.note(t, max(30, int(ticks * legato)), p, v)
            t += ticks
        return t

    def control(self, tick, controller, value):
        self.controls.append((int(tick), controller, max(0, min(127, int(value)))))

    def swell(self, start, end, low, high, steps=8, controller=11):
        """Expression rising from low to high and back over start..end."""
        for i in range(steps + 1):
            x = i / steps
            v = low + (high - low) * (1 - abs(2 * x - 1))
            self.control(start + (end - start) * x, controller, v)

    def ramp(self, start, end, a, b, steps=8, controller=11):
        for i in range(steps + 1):
            x = i / steps
            self.control(start + (end - start) * x, controller, a + (b - a) * x)


def downbeat_accent(strong=6, medium=2, beats=3):
    def f(t):
        if t == 0:
            return strong
        if t % PPQ == 0:
            return medium if beats == 4 and t == 2 * PPQ else 0
        return -3
    return f


class Score:
    def __init__(self, title, bpm, beats=3, key=(0, 0)):
        self.title = title
        self.beats = beats
        self.key = key            # (sharps or -flats, 0 major / 1 minor)
        self.tempos = [(0, bpm)]
        self.parts = []
        self.gain_db = 0.0        # applied to every part's volume (CC 7)

    def bar(self, n):
        """The tick where bar n (from 0) begins."""
        return n * self.beats * PPQ

    def part(self, *args, **kw):
        p = Part(*args, **kw)
        self.parts.append(p)
        return p

    def tempo(self, tick, bpm):
        self.tempos.append((int(tick), bpm))

    def ritardando(self, start, end, a, b, steps=8):
        for i in range(steps + 1):
            x = i / steps
            self.tempo(start + (end - start) * x, a + (b - a) * x)

    def end_tick(self):
        return max(s + l for part in self.parts for s, l, _, _ in part.notes)

    def seconds(self, tick=None):
        """Playing time up to tick (default: the end of the tracks)."""
        tick = self.end_tick() + PPQ // 2 if tick is None else tick
        tempos = sorted(self.tempos)
        total = 0.0
        for i, (t, bpm) in enumerate(tempos):
            nxt = tempos[i + 1][0] if i + 1 < len(tempos) else tick
            if t >= tick:
                break
            total += (min(nxt, tick) - t) / PPQ * 60.0 / bpm
        return total

    # --------------------------------------------------------- checks
    def check(self):
        """Raises when a part would leave a note hanging or cut itself off:
        overlapping notes of one pitch on one channel, empty notes, notes
        outside the instrument's sensible range."""
        for part in self.parts:
            by_pitch = {}
            for s, l, p, v in sorted(part.notes):
                if l <= 0:
                    raise ValueError("%s: empty note at %d" % (part.name, s))
                if not 21 <= p <= 108:
                    raise ValueError("%s: pitch %d out of range" % (part.name, p))
                last = by_pitch.get(p)
                if last is not None and s < last:
                    raise ValueError("%s: pitch %d overlaps itself at tick %d"
                                     % (part.name, p, s))
                by_pitch[p] = s + l

    # --------------------------------------------------------- writing
    @staticmethod
    def _var(n):
        out = [n & 0x7F]
        n >>= 7
        while n:
            out.append(0x80 | (n & 0x7F))
            n >>= 7
        return bytes(reversed(out))

    @staticmethod
    def _meta(kind, data):
        return bytes([0xFF, kind]) + Score._var(len(data)) + data

    def _chunk(self, events, end):
        """events: (tick, order, bytes); order keeps note-offs before
        note-ons at the same tick. The track ends at tick `end`."""
        data = bytearray()
        last = 0
        for tick, _, ev in sorted(events, key=lambda e: (e[0], e[1])):
            data += self._var(tick - last) + ev
            last = tick
        data += self._var(max(0, end - last)) + b"\xFF\x2F\x00"
        return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)

    def _volume(self, cc):
        """Volume follows the square of CC 7: 40 log10 per decibel."""
        return max(1, min(127, int(round(cc * 10 ** (self.gain_db / 40)))))

    def to_bytes(self):
        self.check()
        end = self.end_tick()
        conductor = [(0, 0, self._meta(0x03, self.title.encode("ascii"))),
                     (0, 1, self._meta(0x58, bytes([self.beats, 2, 24, 8]))),
                     (0, 2, self._meta(0x59, struct.pack("bB", *self.key)))]
        for tick, bpm in sorted(self.tempos):
            if tick > end + PPQ // 2:
                continue  # a slowing that would outlast the music
            us = int(round(60_000_000 / bpm))
            conductor.append((tick, 3, self._meta(0x51, us.to_bytes(3, "big"))))
        end += PPQ // 2  # room for the last release before the end
        chunks = [self._chunk(conductor, end)]
        for part in self.parts:
            ch = part.channel
            ev = [(0, 0, self._meta(0x03, part.name.encode("ascii"))),
                  (0, 1, bytes([0xC0 | ch, part.program])),
                  (0, 2, bytes([0xB0 | ch, 7, self._volume(part.volume)])),
                  (0, 2, bytes([0xB0 | ch, 10, part.pan])),
                  (0, 2, bytes([0xB0 | ch, 91, part.reverb])),
                  (0, 2, bytes([0xB0 | ch, 93, part.chorus]))]
            if not any(c == 11 and t == 0 for t, c, _ in part.controls):
                ev.append((0, 2, bytes([0xB0 | ch, 11, 127])))
            for t, c, v in part.controls:
                ev.append((t, 3, bytes([0xB0 | ch, c, v])))
            for s, l, p, v in part.notes:
                ev.append((s, 5, bytes([0x90 | ch, p, v])))
                ev.append((s + l, 4, bytes([0x80 | ch, p, 64])))
            chunks.append(self._chunk(ev, end))
        header = b"MThd" + struct.pack(">IHHH", 6, 1, len(chunks), PPQ)
        return header + b"".join(chunks)

    def write(self, path):
        data = self.to_bytes()
        with open(path, "wb") as f:
            f.write(data)
        return len(data)
