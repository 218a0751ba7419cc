"""Pictures that are cheap to store and costly to draw, made on the spot:
a metafile of many full-size rectangles or of one zig-zag polygon, a
progressive JPEG of many scans and a PNG of many compressed texts.

Run as a program it writes the hostile files the unit tests and the fuzz
targets read: python3 tests/e2e/costly.py fuzz/corpus"""
import io
import os
import struct
import sys
import zlib

from PIL import Image


def _record(function, *words):
    return struct.pack("<IH", 3 + len(words), function) + struct.pack(f"<{len(words)}h", *words)


def metafile_of_rectangles(count, side=4096, shape=0x041B):
    """A placeable metafile `side` pixels square (at 96 units per inch) holding
    `count` rectangles (or other shapes of a bounding box) that each cover it
    all, in a red brush."""
    return metafile([_record(shape, side, side, 0, 0)] * count, side)


def metafile(records, side=4096):
    """A placeable metafile `side` pixels square around the given records,
    with a red brush selected."""
    body = struct.pack("<IH", 7, 0x02FC) + struct.pack("<HIH", 0, 0x0000FF, 0)  # red brush, object 0
    body += _record(0x012D, 0)  # select it
    body += b"".join(records)
    body += struct.pack("<IH", 3, 0)  # end of file
    words = (18 + len(body)) // 2
    header = struct.pack("<HHHIHIH", 1, 9, 0x300, words, 4, 7, 0)
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, side, side, 96, 0)
    checksum = 0
    for (w,) in struct.iter_unpack("<H", placeable[:20]):
        checksum ^= w
    return placeable + struct.pack("<H", checksum) + header + body


def jpeg_of_scans(scans, side=256):
    """A progressive JPEG `side` pixels square whose first scans are the
    encoder's own, followed by many more empty DC refinement scans."""
    buf = io.BytesIO()
    Image.new("RGB", (side, side), (255, 0, 0)).save(buf, "JPEG", progressive=True, quality=50)
    data = buf.getvalue()
    assert data.endswith(b"\xff\xd9")
    # A refinement scan of the DC coefficients of the first component: one
    # bit a block.
    extra = b"\xff\xda" + struct.pack(">HB", 8, 1) + bytes([1, 0]) + bytes([0, 0, 0x10])
    # Its data is left out: the decoder reads zeros for every block all the same.
    return data[:-2] + extra * (scans - 1) + b"\xff\xd9"


def metafile_of_zigzag(points=65535, side=4096, column=2):
    """A placeable metafile `side` pixels square holding one polygon of
    `points` points that zig-zags from the top to the bottom edge and back
    inside a column `column` pixels wide: few pixels, but every edge crosses
    every row. A small square at (100, 0) follows it: drawn only when
    playback goes on past the polygon."""
    coords = []
    for i in range(points):
        coords += [i % column, 0 if i % 2 == 0 else side]
    polygon = struct.pack("<IHH", 4 + 2 * points, 0x0324, points) + struct.pack(f"<{2 * points}h", *coords)
    return metafile([polygon, _record(0x041B, 4, 104, 0, 100)], side)


def png_with_texts(chunks=40, inflated=7_900_000, side=32, text_chunk=b"zTXt"):
    """A small PNG `side` pixels square followed by `chunks` compressed text
    chunks, each inflating to `inflated` bytes (just under what a decoder
    lets one chunk hold, 8,000,000)."""
    buf = io.BytesIO()
    Image.new("RGB", (side, side), (0, 0, 255)).save(buf, "PNG")
    data = buf.getvalue()
    assert data.endswith(b"IEND\xaeB`\x82")
    body = zlib.compress(b"A" * inflated, 9)
    texts = b""
    for i in range(chunks):
        payload = b"Comment%d\0\0" % i + body
        texts += _chunk(text_chunk, payload)
    return data[:-12] + texts + data[-12:]


def png_with_note(text=b"Author\0Pikselar", side=32):
    """An ordinary PNG `side` pixels square with one short plain text."""
    buf = io.BytesIO()
    Image.new("RGB", (side, side), (0, 0, 255)).save(buf, "PNG")
    data = buf.getvalue()
    return data[:33] + _chunk(b"tEXt", text) + data[33:]


def _chunk(kind, payload):
    return struct.pack(">I", len(payload)) + kind + payload + struct.pack(">I", zlib.crc32(kind + payload))


if __name__ == "__main__":
    # Each fuzz target reads its own framing: a hint byte for the picture
    # decoder, two bytes of clipboard types (bit 4 is image/png), a desktop
    # entry before a NUL for the file icon. The unit tests read the same files.
    corpus = sys.argv[1] if len(sys.argv) > 1 else "fuzz/corpus"
    hostile_png = png_with_texts()
    made = {
        "picture/png-40-ztxt": b"\x02" + hostile_png,
        "picture/png-small-text": b"\x02" + png_with_note(),
        "clipboard/png-40-ztxt": b"\x10\x00" + hostile_png,
        "fileicon/entry-png-40-ztxt": b"[Desktop Entry]\nIcon=@ICON@\n\0" + hostile_png,
        "wmf/zigzag-polygon.wmf": metafile_of_zigzag(),
    }
    for name, data in made.items():
        path = os.path.join(corpus, name)
        with open(path, "wb") as out:
            out.write(data)
        print(path, len(data))
