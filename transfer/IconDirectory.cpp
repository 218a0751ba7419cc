// The choice among the images of one icon group or icon file, and the icon
// file itself (.ico and .cur).
#include <algorithm>
#include <tuple>

#include "transfer/IconBytes.h"

namespace pe {

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

std::optional<std::uint16_t> GroupCount(Bytes group, std::uint16_t type, std::uint64_t entrySize)
{
    const auto reserved = U16(group, 0), kind = U16(group, 2), count = U16(group, 4);
    if (!reserved || !kind || !count || *reserved != 0 || *kind != type || *count == 0 ||
        *count > MaxGroupEntries || !Fits(group, 6, entrySize * *count))
        return std::nullopt;
    return count;
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
