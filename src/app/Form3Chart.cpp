// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's chart procedures: scales, the redraw, transposition and
// the chart settings' handlers. The drawing itself is the renderer's.
#include "app/Form3Chart.h"

#include "analysis/ClimateClass.h"
#include "app/MainState.h"
#include "chart/ChartRenderer.h"
#include "chart/MonthLabels.h"
#include "chart/Scale.h"
#include "chart/WalterLiethRenderer.h"
#include "data/NumberText.h"
#include "data/ProgramState.h"
#include "data/Rgb.h"
#include "data/Twips.h"
#include "platform/DataGrid.h"
#include "platform/PainterCanvas.h"
#include "platform/PictureBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>

#include <algorithm>
#include <optional>

namespace {

constexpr int barShiftPerSet = 90; // 90 × a data set's place among those drawn

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

RasterCanvas *canvasOf(PictureBox *box)
{
    return box ? &box->canvas() : nullptr;
}

int divisions(const QComboBox *ticks)
{
    if (!ticks)
        return Scale::defaultDivisions;
    return Scale::divisionCount(ticks->currentIndex(), ticks->currentText());
}

// A font as the screen shows it, in pixels: on a printer or in a file a
// point size would grow with the device's resolution.
QFont inPixels(const QFont &font)
{
    QFont pixels = font;
    pixels.setPixelSize(QFontInfo(font).pixelSize());
    return pixels;
}

} // namespace

Form3Chart::Form3Chart(MainState &state, ProgramState &program, const Form3Controls &controls,
                       std::function<QLabel *(int n)> legendLabel, QObject *parent)
    : QObject(parent), m_state(state), m_program(program), m_controls(controls),
      m_legendLabel(std::move(legendLabel))
{
    for (PictureBox *box : {m_controls.Picture1, m_controls.Picture4}) {
        if (RasterCanvas *picture = canvasOf(box))
            picture->setTextFont(ChartRenderer::labelFont());
    }
    connectControls();
}

void Form3Chart::connectControls()
{
    const Form3Controls &c = m_controls;
    // A scale box is validated when the user leaves it, whether or not its
    // text changed (editingFinished would miss an unchanged box).
    for (QLineEdit *box : c.TextEsc)
        if (box)
            box->installEventFilter(this);
    if (c.Command1)
        connect(c.Command1, &QPushButton::clicked, this, &Form3Chart::Command1_Click);
    if (c.CommTranspor)
        connect(c.CommTranspor, &QPushButton::clicked, this, &Form3Chart::transPor);
    for (QComboBox *combo : {c.Combo1, c.Combo2, c.Combo3, c.Combo4}) {
        if (combo)
            connect(combo, &QComboBox::currentIndexChanged, this, &Form3Chart::Combo_Click);
    }
    if (c.GridX)
        connect(c.GridX, &QCheckBox::toggled, this, &Form3Chart::GridX_Click);
    if (c.GridY)
        connect(c.GridY, &QCheckBox::toggled, this, &Form3Chart::GridY_Click);
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
    if (c.OptionWalterLieth)
        connect(c.OptionWalterLieth, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                OptionWalterLieth_Click();
        });
    if (c.Check1)
        connect(c.Check1, &QCheckBox::toggled, this, &Form3Chart::Check1_Click);
    if (c.ChkLegenda)
        connect(c.ChkLegenda, &QCheckBox::toggled, this, &Form3Chart::ChkLegenda_Click);
}

// --- Scale -----------------------------------------------------------------

// Bound index as the scale box numbers them: 0 max Y, 1 min Y, 2 min X, 3 max X.
double &Form3Chart::bound(int index)
{
    ChartState &s = m_state.chart;
    switch (index) {
    case 0: return s.scaleMaxY;
    case 1: return s.scaleMinY;
    case 2: return s.scaleMinX;
    default: return s.scaleMaxX;
    }
}

double Form3Chart::autoBound(int index) const
{
    const ChartState &s = m_state.chart;
    switch (index) {
    case 0: return s.autoMaxY;
    case 1: return s.autoMinY;
    case 2: return s.autoMinX;
    default: return s.autoMaxX;
    }
}

bool Form3Chart::isAutomatic(int index) const
{
    return boxChecked(m_controls.teC[index]);
}

void Form3Chart::resetExtremes()
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

