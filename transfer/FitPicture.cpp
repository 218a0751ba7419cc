#include "transfer/FitPicture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "transfer/LinearLight.h"

namespace {

// The source pixels under one output pixel along one axis: output pixel i
// of n covers [i * len / n, (i + 1) * len / n) of the source's len pixels.
// Positions are counted in units of 1/n so the edges are exact.
struct Span {
    int first;         // first source pixel touched
    int last;          // last source pixel touched
    float firstWeight; // covered part of `first` (the whole weight when first == last)
    float lastWeight;  // covered part of `last`
};

std::vector<Span> Spans(int len, int n)
{
    std::vector<Span> spans(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const long long a = (long long)i * len;
        const long long b = (long long)(i + 1) * len;
        Span& s = spans[std::size_t(i)];
        s.first = int(a / n);
        s.last = int((b - 1) / n);
        if (s.first == s.last) {
            s.firstWeight = s.lastWeight = float(b - a) / float(n);
        } else {
            s.firstWeight = float((long long)(s.first + 1) * n - a) / float(n);
            s.lastWeight = float(b - (long long)s.last * n) / float(n);
        }
    }
    return spans;
}

struct Sum {
    float r = 0, g = 0, b = 0, a = 0;
};

// One source row summed over the horizontal spans: colour weighted by alpha.
template <bool Opaque>
void SumRow(const QRgb* line, const std::vector<Span>& spans, std::vector<Sum>& out)
{
    const std::array<float, 256>& lin = SrgbToLinearTable();
    const auto add = [&](Sum& s, QRgb p, float w) {
        const float a = Opaque ? w : w * float(qAlpha(p)) * (1.0f / 255);
        s.r += lin[qRed(p)] * a;
        s.g += lin[qGreen(p)] * a;
        s.b += lin[qBlue(p)] * a;
        s.a += a;
    };
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const Span& sp = spans[i];
        Sum s;
        add(s, line[sp.first], sp.firstWeight);
        if (sp.last != sp.first) {
            // The inner pixels count whole: no weight to multiply.
            float r = 0, g = 0, b = 0, a = 0;
            for (int x = sp.first + 1; x < sp.last; ++x) {
                const QRgb p = line[x];
                const float pa = Opaque ? 1.0f : float(qAlpha(p)) * (1.0f / 255);
                r += lin[qRed(p)] * pa;
                g += lin[qGreen(p)] * pa;
                b += lin[qBlue(p)] * pa;
                a += pa;
            }
            s.r += r;
            s.g += g;
            s.b += b;
            s.a += a;
            add(s, line[sp.last], sp.lastWeight);
        }
        out[i] = s;
    }
}

} // namespace

FitBox FitRectangle(int pictureWidth, int pictureHeight, int side)
{
    if (pictureWidth < 1 || pictureHeight < 1 || side < 1)
        return {0, 0, 0, 0};
    // The longer side fills the square; the other keeps the proportion.
    int w = side;
    int h = side;
    if (pictureWidth > pictureHeight)
        h = int(std::clamp<long long>(((long long)pictureHeight * side * 2 + pictureWidth) /
                                          (2LL * pictureWidth),
                                      1, side));
    else if (pictureHeight > pictureWidth)
        w = int(std::clamp<long long>(((long long)pictureWidth * side * 2 + pictureHeight) /
                                          (2LL * pictureHeight),
                                      1, side));
    return {(side - w) / 2, (side - h) / 2, w, h};
}

QImage FitPicture(const QImage& picture, int side)
{
    QImage out(std::max(side, 1), std::max(side, 1), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const FitBox box = FitRectangle(picture.width(), picture.height(), side);
    if (picture.isNull() || box.width < 1)
        return out;
    // Both 32-bit formats are read in place; any other is converted once.
    QImage src = picture;
    bool opaque = src.format() == QImage::Format_RGB32;
    if (!opaque && src.format() != QImage::Format_ARGB32) {
        opaque = !src.hasAlphaChannel();
        src = src.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
        if (src.isNull())
            return out;
    }

    const std::vector<Span> across = Spans(src.width(), box.width);
    const std::vector<Span> down = Spans(src.height(), box.height);
    std::vector<Sum> rowSums(std::size_t(box.width));
    std::vector<double> acc(std::size_t(box.width) * 4);
    // Alpha of a pixel wholly covered is 1 when the covered area is reached.
    const double area = double(src.width()) / box.width * (double(src.height()) / box.height);
    int summedRow = -1;
    const auto sumRow = [&](int y) {
        if (y == summedRow) // a source row shared by two output rows is summed once
            return;
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        if (opaque)
            SumRow<true>(line, across, rowSums);
        else
            SumRow<false>(line, across, rowSums);
        summedRow = y;
    };
    const auto addRow = [&](double w) {
        for (std::size_t i = 0; i < rowSums.size(); ++i) {
            acc[i * 4 + 0] += w * rowSums[i].r;
            acc[i * 4 + 1] += w * rowSums[i].g;
            acc[i * 4 + 2] += w * rowSums[i].b;
            acc[i * 4 + 3] += w * rowSums[i].a;
        }
    };

    for (int j = 0; j < box.height; ++j) {
        std::fill(acc.begin(), acc.end(), 0.0);
        const Span& sp = down[std::size_t(j)];
        for (int y = sp.first; y <= sp.last; ++y) {
            sumRow(y);
            addRow(y == sp.first ? sp.firstWeight : y == sp.last ? sp.lastWeight : 1.0);
        }
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(box.top + j)) + box.left;
        for (int i = 0; i < box.width; ++i) {
            const double a = acc[std::size_t(i) * 4 + 3];
            const int alpha = int(std::lround(std::clamp(a / area, 0.0, 1.0) * 255));
            if (alpha == 0)
                continue;
            line[i] = qRgba(LinearToSrgb(acc[std::size_t(i) * 4 + 0] / a),
                            LinearToSrgb(acc[std::size_t(i) * 4 + 1] / a),
                            LinearToSrgb(acc[std::size_t(i) * 4 + 2] / a), alpha);
        }
    }
    return out;
}
