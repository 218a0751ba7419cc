#include "files/Options.h"

#include <charconv>
#include <vector>

#include "core/Editor.h"
#include "core/Transparent.h"

namespace {
constexpr int ItemCount = 1 + ViewOptionCount;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The first ItemCount items. A field is cut by a comma or a line end; an
// empty field counts only between two commas, so "1,\n0", blank lines and a
// final comma add no item.
std::vector<std::string_view> Items(std::string_view text)
{
    std::vector<std::string_view> items;
    bool openedByComma = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size() && items.size() < ItemCount; ++i) {
        const bool end = i == text.size();
        if (!end && text[i] != ',' && !IsLineEnd(text[i]))
            continue;
        const bool closedByComma = !end && text[i] == ',';
        const std::string_view field = Trim(text.substr(start, i - start));
        if (!field.empty() || (openedByComma && closedByComma))
            items.push_back(field);
        openedByComma = closedByComma;
        start = i + 1;
    }
    return items;
}

// A decimal integer; values beyond the range of long long are still numbers,
// reported as the nearest end of that range.
std::optional<long long> Number(std::string_view s)
{
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return std::nullopt;
    for (char c : s)
        if (c < '0' || c > '9')
            return std::nullopt;
    unsigned long long magnitude = 0;
    auto [end, err] = std::from_chars(s.data(), s.data() + s.size(), magnitude);
    (void)end;
    constexpr unsigned long long Limit = 1ULL << 62;
    if (err == std::errc::result_out_of_range || magnitude > Limit)
        magnitude = Limit;
    const long long v = static_cast<long long>(magnitude);
    return negative ? -v : v;
}
} // namespace

StoredOptions ParseOptions(std::string_view text)
{
    StoredOptions stored;
    const std::vector<std::string_view> items = Items(text);
    if (!items.empty())
        if (auto n = Number(items[0]); n && *n >= 0 && *n <= NoTransparentIndex
                                        && IsTransparentIndex(static_cast<int>(*n)))
            stored.transparentIndex = static_cast<int>(*n);
    for (std::size_t i = 1; i < items.size(); ++i)
        if (auto v = Number(items[i]))
            stored.views[i - 1] = *v == 1;
    return stored;
}

std::string FormatOptions(int transparentIndex, const std::array<bool, ViewOptionCount>& views)
{
    std::string text = std::to_string(transparentIndex) + "\n";
    for (bool on : views)
        text += on ? "1\n" : "0\n";
    return text;
}