Form3Chart::TableColumn Form3Chart::tableValues(int column) const
{
    const bool keep = m_keepColumns && column >= 0 && column < static_cast<int>(m_columnsRead.size());
    if (keep && m_columnsRead[column])
        return *m_columnsRead[column];
    TableColumn values;
    if (const DataGrid *grid = m_controls.Grid2) {
        for (int row = 1; row <= 12; ++row)
            values[row] = NumberText::parse(grid->text(row, column));
    }
    if (keep)
        m_columnsRead[column] = values;
    return values;
}

void Form3Chart::Escala(int n)
{
    ChartState &s = m_state.chart;
    for (const std::optional<double> &v : tableValues(2 * n - 1)) {
        if (!v)
            continue;
        if (isAutomatic(3) && *v > s.tempMax)
            s.tempMax = *v;
        if (isAutomatic(2) && *v < s.tempMin)
            s.tempMin = *v;
    }
    for (const std::optional<double> &v : tableValues(2 * n)) {
        if (!v)
            continue;
        if (isAutomatic(0) && *v > s.precMax)
            s.precMax = *v;
        if (isAutomatic(1) && *v < s.precMin)
            s.precMin = *v;
    }

    if (isAutomatic(2)) {
        s.scaleMinX = Scale::lowerBound(s.tempMin, s.tempMax);
        setTextIfChanged(m_controls.TextEsc[2], Formata(s.scaleMinX, Axis::X));
    }
    if (isAutomatic(3)) {
        s.scaleMaxX = Scale::upperBound(s.tempMin, s.tempMax);
        setTextIfChanged(m_controls.TextEsc[3], Formata(s.scaleMaxX, Axis::X));
    }
    if (isAutomatic(1)) {
        s.scaleMinY = Scale::lowerBound(s.precMin, s.precMax);
        setTextIfChanged(m_controls.TextEsc[1], Formata(s.scaleMinY, Axis::Y));
    }
    if (isAutomatic(0)) {
        s.scaleMaxY = Scale::upperBound(s.precMin, s.precMax);
        setTextIfChanged(m_controls.TextEsc[0], Formata(s.scaleMaxY, Axis::Y));
    }

    s.autoMaxX = s.scaleMaxX;
    s.autoMinX = s.scaleMinX;
    s.autoMinY = s.scaleMinY;
    s.autoMaxY = s.scaleMaxY;
}

bool Form3Chart::eventFilter(QObject *watched, QEvent *event)
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

void Form3Chart::TextEsc_Validate(int index)
{
    if (index < 0 || index > 3)
        return;
    if (number(m_controls.TextEsc[index]) && m_controls.teC[index])
        m_controls.teC[index]->setChecked(false);
}

void Form3Chart::Command1_Click()
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

QString Form3Chart::Formata(double value, Axis axis) const
{
    const QComboBox *decimals = axis == Axis::X ? m_controls.Combo3 : m_controls.Combo4;
    return Scale::axisText(value, decimals ? decimals->currentIndex() : -1);
}

ChartSettings Form3Chart::settings() const
{
    const Form3Controls &c = m_controls;
    const ChartState &state = m_state.chart;
    ChartSettings s;
    s.kind = kind();
    s.scaleMinX = state.scaleMinX;
    s.scaleMaxX = state.scaleMaxX;
    s.scaleMinY = state.scaleMinY;
    s.scaleMaxY = state.scaleMaxY;
    s.divisionsX = divisions(c.Combo1);
    s.divisionsY = divisions(c.Combo2);
    s.decimalsX = c.Combo3 ? c.Combo3->currentIndex() : -1;
    s.decimalsY = c.Combo4 ? c.Combo4->currentIndex() : -1;
    s.gridX = boxChecked(c.GridX);
    s.gridY = boxChecked(c.GridY);
    // A box whose text is not a number draws no line.
    if (boxChecked(c.ChkLimX)) {
        for (const QLineEdit *box : {c.txtLimInfX, c.TxtLimSupX})
            if (const auto v = number(box))
                s.thresholdsX.push_back(*v);
    }
    if (boxChecked(c.ChkLimY)) {
        for (const QLineEdit *box : {c.txtLimInfY, c.TxtLimSupY})
            if (const auto v = number(box))
                s.thresholdsY.push_back(*v);
    }
    s.monthLabel = state.monthLabel;
    s.monthOrder = state.monthOrder;
    s.axisLeft = state.axisLeft;
    s.axisTop = state.axisTop;
    s.axisRight = state.axisRight;
    s.axisBottom = state.axisBottom;
    s.plotLeft = state.plotLeft;
    s.plotTop = state.plotTop;
    s.plotRight = state.plotRight;
    s.plotBottom = state.plotBottom;
    return s;
}

