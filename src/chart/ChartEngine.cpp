// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartEngine.h"

#include "app/MainState.h"
#include "data/ProgramState.h"
#include "chart/MonthLabels.h"
#include "chart/PlotMapping.h"
#include "chart/Scale.h"
#include "data/Rgb.h"
#include "data/NumberText.h"
#include "platform/DataGrid.h"
#include "platform/PictureBox.h"
#include "data/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <optional>

namespace {

// Drawing constants, twips.
constexpr double tickLength = 30;
constexpr double yLabelGap = 90;          // right end of a left-axis label to the axis
constexpr double xLabelDrop = 45;         // X axis to the top of its labels
// Right axis to the left edge of its labels. 90 rather than the tick's 30
// plus a hair: with only two pixels between a tick and its label, the tick
// reads as a minus sign in front of every number.
constexpr double rightLabelGap = 90;
constexpr double monthLabelGap = 90;      // right end of a month label to its point
constexpr double markerRadiusPerSize = 30;
constexpr double barWidth = 60;
constexpr double barOffsetPerSet = 100;   // a month's bar group: 100 per checked set …
constexpr int barShiftPerSet = 90;        // … less 90 per position

constexpr qint32 black = 0;
constexpr qint32 gridGrey = Rgb::pack(180, 180, 180);

// Beyond this a position is far off the picture whatever its size; keeps the
// twips-to-pixels conversion of the bars inside an int.
constexpr double farOff = 1e7;

bool boxChecked(const QAbstractButton *box)
{
    return box && box->isChecked();
}

std::optional<double> number(const QLineEdit *box)
{
    if (!box)
        return std::nullopt;
    return NumberText::parse(box->text());
}

void setTextIfChanged(QLineEdit *box, const QString &text)
{
    if (box && box->text() != text)
        box->setText(text);
}

Canvas::LineStyle lineStyleOf(int lineType)
{
    switch (lineType) {
    case 1: return Canvas::LineStyle::Dash;
    case 2: return Canvas::LineStyle::Dot;
    case 3: return Canvas::LineStyle::DashDot;
    case 4: return Canvas::LineStyle::DashDotDot;
    default: return Canvas::LineStyle::Solid;
    }
}

Canvas::FillStyle barFillOf(int lineType)
{
    switch (lineType) {
    case 1: return Canvas::FillStyle::Hollow;
    case 2: return Canvas::FillStyle::Horizontal;
    case 3: return Canvas::FillStyle::Vertical;
    case 4: return Canvas::FillStyle::UpwardDiagonal;
    default: return Canvas::FillStyle::Solid;
    }
}

RasterCanvas *canvasOf(PictureBox *box)
{
    return box ? &box->canvas() : nullptr;
}

int barPixel(double twips)
{
    return Twips::toPixels(std::clamp(twips, -farOff, farOff));
}

} // namespace

ChartEngine::ChartEngine(MainState &state, ProgramState &program, const ChartControls &controls,
                         QObject *parent)
    : QObject(parent), m_state(state), m_program(program), m_controls(controls)
{
    for (PictureBox *box : {m_controls.Picture1, m_controls.Picture4}) {
        if (RasterCanvas *picture = canvasOf(box))
            picture->setTextFont(labelFont());
    }
    connectControls();
}

QFont ChartEngine::labelFont()
{
    // A small clean sans face; pixel size so that the labels keep their size
    // whatever the screen's dots per inch (11 px is 8.25 pt at 96 dpi).
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
}

void ChartEngine::connectControls()
{
    const ChartControls &c = m_controls;
    // A scale box is validated when the user leaves it, whether or not its
    // text changed (editingFinished would miss an unchanged box).
    for (QLineEdit *box : c.TextEsc)
        if (box)
            box->installEventFilter(this);
    if (c.Command1)
        connect(c.Command1, &QPushButton::clicked, this, &ChartEngine::Command1_Click);
    if (c.CommTranspor)
        connect(c.CommTranspor, &QPushButton::clicked, this, &ChartEngine::transPor);
    for (QComboBox *combo : {c.Combo1, c.Combo2, c.Combo3, c.Combo4}) {
        if (combo)
            connect(combo, &QComboBox::currentIndexChanged, this, &ChartEngine::Combo_Click);
    }
    if (c.GridX)
        connect(c.GridX, &QCheckBox::toggled, this, &ChartEngine::GridX_Click);
    if (c.GridY)
        connect(c.GridY, &QCheckBox::toggled, this, &ChartEngine::GridY_Click);
    for (int i = 0; i < 5; ++i) {
        if (c.Option1[i])
            connect(c.Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
                if (on)
                    Option1_Click(i);
            });
    }
    if (c.Option2)
        connect(c.Option2, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Option2_Click();
        });
    if (c.Option3)
        connect(c.Option3, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Option3_Click();
        });
    if (c.Check1)
        connect(c.Check1, &QCheckBox::toggled, this, &ChartEngine::Check1_Click);
    if (c.ChkLegenda)
        connect(c.ChkLegenda, &QCheckBox::toggled, this, &ChartEngine::ChkLegenda_Click);
}

