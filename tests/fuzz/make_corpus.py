#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into tests/fuzz/corpus/<target>/.

Every seed is small and made here: a few well-formed files of each kind and
a few that are just wrong. Inputs that once broke a reader are kept beside
them as regression-*.bin and are never made by this script.
JPEG seeds need ImageMagick's `convert`.
"""
import os
import struct
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def put(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# --- private-profile files: command byte, three lengths, texts, file -------

def profile_seed(op, section, key, value, file):
    s, k, v = (t.encode("cp1252") for t in (section, key, value))
    return bytes([op, len(s), len(k), len(v)]) + s + k + v + file


INI = (b"[Optionen]\r\nSprache=1000\r\nSize=4\r\nMode=0\r\n\r\n"
       b"[Pictures]\r\nAlbum=0\r\nPicture=101\r\nBackground=101\r\n")
put("profile", "set-existing", profile_seed(0, "Optionen", "Size", "6", INI))
put("profile", "set-new-key", profile_seed(0, "pictures", "File", "Bild 1.bmp", INI))
put("profile", "set-new-section", profile_seed(0, "Music", "PlayMusic", "2", INI))
put("profile", "set-empty-file", profile_seed(0, "Optionen", "Sprache", "6000", b""))
put("profile", "set-quoted", profile_seed(0, "A", "k", "\" quoted \"", b"[a]\nk = 'x'\nk=second\n"))
put("profile", "remove-key", profile_seed(1, "Optionen", "mode", "", INI))
put("profile", "remove-section", profile_seed(2, "OPTIONEN", "", "", INI + b"[optionen]\r\nx=1"))
put("profile", "comments-and-junk",
    profile_seed(0, " Sec ", " Key ", "Wert\xe4", b"; comment\r\nloose line\r\n[Sec]\r\n=novalue\r\n"
                 b"junk\r\n[Sec2\r\nKey=1\x1a\r\n[] \r\nlast"))
put("profile", "champions",
    profile_seed(0, "4x4x0", "Name1", "Ann", b"[4x4x0]\r\nName1=Bob\r\nZeit1=0004200031\r\n"))

# --- the champions list: stored values and whole Tavoro.hsc files ---------

def hs_value(text, key=b"Tavoro"):
    scrambled = bytes(c ^ key[i % len(key)] for i, c in enumerate(text))
    digits = scrambled.hex().upper().encode()
    return b"%02d" % len(digits) + digits


ENTRY = hs_value(b"0004200137Anna")
put("champions", "entry", ENTRY)
put("champions", "empty-slot", hs_value(b"9999999999 "))
put("champions", "entry-ansi-name", hs_value(b"0000100002J\xf6rg \xc5s\xfcn"))
put("champions", "entry-key-letters", hs_value(b"00099000TavoroTavoro"))
put("champions", "empty-value", b"")
put("champions", "zero-prefix", b"00")
put("champions", "one-digit", b"5")
put("champions", "prefix-past-end", b"99" + ENTRY[2:])
put("champions", "odd-digits", b"05ABCDE")
put("champions", "lower-and-bad-digits", b"08a1Gz0f")
put("champions", "sign-prefix", b"+8" + ENTRY[2:])
put("champions", "trailing-junk", ENTRY + b"FFFF junk")
put("champions", "file",
    b"[m50]\r\n" + b"".join(b"%d=%s\r\n" % (k, ENTRY if k == 1 else hs_value(b"9999999999 "))
                          for k in range(1, 11))
    + b"[m81]\r\n1=00\r\n2=zz\r\n3=\r\n")

# --- the language table ---------------------------------------------------

put("language", "table",
    b"[Lang]\r\n0106=Z\xfcge\r\n1106=Moves\r\n2106=Flyttningar\r\n0124=Wirklich beenden?\r\n"
    b"1124=Really end game?\r\n6166=Mode\r\n")
put("language", "lf-and-quotes", b"[lang]\n 1106 = \"  Moves  \"\n1124='x'\n5166=\n")
put("language", "long-text", b"[Lang]\r\n0106=" + b"x" * 400 + b"\r\n")
put("language", "no-section", b"0106=Z\xfcge\r\n[Other]\r\n0106=no\r\n")
put("language", "negative-key", b"[Lang]\r\n-0001=minus\r\n32767=top\r\n0000=zero\r\n")

# --- standard MIDI files --------------------------------------------------

def vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append((n & 0x7F) | 0x80)
        n >>= 7
    return bytes(reversed(out))


def chunk(tag, body):
    return tag + struct.pack(">I", len(body)) + body


def smf(fmt, division, tracks):
    head = chunk(b"MThd", struct.pack(">HHH", fmt, len(tracks), division))
    return head + b"".join(chunk(b"MTrk", t) for t in tracks)


tempo = lambda us: b"\xff\x51\x03" + us.to_bytes(3, "big")
end = b"\xff\x2f\x00"
notes = (vlq(0) + b"\xc0\x00" + vlq(0) + b"\x90\x3c\x64" + vlq(480) + b"\x3c\x00"
         + vlq(0) + b"\x3e\x64" + vlq(240) + b"\x80\x3e\x40")
put("smf", "format0", smf(0, 480, [vlq(0) + tempo(500000) + notes + vlq(0) + end]))
put("smf", "format1-tempo", smf(1, 96, [
    vlq(0) + tempo(600000) + vlq(960) + tempo(300000) + vlq(96) + end,
    notes + vlq(10) + b"\xf0\x03\x7e\x00\xf7" + vlq(5) + b"\xb0\x07\x64" + vlq(0) + end]))
put("smf", "smpte", smf(0, 0xE728, [notes + vlq(100000) + end]))
put("smf", "no-end-marker", smf(0, 120, [notes]))
put("smf", "unknown-chunk", chunk(b"MThd", struct.pack(">HHH", 0, 1, 24)) + chunk(b"XFIH", b"abc")
    + chunk(b"MTrk", notes + vlq(0) + end))
put("smf", "cut-short", smf(0, 480, [notes + vlq(0) + end])[:30])

# --- wave files -----------------------------------------------------------

def wav(fmt_tag, channels, rate, bits, data, extra=b""):
    align = channels * bits // 8
    fmt = struct.pack("<HHIIHH", fmt_tag, channels, rate, rate * align, align, bits) + extra
    body = b"WAVE" + chunk_le(b"fmt ", fmt) + chunk_le(b"data", data)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def chunk_le(tag, body):
    pad = b"\x00" if len(body) % 2 else b""
    return tag + struct.pack("<I", len(body)) + body + pad


put("wav", "pcm8-mono-8k", wav(1, 1, 8000, 8, bytes(range(0, 256, 8))))
put("wav", "pcm16-stereo-22k", wav(1, 2, 22050, 16, struct.pack("<8h", 0, 0, 1000, -1000,
                                                                 32767, -32768, 5, -5)))
put("wav", "float32-44k", wav(3, 2, 44100, 32, struct.pack("<4f", 0.0, 0.5, -0.5, 1.0)))
put("wav", "pcm24-mono-11k", wav(1, 1, 11025, 24, b"\x00\x00\x40\x00\x00\xc0\x11\x22\x33"))
put("wav", "odd-data", wav(1, 1, 44100, 16, b"\x01\x02\x03"))
put("wav", "truncated", wav(1, 2, 44100, 16, b"\x00" * 64)[:40])
# Formats SDL decodes itself: a-law, mu-law, IMA and Microsoft ADPCM, extensible.
put("wav", "alaw-8k", wav(6, 1, 8000, 8, bytes(range(0, 256, 16))))
put("wav", "mulaw-8k", wav(7, 1, 8000, 8, bytes(range(255, 0, -16))))
ima = struct.pack("<HHIIHHHH", 0x11, 1, 8000, 4055, 256, 4, 2, 505)
put("wav", "ima-adpcm", b"RIFF" + struct.pack("<I", 4 + 8 + len(ima) + 8 + 256) + b"WAVE"
    + chunk_le(b"fmt ", ima) + chunk_le(b"data", b"\x00\x00\x10\x00" + bytes(range(252))))
coefs = [(256, 0), (512, -256), (0, 0), (192, 64), (240, 0), (460, -208), (392, -232)]
ms = (struct.pack("<HHIIHHHHH", 2, 1, 8000, 4096, 256, 4, 32, 500, 7)
      + b"".join(struct.pack("<hh", a, b) for a, b in coefs))
put("wav", "ms-adpcm", b"RIFF" + struct.pack("<I", 4 + 8 + len(ms) + 8 + 256) + b"WAVE"
    + chunk_le(b"fmt ", ms) + chunk_le(b"data", b"\x00\x10\x00\x20\x00\x30\x00\x40\x00"
                                     + bytes(range(247))))
ext = (struct.pack("<HHIIHHH", 0xFFFE, 2, 44100, 44100 * 4, 4, 16, 22)
       + struct.pack("<HI", 16, 3) + b"\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71")
put("wav", "extensible", b"RIFF" + struct.pack("<I", 4 + 8 + len(ext) + 8 + 8) + b"WAVE"
    + chunk_le(b"fmt ", ext) + chunk_le(b"data", b"\x00\x01\x00\x02\xff\x7f\x00\x80"))
put("wav", "list-before-fmt", b"RIFF" + struct.pack("<I", 4 + 16 + 24 + 12) + b"WAVE"
    + chunk_le(b"LIST", b"INFOISFT\x02\x00\x00\x00x\x00")
    + chunk_le(b"fmt ", struct.pack("<HHIIHH", 1, 1, 8000, 8000, 1, 8)) + chunk_le(b"data", b"\x80\x90\xa0\xb0"))

# --- pictures -------------------------------------------------------------

def bmp(width, height, bits, pixels, palette=b"", compression=0):
    header_size = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixels),
                       2835, 2835, len(palette) // 4, 0)
    head = b"BM" + struct.pack("<IHHI", header_size + len(pixels), 0, 0, header_size)
    return head + info + palette + pixels


def rows(width, height, bytes_per_pixel, fill):
    stride = (width * bytes_per_pixel + 3) & ~3
    out = b""
    for y in range(height):
        row = bytes(fill(x, y) for x in range(width * bytes_per_pixel))
        out += row + b"\x00" * (stride - len(row))
    return out


grey = b"".join(bytes([i * 17, i * 17, i * 17, 0]) for i in range(16))
palette256 = b"".join(bytes([i, 255 - i, (i * 7) & 255, 0]) for i in range(256))
put("picture", "bmp24-7x5.bmp", bmp(7, 5, 24, rows(7, 5, 3, lambda x, y: (x * 31 + y * 13) & 255)))
put("picture", "bmp8-9x9.bmp", bmp(9, 9, 8, rows(9, 9, 1, lambda x, y: x * 9 + y), palette256))
put("picture", "bmp4-top-down.bmp",
    bmp(6, -4, 4, b"".join(bytes([0x01, 0x23, 0x45, 0]) for _ in range(4)), grey))
put("picture", "bmp1-8x3.bmp", bmp(8, 3, 1, b"\xaa\x00\x00\x00\x55\x00\x00\x00\xff\x00\x00\x00",
                                  b"\x00\x00\x00\x00\xff\xff\xff\x00"))
put("picture", "bmp32-3x3.bmp", bmp(3, 3, 32, bytes(range(36))))
put("picture", "bmp8-rle.bmp", bmp(4, 2, 8, b"\x04\x01\x00\x00\x02\x05\x02\x07\x00\x01",
                                  palette256, compression=1))
put("picture", "bmp4-rle.bmp", bmp(6, 2, 4, b"\x06\x12\x00\x00\x00\x04\x34\x56\x00\x01",
                                  grey, compression=2))
put("picture", "bmp16-bitfields.bmp",
    bmp(3, 2, 16, bytes(range(16)), struct.pack("<III", 0xF800, 0x07E0, 0x001F), compression=3))
put("picture", "bmp-os2.bmp", b"BM" + struct.pack("<IHHI", 14 + 12 + 6 + 8, 0, 0, 14 + 12 + 6)
    + struct.pack("<IHHHH", 12, 2, 2, 1, 1) + b"\x00\x00\x00\xff\xff\xff"
    + b"\x40\x00\x00\x00\x80\x00\x00\x00")
put("picture", "bmp-truncated.bmp", bmp(16, 16, 24, rows(16, 16, 3, lambda x, y: x))[:80])

with tempfile.TemporaryDirectory() as tmp:
    for name, size, quality, extra in (("jpeg-8x8.jpg", "8x8", 75, []),
                                       ("jpeg-13x11-grey.jpg", "13x11", 50, ["-colorspace", "Gray"]),
                                       ("jpeg-progressive.jpg", "16x9", 80, ["-interlace", "JPEG"])):
        out = os.path.join(tmp, name)
        subprocess.run(["convert", "-size", size, "gradient:red-blue", *extra, "-strip",
                        "-quality", str(quality), out], check=True)
        with open(out, "rb") as f:
            put("picture", name, f.read())


# --- kept games --------------------------------------------------------------

KEPT = (b"[Game]\r\nSize=4\r\nMode=0\r\nAlbum=0\r\nPicture=101\r\nFile=\r\n"
        b"Pieces=1,2,3,4,5,6,7,8,9,10,11,12,13,14,0,15\r\nMoves=3\r\nSeconds=9\r\n")
put("kept_game", "slide-4x4", KEPT)
put("kept_game", "swap-3x3", b"[Game]\r\nSize=3\r\nMode=1\r\nAlbum=1\r\nPicture=101\r\n"
    b"File=Bild.jpg\r\nPieces=2,1,3,4,5,6,7,8,9\r\nMoves=0\r\nSeconds=0\r\n")
put("kept_game", "unsolvable", KEPT.replace(b"1,2,3,4", b"2,1,3,4"))
put("kept_game", "junk", b"[Game]\nSize=8\nPieces=,,,,\n")