ChartKind Form3Chart::kind() const
{
    if (boxChecked(m_controls.Option3))
        return ChartKind::Normal;
    if (boxChecked(m_controls.OptionWalterLieth))
        return ChartKind::WalterLieth;
    return ChartKind::Climate;
}

void Form3Chart::Combo_Click() { reFaz(false); }
void Form3Chart::GridX_Click() { reFaz(false); }
void Form3Chart::GridY_Click() { reFaz(false); }

// --- Redraw ----------------------------------------------------------------

bool Form3Chart::isChecked(int item) const
{
    const QListWidgetItem *entry = m_controls.List1->item(item);
    return entry && entry->checkState() == Qt::Checked;
}

void Form3Chart::reFaz(bool rescale)
{
    if (m_state.suppressRedraw == 1)
        return;
    ChartState &s = m_state.chart;
    s.barShift = 0;
    s.checkedCount = 0;
    if (rescale)
        resetExtremes();

    // Data set n is item n − 1; the per-data-set tables end at 50.
    const int items = m_controls.List1 ? std::min(m_controls.List1->count(), maxDataSets) : 0;
    m_columnsRead.assign(2 * items + 1, std::nullopt);
    m_keepColumns = true;
    for (int i = 0; i < items; ++i) {
        if (isChecked(i)) {
            ++s.checkedCount;
            Escala(i + 1);
        }
    }

    const ChartKind drawnKind = kind();
    if (drawnKind == ChartKind::WalterLieth) {
        drawWalterLieth(items);
        m_keepColumns = false;
        m_shownKind = drawnKind;
        applyChartKind();
        return;
    }
    // The chart picture held the Walter–Lieth diagrams: its axes are drawn
    // afresh, or it stays empty when no data set is checked.
    if (m_shownKind == ChartKind::WalterLieth) {
        if (RasterCanvas *picture = canvasOf(m_controls.Picture1))
            picture->clear();
        m_shownAxes.reset();
        m_diagrams.clear();
    }
    m_shownKind = drawnKind;

    ChartRenderer pass(settings(), canvasOf(m_controls.Picture1), canvasOf(m_controls.Picture4));
    m_pass = &pass;
    pass.clearPlot();
    std::vector<ChartSeries> drawn;
    drawn.reserve(s.checkedCount);
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
        drawn.push_back(currentSeries());
    }
    m_pass = nullptr;
    m_keepColumns = false;

    // With no data set drawn the chart picture keeps the axes it showed.
    if (!drawn.empty())
        m_shownAxes = pass.settings();
    m_shownPlot = pass.settings();
    m_shownSeries = std::move(drawn);
    applyChartKind();
}

void Form3Chart::drawWalterLieth(int items)
{
    ChartState &s = m_state.chart;
    const DataGrid *grid = m_controls.Grid2;
    std::vector<WalterLiethPlace> places;
    for (int i = 0; i < items; ++i) {
        if (!isChecked(i))
            continue;
        const int n = i + 1;
        Valores(n);
        WalterLiethPlace place;
        // The name as the lists show it, less its number.
        const QString number = QString::number(n) + QStringLiteral(" - ");
        const QString &name = m_state.setName[n];
        place.name = name.startsWith(number) ? name.mid(number.size()) : name;
        place.info = m_state.setInfo[n];
        // After "Transpose" the temperatures stand in the second column.
        const bool transposed = grid && grid->text(0, 2 * n - 1).startsWith(QLatin1String("Ppt"));
        for (int m = 1; m <= 12; ++m) {
            place.temp[m] = transposed ? s.plotPrec[m] : s.plotTemp[m];
            place.prec[m] = transposed ? s.plotTemp[m] : s.plotPrec[m];
        }
        // The class the values table shows for the place.
        if (!s.walterLiethHidesClass)
            place.climateClass = ClimateClass::of(m_state.setTemp[n], m_state.setPpt[n]).code();
        places.push_back(place);
    }

    m_shownWalterLieth = walterLiethSettings();
    m_shownArea = walterLiethArea();
    m_diagrams.clear();
    if (RasterCanvas *picture = canvasOf(m_controls.Picture1)) {
        picture->clear();
        picture->setUnit(Canvas::Unit::Twips);
        m_diagrams = WalterLiethRenderer::draw(m_shownWalterLieth, places, *picture, m_shownArea);
    }
    m_shownPlaces = std::move(places);
}

