#!/usr/bin/env python3
"""Synthesises the game's ten sound effects, resources/WAV/101.wav ... 110.wav.

    101  the puzzle solved: a short brass-and-bell fanfare in C major
    102  the wallpaper painted: two soft brush strokes on paper
    103  a game started: wooden pieces shaken and rattled, then settling
    104  the picture window turns a page
    105-110  a wooden piece moved: six clicks, knocks and slides

Everything is made here from oscillators, filtered noise and modal
resonators; nothing is sampled. The noise comes from one generator per
sound with a fixed seed, so every run writes the same bytes.

Usage: python3 tools/sounds/make_wavs.py [output folder]
(default: resources/WAV beside this tools folder). Python 3 standard
library only.
"""

import math
import os
import random
import struct
import sys

TARGET_PEAK_DB = -3.0


# ---------------------------------------------------------------- basics

def zeros(n):
    return [0.0] * n


def seconds(t, sr):
    return int(round(t * sr))


def mix_into(dst, src, at=0, gain=1.0):
    for i, v in enumerate(src):
        j = at + i
        if 0 <= j < len(dst):
            dst[j] += v * gain


def white(rng, n):
    return [rng.uniform(-1.0, 1.0) for _ in range(n)]


def biquad(x, b0, b1, b2, a1, a2):
    y = zeros(len(x))
    x1 = x2 = y1 = y2 = 0.0
    for i, v in enumerate(x):
        out = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, v, y1, out
        y[i] = out
    return y


def _rbj(kind, f, q, sr):
    w = 2 * math.pi * f / sr
    alpha = math.sin(w) / (2 * q)
    c = math.cos(w)
    if kind == "lp":
        b = [(1 - c) / 2, 1 - c, (1 - c) / 2]
    elif kind == "hp":
        b = [(1 + c) / 2, -(1 + c), (1 + c) / 2]
    else:  # band pass, 0 dB at the centre
        b = [alpha, 0.0, -alpha]
    a0 = 1 + alpha
    return [b[0] / a0, b[1] / a0, b[2] / a0, -2 * c / a0, (1 - alpha) / a0]


def lowpass(x, f, sr, q=0.707):
    return biquad(x, *_rbj("lp", f, q, sr))


def highpass(x, f, sr, q=0.707):
    return biquad(x, *_rbj("hp", f, q, sr))


def bandpass(x, f, sr, q=1.0):
    return biquad(x, *_rbj("bp", f, q, sr))


def swept_bandpass(x, freq_at, sr, q=1.0):
    """Band pass whose centre follows freq_at(i); coefficients per sample."""
    y = zeros(len(x))
    x1 = x2 = y1 = y2 = 0.0
    for i, v in enumerate(x):
        b0, b1, b2, a1, a2 = _rbj("bp", freq_at(i), q, sr)
        out = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, v, y1, out
        y[i] = out
    return y


def resonator(x, f, t60, sr):
    """A damped mode: rings at f and falls by 60 dB in t60 seconds."""
    r = 10 ** (-3.0 / (t60 * sr))
    w = 2 * math.pi * f / sr
    a1 = -2 * r * math.cos(w)
    a2 = r * r
    g = (1 - r * r) * 0.5
    return biquad(x, g, 0.0, -g, a1, a2)


def fade(x, fade_in, fade_out):
    n = len(x)
    for i in range(min(fade_in, n)):
        x[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fade_in)
    for i in range(min(fade_out, n)):
        x[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fade_out)
    return x


def remove_dc(x, sr, f=25.0):
    return highpass(x, f, sr, 0.6)


# ---------------------------------------------------------------- wood

WOOD_MODES = [(1.0, 1.0), (2.76, 0.55), (5.40, 0.25), (8.93, 0.10)]


def strike(sr, width_ms, rng, noise=0.15):
    """A contact force pulse: a half sine with a little roughness."""
    n = max(2, seconds(width_ms / 1000.0, sr))
    return [math.sin(math.pi * i / n) + noise * rng.uniform(-1, 1)
            for i in range(n)]


