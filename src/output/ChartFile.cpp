// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ChartFile.h"

#include "data/FileSaver.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

namespace {

// A screen pixel is 1/96 inch, three quarters of a point.
constexpr double pointsPerPixel = 0.75;
constexpr double metresPerInch = 0.0254;
// The PDF's own resolution: fine enough that its positions never show steps.
constexpr int pdfDpi = 1200;

} // namespace

std::optional<ChartFile::Format> ChartFile::formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"png")
        return Format::Png;
    if (suffix == u"svg")
        return Format::Svg;
    if (suffix == u"pdf")
        return Format::Pdf;
    return std::nullopt;
}

QByteArray ChartFile::png(const QImage &image)
{
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return QByteArray();
    return bytes;
}

QSize ChartFile::pixelSizeAt(const QSize &pixelSize, int dpi)
{
    const double scale = static_cast<double>(dpi) / screenDpi;
    return QSize(qRound(pixelSize.width() * scale), qRound(pixelSize.height() * scale));
}

void ChartFile::setDpi(QImage &image, int dpi)
{
    // The header keeps whole dots per metre: 300 dpi is 11811, which reads
    // back as 299.9994 and rounds to 300 again.
    image.setDotsPerMeterX(qRound(dpi / metresPerInch));
    image.setDotsPerMeterY(qRound(dpi / metresPerInch));
}

QByteArray ChartFile::png(const ChartPicture &chart, int dpi)
{
    if (!chart.isValid() || dpi < minimumDpi || dpi > maximumDpi)
        return QByteArray();
    QImage image(pixelSizeAt(chart.pixelSize, dpi), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return QByteArray();
    // Set before painting: texts given in points take the image's resolution.
    setDpi(image, dpi);
    image.fill(Qt::white);
    QPainter painter(&image);
    chart.paint(painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    painter.end();
    return png(image);
}

QByteArray ChartFile::svg(const ChartPicture &chart, const QString &title)
{
    if (!chart.isValid())
        return QByteArray();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return QByteArray();
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(chart.pixelSize);
    generator.setViewBox(QRect(QPoint(0, 0), chart.pixelSize));
    generator.setResolution(screenDpi);
    generator.setTitle(title);
    QPainter painter;
    if (!painter.begin(&generator))
        return QByteArray();
    chart.paint(painter, QRectF(QPointF(0, 0), QSizeF(chart.pixelSize)));
    if (!painter.end())
        return QByteArray();
    // The generator opens a group for every change of pen or font, most of
    // them with nothing inside; without those the file is a quarter the size.
    static const QRegularExpression emptyGroup(QStringLiteral("<g [^>]*>\\s*</g>\\s*"));
    return QString::fromUtf8(bytes).remove(emptyGroup).toUtf8();
}

QByteArray ChartFile::pdf(const ChartPicture &chart, const QString &title)
{
    if (!chart.isValid())
        return QByteArray();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return QByteArray();
    {
        // One page exactly the size of the chart, without margins.
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tervalo"));
        writer.setResolution(pdfDpi);
        const QSizeF points(chart.pixelSize.width() * pointsPerPixel, chart.pixelSize.height() * pointsPerPixel);
        if (!writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait,
                                              QMarginsF(0, 0, 0, 0))))
            return QByteArray();
        QPainter painter;
        if (!painter.begin(&writer))
            return QByteArray();
        chart.paint(painter, QRectF(0, 0, writer.width(), writer.height()));
        if (!painter.end())
            return QByteArray();
    }
    return bytes;
}

QString ChartFile::write(const QString &path, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("The chart could not be composed");
    return FileSaver::save(path, bytes);
}
