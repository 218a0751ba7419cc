#include "transfer/PeIcons.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <tuple>

namespace pe {
namespace {

// ---- Bounds-checked little-endian reads: every read states where it may fail.

bool Fits(Bytes b, std::uint64_t off, std::uint64_t len)
{
    return off <= b.size() && len <= b.size() - off;
}

std::optional<std::uint16_t> U16(Bytes b, std::uint64_t off)
{
    if (!Fits(b, off, 2))
        return std::nullopt;
    return std::uint16_t(b[off] | b[off + 1] << 8);
}

std::optional<std::uint32_t> U32(Bytes b, std::uint64_t off)
{
    if (!Fits(b, off, 4))
        return std::nullopt;
    return std::uint32_t(b[off]) | std::uint32_t(b[off + 1]) << 8 | std::uint32_t(b[off + 2]) << 16 |
           std::uint32_t(b[off + 3]) << 24;
}

std::optional<Bytes> Slice(Bytes b, std::uint64_t off, std::uint64_t len)
{
    if (!Fits(b, off, len))
        return std::nullopt;
    return b.subspan(off, len);
}

// ---- One image: its size and colour depth from the first bytes, and its pixels.

constexpr std::uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool IsPng(Bytes d)
{
    return d.size() >= 8 && std::memcmp(d.data(), PngSignature, 8) == 0;
}

std::uint32_t U32Be(Bytes b, std::size_t off)
{
    return std::uint32_t(b[off]) << 24 | std::uint32_t(b[off + 1]) << 16 | std::uint32_t(b[off + 2]) << 8 |
           std::uint32_t(b[off + 3]);
}

struct Probe {
    int width;
    int height;
    int depth;
};

struct DibLayout {
    int width, height, bpp;
    std::uint32_t headerSize, colours;
    std::uint64_t xorStride, andStride;
};

std::optional<DibLayout> ReadDibLayout(Bytes d)
{
    const auto size = U32(d, 0);
    const auto w = U32(d, 4);
    const auto h2 = U32(d, 8);
    const auto bpp = U16(d, 14);
    const auto compression = U32(d, 16);
    const auto used = U32(d, 32);
    if (!size || !w || !h2 || !bpp || !compression || !used)
        return std::nullopt;
    // Colour rows and mask are stacked, bottom-up, so the height is doubled.
    const auto width = std::int32_t(*w), height = std::int32_t(*h2) / 2;
    if (*size < 40 || *size > d.size() || width < 1 || width > MaxIconSide || height < 1 ||
        height > MaxIconSide || *compression != 0)
        return std::nullopt;
    if (*bpp != 1 && *bpp != 4 && *bpp != 8 && *bpp != 16 && *bpp != 24 && *bpp != 32)
        return std::nullopt;
    // Deeper images may still carry a colour table; it is skipped.
    std::uint32_t colours = *used;
    if (*bpp <= 8)
        colours = *used == 0 ? 1u << *bpp : std::min<std::uint32_t>(*used, 1u << *bpp);
    else if (*used > 256)
        return std::nullopt;
    return DibLayout{width,
                     height,
                     *bpp,
                     *size,
                     colours,
                     (std::uint64_t(width) * *bpp + 31) / 32 * 4,
                     (std::uint64_t(width) + 31) / 32 * 4};
}

std::optional<Probe> ProbeImage(Bytes d)
{
    if (IsPng(d)) {
        if (d.size() < 24 || std::memcmp(d.data() + 12, "IHDR", 4) != 0)
            return std::nullopt;
        const std::uint32_t w = U32Be(d, 16), h = U32Be(d, 20);
        if (w < 1 || w > MaxIconSide || h < 1 || h > MaxIconSide)
            return std::nullopt;
        return Probe{int(w), int(h), 32};
    }
    const auto layout = ReadDibLayout(d);
    if (!layout)
        return std::nullopt;
    return Probe{layout->width, layout->height, layout->bpp};
}

std::uint32_t Argb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return std::uint32_t(a) << 24 | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b;
}

// The colour of pixel x of one colour row, opaque.
std::uint32_t RowPixel(const DibLayout& l, Bytes palette, const std::uint8_t* row, int x)
{
    switch (l.bpp) {
    case 32:
        return Argb(row[4 * x + 3], row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    case 24:
        return Argb(255, row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case 16: {
        const unsigned v = row[2 * x] | row[2 * x + 1] << 8;
        auto five = [](unsigned c) { return std::uint8_t((c << 3) | (c >> 2)); };
        return Argb(255, five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31));
    }
    default: {
        const int perByte = 8 / l.bpp;
        const unsigned byte = row[x / perByte];
        const int shift = 8 - l.bpp * (x % perByte + 1);
        const unsigned index = (byte >> shift) & ((1u << l.bpp) - 1);
        if (index >= l.colours)
            return Argb(255, 0, 0, 0); // outside the palette: black, harmless
        const std::uint8_t* q = palette.data() + 4 * index;
        return Argb(255, q[2], q[1], q[0]);
    }
    }
}

std::optional<IconImage> DecodeDib(Bytes d)
{
    const auto l = ReadDibLayout(d);
    if (!l)
        return std::nullopt;
    const auto palette = Slice(d, l->headerSize, 4ull * l->colours);
    const std::uint64_t xorAt = l->headerSize + 4ull * l->colours;
    const auto colourRows = Slice(d, xorAt, l->xorStride * l->height);
    if (!palette || !colourRows)
        return std::nullopt;
    // Icons without the mask exist only with an alpha channel to stand in for it.
    const auto mask = Slice(d, xorAt + l->xorStride * l->height, l->andStride * l->height);
    if (!mask && l->bpp != 32)
        return std::nullopt;

    IconImage img;
    img.width = l->width;
    img.height = l->height;
    img.argb.resize(std::size_t(l->width) * l->height);
    bool anyAlpha = false;
    for (int y = 0; y < l->height; ++y) {
        const std::uint8_t* row = colourRows->data() + l->xorStride * (l->height - 1 - y);
        for (int x = 0; x < l->width; ++x) {
            const std::uint32_t p = RowPixel(*l, *palette, row, x);
            anyAlpha |= (p >> 24) != 0;
            img.argb[std::size_t(y) * l->width + x] = p;
        }
    }
    // Without an alpha channel the AND mask decides; a masked pixel that would
    // invert the screen cannot be shown on an image, so it is transparent too.
    const bool useMask = l->bpp != 32 || !anyAlpha;
    if (useMask) {
        for (int y = 0; y < l->height; ++y) {
            const std::uint8_t* row = mask ? mask->data() + l->andStride * (l->height - 1 - y) : nullptr;
            for (int x = 0; x < l->width; ++x) {
                const bool transparent = row && (row[x / 8] >> (7 - x % 8) & 1);
                std::uint32_t& p = img.argb[std::size_t(y) * l->width + x];
                p = transparent ? 0 : (p | 0xFF000000u);
            }
        }
    }
    return img;
}

// ---- Choosing among the images of one group or file.

struct Candidate {
    Bytes data;
    Probe probe;
};

// The image of exactly `size` (a 16-colour one first: it holds the
// editor's own kind of colours, else the deepest), else the smallest larger
// one (shrinking keeps more than enlarging), else the largest.
std::optional<IconImage> Choose(const std::vector<Candidate>& cands, int size)
{
    const auto exact = [size](const Candidate& c) { return c.probe.width == size && c.probe.height == size; };
    const auto rank = [&](const Candidate& c) {
        const int side = std::max(c.probe.width, c.probe.height);
        const int group = exact(c) ? 0 : side > size ? 1 : 2;
        const int bySide = group == 1 ? side : group == 2 ? -side : 0;
        const int byDepth = group == 0 && c.probe.depth == 4 ? -1000 : -c.probe.depth;
        return std::tuple(group, bySide, byDepth);
    };
    const Candidate* best = nullptr;
    for (const Candidate& c : cands)
        if (!best || rank(c) < rank(*best))
            best = &c;
    if (!best)
        return std::nullopt;
    return DecodeIconImage(best->data);
}

void AddCandidate(std::vector<Candidate>& out, std::optional<Bytes> data)
{
    if (!data)
        return;
    if (const auto p = ProbeImage(*data))
        out.push_back({*data, *p});
}

// ---- PE: sections, the resource tree and the icon group.

struct Section {
    std::uint32_t va, rawSize, rawOffset;
};

class PeImage {
public:
    PeImage(Bytes file, std::vector<Section> sections) : file_(file), sections_(std::move(sections)) {}

    // Reads the resource tree from here on: as much of the directory's size
    // as the section and the file hold (linkers round the size differently).
    bool SetResources(std::uint32_t rva, std::uint32_t size)
    {
        for (const Section& s : sections_) {
            if (rva < s.va || rva - s.va >= s.rawSize || s.rawOffset >= file_.size())
                continue;
            const std::uint64_t within = rva - s.va;
            const std::uint64_t len = std::min<std::uint64_t>(
                {size, s.rawSize - within, file_.size() - std::min<std::uint64_t>(file_.size(), s.rawOffset + within)});
            if (const auto r = Slice(file_, s.rawOffset + within, len); r && !r->empty()) {
                rsrc_ = *r;
                return true;
            }
            return false;
        }
        return false;
    }

    // `len` bytes at a virtual address, all within one section's file data.
    std::optional<Bytes> AtRva(std::uint32_t rva, std::uint32_t len) const
    {
        for (const Section& s : sections_) {
            if (rva < s.va || rva - s.va >= s.rawSize)
                continue;
            const std::uint64_t within = rva - s.va;
            if (len > s.rawSize - within)
                return std::nullopt;
            return Slice(file_, std::uint64_t(s.rawOffset) + within, len);
        }
        return std::nullopt;
    }

    struct Entry {
        std::uint32_t name;
        std::uint32_t target;
        bool named() const { return name & 0x80000000u; }
        bool isDirectory() const { return target & 0x80000000u; }
        std::uint32_t offset() const { return target & 0x7FFFFFFFu; }
    };

    // The entries of the directory at `offset` in the resource data, each
    // directory read at most once so a tree that points back into itself ends.
    std::optional<std::vector<Entry>> Directory(std::uint32_t offset)
    {
        if (!seen_.insert(offset).second)
            return std::nullopt;
        const auto named = U16(rsrc_, std::uint64_t(offset) + 12);
        const auto ids = U16(rsrc_, std::uint64_t(offset) + 14);
        if (!named || !ids || *named + *ids > MaxDirectoryEntries)
            return std::nullopt;
        std::vector<Entry> entries;
        for (int i = 0; i < *named + *ids; ++i) {
            const std::uint64_t at = std::uint64_t(offset) + 16 + 8ull * i;
            const auto name = U32(rsrc_, at), target = U32(rsrc_, at + 4);
            if (!name || !target)
                return std::nullopt;
            entries.push_back({*name, *target});
        }
        return entries;
    }

    // The data of the first language of the first (or the given numeric) name
    // under the given numeric type.
    std::optional<Bytes> Resource(std::uint16_t type, std::optional<std::uint16_t> id)
    {
        seen_.clear();
        const auto root = Directory(0);
        if (!root)
            return std::nullopt;
        const auto typeEntry = FindId(*root, type);
        if (!typeEntry || !typeEntry->isDirectory())
            return std::nullopt;
        const auto names = Directory(typeEntry->offset());
        if (!names || names->empty())
            return std::nullopt;
        const auto nameEntry = id ? FindId(*names, *id) : std::optional<Entry>(names->front());
        if (!nameEntry || !nameEntry->isDirectory())
            return std::nullopt;
        const auto languages = Directory(nameEntry->offset());
        if (!languages || languages->empty() || languages->front().isDirectory())
            return std::nullopt;
        const std::uint64_t dataEntry = languages->front().offset();
        const auto rva = U32(rsrc_, dataEntry), size = U32(rsrc_, dataEntry + 4);
        if (!rva || !size)
            return std::nullopt;
        return AtRva(*rva, *size);
    }

private:
    static std::optional<Entry> FindId(const std::vector<Entry>& entries, std::uint16_t id)
    {
        for (const Entry& e : entries)
            if (!e.named() && e.name == id)
                return e;
        return std::nullopt;
    }

    Bytes file_;
    std::vector<Section> sections_;
    Bytes rsrc_;
    std::set<std::uint32_t> seen_;
};

constexpr std::uint16_t RtIcon = 3;
constexpr std::uint16_t RtGroupIcon = 14;

// A group directory (also the start of an icon file): reserved 0, type, count.
std::optional<std::uint16_t> GroupCount(Bytes group, std::uint16_t type, std::uint64_t entrySize)
{
    const auto reserved = U16(group, 0), kind = U16(group, 2), count = U16(group, 4);
    if (!reserved || !kind || !count || *reserved != 0 || *kind != type || *count == 0 ||
        *count > MaxGroupEntries || !Fits(group, 6, entrySize * *count))
        return std::nullopt;
    return count;
}

std::optional<IconImage> ReadPe(Bytes file, std::uint32_t peAt, int size)
{
    const std::uint64_t coff = std::uint64_t(peAt) + 4;
    const auto sectionCount = U16(file, coff + 2);
    const auto optSize = U16(file, coff + 16);
    const std::uint64_t opt = coff + 20;
    const auto magic = U16(file, opt);
    if (!sectionCount || !optSize || !magic || *sectionCount > MaxSections)
        return std::nullopt;
    std::uint64_t dirCountAt = 0;
    if (*magic == 0x10B)
        dirCountAt = opt + 92;
    else if (*magic == 0x20B)
        dirCountAt = opt + 108;
    else
        return std::nullopt;
    const auto dirCount = U32(file, dirCountAt);
    const std::uint64_t resDir = dirCountAt + 4 + 2 * 8;
    if (!dirCount || *dirCount < 3 || resDir + 8 > opt + *optSize)
        return std::nullopt;
    const auto resRva = U32(file, resDir), resSize = U32(file, resDir + 4);
    if (!resRva || !resSize || *resRva == 0 || *resSize == 0)
        return std::nullopt;

    std::vector<Section> sections;
    const std::uint64_t table = opt + *optSize;
    for (int i = 0; i < *sectionCount; ++i) {
        const std::uint64_t at = table + 40ull * i;
        const auto va = U32(file, at + 12), rawSize = U32(file, at + 16), rawOffset = U32(file, at + 20);
        if (!va || !rawSize || !rawOffset)
            return std::nullopt;
        sections.push_back({*va, *rawSize, *rawOffset});
    }
    PeImage image(file, std::move(sections));
    if (!image.SetResources(*resRva, *resSize))
        return std::nullopt;

    const auto group = image.Resource(RtGroupIcon, std::nullopt);
    if (!group)
        return std::nullopt;
    const auto count = GroupCount(*group, 1, 14);
    if (!count)
        return std::nullopt;
    std::vector<Candidate> cands;
    for (int i = 0; i < *count; ++i)
        AddCandidate(cands, image.Resource(RtIcon, *U16(*group, 6 + 14ull * i + 12)));
    return Choose(cands, size);
}

// ---- NE: the resource table of 16-bit programs.

std::optional<IconImage> ReadNe(Bytes file, std::uint32_t neAt, int size)
{
    const auto tableRel = U16(file, std::uint64_t(neAt) + 0x24);
    if (!tableRel)
        return std::nullopt;
    const std::uint64_t table = std::uint64_t(neAt) + *tableRel;
    const auto shift = U16(file, table);
    if (!shift || *shift > 16)
        return std::nullopt;

    struct NeResource {
        std::uint16_t type, id;
        std::optional<Bytes> data;
    };
    std::vector<NeResource> resources;
    std::uint64_t at = table + 2;
    for (int types = 0;; ++types) {
        const auto type = U16(file, at);
        if (!type || types > MaxDirectoryEntries)
            return std::nullopt;
        if (*type == 0)
            break;
        const auto count = U16(file, at + 2);
        if (!count || resources.size() + *count > std::size_t(MaxDirectoryEntries))
            return std::nullopt;
        at += 8;
        for (int i = 0; i < *count; ++i, at += 12) {
            const auto off = U16(file, at), len = U16(file, at + 2), id = U16(file, at + 6);
            if (!off || !len || !id)
                return std::nullopt;
            // Lengths are rounded up to the alignment, so the last one may
            // reach past the end of the file.
            const std::uint64_t start = std::uint64_t(*off) << *shift;
            const std::uint64_t avail = start < file.size() ? file.size() - start : 0;
            resources.push_back(
                {*type, *id, Slice(file, start, std::min(avail, std::uint64_t(*len) << *shift))});
        }
    }
    auto find = [&](std::uint16_t type, std::optional<std::uint16_t> id) -> std::optional<Bytes> {
        for (const NeResource& r : resources)
            if (r.type == (0x8000 | type) && (!id || (r.id & 0x7FFF) == *id))
                return r.data;
        return std::nullopt;
    };
    const auto group = find(RtGroupIcon, std::nullopt);
    if (!group)
        return std::nullopt;
    const auto count = GroupCount(*group, 1, 14);
    if (!count)
        return std::nullopt;
    std::vector<Candidate> cands;
    for (int i = 0; i < *count; ++i)
        AddCandidate(cands, find(RtIcon, *U16(*group, 6 + 14ull * i + 12) & 0x7FFF));
    return Choose(cands, size);
}

} // namespace

std::optional<IconImage> DecodeIconImage(Bytes data)
{
    if (!IsPng(data))
        return DecodeDib(data);
    const auto probe = ProbeImage(data);
    if (!probe)
        return std::nullopt;
    IconImage img;
    img.width = probe->width;
    img.height = probe->height;
    img.png.assign(data.begin(), data.end());
    return img;
}

std::optional<IconImage> ReadProgramIcon(Bytes file, int size)
{
    const auto mz = U16(file, 0);
    const auto headerAt = U32(file, 0x3C);
    if (!mz || *mz != 0x5A4D || !headerAt)
        return std::nullopt;
    const auto signature = U32(file, *headerAt);
    if (signature && *signature == 0x00004550) // "PE\0\0"
        return ReadPe(file, *headerAt, size);
    const auto ne = U16(file, *headerAt);
    if (ne && *ne == 0x454E) // "NE"
        return ReadNe(file, *headerAt, size);
    return std::nullopt;
}

std::optional<IconImage> ReadIconFile(Bytes file, int size)
{
    // Type 1 is an icon, 2 a cursor; the entries differ only in two fields
    // that the choice does not use.
    const auto type = U16(file, 2);
    if (!type || (*type != 1 && *type != 2))
        return std::nullopt;
    const auto count = GroupCount(file, *type, 16);
    if (!count)
        return std::nullopt;
    std::vector<Candidate> cands;
    for (int i = 0; i < *count; ++i) {
        const std::uint64_t entry = 6 + 16ull * i;
        AddCandidate(cands, Slice(file, *U32(file, entry + 12), *U32(file, entry + 8)));
    }
    return Choose(cands, size);
}

} // namespace pe
