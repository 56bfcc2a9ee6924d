"""The reference peer for JPEG sizes: Pillow's Image.open plus its size, which reads the header only.

Usage: pillow_sizes.py LIST   (one path per line)
Prints "W H" for each photo Pillow opens as a JPEG, "failed" for one it cannot (a file that is not a
JPEG is a failure even when Pillow could open it as another format, as it is for a photo release).
"""
import sys

from PIL import Image


def main():
    with open(sys.argv[1], encoding="utf-8") as listing:
        paths = [line for line in listing.read().split("\n") if line]
    out = []
    for path in paths:
        try:
            with Image.open(path, formats=["JPEG"]) as image:
                out.append("%d %d" % image.size)
        except Exception:  # any failure to open or to read the header is a broken photo
            out.append("failed")
    sys.stdout.write("".join(line + "\n" for line in out))


main()
