// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/LegendLayout.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

// The width a label needs to show `text` whole: the advance, or the ink
// where a glyph reaches beyond it.
int textWidth(const QFontMetrics &metrics, const QString &text)
{
    return std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).width());
}

LegendLayout::Result layOut(const QStringList &texts, const QFont &font, int rowStep,
                            const LegendLayout::Frame &frame)
{
    LegendLayout::Result result;
    result.font = font;
    result.rowStep = rowStep;
    const int count = static_cast<int>(texts.size());
    const int rowsThatFit = std::max(1, (frame.room.height() - frame.baseHeight) / std::max(rowStep, 1));
    result.columns = std::max(1, (count + rowsThatFit - 1) / rowsThatFit);
    result.rows = (count + result.columns - 1) / result.columns;

    const QFontMetrics metrics(font);
    int x = frame.first.x();
    for (int column = 0; column < result.columns; ++column) {
        const int firstEntry = column * result.rows;
        const int lastEntry = std::min(count, firstEntry + result.rows);
        int width = 0;
        for (int i = firstEntry; i < lastEntry; ++i)
            width = std::max(width, textWidth(metrics, texts[i]));
        for (int i = firstEntry; i < lastEntry; ++i)
            result.entries.emplace_back(x, frame.first.y() + (i - firstEntry) * rowStep, width, rowStep);
        x += width + (column + 1 < result.columns ? frame.columnGap : 0);
    }
    result.frame = QSize(x + frame.rightMargin, frame.baseHeight + result.rows * rowStep);
    return result;
}

} // namespace

LegendLayout::Result LegendLayout::arrange(const QStringList &texts, const QFont &font, const Frame &frame)
{
    const double designPoints = font.pointSizeF();
    Result result = layOut(texts, font, frame.rowStep, frame);
    for (double points = designPoints - pointsStep;
         result.frame.width() > frame.room.width() && points >= smallestPoints - 1e-9; points -= pointsStep) {
        QFont smaller = font;
        smaller.setPointSizeF(points);
        // Rows as tall as the smaller font's lines, never taller than at the
        // label font.
        const int step = std::min(frame.rowStep, QFontMetrics(smaller).height());
        result = layOut(texts, smaller, step, frame);
    }
    return result;
}