def wood_click(sr, length, f1, t60, width_ms, rng, body=None,
               modes=WOOD_MODES, bright=1.0):
    """A piece of wood struck once: the excitation rings a few inharmonic
    modes (a free bar's ratios) that die faster the higher they are, and
    optionally a low, short board resonance."""
    n = seconds(length, sr)
    exc = zeros(n)
    mix_into(exc, strike(sr, width_ms, rng))
    out = zeros(n)
    for ratio, amp in modes:
        f = f1 * ratio
        if f > 0.45 * sr:
            continue
        a = amp * (bright if ratio > 1 else 1.0)
        mix_into(out, resonator(exc, f, t60 / ratio ** 0.6, sr), gain=a)
    if body:
        bf, bt60, bamp = body
        mix_into(out, resonator(exc, bf, bt60, sr), gain=bamp)
    # the contact itself: a dry tick of filtered noise a millisecond long
    tick = highpass(strike(sr, 0.6, rng, noise=1.0), 2500, sr)
    mix_into(out, tick, gain=0.08 * bright)
    return out


def friction(sr, length, centre, rng, q=0.8, rough=0.35):
    """Wood sliding on wood: band-limited noise with a grainy amplitude."""
    n = seconds(length, sr)
    noise = lowpass(bandpass(white(rng, n), centre, sr, q), 2.2 * centre, sr)
    grain = lowpass(white(rng, n), 60, sr)
    peak = max(abs(v) for v in grain) or 1.0
    env = zeros(n)
    for i in range(n):
        t = i / n
        shape = math.sin(math.pi * min(1.0, t * 1.15)) ** 0.8
        env[i] = shape * (1 + rough * grain[i] / peak)
    return [a * b for a, b in zip(noise, env)]


# ---------------------------------------------------------------- sounds

def fanfare(sr, rng):
    """Brass-like tones (harmonics that brighten as the note swells) over a
    little glockenspiel: G4 C5 E5 rising quickly to a held C major chord."""
    total = 1.42
    n = seconds(total, sr)
    out = zeros(n)

    def brass(freq, start, dur, amp):
        m = seconds(dur, sr)
        s = seconds(start, sr)
        phase = 0.0
        for i in range(m):
            t = i / sr
            att = min(1.0, t / 0.035)
            rel = min(1.0, (dur - t) / 0.12) if dur - t < 0.12 else 1.0
            env = att * rel * (1.0 - 0.25 * min(1.0, t / 0.6))
            depth = 0.004 * min(1.0, max(0.0, t - 0.2) / 0.3)
            phase += 2 * math.pi * freq * (1 + depth * math.sin(2 * math.pi * 5.2 * t)) / sr
            v = 0.0
            k = 1
            while k * freq < 0.45 * sr and k <= 8:
                h = env ** (1 + 0.35 * (k - 1))  # brighter when louder
                v += h * math.sin(k * phase) / k ** 0.9
                k += 1
            if 0 <= s + i < n:
                out[s + i] += amp * v

    def bell(freq, start, amp):
        m = seconds(0.9, sr)
        s = seconds(start, sr)
        for i in range(m):
            t = i / sr
            env = math.exp(-t * 5.5) * min(1.0, t / 0.002)
            mod = 1.4 * math.exp(-t * 9) * math.sin(2 * math.pi * 3.5 * freq * t)
            v = math.sin(2 * math.pi * freq * t + mod)
            if 0 <= s + i < n:
                out[s + i] += amp * env * v

    def hz(midi):
        return 440.0 * 2 ** ((midi - 69) / 12)

    step = 0.095
    for j, note in enumerate([67, 72, 76]):             # G4 C5 E5
        brass(hz(note), j * step, step * 1.35, 0.55)
        bell(hz(note + 24), j * step, 0.18)
    chord_at = 3 * step
    hold = total - chord_at - 0.02
    for note, amp in [(60, 0.35), (64, 0.32), (67, 0.40), (72, 0.45)]:
        brass(hz(note), chord_at, hold, amp)
    bell(hz(79 + 12), chord_at, 0.22)                    # G6 sparkle
    bell(hz(84), chord_at + 0.05, 0.16)                  # C6
    return fade(remove_dc(out, sr), seconds(0.003, sr), seconds(0.08, sr))