WalterLiethSettings Form3Chart::walterLiethSettings() const
{
    WalterLiethSettings wl;
    wl.monthOrder = m_state.chart.monthOrder;
    wl.monthLabel = m_state.chart.monthLabel;
    wl.blackWhite = m_state.blackWhite;
    wl.fixedTop = m_state.chart.walterLiethTop;
    return wl;
}

QRectF Form3Chart::walterLiethArea() const
{
    const PictureBox *picture = m_controls.Picture1;
    if (!picture)
        return QRectF();
    const QSizeF size(Twips::fromPixels(picture->width()), Twips::fromPixels(picture->height()));
    double top = 0;
    if (boxChecked(m_controls.Check1) && m_controls.TxTitulo)
        top = Twips::fromPixels(m_controls.TxTitulo->geometry().bottom() + 1);
    return QRectF(QPointF(0, top), QPointF(size.width(), size.height()));
}

void Form3Chart::applyChartKind()
{
    const Form3Controls &c = m_controls;
    const ChartKind chosen = kind();
    const bool walterLieth = chosen == ChartKind::WalterLieth;
    // The diagrams take the whole chart picture and name their places
    // themselves: no plotting area, guide lines or legend over them.
    for (QWidget *overPicture : {static_cast<QWidget *>(c.Picture4), static_cast<QWidget *>(c.eixoX),
                                 static_cast<QWidget *>(c.eixoY)})
        if (overPicture && overPicture->isHidden() != walterLieth)
            overPicture->setVisible(!walterLieth);
    if (c.Frame4 && walterLieth)
        c.Frame4->hide();
    // Their scales follow from the values: bounds, ticks, decimals, grid,
    // thresholds and transposition have no part in them.
    for (QWidget *setting : {static_cast<QWidget *>(c.Frame1), static_cast<QWidget *>(c.Combo1),
                             static_cast<QWidget *>(c.Combo2), static_cast<QWidget *>(c.Combo3),
                             static_cast<QWidget *>(c.Combo4), static_cast<QWidget *>(c.Label3[2]),
                             static_cast<QWidget *>(c.Label3[3]), static_cast<QWidget *>(c.Label3[4]),
                             static_cast<QWidget *>(c.Label3[5]), static_cast<QWidget *>(c.Frame3),
                             static_cast<QWidget *>(c.CommTranspor)})
        if (setting)
            setting->setEnabled(!walterLieth);
    // Threshold lines belong to the climate diagram alone.
    if (c.Frame5)
        c.Frame5->setEnabled(chosen == ChartKind::Climate);
}

void Form3Chart::Valores(int n)
{
    ChartState &s = m_state.chart;
    DataGrid *grid = m_controls.Grid2;
    if (!grid)
        return;
    // A cell that is not a number leaves the month's previous value.
    const auto temps = tableValues(2 * n - 1);
    const auto precs = tableValues(2 * n);
    for (int row = 1; row <= 12; ++row) {
        if (temps[row])
            s.plotTemp[row] = *temps[row];
    }
    s.plotTemp[13] = s.plotTemp[1];
    for (int row = 1; row <= 12; ++row) {
        if (precs[row])
            s.plotPrec[row] = *precs[row];
    }
    s.plotPrec[13] = s.plotPrec[1];
    for (int row = 1; row <= 12 && row < grid->rowCount(); ++row) {
        if (grid->text(row, 0) != s.monthLabel[row])
            grid->setText(row, 0, s.monthLabel[row]);
    }
}

ChartSeries Form3Chart::currentSeries() const
{
    const ChartState &s = m_state.chart;
    ChartSeries series;
    series.temp = s.plotTemp;
    series.prec = s.plotPrec;
    series.style = {s.drawColor, s.drawMarkerSize, s.drawLineWidth, s.drawLineStyle};
    return series;
}

void Form3Chart::grafico()
{
    if (boxChecked(m_controls.Option3)) {
        grafico1();
        return;
    }
    if (!m_pass)
        return;
    eixos();
    m_pass->climateSeries(currentSeries());
}

void Form3Chart::grafico1()
{
    if (!m_pass)
        return;
    eixo1();
    const ChartState &s = m_state.chart;
    m_pass->normalSeries(currentSeries(), s.barShift, s.checkedCount);
}

