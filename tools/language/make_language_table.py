#!/usr/bin/env python3
"""Builds the language table (resource CUSTOM 1000) from messages.tsv.

messages.tsv is UTF-8, tab-separated: the message number, then the text in
German, English, Swedish, Italian, Spanish and French. The table is INI text
in Windows-1252 with CR LF line ends: one section "[lang]" and one line
"<digit><number>=<text>" per language digit and message, German (0) first,
then English (1), Swedish (2), Italian (3), Spanish (5) and French (6).
Digit 4 has no texts.

Usage: make_language_table.py [messages.tsv] [output.ini]
Only the Python 3 standard library is needed. The output is deterministic.
"""

import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent

# Column of messages.tsv -> language digit.
LANGUAGES = [("de", 0), ("en", 1), ("sv", 2), ("it", 3), ("es", 5), ("fr", 6)]


def read_messages(path):
    lines = path.read_text(encoding="utf-8").splitlines()
    header = lines[0].split("\t")
    expected = ["no"] + [code for code, _ in LANGUAGES]
    if header != expected:
        sys.exit(f"{path}: header must be {expected}, is {header}")
    messages = {}
    for lineno, line in enumerate(lines[1:], start=2):
        if not line.strip():
            continue
        cells = line.split("\t")
        if len(cells) != len(expected):
            sys.exit(f"{path}:{lineno}: {len(cells)} columns, want {len(expected)}")
        number = int(cells[0])
        if not 100 <= number <= 999:
            sys.exit(f"{path}:{lineno}: message number {number} is not three digits")
        if number in messages:
            sys.exit(f"{path}:{lineno}: message {number} twice")
        texts = cells[1:]
        for (code, _), text in zip(LANGUAGES, texts):
            if not text or text != text.strip():
                sys.exit(f"{path}:{lineno}: {code} text empty or with blanks around it")
            if any(c in text for c in "\r\n"):
                sys.exit(f"{path}:{lineno}: {code} text holds a line break")
        messages[number] = texts
    return messages


def build(messages):
    out = ["[lang]"]
    for column, (_, digit) in enumerate(LANGUAGES):
        for number in sorted(messages):
            out.append(f"{digit}{number:03d}={messages[number][column]}")
    text = "\r\n".join(out) + "\r\n"
    data = text.encode("cp1252")  # fails on any character the code page lacks
    if data.decode("cp1252") != text:
        sys.exit("a text does not survive Windows-1252")
    return data


def main():
    source = Path(sys.argv[1]) if len(sys.argv) > 1 else HERE / "messages.tsv"
    target = Path(sys.argv[2]) if len(sys.argv) > 2 else ROOT / "resources" / "CUSTOM" / "1000.ini"
    data = build(read_messages(source))
    target.parent.mkdir(parents=True, exist_ok=True)
    target.write_bytes(data)
    print(f"{target}: {len(data)} bytes")


if __name__ == "__main__":
    main()