def brush(sr, rng):
    """Two soft strokes of a broad brush on paper: pinkish noise in a band
    around 2-4 kHz, swelling and fading, roughened by the bristles."""
    total = 0.70
    n = seconds(total, sr)
    out = zeros(n)
    for start, length, centre, amp in [(0.0, 0.37, 2600, 1.0),
                                       (0.31, 0.39, 3300, 0.85)]:
        m = seconds(length, sr)
        noise = lowpass(bandpass(white(rng, m), centre, sr, 0.55), 6500, sr)
        bristles = lowpass(white(rng, m), 35, sr)
        bp = max(abs(v) for v in bristles) or 1.0
        stroke = zeros(m)
        for i in range(m):
            t = i / m
            hump = math.sin(math.pi * t) ** 2.2 * (1.0 - 0.35 * t)
            stroke[i] = noise[i] * hump * (1 + 0.45 * bristles[i] / bp)
        mix_into(out, stroke, seconds(start, sr), amp)
    return fade(remove_dc(out, sr), seconds(0.005, sr), seconds(0.02, sr))


def rattle(sr, rng):
    """A handful of wooden pieces shaken together: quick clicks of many
    pitches, thickest in the middle, then the last few settling."""
    total = 0.72
    n = seconds(total, sr)
    out = zeros(n)
    t = 0.004
    while t < 0.50:
        density = 0.3 + 0.7 * math.sin(math.pi * t / 0.50)
        hits = 2 if rng.random() < 0.3 else 1   # two pieces colliding
        for h in range(hits):
            f1 = rng.uniform(850, 2300)
            click = wood_click(sr, 0.08, f1, rng.uniform(0.02, 0.045),
                               rng.uniform(0.25, 0.7), rng)
            at = t + h * rng.uniform(0.003, 0.008)
            mix_into(out, click, seconds(at, sr), rng.uniform(0.3, 1.0) * density)
        t += rng.uniform(0.006, 0.03) / density
    for t, f1, amp in [(0.53, 1150, 0.8), (0.585, 1480, 0.55),
                       (0.625, 980, 0.45)]:
        mix_into(out, wood_click(sr, 0.09, f1, 0.05, 0.6, rng,
                                 body=(260, 0.05, 0.4)), seconds(t, sr), amp)
    return fade(remove_dc(out, sr), seconds(0.002, sr), seconds(0.02, sr))


def page_turn(sr, rng):
    """A page lifted, swept over and laid down: a swoosh of noise whose
    band rises and falls, paper crackle at the turn, a soft landing."""
    total = 0.40
    n = seconds(total, sr)
    out = zeros(n)

    def centre(i):
        t = i / n
        return 700 + 2900 * math.sin(math.pi * min(1.0, t / 0.8)) ** 1.5

    swoosh = swept_bandpass(white(rng, n), centre, sr, 0.9)
    for i in range(n):
        t = i / sr
        swoosh[i] *= math.sin(math.pi * min(1.0, t / 0.32)) ** 2 if t < 0.32 else 0.0
    mix_into(out, swoosh, 0, 1.0)
    crackle = zeros(n)
    for _ in range(60):
        t = rng.gauss(0.17, 0.06)
        if 0.02 < t < 0.33:
            i = seconds(t, sr)
            crackle[i] += rng.uniform(-1, 1) * (0.4 + 0.6 * rng.random())
    crackle = highpass(bandpass(crackle, 4200, sr, 0.7), 1800, sr)
    mix_into(out, crackle, 0, 1.6)
    m = seconds(0.09, sr)
    thud = lowpass(white(rng, m), 380, sr)
    for i in range(m):
        thud[i] *= math.exp(-i / sr * 40) * min(1.0, i / (0.004 * sr))
    mix_into(out, thud, seconds(0.29, sr), 1.3)
    return fade(remove_dc(out, sr), seconds(0.004, sr), seconds(0.03, sr))


