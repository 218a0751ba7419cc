// Program files: the icon resources of PE32 and PE32+ programs (sections
// and the resource tree) and of older NE programs (the resource table).
#include <algorithm>
#include <functional>
#include <set>

#include "transfer/IconBytes.h"

namespace pe {
namespace {

constexpr std::uint16_t RtIcon = 3;
constexpr std::uint16_t RtGroupIcon = 14;

// Looks up a resource by numeric type and, when given, numeric name; else
// the first name of the type.
using FindResource = std::function<std::optional<Bytes>(std::uint16_t type, std::optional<std::uint16_t> id)>;

// The first icon group and the images it names, as every container has them.
std::optional<IconImage> ChooseFromGroup(const FindResource& find, int size)
{
    const auto group = find(RtGroupIcon, std::nullopt);
    if (!group)
        return std::nullopt;
    const auto count = GroupCount(*group, 1, 14);
    if (!count)
        return std::nullopt;
    std::vector<Candidate> cands;
    for (int i = 0; i < *count; ++i)
        AddCandidate(cands, find(RtIcon, *U16(*group, 6 + 14ull * i + 12)));
    return Choose(cands, size);
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

    return ChooseFromGroup([&image](std::uint16_t type, std::optional<std::uint16_t> id) {
        return image.Resource(type, id);
    }, size);
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
    // Numeric types and names have their top bit set.
    return ChooseFromGroup(
        [&resources](std::uint16_t type, std::optional<std::uint16_t> id) -> std::optional<Bytes> {
            for (const NeResource& r : resources)
                if (r.type == (0x8000 | type) && (!id || (r.id & 0x7FFF) == (*id & 0x7FFF)))
                    return r.data;
            return std::nullopt;
        },
        size);
}

} // namespace

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

} // namespace pe