// --- Scale -----------------------------------------------------------------

// Bound index as the scale box numbers them: 0 max Y, 1 min Y, 2 min X, 3 max X.
double &ChartEngine::bound(int index)
{
    ChartState &s = m_state.chart;
    switch (index) {
    case 0: return s.scaleMaxY;
    case 1: return s.scaleMinY;
    case 2: return s.scaleMinX;
    default: return s.scaleMaxX;
    }
}

double ChartEngine::autoBound(int index) const
{
    const ChartState &s = m_state.chart;
    switch (index) {
    case 0: return s.autoMaxY;
    case 1: return s.autoMinY;
    case 2: return s.autoMinX;
    default: return s.autoMaxX;
    }
}

bool ChartEngine::isAutomatic(int index) const
{
    return boxChecked(m_controls.teC[index]);
}

void ChartEngine::resetExtremes()
{
    ChartState &s = m_state.chart;
    if (isAutomatic(3))
        s.tempMax = Scale::extremeMaxStart;
    if (isAutomatic(2))
        s.tempMin = Scale::extremeMinStart;
    if (isAutomatic(0))
        s.precMax = Scale::extremeMaxStart;
    if (isAutomatic(1))
        s.precMin = Scale::extremeMinStart;
}

void ChartEngine::Escala(int n)
{
    ChartState &s = m_state.chart;
    DataGrid *grid = m_controls.Grid2;
    if (grid) {
        for (int row = 1; row <= 12; ++row) {
            if (const auto v = NumberText::parse(grid->text(row, 2 * n - 1))) {
                if (isAutomatic(3) && *v > s.tempMax)
                    s.tempMax = *v;
                if (isAutomatic(2) && *v < s.tempMin)
                    s.tempMin = *v;
            }
        }
        for (int row = 1; row <= 12; ++row) {
            if (const auto v = NumberText::parse(grid->text(row, 2 * n))) {
                if (isAutomatic(0) && *v > s.precMax)
                    s.precMax = *v;
                if (isAutomatic(1) && *v < s.precMin)
                    s.precMin = *v;
            }
        }
    }

    if (isAutomatic(2)) {
        s.scaleMinX = Scale::lowerBound(s.tempMin, s.tempMax);
        setTextIfChanged(m_controls.TextEsc[2], Formata(s.scaleMinX, QStringLiteral("x")));
    }
    if (isAutomatic(3)) {
        s.scaleMaxX = Scale::upperBound(s.tempMin, s.tempMax);
        setTextIfChanged(m_controls.TextEsc[3], Formata(s.scaleMaxX, QStringLiteral("x")));
    }
    if (isAutomatic(1)) {
        s.scaleMinY = Scale::lowerBound(s.precMin, s.precMax);
        setTextIfChanged(m_controls.TextEsc[1], Formata(s.scaleMinY, QStringLiteral("y")));
    }
    if (isAutomatic(0)) {
        s.scaleMaxY = Scale::upperBound(s.precMin, s.precMax);
        setTextIfChanged(m_controls.TextEsc[0], Formata(s.scaleMaxY, QStringLiteral("y")));
    }

    s.autoMaxX = s.scaleMaxX;
    s.autoMinX = s.scaleMinX;
    s.autoMinY = s.scaleMinY;
    s.autoMaxY = s.scaleMaxY;
}

bool ChartEngine::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // Leaving the box for another control counts; the window losing the
        // focus (another window, a popup list) does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            for (int i = 0; i < 4; ++i)
                if (watched == m_controls.TextEsc[i])
                    TextEsc_Validate(i);
        }
    }
    return QObject::eventFilter(watched, event);
}

void ChartEngine::TextEsc_Validate(int index)
{
    if (index < 0 || index > 3)
        return;
    if (number(m_controls.TextEsc[index]) && m_controls.teC[index])
        m_controls.teC[index]->setChecked(false);
}

