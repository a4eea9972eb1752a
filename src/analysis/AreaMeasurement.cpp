// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/AreaMeasurement.h"

#include "data/NumberText.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int noMonthLabels = 4;
constexpr int rightButton = 2;
constexpr int lastDataSet = 50;

// The data set number a list entry starts with ("12 - Lisbon" → 12).
std::optional<int> dataSetNumber(const QString &entry)
{
    const double number = NumberText::leadingValue(QStringView(entry).left(2));
    return NumberText::wholeNumber(number, 0, lastDataSet);
}

// The counts skip the picture's first row and column; the total still holds
// them, so two identical diagrams measure a little under 100 %.
QRect countedArea(QSize size)
{
    return QRect(1, 1, size.width() - 1, size.height() - 1);
}

} // namespace

AreaMeasurement::AreaMeasurement(Window &window, bool &measuring, int &totalPixels)
    : m_window(window), m_measuring(measuring), m_totalPixels(totalPixels)
{
}

void AreaMeasurement::Command3_Click()
{
    if (m_measuring)
        finish();
    else
        start();
}

void AreaMeasurement::start()
{
    if (m_window.chartKind() == ChartKind::WalterLieth) {
        Dialogs::message(m_window.dialogParent(),
                         QStringLiteral("The superposed area is measured between two climate diagrams: "
                                        "choose \"Tervalo\" in the Graph frame first"),
                         QStringLiteral("Warning"), QMessageBox::Warning);
        return;
    }
    if (m_window.checkedDataSets() != 2) {
        Dialogs::message(m_window.dialogParent(), QStringLiteral("Select in the upper list two different places"),
                         QStringLiteral("Warning"), QMessageBox::Warning);
        return;
    }
    m_measuring = true;
    m_window.setButtonCaption(QStringLiteral("Finish area"));

    m_savedLegend = m_window.isLegendChecked();
    m_savedGridX = m_window.isGridXChecked();
    m_savedGridY = m_window.isGridYChecked();
    const int monthStyle = m_window.monthLabelOption();
    if (monthStyle >= 0)
        m_savedMonthStyle = monthStyle;

    // The two diagrams alone: their outlines are all the picture holds.
    m_window.Option1_Click(noMonthLabels);
    m_window.setLegendChecked(false);
    m_window.setGridXChecked(false);
    m_window.setGridYChecked(false);
    m_window.Option1_Click(noMonthLabels);

    const int items = std::min(m_window.selectedItemCount(), static_cast<int>(m_setIndex.size()));
    for (int i = 0; i < items; ++i) {
        const std::optional<int> n = dataSetNumber(m_window.selectItem(i));
        if (!n)
            continue;
        m_setIndex[i] = *n;
        m_savedMarker[*n] = m_window.markerSize(*n);
        m_window.setMarkerSize(*n, 0);
        m_savedLineStyle[*n] = m_window.lineStyle(*n);
        m_window.setLineStyle(*n, 0);
    }

    m_window.reFaz(true);
    FillPolygon();
    // The black flood goes again; the outlines stay for the right-clicks.
    m_window.reFaz(true);

    Dialogs::message(m_window.dialogParent(), QStringLiteral("Right clik in the areas where the Tervalos superposes."),
                     QStringLiteral("Instruction"), QMessageBox::Information);
}

void AreaMeasurement::FillPolygon()
{
    m_window.setProgressVisible(true);
    m_window.setProgress(0);
    Canvas &canvas = m_window.plottingArea();
    const QSize size = canvas.size();

    // The outside is all the background that reaches the picture's edge,
    // however many pieces the diagrams cut it into and whatever lies on the
    // corner pixels.
    canvas.floodFillFromEdges(canvas.background(), outside);
    const qint64 outsidePixels = canvas.countPixels(outside, countedArea(size));
    m_window.setProgress(100);

    m_totalPixels = static_cast<int>(qint64(size.width()) * size.height() - outsidePixels);
    m_window.setResultText(QString::number(m_totalPixels));
    m_window.setProgressVisible(false);
}

void AreaMeasurement::Picture4_MouseDown(int button, double x, double y)
{
    if (!m_measuring || button != rightButton)
        return;
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    Canvas &canvas = m_window.plottingArea();
    const QSize size = canvas.size();
    const int px = static_cast<int>(std::nearbyint(std::clamp(x, -1.0, double(size.width()))));
    const int py = static_cast<int>(std::nearbyint(std::clamp(y, -1.0, double(size.height()))));
    canvas.floodFill(px, py, overlap);

    // Every grey pixel counts: the regions of earlier clicks too.
    const qint64 overlapPixels = canvas.countPixels(overlap, countedArea(size));
    if (m_totalPixels == 0)
        return;
    const double percent = double(overlapPixels) * 100.0 / m_totalPixels;
    m_window.setResultText(NumberText::fixed(percent, 1) + QStringLiteral(" %"));
}

void AreaMeasurement::abandon()
{
    if (!m_measuring)
        return;
    for (int i : {0, 1}) {
        const int n = m_setIndex[i];
        m_window.setMarkerSize(n, m_savedMarker[n]);
        m_window.setLineStyle(n, m_savedLineStyle[n]);
    }
}

void AreaMeasurement::finish()
{
    m_measuring = false;
    m_window.setLegendChecked(m_savedLegend);
    m_window.setGridXChecked(m_savedGridX);
    m_window.setGridYChecked(m_savedGridY);
    for (int i : {0, 1}) {
        const int n = m_setIndex[i];
        m_window.setMarkerSize(n, m_savedMarker[n]);
        m_window.setLineStyle(n, m_savedLineStyle[n]);
    }
    m_window.Option1_Click(m_savedMonthStyle);
    m_window.setButtonCaption(QStringLiteral("Área"));
    Dialogs::message(m_window.dialogParent(),
                     QStringLiteral("The superposed area corresponds to") + m_window.resultText()
                         + QStringLiteral("of the total area."),
                     QStringLiteral("Area"), QMessageBox::Information);
}
