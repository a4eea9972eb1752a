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

    // PNG bytes of an image; empty when it cannot be encoded.
    static QByteArray png(const QImage &image);
    // The chart drawn at `scale` times its size on the screen, as PNG bytes.
    static QByteArray png(const ChartPicture &chart, int scale);
    // Vector drawings of the chart at its size on the screen; `title` goes
    // into the file's own title.
    static QByteArray svg(const ChartPicture &chart, const QString &title);
    static QByteArray pdf(const ChartPicture &chart, const QString &title);

    // Saves `bytes` as `path` through FileSaver::save, which replaces an old
    // file only when everything was written. Returns why it failed; an empty
    // text on success.
    static QString write(const QString &path, const QByteArray &bytes);
};