void Form3Chart::eixos()
{
    ChartState &s = m_state.chart;
    s.divisionsX = m_pass->settings().divisionsX;
    s.divisionsY = m_pass->settings().divisionsY;
    m_pass->climateAxes();
}

void Form3Chart::eixo1()
{
    m_pass->normalAxes();
}

// --- The chart on other devices ----------------------------------------------

QSize Form3Chart::chartPixelSize() const
{
    return m_controls.Picture1 ? m_controls.Picture1->size() : QSize();
}

ChartOverlay Form3Chart::overlay() const
{
    const Form3Controls &c = m_controls;
    ChartOverlay overlay;
    if (!c.Picture1)
        return overlay;
    for (const QFrame *line : {c.eixoX, c.eixoY})
        if (line && !line->isHidden())
            overlay.guideLines.push_back(QRectF(line->geometry()));
    if (c.TxTitulo) {
        overlay.titleShown = !c.TxTitulo->isHidden();
        // The text as the box lays it out, inside its margins.
        const QMargins margins = c.TxTitulo->textMargins();
        overlay.title = {QRectF(c.TxTitulo->geometry().marginsRemoved(margins)), c.TxTitulo->text(),
                         inPixels(c.TxTitulo->font()), 0, c.TxTitulo->alignment()};
    }
    if (c.Frame4 && !c.Frame4->isHidden()) {
        overlay.legendShown = true;
        // The legend lies over the picture, in the window's client area.
        const QPoint offset = c.Frame4->pos() - c.Picture1->pos();
        overlay.legendFrame = QRectF(c.Frame4->geometry().translated(-c.Picture1->pos()));
        // The frame's box is drawn in its text colour.
        overlay.legendOutline = Rgb::fromQColor(c.Frame4->palette().color(QPalette::WindowText));
        for (int n = 0; n <= maxDataSets && m_legendLabel; ++n) {
            const QLabel *label = m_legendLabel(n);
            if (!label || label->isHidden() || label->text().isEmpty())
                continue;
            overlay.legendEntries.push_back({QRectF(label->geometry().translated(offset)), label->text(),
                                             inPixels(label->font()),
                                             Rgb::fromQColor(label->palette().color(QPalette::WindowText)),
                                             label->alignment()});
        }
    }
    return overlay;
}

void Form3Chart::paintChart(QPainter &painter, const QRectF &target) const
{
    const QSize size = chartPixelSize();
    if (size.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / size.width(), target.height() / size.height());
    const QRect plotArea = m_controls.Picture4 ? m_controls.Picture4->geometry() : QRect();
    // Only what lies inside the chart picture is shown (a long legend ends
    // at its edge), and the caller's own clip stays in force.
    painter.setClipRect(QRect(QPoint(0, 0), size), Qt::IntersectClip);

    // The chart picture, but for what the plotting area covers.
    PainterCanvas picture(painter, size);
    picture.setTextFont(ChartRenderer::labelFont());
    picture.clear();
    if (m_shownKind == ChartKind::WalterLieth) {
        WalterLiethRenderer::draw(m_shownWalterLieth, m_shownPlaces, picture, m_shownArea);
    } else {
        if (m_shownAxes) {
            painter.save();
            painter.setClipRegion(QRegion(QRect(QPoint(0, 0), size)).subtracted(QRegion(plotArea)),
                                  Qt::IntersectClip);
            ChartRenderer axes(*m_shownAxes, &picture, nullptr);
            if (m_shownAxes->kind == ChartKind::Normal)
                axes.normalAxes();
            else
                axes.climateAxes();
            painter.restore();
        }
        if (!plotArea.isEmpty()) {
            PainterCanvas plot(painter, plotArea.size(), plotArea.topLeft());
            plot.setTextFont(ChartRenderer::labelFont());
            plot.clear();
            ChartRenderer::draw(m_shownPlot, m_shownSeries, nullptr, &plot);
        }
    }
    ChartRenderer::paintOverlay(painter, overlay());
    painter.restore();
}

// --- Transposition ---------------------------------------------------------