void ChartEngine::Command1_Click()
{
    for (int i = 0; i < 4; ++i) {
        if (isAutomatic(i))
            bound(i) = autoBound(i);
        else if (const auto typed = number(m_controls.TextEsc[i]))
            bound(i) = *typed;
    }
    reFaz(false);
}

// --- Number text and axis settings -----------------------------------------

QString ChartEngine::Formata(double value, const QString &axis) const
{
    const QComboBox *decimals = axis == QLatin1String("x") ? m_controls.Combo3 : m_controls.Combo4;
    return Scale::axisText(value, decimals ? decimals->currentIndex() : -1);
}

int ChartEngine::divisions(const QComboBox *ticks) const
{
    if (!ticks)
        return Scale::defaultDivisions;
    return Scale::divisionCount(ticks->currentIndex(), ticks->currentText());
}

void ChartEngine::Combo_Click() { reFaz(false); }
void ChartEngine::GridX_Click() { reFaz(false); }
void ChartEngine::GridY_Click() { reFaz(false); }

// --- Redraw ----------------------------------------------------------------

bool ChartEngine::isChecked(int item) const
{
    const QListWidgetItem *entry = m_controls.List1->item(item);
    return entry && entry->checkState() == Qt::Checked;
}

void ChartEngine::reFaz(bool rescale)
{
    if (m_state.suppressRedraw == 1)
        return;
    ChartState &s = m_state.chart;
    s.barShift = 0;
    s.checkedCount = 0;
    if (RasterCanvas *plot = canvasOf(m_controls.Picture4)) {
        plot->clear();
        plot->setUnit(Canvas::Unit::Twips);
    }
    if (rescale)
        resetExtremes();
    if (!m_controls.List1)
        return;

    // Data set n is item n − 1; the per-data-set tables end at 50.
    const int items = std::min(m_controls.List1->count(), 50);
    for (int i = 0; i < items; ++i) {
        if (isChecked(i)) {
            ++s.checkedCount;
            Escala(i + 1);
        }
    }

    m_axesDrawn = false;
    for (int i = 0; i < items; ++i) {
        if (!isChecked(i))
            continue;
        const int n = i + 1;
        s.barShift += barShiftPerSet;
        s.drawColor = m_program.setColorTable[n];
        Valores(n);
        s.drawMarkerSize = m_state.setMarkerSize[n];
        s.drawLineWidth = m_state.setLineWidth[n];
        s.drawLineStyle = m_state.setLineStyle[n];
        grafico();
    }
}

void ChartEngine::Valores(int n)
{
    ChartState &s = m_state.chart;
    DataGrid *grid = m_controls.Grid2;
    if (!grid)
        return;
    // A cell that is not a number leaves the month's previous value.
    for (int row = 1; row <= 12; ++row) {
        if (const auto v = NumberText::parse(grid->text(row, 2 * n - 1)))
            s.plotTemp[row] = *v;
    }
    s.plotTemp[13] = s.plotTemp[1];
    for (int row = 1; row <= 12; ++row) {
        if (const auto v = NumberText::parse(grid->text(row, 2 * n)))
            s.plotPrec[row] = *v;
    }
    s.plotPrec[13] = s.plotPrec[1];
    for (int row = 1; row <= 12 && row < grid->rowCount(); ++row) {
        if (grid->text(row, 0) != s.monthLabel[row])
            grid->setText(row, 0, s.monthLabel[row]);
    }
}

void ChartEngine::grafico()
{
    if (boxChecked(m_controls.Option3)) {
        grafico1();
        return;
    }
    RasterCanvas *plot = canvasOf(m_controls.Picture4);
    if (!plot)
        return;
    eixos();

    const ChartState &s = m_state.chart;
    const PlotMapping map(s.plotLeft, s.plotTop, s.plotRight, s.plotBottom,
                          Scale::drawnRange(s.scaleMinX, s.scaleMaxX),
                          Scale::drawnRange(s.scaleMinY, s.scaleMaxY));
    const double markerRadius = markerRadiusPerSize * s.drawMarkerSize;
    const double textHalfHeight = plot->textHeight(QString()) / 2;

    double previousX = map.x(s.plotTemp[1]);
    double previousY = map.y(s.plotPrec[1]);
    plot->setFillColour(s.drawColor);
    plot->setDrawColour(s.drawColor);
    plot->setLineStyle(lineStyleOf(s.drawLineStyle));
    for (int i = 2; i <= 13; ++i) {
        const double x = map.x(s.plotTemp[i]);
        const double y = map.y(s.plotPrec[i]);
        plot->setLineWidth(s.drawLineWidth);
        plot->line(previousX, previousY, x, y);
        plot->setLineWidth(1);
        plot->setFillStyle(Canvas::FillStyle::Solid);
        plot->circle(previousX, previousY, markerRadius);
        plot->setFillStyle(Canvas::FillStyle::Hollow);
        const QString &label = s.monthLabel[i - 1];
        plot->text(previousX - plot->textWidth(label) - monthLabelGap, previousY - textHalfHeight, label);
        previousX = x;
        previousY = y;
    }
    plot->setLineStyle(Canvas::LineStyle::Solid);
    plot->setLineWidth(1);
    drawThresholds();
}

