#!/usr/bin/env python3
"""The DELF conversion written plainly in Python, as a yardstick for the whole vrk410-cli process.

    delf_reference.py INPUT OUTPUT

Reads the download as bytes, drops STX, takes the first 128 bytes of every line of 128 or more,
splits the block stream at "_" and writes one "name,name,Y,X,H" line per four fields.
"""
import sys

BLOCK = 128


def number(field):
    text = field[2:].lstrip(b" \t")
    end = 0
    if text[:1] in (b"+", b"-"):
        end = 1
    while end < len(text) and (48 <= text[end] <= 57 or text[end] == 46):
        end += 1
    try:
        return float(text[:end])
    except ValueError:
        return 0.0


def convert(data):
    data = data.replace(b"\x02", b"")
    carry = b""
    fields = []
    count = 0
    start = 0
    while True:
        lf = data.find(b"\n", start)
        if lf < 0:
            break
        line = data[start:lf]
        if count == 0 and (b"x" not in line or b"y" not in line or b"z" not in line):
            raise SystemExit("文件格式不正确")
        if len(line) >= BLOCK:
            carry += line[:BLOCK]
            parts = carry.split(b"_")
            fields.extend(parts[1:-1])
            count += len(parts) - 2
            carry = b"_" + parts[-1]
        start = lf + 1
        while start < len(data) and data[start] in (10, 13):
            start += 1
    out = []
    for i in range(0, len(fields) - 3, 4):
        name = fields[i][1:] if fields[i][:1] == b"+" else fields[i]
        x, y, h = (number(f) * 0.001 for f in fields[i + 1:i + 4])
        out.append(b"%s,%s,%.3f,%.3f,%.3f\r\n" % (name, name, y, x, h))
    return b"".join(out)


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as source:
        result = convert(source.read())
    with open(sys.argv[2], "wb") as target:
        target.write(result)
