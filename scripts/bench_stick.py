#!/usr/bin/env python3
"""Writes an infested flash disk as a worm leaves it: every folder of the
stick hidden, a program of the folder's name beside it (the worm's copy, in
its place), ten small files in each folder, and the EICAR test file in every
tenth folder. The seed is fixed: every run writes the same bytes.

    bench_stick.py OUTDIR FOLDERS [FILES_PER_FOLDER]

OUTDIR gets FOLDERS hidden folders and FOLDERS programs, FILES_PER_FOLDER
(10 unless given) small files of 200 bytes to 3 KiB in each folder, and an
EICAR copy in every tenth folder: one result row for every program (by the
folder-twin rule) and one for every EICAR copy.
The hidden attribute is stored as wine reads it, in the user.DOSATTRIB
extended attribute.
"""
import os
import random
import sys

SEED = 26
EICAR = rb"X5O!P%@AP[4\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*"
EXTENSIONS = [".txt", ".doc", ".jpg", ".pdf", ".mp3"]
# Directory | hidden | system, as the worms leave the user's folders.
HIDDEN_FOLDER = b"0x16"


def main(out, folders, files_per_folder):
    rng = random.Random(SEED)
    os.makedirs(out, exist_ok=True)
    for f in range(folders):
        name = f"Folder {f:05d}"
        folder = os.path.join(out, name)
        os.makedirs(folder)
        for i in range(files_per_folder):
            ext = EXTENSIONS[i % len(EXTENSIONS)]
            with open(os.path.join(folder, f"file{i:02d}{ext}"), "wb") as fh:
                fh.write(rng.randbytes(rng.randint(200, 3072)))
        if f % 10 == 0:
            with open(os.path.join(folder, "eicar.com"), "wb") as fh:
                fh.write(EICAR)
        os.setxattr(folder, "user.DOSATTRIB", HIDDEN_FOLDER)
        # The worm's copy: a program (MZ) that takes the folder's place.
        with open(os.path.join(out, name + ".exe"), "wb") as fh:
            fh.write(b"MZ\x90\x00" + rng.randbytes(4092))


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    main(sys.argv[1], int(sys.argv[2]), int(sys.argv[3]) if len(sys.argv) == 4 else 10)