void ChartEngine::drawThresholds()
{
    const ChartControls &c = m_controls;
    const ChartState &s = m_state.chart;
    RasterCanvas *plot = canvasOf(c.Picture4);
    const PlotMapping map(s.plotLeft, s.plotTop, s.plotRight, s.plotBottom,
                          Scale::drawnRange(s.scaleMinX, s.scaleMaxX),
                          Scale::drawnRange(s.scaleMinY, s.scaleMaxY));
    plot->setDrawColour(black);
    plot->setLineStyle(Canvas::LineStyle::Solid);
    plot->setLineWidth(1);
    if (boxChecked(c.ChkLimX)) {
        for (const QLineEdit *box : {c.txtLimInfX, c.TxtLimSupX}) {
            if (const auto v = number(box)) {
                const double x = map.x(*v);
                plot->line(x, s.plotTop, x, s.plotBottom);
            }
        }
    }
    if (boxChecked(c.ChkLimY)) {
        for (const QLineEdit *box : {c.txtLimInfY, c.TxtLimSupY}) {
            if (const auto v = number(box)) {
                const double y = map.y(*v);
                plot->line(s.plotLeft, y, s.plotRight, y);
            }
        }
    }
}

void ChartEngine::grafico1()
{
    RasterCanvas *plot = canvasOf(m_controls.Picture4);
    if (!plot)
        return;
    eixo1();

    const ChartState &s = m_state.chart;
    const Scale::Range rangeX = Scale::drawnRange(s.scaleMinX, s.scaleMaxX);
    const Scale::Range rangeY = Scale::drawnRange(s.scaleMinY, s.scaleMaxY);
    // Bars against the left (Y) axis; the line against the right (X) axis.
    const PlotMapping bars(s.plotLeft, s.plotTop, s.plotRight, s.plotBottom, rangeX, rangeY);
    const PlotMapping line(s.plotLeft, s.plotTop, s.plotRight, s.plotBottom, rangeY, rangeX);
    const double width = s.plotRight - s.plotLeft;

    plot->setFillStyle(Canvas::FillStyle::Solid);
    plot->setFillColour(s.drawColor);
    plot->setDrawColour(s.drawColor);
    // The bars reach below the plotting area, so their bottom edge is never seen.
    const int belowPlot = Twips::toPixels(std::clamp(s.plotBottom, -farOff, farOff)) + 1;
    for (int k = 1; k <= 12; ++k) {
        const double monthStart = s.plotLeft + (k - 1) * width / 12;
        const double left = monthStart + barOffsetPerSet * s.checkedCount - s.barShift;
        const double top = bars.y(s.plotPrec[k]);
        if (!std::isfinite(top))
            continue;
        plot->setLineWidth(1);
        plot->setFillStyle(barFillOf(s.drawLineStyle));
        plot->rectanglePixels(barPixel(left), barPixel(top), barPixel(left + barWidth), belowPlot);
        plot->setFillStyle(Canvas::FillStyle::Hollow);
    }

    // Point k in the middle of month k, under its month label.
    const double halfMonth = (s.axisRight - s.axisLeft) / 24;
    const auto pointX = [&](int k) { return s.plotLeft + (k - 1) * width / 12 + halfMonth; };
    const double markerRadius = markerRadiusPerSize * s.drawMarkerSize;
    plot->setLineStyle(lineStyleOf(s.drawLineStyle));
    for (int k = 2; k <= 12; ++k) {
        plot->setLineWidth(s.drawLineWidth);
        plot->line(pointX(k - 1), line.y(s.plotTemp[k - 1]), pointX(k), line.y(s.plotTemp[k]));
        plot->setLineWidth(1);
        plot->setFillStyle(Canvas::FillStyle::Solid);
        plot->circle(pointX(k - 1), line.y(s.plotTemp[k - 1]), markerRadius);
        plot->setFillStyle(Canvas::FillStyle::Hollow);
    }
    plot->setFillStyle(Canvas::FillStyle::Solid);
    plot->circle(pointX(12), line.y(s.plotTemp[12]), markerRadius);
    plot->setFillStyle(Canvas::FillStyle::Hollow);
    plot->setLineStyle(Canvas::LineStyle::Solid);
}

