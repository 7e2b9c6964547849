#!/usr/bin/env python3
"""Writes the fixture product tree under tree/ once; the files are committed, not regenerated.

Thirteen files in nested folders: text of a few KB, files of exactly 1024 and 1025 bytes, 2048
pseudo-random bytes that deflate cannot shrink, and names of mixed case."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
TREE = os.path.join(HERE, "tree")


def write(relative, data):
    path = os.path.join(TREE, *relative.split("/"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def padded(text, size):
    """`text` cut or padded with comment lines to exactly `size` bytes."""
    data = text.encode("ascii")
    filler = b"* padding line of the fixture\r\n"
    while len(data) < size:
        data += filler
    return data[:size - 2] + b"\r\n"


def noise(size, seed):
    """Bytes from a 32-bit linear congruential generator: fixed, and incompressible."""
    out = bytearray()
    state = seed
    while len(out) < size:
        state = (state * 1103515245 + 12345) & 0xFFFFFFFF
        out.append(state >> 24)
    return bytes(out)


def schematic(title, wires):
    lines = ["Version 4", "SHEET 1 880 680"]
    for i in range(wires):
        lines.append("WIRE %d %d %d %d" % (16 * i, 32 + i % 7 * 16, 16 * i + 96, 32 + i % 5 * 16))
    lines.append("TEXT 40 400 Left 2 !.tran 0 10m 0 1u ; %s" % title)
    return "\r\n".join(lines) + "\r\n"


def symbol(name, lines):
    body = ["Version 4", "SymbolType CELL"]
    body += ["LINE Normal %d %d %d %d" % (0, 8 * i, 32, 8 * i + 16) for i in range(lines)]
    body += ["SYMATTR Prefix %s" % name[0].upper(), "PIN 16 0 NONE 0", "PINATTR PinName A"]
    return "\r\n".join(body) + "\r\n"


def models(kind, count):
    return "".join(".model Q%04d %s(Is=%de-15 Bf=%d Vaf=%d Cjc=%dp)\r\n"
                   % (i, kind, 10 + i % 9, 100 + i * 7 % 300, 50 + i % 40, 2 + i % 11)
                   for i in range(count))


def main():
    write("Changelog.txt", "".join("Release 4.%d: fixed item %d of the component library.\r\n"
                                   % (i // 5, i) for i in range(50)).encode())
    write("License.txt", ("This fixture stands in for the licence text of the product. " * 50)
          .encode())
    write("examples/astable.asc", schematic("astable multivibrator", 60).encode())
    write("examples/BandGaps.asc", padded(schematic("band gap reference", 12), 1024))
    write("examples/Educational/diode_iv.asc", padded(schematic("diode curve", 12), 1025))
    write("examples/Educational/Noise Source.wav", noise(2048, 20240229))
    write("lib/cmp/standard.bjt", models("NPN", 48).encode())
    write("lib/cmp/standard.res", "".join("R%03d\t%d\t1%%\t0.25W\r\n" % (i, 100 * (i + 1))
                                          for i in range(40)).encode())
    write("lib/sub/OpAmps.lib", "".join(".subckt OA%02d 1 2 3 4 5\r\nE1 5 0 1 2 100k\r\n.ends\r\n"
                                        % i for i in range(60)).encode())
    write("lib/sub/opamp_1.sub", "".join("* opamp_1 line %d\r\nR%d %d %d 1k\r\n" % (i, i, i, i + 1)
                                         for i in range(60)).encode())
    write("lib/sym/cap.asy", symbol("cap", 10).encode())
    write("lib/sym/Zener.asy", symbol("zener", 12).encode())
    write("lib/sym/Opamps/opamp2.asy", symbol("opamp2", 24).encode())


if __name__ == "__main__":
    main()
