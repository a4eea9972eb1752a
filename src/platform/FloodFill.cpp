// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FloodFill.h"

#include <algorithm>

namespace {

constexpr QRgb rgbMask = 0x00FFFFFF;

bool isDirect32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

// Scanline search on a 32-bit image. `visited` marks pixels already taken
// into the region so that no run is collected twice.
std::vector<FloodFill::Span> findRegion(const QImage &image, int seedX, int seedY)
{
    std::vector<FloodFill::Span> spans;
    const int width = image.width();
    const int height = image.height();
    if (seedX < 0 || seedY < 0 || seedX >= width || seedY >= height)
        return spans;

    const auto row = [&image](int y) {
        return reinterpret_cast<const QRgb *>(image.constScanLine(y));
    };
    const QRgb target = row(seedY)[seedX] & rgbMask;
    std::vector<quint8> visited(static_cast<size_t>(width) * height, 0);
    const auto seen = [&](int x, int y) -> quint8 & {
        return visited[static_cast<size_t>(y) * width + x];
    };

    // A seed remembers the run it was found from (row and extent): that run
    // is known to be in the region, so its part of the row is not scanned
    // again for seeds.
    struct Seed { int x, y, fromY, fromLeft, fromRight; };
    std::vector<Seed> stack{{seedX, seedY, -1, 0, -1}};
    while (!stack.empty()) {
        const Seed seed = stack.back();
        stack.pop_back();
        const QRgb *line = row(seed.y);
        if (seen(seed.x, seed.y) || (line[seed.x] & rgbMask) != target)
            continue;

        int left = seed.x;
        while (left > 0 && !seen(left - 1, seed.y) && (line[left - 1] & rgbMask) == target)
            --left;
        int right = seed.x;
        while (right + 1 < width && !seen(right + 1, seed.y) && (line[right + 1] & rgbMask) == target)
            ++right;
        for (int x = left; x <= right; ++x)
            seen(x, seed.y) = 1;
        spans.push_back({seed.y, left, right});

        // One seed per run of matching, unvisited pixels in the rows above
        // and below.
        for (const int y : {seed.y - 1, seed.y + 1}) {
            if (y < 0 || y >= height)
                continue;
            const QRgb *next = row(y);
            const quint8 *nextSeen = &seen(0, y);
            const auto scan = [&](int from, int to) {
                bool inRun = false;
                for (int x = from; x <= to; ++x) {
                    // Branch-free test: runs are long, their ends rare.
                    const bool matches = (nextSeen[x] == 0) & ((next[x] & rgbMask) == target);
                    if (matches & !inRun)
                        stack.push_back({x, y, seed.y, left, right});
                    inRun = matches;
                }
            };
            if (y == seed.fromY) {
                scan(left, std::min(right, seed.fromLeft - 1));
                scan(std::max(left, seed.fromRight + 1), right);
            } else {
                scan(left, right);
            }
        }
    }
    return spans;
}

} // namespace

namespace FloodFill {

std::vector<Span> region(const QImage &image, int x, int y)
{
    if (isDirect32(image.format()))
        return findRegion(image, x, y);
    return findRegion(image.convertToFormat(QImage::Format_RGB32), x, y);
}

qint64 fill(QImage &image, int x, int y, QRgb colour)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return 0;
    if (!isDirect32(image.format()))
        image.convertTo(QImage::Format_RGB32);
    if ((image.pixel(x, y) & rgbMask) == (colour & rgbMask))
        return 0;

    const std::vector<Span> spans = findRegion(image, x, y);
    const QRgb painted = colour | 0xFF000000;
    qint64 count = 0;
    for (const Span &span : spans) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(span.y));
        for (int px = span.left; px <= span.right; ++px)
            line[px] = painted;
        count += span.right - span.left + 1;
    }
    return count;
}

qint64 fillFromEdges(QImage &image, QRgb background, QRgb colour)
{
    const int width = image.width();
    const int height = image.height();
    if (width == 0 || height == 0 || (background & rgbMask) == (colour & rgbMask))
        return 0;
    if (!isDirect32(image.format()))
        image.convertTo(QImage::Format_RGB32);
    // Once a piece is filled its other edge pixels no longer have the
    // background colour: each piece is searched once.
    qint64 count = 0;
    const auto seed = [&](int x, int y) {
        if ((image.pixel(x, y) & rgbMask) == (background & rgbMask))
            count += fill(image, x, y, colour);
    };
    for (int x = 0; x < width; ++x) {
        seed(x, 0);
        seed(x, height - 1);
    }
    for (int y = 1; y < height - 1; ++y) {
        seed(0, y);
        seed(width - 1, y);
    }
    return count;
}

qint64 countPixels(const QImage &image, QRgb colour, const QRect &area)
{
    const QRect clipped = area.intersected(image.rect());
    if (clipped.isEmpty())
        return 0;
    const QImage source = isDirect32(image.format()) ? image : image.convertToFormat(QImage::Format_RGB32);
    const QRgb target = colour & rgbMask;
    qint64 count = 0;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += (line[x] & rgbMask) == target;
    }
    return count;
}

} // namespace FloodFill
