"""The archive page's runs done with Python's zipfile and Pillow, the same work as ours.

techdata LIST: for each archive, list it, keep the entries whose file name ends in .jpg or .jpeg (any
  case), order them by the decimal text of their unpacked size (name, ignoring case, on a tie), unpack
  the first and the last, read their frame headers; print the three report lines as the program does,
  with its range rule (each end replaced as a pair; 20000 pixels or more never sets the maximum; the
  minimum starts from the first archive's measurement; a failed measurement keeps the last values).
examples LIST COUNT OUT CHOSEN: for each of the first COUNT archives, list it, keep the photos, unpack
  the one named in CHOSEN (the file names our run wrote), read its frame header and write it to OUT.
"""
import io
import os
import shutil
import sys
import zipfile

from PIL import Image

LIMIT = 20000


def photos(archive):
    return [i for i in archive.infolist()
            if not i.is_dir() and os.path.basename(i.filename).lower().endswith((".jpg", ".jpeg"))]


def frame_size(data, keep):
    try:
        with Image.open(io.BytesIO(data), formats=["JPEG"]) as image:
            return image.size
    except Exception:
        return keep


def techdata(paths):
    total = 0
    minimum, maximum = (0, 0), (0, 0)
    max_candidate, min_candidate = (0, 0), (0, 0)
    first = True
    for path in paths:
        with zipfile.ZipFile(path) as archive:
            entries = photos(archive)
            total += len(entries)
            key = lambda i: (str(i.file_size), i.filename.lower())
            lowest = min(entries, key=key) if entries else None
            highest = max(entries, key=key) if entries else None  # the first of equals stays, as ours
            measure = lambda entry, keep: frame_size(archive.read(entry), keep) if entry else keep
            if first:
                minimum = measure(lowest, minimum)
                first = False
            max_candidate = measure(highest, max_candidate)
            if max_candidate[0] < LIMIT and max_candidate[1] < LIMIT and (
                    max_candidate[0] > maximum[0] or max_candidate[1] > maximum[1]):
                maximum = max_candidate
            min_candidate = measure(lowest, min_candidate)
            if min_candidate[0] < minimum[0] or min_candidate[1] < minimum[1]:
                minimum = min_candidate
    print("Архивов: %d" % len(paths))
    print("Всего фото: %d" % total)
    print("Разрешение: %dx%d - %dx%d" % (minimum + maximum))


def examples(paths, count, out, chosen):
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    for path in paths[:count]:
        with zipfile.ZipFile(path) as archive:
            for entry in photos(archive):
                name = os.path.basename(entry.filename)
                if name in chosen:
                    data = archive.read(entry)
                    frame_size(data, None)
                    with open(os.path.join(out, name), "wb") as target:
                        target.write(data)
                    break


def main():
    with open(sys.argv[2], encoding="utf-8") as listing:
        paths = [line for line in listing.read().split("\n") if line]
    if sys.argv[1] == "techdata":
        techdata(paths)
    else:
        with open(sys.argv[5], encoding="utf-8") as names:
            chosen = set(line for line in names.read().split("\n") if line)
        examples(paths, int(sys.argv[3]), sys.argv[4], chosen)


main()
