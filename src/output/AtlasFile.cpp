// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/AtlasFile.h"
#include "output/PageStyle.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace {

// Fine enough that positions never show steps, as the chart's own PDF.
constexpr int pdfDpi = 1200;
constexpr double millimetresPerInch = 25.4;
// A table's rows are this many times its text's line spacing high.
constexpr double rowSpacing = 1.45;
constexpr double leastTablePoints = 4;

double rowHeight(const QFont &font, QPaintDevice *device)
{
    return QFontMetricsF(font, device).lineSpacing() * rowSpacing;
}

// Column widths at the font's size: each as wide as its widest text plus
// a little room. With `equalMonths` columns 1..12 (the months) are all as
// wide as the widest of them.
std::vector<double> columnWidths(const std::vector<QStringList> &rows, const QFont &font, QPaintDevice *device,
                                 bool equalMonths)
{
    const QFontMetricsF metrics(font, device);
    const double padding = metrics.averageCharWidth();
    std::vector<double> widths;
    for (const QStringList &row : rows)
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (widths.size() <= static_cast<std::size_t>(c))
                widths.resize(c + 1, 0);
            widths[c] = std::max(widths[c], metrics.horizontalAdvance(row[c]) + padding);
        }
    if (equalMonths && widths.size() > 12) {
        const double widest = *std::max_element(widths.begin() + 1, widths.begin() + 13);
        std::fill(widths.begin() + 1, widths.begin() + 13, widest);
    }
    return widths;
}

// Draws `rows` from `topLeft` with the given widths and row height: the
// header row and the first column on grey, every cell ruled.
void paintTable(QPainter &painter, const std::vector<QStringList> &rows, QPointF topLeft,
                const std::vector<double> &widths, double height, const QFont &font, double ruleWidth)
{
    QFont bold = font;
    bold.setBold(true);
    QPen rule(PageStyle::ruleColour());
    rule.setWidthF(ruleWidth);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        double x = topLeft.x();
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const QRectF cell(x, topLeft.y() + height * static_cast<double>(r), widths[c], height);
            if (r == 0 || c == 0)
                painter.fillRect(cell, PageStyle::headerFill());
            painter.setPen(rule);
            painter.drawRect(cell);
            painter.setPen(Qt::black);
            painter.setFont(r == 0 ? bold : font);
            if (c < static_cast<std::size_t>(rows[r].size()))
                painter.drawText(cell, Qt::AlignCenter, rows[r][c]);
            x += widths[c];
        }
    }
}

// A chart's values table in `box`: the text made smaller until every
// column fits across.
void paintValuesTable(QPainter &painter, const std::vector<QStringList> &rows, const QRectF &box,
                      QPaintDevice *device, double ruleWidth)
{
    if (rows.empty())
        return;
    QFont font = PageStyle::font(AtlasFile::tablePoints, false);
    std::vector<double> widths = columnWidths(rows, font, device, true);
    double total = 0;
    for (double w : widths)
        total += w;
    if (total > box.width()) {
        font.setPointSizeF(std::max(leastTablePoints, AtlasFile::tablePoints * box.width() / total));
        widths = columnWidths(rows, font, device, true);
    }
    // Every column widens alike to fill the box. (At the least size a
    // table of very long numbers may still be wider: the box's edge cuts it.)
    total = 0;
    for (double w : widths)
        total += w;
    if (total > 0 && total < box.width())
        for (double &w : widths)
            w *= box.width() / total;
    const double height = box.height() / static_cast<double>(rows.size());
    painter.save();
    painter.setClipRect(box.adjusted(-ruleWidth, -ruleWidth, ruleWidth, ruleWidth));
    paintTable(painter, rows, box.topLeft(), widths, height, font, ruleWidth);
    painter.restore();
}

} // namespace