// --- Axes ------------------------------------------------------------------

bool ChartEngine::startAxes(int divisionsY)
{
    RasterCanvas *picture = canvasOf(m_controls.Picture1);
    if (!picture || m_axesDrawn)
        return false;
    m_axesDrawn = true;
    picture->clear();
    picture->setUnit(Canvas::Unit::Twips);
    picture->setDrawColour(black);
    picture->setLineStyle(Canvas::LineStyle::Solid);
    picture->setLineWidth(1);
    drawLeftAxis(divisionsY);
    return true;
}

void ChartEngine::drawLeftAxis(int divisions)
{
    const ChartState &s = m_state.chart;
    RasterCanvas *picture = canvasOf(m_controls.Picture1);
    const Scale::Range rangeY = Scale::drawnRange(s.scaleMinY, s.scaleMaxY);
    const double textHalfHeight = picture->textHeight(QString()) / 2;
    for (int k = 0; k <= divisions; ++k) {
        const double y = Scale::divisionPosition(s.axisBottom, s.axisTop, divisions, k);
        picture->line(s.axisLeft - tickLength, y, s.axisLeft, y);
        const QString label =
            Formata(Scale::divisionPosition(rangeY.low, rangeY.high, divisions, k), QStringLiteral("y"));
        picture->text(s.axisLeft - picture->textWidth(label) - yLabelGap, y - textHalfHeight, label);
    }
}

// The plotting area, set for grid lines: grey, solid, one pixel.
RasterCanvas *ChartEngine::gridPen()
{
    RasterCanvas *plot = canvasOf(m_controls.Picture4);
    plot->setDrawColour(gridGrey);
    plot->setLineStyle(Canvas::LineStyle::Solid);
    plot->setLineWidth(1);
    return plot;
}

void ChartEngine::drawVerticalGrid(int divisions)
{
    const ChartState &s = m_state.chart;
    RasterCanvas *plot = gridPen();
    for (int k = 0; k <= divisions; ++k) {
        const double x = Scale::divisionPosition(s.plotLeft, s.plotRight, divisions, k);
        plot->line(x, s.plotBottom, x, s.plotTop);
    }
}

void ChartEngine::drawHorizontalGrid(int divisions)
{
    const ChartState &s = m_state.chart;
    RasterCanvas *plot = gridPen();
    for (int k = 0; k <= divisions; ++k) {
        const double y = Scale::divisionPosition(s.plotBottom, s.plotTop, divisions, k);
        plot->line(s.plotLeft, y, s.plotRight, y);
    }
}

void ChartEngine::eixos()
{
    ChartState &s = m_state.chart;
    const int nX = divisions(m_controls.Combo1);
    const int nY = divisions(m_controls.Combo2);
    s.divisionsX = nX;
    s.divisionsY = nY;

    RasterCanvas *picture = canvasOf(m_controls.Picture1);
    if (startAxes(nY)) {
        const Scale::Range rangeX = Scale::drawnRange(s.scaleMinX, s.scaleMaxX);
        for (int k = 0; k <= nX; ++k) {
            const double x = Scale::divisionPosition(s.axisLeft, s.axisRight, nX, k);
            picture->line(x, s.axisBottom + tickLength, x, s.axisBottom);
            const QString label =
                Formata(Scale::divisionPosition(rangeX.low, rangeX.high, nX, k), QStringLiteral("x"));
            picture->text(x - picture->textWidth(label) / 2, s.axisBottom + xLabelDrop, label);
        }
    }

    if (boxChecked(m_controls.GridY))
        drawHorizontalGrid(nY);
    if (boxChecked(m_controls.GridX))
        drawVerticalGrid(nX);
}

