#!/usr/bin/env python3
"""Writes the benchmark's corpus: a tree of random files with a few viruses in
it, the Tarvex.db that names some of them, and the same signatures for
clamscan. The seed is fixed: every run writes the same bytes.

    bench_corpus.py OUTDIR

OUTDIR/tree       3 000 files of 1 KiB to 700 KiB (about 330 MB),
                  8 extensions, 280 folders
OUTDIR/Tarvex.db  1 999 CRC signatures (8 of them name files of the tree)
OUTDIR/bench.ndb  the built-in virus patterns as clamav body signatures
OUTDIR/bench.hdb  1 999 MD5 signatures for clamav (the same 8 files)
"""
import hashlib
import os
import random
import sys
import zlib

SEED = 3000
FOLDERS = 280
FILES = 3000
SMALLEST, LARGEST = 1024, 700 * 1024
EXTENSIONS = [".exe", ".scr", ".dll", ".txt", ".doc", ".jpg", ".pdf", ".zip"]
SIGNATURES = 1999
# The built-in virus table's patterns (name, hexadecimal bytes).
PATTERNS = [
    ("w32.service.exe", "CA68A137541AED769C3F"),
    ("w32.Burmecia", "60AA606F4DD82135B73D"),
    ("w32.KSpoold", "2C245947F84623478D28"),
    ("w32.TunggulKawung.C", "15e01040008d4dc88d55d851526a02"),
    ("w32.Service.exe", "78b5549268a94cfe224200fa6fa17aef"),
    ("w32.spooler", "e8b3b6fbff8945f033d2"),
]
INFECTED_BY_PATTERN = 12
LISTED_BY_CHECKSUM = 8


def main(out):
    rng = random.Random(SEED)
    tree = os.path.join(out, "tree")
    folders = [tree]
    for i in range(FOLDERS - 1):
        parent = rng.choice(folders)
        folders.append(os.path.join(parent, "map%03d" % i))
    for folder in folders:
        os.makedirs(folder, exist_ok=True)

    executables, listed = [], []
    total = 0
    for i in range(FILES):
        # Many small files and a long tail of large ones, about 110 KiB on average.
        size = SMALLEST + int((LARGEST - SMALLEST) * rng.random() ** 5.6)
        ext = EXTENSIONS[i % len(EXTENSIONS)]
        path = os.path.join(rng.choice(folders), "file%04d%s" % (i, ext))
        data = bytearray(rng.randbytes(size))
        if ext in (".exe", ".scr") and len(executables) < INFECTED_BY_PATTERN and rng.random() < 0.05:
            name, pattern = rng.choice(PATTERNS)
            raw = bytes.fromhex(pattern)
            at = rng.randrange(size - len(raw) + 1)
            data[at:at + len(raw)] = raw
            executables.append(path)
        elif ext not in (".exe", ".scr") and len(listed) < LISTED_BY_CHECKSUM and rng.random() < 0.01:
            listed.append(data)
        with open(path, "wb") as f:
            f.write(data)
        total += size

    keys = ["%X" % zlib.crc32(d) for d in listed]
    md5s = ["%s:%d" % (hashlib.md5(d).hexdigest(), len(d)) for d in listed]
    while len(keys) < SIGNATURES:
        keys.append("%X" % rng.getrandbits(32))
        md5s.append("%032x:%d" % (rng.getrandbits(128), rng.randrange(SMALLEST, LARGEST)))
    with open(os.path.join(out, "Tarvex.db"), "wb") as f:
        for i, key in enumerate(keys):
            f.write(b"%s:w32.Bench.%d\r\n" % (key.encode(), i))
        f.write(b"Selesai:Selesai\r\n")
    with open(os.path.join(out, "bench.hdb"), "w") as f:
        for i, md5 in enumerate(md5s):
            f.write("%s:Bench.%d\n" % (md5, i))
    with open(os.path.join(out, "bench.ndb"), "w") as f:
        for name, pattern in PATTERNS:
            f.write("%s:0:*:%s\n" % (name.replace(".", "_"), pattern.lower()))
    print("corpus: %d files, %d bytes, %d folders; %d with a pattern, %d listed by checksum"
          % (FILES, total, len(folders), len(executables), len(listed)))


if __name__ == "__main__":
    main(sys.argv[1])