AtlasFile::Result AtlasFile::pdf(const AtlasPlan &plan, const AtlasOptions &options, const Source &source,
                                 const QString &title, const Progress &progress)
{
    Result result;
    QBuffer buffer(&result.pdf);
    if (plan.charts.empty() || !AtlasOptions::isPerPageChoice(options.perPage) || !buffer.open(QIODevice::WriteOnly))
        return Result();
    const int total = static_cast<int>(plan.charts.size());
    const auto goOn = [&](int done) { return !progress || progress(done, total); };
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tervalo"));
        writer.setResolution(pdfDpi);
        const double margin = marginMillimetres;
        if (!writer.setPageLayout(QPageLayout(QPageSize(options.paper), QPageLayout::Portrait,
                                              QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter)))
            return Result();
        QPainter painter;
        if (!painter.begin(&writer))
            return Result();
        const double unitsPerMillimetre = writer.logicalDpiX() / millimetresPerInch;
        const QRectF area(0, 0, writer.width(), writer.height());
        const double ruleWidth = 0.15 * unitsPerMillimetre;
        const QFont heading = PageStyle::font(headingPoints, true);
        const double headingHeight = rowHeight(heading, &writer);
        const double tableRows = 3;   // header, temperature, precipitation

        std::vector<AtlasCell> cells;
        for (int i = 0; i < total; ++i) {
            if (!goOn(i)) {
                painter.end();
                return Result{QByteArray(), true};
            }
            const AtlasPlan::Chart &planned = plan.charts[i];
            const AtlasChart chart = source ? source(planned.place) : AtlasChart();
            const int slot = i % options.perPage;
            if (slot == 0) {
                if (i > 0 && !writer.newPage())
                    return Result();
                const double rows = chart.table.empty() ? tableRows : static_cast<double>(chart.table.size());
                const QSizeF picture = chart.picture.isValid() ? QSizeF(chart.picture.pixelSize) : QSizeF(4, 3);
                cells = AtlasLayout::cells(area, options.perPage, picture, headingHeight,
                                           rows * rowHeight(PageStyle::font(tablePoints, false), &writer),
                                           gapMillimetres * unitsPerMillimetre);
            }
            const AtlasCell &cell = cells[slot];
            painter.setPen(Qt::black);
            painter.setFont(heading);
            painter.drawText(cell.heading, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                             QFontMetricsF(heading, &writer).elidedText(planned.heading, Qt::ElideRight,
                                                                         cell.heading.width()));
            if (chart.picture.isValid()) {
                painter.save();
                painter.setClipRect(cell.chart);
                chart.picture.paint(painter, cell.chart);
                painter.restore();
            }
            paintValuesTable(painter, chart.table, cell.table, &writer, ruleWidth);
        }

        // The answer key: its title, then the table, on as many pages as it needs.
        if (!plan.answerKey.empty()) {
            if (!writer.newPage())
                return Result();
            const QFont titleFont = PageStyle::font(answerTitlePoints, true);
            painter.setFont(titleFont);
            painter.setPen(Qt::black);
            const QFontMetricsF titleMetrics(titleFont, &writer);
            painter.drawText(QPointF(0, titleMetrics.ascent()), QStringLiteral("Answer key"));
            double y = titleMetrics.lineSpacing() * 1.5;

            QFont font = PageStyle::font(answerPoints, false);
            std::vector<double> widths = columnWidths(plan.answerKey, font, &writer, false);
            double width = 0;
            for (double w : widths)
                width += w;
            if (width > area.width()) {
                font.setPointSizeF(answerPoints * area.width() / width);
                widths = columnWidths(plan.answerKey, font, &writer, false);
            }
            const double height = rowHeight(font, &writer);
            const std::vector<QStringList> header{plan.answerKey.front()};
            std::size_t next = 1;
            while (next < plan.answerKey.size()) {
                const auto fit = static_cast<std::size_t>(std::max(1.0, std::floor((area.height() - y) / height) - 1));
                const std::size_t end = std::min(plan.answerKey.size(), next + fit);
                std::vector<QStringList> rows = header;
                rows.insert(rows.end(), plan.answerKey.begin() + static_cast<std::ptrdiff_t>(next),
                            plan.answerKey.begin() + static_cast<std::ptrdiff_t>(end));
                paintTable(painter, rows, QPointF(0, y), widths, height, font, ruleWidth);
                next = end;
                if (next < plan.answerKey.size()) {
                    if (!writer.newPage())
                        return Result();
                    y = 0;
                }
            }
        }
        if (!painter.end())
            return Result();
    }
    if (!goOn(total))
        return Result{QByteArray(), true};
    return result;
}