void ChartEngine::eixo1()
{
    const ChartState &s = m_state.chart;
    const int nX = divisions(m_controls.Combo1);
    const int nY = divisions(m_controls.Combo2);

    RasterCanvas *picture = canvasOf(m_controls.Picture1);
    if (startAxes(nY)) {

        // Right axis: the X values, ticks pointing outwards.
        const Scale::Range rangeX = Scale::drawnRange(s.scaleMinX, s.scaleMaxX);
        const double textHalfHeight = picture->textHeight(QString()) / 2;
        for (int k = 0; k <= nX; ++k) {
            const double y = Scale::divisionPosition(s.axisBottom, s.axisTop, nX, k);
            picture->line(s.axisRight, y, s.axisRight + tickLength, y);
            const QString label =
                Formata(Scale::divisionPosition(rangeX.low, rangeX.high, nX, k), QStringLiteral("x"));
            picture->text(s.axisRight + rightLabelGap, y - textHalfHeight, label);
        }

        // Month axis: a tick at the start of each month, the label centred in it.
        const double month = (s.axisRight - s.axisLeft) / 12;
        for (int k = 1; k <= 12; ++k) {
            const double x = s.axisLeft + (k - 1) * month;
            picture->line(x, s.axisBottom + tickLength, x, s.axisBottom);
            const QString &label = s.monthLabel[k];
            picture->text(x - picture->textWidth(label) / 2 + month / 2, s.axisBottom + xLabelDrop, label);
        }
    }

    if (boxChecked(m_controls.GridY))
        drawHorizontalGrid(nY);
    // Vertical grid lines at the thirteen month boundaries.
    if (boxChecked(m_controls.GridX))
        drawVerticalGrid(12);
}

// --- Transposition ---------------------------------------------------------

void ChartEngine::transPor()
{
    DataGrid *grid = m_controls.Grid2;
    if (!grid || m_state.setCount < 1)
        return;
    ChartState &s = m_state.chart;
    s.tempMax = Scale::extremeMaxStart;
    s.precMax = Scale::extremeMaxStart;
    s.tempMin = Scale::extremeMinStart;
    s.precMin = Scale::extremeMinStart;

    const int sets = std::min(m_state.setCount, 50);
    for (int k = 1; k <= sets; ++k) {
        const int columnX = 2 * k - 1;
        const int columnY = 2 * k;
        const QString headerX = grid->text(0, columnX);
        const QString headerY = grid->text(0, columnY);
        grid->setText(0, columnX, headerY);
        grid->setText(0, columnY, headerX);
        for (int row = 1; row <= 12; ++row) {
            const QString textX = grid->text(row, columnX);
            const QString textY = grid->text(row, columnY);
            const auto valueX = NumberText::parse(textX);
            const auto valueY = NumberText::parse(textY);
            // A cell that is not a number moves to the other column as it
            // stands and takes no part in the extremes.
            grid->setText(row, columnX, valueY ? NumberText::general(*valueY) : textY);
            grid->setText(row, columnY, valueX ? NumberText::general(*valueX) : textX);
            if (valueY) {
                s.tempMax = std::max(s.tempMax, *valueY);
                s.tempMin = std::min(s.tempMin, *valueY);
            }
            if (valueX) {
                s.precMax = std::max(s.precMax, *valueX);
                s.precMin = std::min(s.precMin, *valueX);
            }
        }
    }

    s.scaleMinX = Scale::lowerBound(s.tempMin, s.tempMax);
    s.scaleMaxX = Scale::upperBound(s.tempMin, s.tempMax);
    s.scaleMinY = Scale::lowerBound(s.precMin, s.precMax);
    s.scaleMaxY = Scale::upperBound(s.precMin, s.precMax);
    reFaz(false);
}

// --- Month labels, title, legend, chart kind -------------------------------

void ChartEngine::Option1_Click(int index)
{
    if (index < 0 || index >= MonthLabels::styleCount)
        return;
    m_state.chart.monthLabel = MonthLabels::of(index);
    reFaz(false);
}

void ChartEngine::Option2_Click()
{
    if (m_state.hasData)
        reFaz(false);
    if (m_controls.Frame5)
        m_controls.Frame5->setEnabled(true);
}

void ChartEngine::Option3_Click()
{
    if (m_state.hasData)
        reFaz(false);
    if (m_controls.Frame5)
        m_controls.Frame5->setEnabled(false);
}

void ChartEngine::Check1_Click()
{
    if (m_controls.TxTitulo)
        m_controls.TxTitulo->setVisible(boxChecked(m_controls.Check1));
}

void ChartEngine::ChkLegenda_Click()
{
    if (m_controls.Frame4)
        m_controls.Frame4->setVisible(boxChecked(m_controls.ChkLegenda));
}