void Form3Chart::transPor()
{
    DataGrid *grid = m_controls.Grid2;
    if (!grid || m_state.setCount < 1)
        return;
    ChartState &s = m_state.chart;
    s.tempMax = Scale::extremeMaxStart;
    s.precMax = Scale::extremeMaxStart;
    s.tempMin = Scale::extremeMinStart;
    s.precMin = Scale::extremeMinStart;

    const int sets = std::min(m_state.setCount, maxDataSets);
    for (int k = 1; k <= sets; ++k) {
        const SwappedColumns moved = swapColumns(k);
        for (int row = 1; row <= 12; ++row) {
            if (const std::optional<double> &x = moved.x[row]) {
                s.tempMax = std::max(s.tempMax, *x);
                s.tempMin = std::min(s.tempMin, *x);
            }
            if (const std::optional<double> &y = moved.y[row]) {
                s.precMax = std::max(s.precMax, *y);
                s.precMin = std::min(s.precMin, *y);
            }
        }
    }

    s.scaleMinX = Scale::lowerBound(s.tempMin, s.tempMax);
    s.scaleMaxX = Scale::upperBound(s.tempMin, s.tempMax);
    s.scaleMinY = Scale::lowerBound(s.precMin, s.precMax);
    s.scaleMaxY = Scale::upperBound(s.precMin, s.precMax);
    emit transposed();
    reFaz(false);
}

Form3Chart::SwappedColumns Form3Chart::swapColumns(int k)
{
    SwappedColumns moved;
    DataGrid *grid = m_controls.Grid2;
    if (!grid || k < 1 || k > maxDataSets)
        return moved;
    const int columnX = 2 * k - 1;
    const int columnY = 2 * k;
    const QString headerX = grid->text(0, columnX);
    const QString headerY = grid->text(0, columnY);
    grid->setText(0, columnX, headerY);
    grid->setText(0, columnY, headerX);
    for (int row = 1; row <= 12; ++row) {
        const QString textX = grid->text(row, columnX);
        const QString textY = grid->text(row, columnY);
        moved.x[row] = NumberText::parse(textY);
        moved.y[row] = NumberText::parse(textX);
        // A cell that is not a number moves to the other column as it
        // stands and takes no part in the extremes.
        grid->setText(row, columnX, moved.x[row] ? NumberText::general(*moved.x[row]) : textY);
        grid->setText(row, columnY, moved.y[row] ? NumberText::general(*moved.y[row]) : textX);
    }
    // The rows under the months (the averages, the climate class) go with
    // their columns.
    for (int row = 13; row < grid->rowCount(); ++row) {
        const QString textX = grid->text(row, columnX);
        grid->setText(row, columnX, grid->text(row, columnY));
        grid->setText(row, columnY, textX);
    }
    return moved;
}

// --- Month labels, title, legend, chart kind -------------------------------

void Form3Chart::Option1_Click(int index)
{
    if (index < 0 || index >= MonthLabels::styleCount)
        return;
    m_state.chart.monthLabel = MonthLabels::of(index);
    reFaz(false);
}

void Form3Chart::Option2_Click()
{
    if (m_state.hasData)
        reFaz(false);
    applyChartKind();
    showLegendAsChecked();
}

void Form3Chart::Option3_Click()
{
    if (m_state.hasData)
        reFaz(false);
    applyChartKind();
    showLegendAsChecked();
}

void Form3Chart::OptionWalterLieth_Click()
{
    if (m_state.hasData)
        reFaz(false);
    applyChartKind();
}

// Back from the Walter–Lieth diagrams, which hide it, the legend shows as
// its box says once a data set is loaded.
void Form3Chart::showLegendAsChecked()
{
    if (m_controls.Frame4)
        m_controls.Frame4->setVisible(m_state.hasData && boxChecked(m_controls.ChkLegenda));
}

void Form3Chart::setMonthOrder(MonthOrder order)
{
    m_state.chart.monthOrder = order;
    if (m_state.hasData && kind() == ChartKind::WalterLieth)
        reFaz(false);
}

void Form3Chart::Check1_Click()
{
    if (m_controls.TxTitulo)
        m_controls.TxTitulo->setVisible(boxChecked(m_controls.Check1));
    // The diagrams take the title's band when it is hidden.
    if (m_state.hasData && kind() == ChartKind::WalterLieth)
        reFaz(false);
}

void Form3Chart::ChkLegenda_Click()
{
    // The Walter–Lieth diagrams have no legend: the box takes effect when
    // another kind is chosen.
    if (m_controls.Frame4)
        m_controls.Frame4->setVisible(boxChecked(m_controls.ChkLegenda) && kind() != ChartKind::WalterLieth);
}
