// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/ChartPicture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

// The chart saved as a file: a PNG image, or an SVG or PDF drawing whose
// lines and texts stay sharp at any size. Each file is composed in memory
// first and then written in one go, so a failure half-way never leaves a
// damaged file behind.
class ChartFile
{
public:
    enum class Format { Png, Svg, Pdf };

    // The format a file name asks for by its extension (any case).
    static std::optional<Format> formatOf(const QString &path);

    // Resolutions a PNG can be drawn at, in dots per inch. The screen shows
    // the chart at 96: a screen pixel is 1/96 inch.
    static constexpr int screenDpi = 96;
    static constexpr int minimumDpi = 72;
    static constexpr int maximumDpi = 600;

    // PNG bytes of an image; empty when it cannot be encoded.
    static QByteArray png(const QImage &image);
    // The chart drawn afresh at `dpi` dots per inch (minimumDpi..maximumDpi),
    // as PNG bytes whose header records that resolution; empty for a
    // resolution outside that range.
    static QByteArray png(const ChartPicture &chart, int dpi);
    // The size in pixels of a picture `pixelSize` on the screen, drawn at `dpi`.
    static QSize pixelSizeAt(const QSize &pixelSize, int dpi);
    // Records `dpi` in the image, for its PNG header.
    static void setDpi(QImage &image, int dpi);
    // Vector drawings of the chart at its size on the screen; `title` goes
    // into the file's own title.
    static QByteArray svg(const ChartPicture &chart, const QString &title);
    static QByteArray pdf(const ChartPicture &chart, const QString &title);

    // Saves `bytes` as `path` through FileSaver::save, which replaces an old
    // file only when everything was written. Returns why it failed; an empty
    // text on success.
    static QString write(const QString &path, const QByteArray &bytes);
};