def piece_moves(sr, rng):
    """Six ways a wooden piece sounds when it moves on the board."""
    sounds = {}

    def finish(x, fade_out=0.015):
        return fade(remove_dc(x, sr), seconds(0.0008, sr), seconds(fade_out, sr))

    # 105: a light, bright tick
    sounds[105] = finish(wood_click(sr, 0.12, 1850, 0.045, 0.35, rng))
    # 106: a lower, rounder knock with the board under it
    sounds[106] = finish(wood_click(sr, 0.18, 820, 0.08, 0.9, rng,
                                    body=(240, 0.06, 0.6)))
    # 107: a short slide ending in a click
    x = zeros(seconds(0.22, sr))
    mix_into(x, friction(sr, 0.12, 1900, rng), 0, 0.16)
    mix_into(x, wood_click(sr, 0.11, 1250, 0.05, 0.5, rng), seconds(0.105, sr))
    sounds[107] = finish(x)
    # 108: tick-tock, the piece touching twice
    x = zeros(seconds(0.16, sr))
    mix_into(x, wood_click(sr, 0.12, 1500, 0.04, 0.4, rng))
    mix_into(x, wood_click(sr, 0.12, 1340, 0.04, 0.45, rng), seconds(0.03, sr), 0.6)
    sounds[108] = finish(x)
    # 109: a soft, muffled thud-click
    x = lowpass(wood_click(sr, 0.16, 560, 0.07, 1.5, rng, body=(180, 0.06, 0.8),
                           bright=0.5), 3000, sr)
    sounds[109] = finish(x)
    # 110: a quick low scrape and a hollow clack
    x = zeros(seconds(0.20, sr))
    mix_into(x, friction(sr, 0.075, 1200, rng, q=1.1), 0, 0.2)
    hollow = [(1.0, 1.0), (2.32, 0.7), (4.1, 0.2)]
    mix_into(x, wood_click(sr, 0.13, 980, 0.06, 0.55, rng, body=(320, 0.05, 0.5),
                           modes=hollow), seconds(0.065, sr))
    sounds[110] = finish(x)
    return sounds


# ---------------------------------------------------------------- output

def normalise(x, peak_db=TARGET_PEAK_DB):
    peak = max(abs(v) for v in x) or 1.0
    g = 10 ** (peak_db / 20) / peak
    return [v * g for v in x]


def loudest_window_db(x, sr, window=0.05):
    """The highest RMS level over any 50 ms of the sound: a rough measure
    of how loud a short sound seems."""
    w = max(1, seconds(window, sr))
    acc = sum(v * v for v in x[:w])
    best = acc
    for i in range(w, len(x)):
        acc += x[i] * x[i] - x[i - w] * x[i - w]
        best = max(best, acc)
    return 10 * math.log10(max(best / w, 1e-12))


def write_wav(path, x, sr, rng):
    """16-bit mono PCM with triangular dither; the first and last samples
    are kept exactly at zero."""
    frames = bytearray()
    last = len(x) - 1
    for i, v in enumerate(x):
        if i == 0 or i == last:
            s = 0
        else:
            s = int(round(v * 32767 + rng.random() - rng.random()))
        s = max(-32767, min(32767, s))
        frames += struct.pack("<h", s)
    data_len = len(frames)
    header = b"RIFF" + struct.pack("<I", 36 + data_len) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, sr, sr * 2, 2, 16)
    header += b"data" + struct.pack("<I", data_len)
    with open(path, "wb") as f:
        f.write(header + frames)


# each sound's sample rate; the fanfare, the longest, makes do with less
RATES = {101: 11025}
LOUDNESS_DB = -16.0        # loudest 50 ms, as RMS
PEAK_RANGE_DB = (-6.0, -3.0)


def level(x, sr):
    """Scales a sound so that its loudest 50 ms reach LOUDNESS_DB, with its
    peak kept within PEAK_RANGE_DB: short clicks end at the top of that
    range, the longer noises and the fanfare lower, so all seem about as
    loud."""
    peak = max(abs(v) for v in x) or 1.0
    peak_db = 20 * math.log10(peak)
    gain_db = LOUDNESS_DB - loudest_window_db(x, sr)
    target = max(PEAK_RANGE_DB[0], min(PEAK_RANGE_DB[1], peak_db + gain_db))
    return normalise(x, target)


def make_all(folder):
    os.makedirs(folder, exist_ok=True)
    moves = piece_moves(22050, random.Random(0x7A40 + 105))
    for number in range(101, 111):
        sr = RATES.get(number, 22050)
        rng = random.Random(0x7A40 + number)  # one fixed seed per sound
        if number == 101:
            x = fanfare(sr, rng)
        elif number == 102:
            x = brush(sr, rng)
        elif number == 103:
            x = rattle(sr, rng)
        elif number == 104:
            x = page_turn(sr, rng)
        else:
            x = moves[number]
        path = os.path.join(folder, "%d.wav" % number)
        x = level(x, sr)
        write_wav(path, x, sr, random.Random(number))
        peak = 20 * math.log10(max(abs(v) for v in x))
        print("%s: %d bytes, %.3f s, peak %.1f dBFS, loudest 50 ms %.1f dBFS RMS"
              % (path, os.path.getsize(path), len(x) / sr, peak,
                 loudest_window_db(x, sr)))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources", "WAV")
    make_all(os.path.normpath(out))
