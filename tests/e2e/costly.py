"""Pictures that are cheap to store and costly to draw, made on the spot:
a metafile of many full-size rectangles and a progressive JPEG of many scans."""
import io
import struct

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
