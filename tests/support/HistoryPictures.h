// Pictures for the tests of the picture history, and the history's states
// as lists of numbers, so a failure reads as which states came back.
#pragma once
#include <QString>
#include <QStringList>
#include <vector>

#include "files/HistoryDatabase.h"

// A picture that tells its number: pixel 0 holds it, the rest a pattern with
// colours from outside the palette.
inline HistoryImage Numbered(int n, int colours = 4)
{
    HistoryImage image;
    for (int i = 0; i < HistoryPixels; ++i)
        image[std::size_t(i)] = Rgb(std::uint8_t(i % colours * 7), std::uint8_t(i % colours), 3);
    image[0] = Colour{std::uint32_t(n)};
    return image;
}

// A picture of 1024 different colours (the largest a state gets) whose
// number is in the high bits of every pixel.
inline HistoryImage Busy(int n)
{
    HistoryImage image;
    for (int i = 0; i < HistoryPixels; ++i)
        image[std::size_t(i)] = Colour{std::uint32_t(n) << 10 | std::uint32_t(i)};
    return image;
}

// The number of a Numbered row, or -1 when its picture does not decode.
inline int NumberOf(const HistoryRow& row)
{
    HistoryImage image;
    if (!DecodeHistoryPicture(row.picture.data(), row.picture.size(), image))
        return -1;
    return int(std::uint32_t(image[0]));
}

// The numbers of the rows (newest first, as read), oldest first; with
// `busy`, of Busy rows.
inline std::vector<int> Numbers(const std::vector<HistoryRow>& rows, bool busy = false)
{
    std::vector<int> numbers;
    for (auto r = rows.rbegin(); r != rows.rend(); ++r)
        numbers.push_back(NumberOf(*r) < 0 ? -1 : busy ? NumberOf(*r) >> 10 : NumberOf(*r));
    return numbers;
}

inline std::vector<int> Range(int from, int to)
{
    std::vector<int> v;
    for (int i = from; i < to; ++i)
        v.push_back(i);
    return v;
}

inline QString Text(const std::vector<int>& v)
{
    QStringList parts;
    for (int i : v)
        parts << QString::number(i);
    return parts.join(' ');
}
