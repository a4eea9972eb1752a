// SPDX-License-Identifier: GPL-3.0-or-later
// Chart interaction on the main window: the pointer read-out ("Coord."),
// dragging the legend onto the chart, and the superposed-area button. The
// logic lives in src/analysis; this file feeds it the window's pointer
// events and lends it the window's controls.
#include "app/Form3.h"

#include "analysis/AreaMeasurement.h"
#include "analysis/LegendDrop.h"
#include "analysis/PointerReadout.h"
#include "app/Form3Chart.h"
#include "data/Twips.h"
#include "platform/PictureBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRubberBand>
#include <QStyle>

#include <algorithm>

namespace {

constexpr qint32 white = Rgb::pack(255, 255, 255);

QPointF toTwips(QPointF pixels)
{
    return {Twips::fromPixels(pixels.x()), Twips::fromPixels(pixels.y())};
}

QPointF topLeftTwips(const QWidget *widget)
{
    return toTwips(widget->pos());
}

// A picture box reports the pointer in its canvas's current unit.
QPointF pixelsOf(const PictureBox *box, QPointF canvasUnits)
{
    if (box->canvas().unit() == Canvas::Unit::Pixels)
        return canvasUnits;
    return canvasUnits / Twips::perPixel;
}

// Buttons as the classic mouse events number them: 1 left, 2 right, 4 middle.
int buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 1;
    }
}

// The plotting area's pixels as the measurement sees them.
class PlotCanvas : public AreaMeasurement::Canvas
{
public:
    explicit PlotCanvas(RasterCanvas *canvas) : m_canvas(canvas) {}

    QSize size() const override { return m_canvas ? m_canvas->size() : QSize(); }
    // The chart pictures are cleared to white.
    qint32 background() const override { return white; }
    qint32 pixel(int x, int y) const override { return m_canvas ? m_canvas->pixel(x, y) : -1; }
    void floodFill(int x, int y, qint32 colour) override
    {
        if (m_canvas)
            m_canvas->floodFill(x, y, colour);
    }
    void floodFillFromEdges(qint32 background, qint32 colour) override
    {
        if (m_canvas)
            m_canvas->floodFillFromEdges(background, colour);
    }
    qint64 countPixels(qint32 colour, const QRect &area) const override
    {
        return m_canvas ? m_canvas->countPixels(colour, area) : 0;
    }

private:
    RasterCanvas *m_canvas;
};

} // namespace

// Lives as long as the window; after reset all it is attached to the new
// controls, and a measurement's saved settings carry over (reset has ended
// the measurement itself).
class Form3Analysis : public QObject, private AreaMeasurement::Window
{
public:
    explicit Form3Analysis(Form3 &window)
        : QObject(&window), m_window(window),
          m_area(*this, window.state().areaMode, window.state().plotAreaPixels)
    {
    }

    // Runs with every new set of controls: at start-up, and at reset all
    // before reset ends a measurement under way.
    void attach()
    {
        m_area.abandon();
        const Form3Controls &c = m_window.controls();
        for (QWidget *tracked : {static_cast<QWidget *>(c.Picture4), static_cast<QWidget *>(c.Picture1), c.client})
            tracked->setMouseTracking(true);
        // The read-out works in twips, the measurement in pixels, whatever
        // unit the plotting area was last drawn in.
        connect(c.Picture4, &PictureBox::pointerMoved, this, [this](QPointF at, Qt::MouseButtons buttons) {
            if (buttons == Qt::NoButton)
                Picture4_MouseMove(pixelsOf(controls().Picture4, at) * Twips::perPixel);
        });
        connect(c.Picture4, &PictureBox::pointerPressed, this, [this](QPointF at, Qt::MouseButton button) {
            const QPointF pixels = pixelsOf(controls().Picture4, at);
            m_area.Picture4_MouseDown(buttonNumber(button), pixels.x(), pixels.y());
        });
        // Moves over a child control that it passes on come here too; only
        // the chart's margins hide the read-out.
        // The Walter–Lieth diagrams lie on the chart picture itself.
        connect(c.Picture1, &PictureBox::pointerMoved, this, [this](QPointF at, Qt::MouseButtons buttons) {
            const QPointF pixels = pixelsOf(controls().Picture1, at);
            const Form3Chart *chart = m_window.chart();
            if (chart && chart->kind() == ChartKind::WalterLieth) {
                if (buttons == Qt::NoButton)
                    walterLiethReadout(pixels * Twips::perPixel);
            } else if (!controls().Picture1->childAt(pixels.toPoint())) {
                hideReadout();
            }
        });
        c.client->installEventFilter(this);
        c.Frame4->installEventFilter(this);
        connect(c.Command3, &QPushButton::clicked, this, [this] { m_area.Command3_Click(); });
        m_dragging = false;
        m_dragFeedback = new QRubberBand(QRubberBand::Rectangle, c.client);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const Form3Controls &controls() const { return m_window.controls(); }

    void Picture4_MouseMove(QPointF twips);
    void walterLiethReadout(QPointF twips);
    void showReadout(const QString &text, int leastWidth = 0);
    void hideReadout();
    void Frame4_MouseDown(QPointF pixels);
    void dragTo(QPointF clientPixels);
    void drop(QPointF clientPixels);
    QWidget *dropTargetAt(QPoint clientPixels) const;

    // AreaMeasurement::Window
    int checkedDataSets() const override;
    bool isLegendChecked() const override { return controls().ChkLegenda->isChecked(); }
    void setLegendChecked(bool checked) override { controls().ChkLegenda->setChecked(checked); }
    bool isGridXChecked() const override { return controls().GridX->isChecked(); }
    void setGridXChecked(bool checked) override { controls().GridX->setChecked(checked); }
    bool isGridYChecked() const override { return controls().GridY->isChecked(); }
    void setGridYChecked(bool checked) override { controls().GridY->setChecked(checked); }
    int monthLabelOption() const override;
    void Option1_Click(int index) override
    {
        if (m_window.chart())
            m_window.chart()->Option1_Click(index);
    }
    int selectedItemCount() const override { return controls().List2->count(); }
    QString selectItem(int index) override;
    int markerSize(int n) const override { return m_window.state().setMarkerSize[n]; }
    void setMarkerSize(int n, int size) override { m_window.state().setMarkerSize[n] = size; }
    int lineStyle(int n) const override { return m_window.state().setLineStyle[n]; }
    void setLineStyle(int n, int style) override { m_window.state().setLineStyle[n] = style; }
    void reFaz(bool rescale) override
    {
        if (m_window.chart())
            m_window.chart()->reFaz(rescale);
    }
    AreaMeasurement::Canvas &plottingArea() override
    {
        m_canvas = PlotCanvas(&controls().Picture4->canvas());
        return m_canvas;
    }
    void setProgressVisible(bool visible) override { controls().ProgBar->setVisible(visible); }
    void setProgress(int percent) override { controls().ProgBar->setValue(percent); }
    QString resultText() const override { return controls().Label5->text(); }
    void setResultText(const QString &text) override { controls().Label5->setText(text); }
    void setButtonCaption(const QString &caption) override { controls().Command3->setText(caption); }
    QWidget *dialogParent() const override { return &m_window; }
    ChartKind chartKind() const override
    {
        return m_window.chart() ? m_window.chart()->kind() : ChartKind::Climate;
    }

    Form3 &m_window;
    AreaMeasurement m_area;
    PlotCanvas m_canvas{nullptr};
    // The outline that follows the pointer while the legend is dragged; it
    // belongs to the controls and goes with them.
    QPointer<QRubberBand> m_dragFeedback;
    bool m_dragging = false;
};

void Form3::connectAnalysis()
{
    if (!m_analysis)
        m_analysis = new Form3Analysis(*this);
    m_analysis->attach();
}

bool Form3Analysis::eventFilter(QObject *watched, QEvent *event)
{
    // Only pointer events reach the window: the others also come while the
    // window is being destroyed, when its controls are gone.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    const Form3Controls &c = controls();
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPointF at = mouse->position();

    if (watched == c.client) {
        // Moves over a child control come here too when the child passes
        // them on; only the bare window hides the read-out.
        if (type == QEvent::MouseMove && !c.client->childAt(at.toPoint()))
            hideReadout();
    } else if (watched == c.Frame4) {
        const QPointF client = c.Frame4->mapTo(c.client, at);
        if (type == QEvent::MouseButtonPress) {
            // A press on one of the labels does not grab the legend.
            if (qobject_cast<QLabel *>(c.Frame4->childAt(at.toPoint())))
                return false;
            Frame4_MouseDown(at);
            return true;
        }
        if (m_dragging && type == QEvent::MouseMove) {
            dragTo(client);
            return true;
        }
        if (m_dragging && type == QEvent::MouseButtonRelease && mouse->buttons() == Qt::NoButton) {
            drop(client);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// --- Pointer read-out --------------------------------------------------------

void Form3Analysis::Picture4_MouseMove(QPointF twips)
{
    const Form3Controls &c = controls();
    if (!c.Check2->isChecked() || !m_window.state().hasData)
        return;
    const Form3Chart *chart = m_window.chart();
    showReadout(chart ? PointerReadout::text(chart->settings(), twips.x(), twips.y()) : QString());
}

// Over a diagram's plotting area the read-out shows its values; over the
// rest of the picture (headers, scales, the space between) it goes, as over
// the other kinds' margins.
void Form3Analysis::walterLiethReadout(QPointF twips)
{
    const Form3Controls &c = controls();
    if (!c.Check2->isChecked() || !m_window.state().hasData)
        return;
    const QString text = PointerReadout::walterLieth(m_window.chart()->walterLiethDiagrams(), twips.x(), twips.y());
    if (text.isEmpty()) {
        hideReadout();
        return;
    }
    // Month names and units are wider than the digits the box's usual
    // width allows for: the box grows to show the whole text.
    const QMargins margins = c.tagPic->textMargins();
    const int frame = c.tagPic->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, c.tagPic);
    // The line edit's own margin is 2 pixels a side; a few more keep the
    // last letter clear of the frame.
    const int needed = c.tagPic->fontMetrics().horizontalAdvance(text) + margins.left() + margins.right()
                     + 2 * frame + 2 * 2 + 4;
    showReadout(text, needed);
}

void Form3Analysis::showReadout(const QString &text, int leastWidth)
{
    const Form3Controls &c = controls();
    c.tagPic->show();
    c.tagPic->resize(std::max(leastWidth, Twips::toPixels(PointerReadout::widthTwips(text))), c.tagPic->height());
    if (c.tagPic->text() != text)
        c.tagPic->setText(text);
}

void Form3Analysis::hideReadout()
{
    controls().tagPic->hide();
}

// --- Placing the legend ------------------------------------------------------

void Form3Analysis::Frame4_MouseDown(QPointF pixels)
{
    const QPointF grab = toTwips(pixels);
    m_window.state().dragOffsetX = grab.x();
    m_window.state().dragOffsetY = grab.y();
    m_dragging = true;
    const Form3Controls &c = controls();
    m_dragFeedback->setGeometry(c.Frame4->geometry());
    m_dragFeedback->show();
    m_dragFeedback->raise();
}

void Form3Analysis::dragTo(QPointF clientPixels)
{
    const MainState &s = m_window.state();
    const QPointF grab(Twips::toPixels(s.dragOffsetX), Twips::toPixels(s.dragOffsetY));
    m_dragFeedback->move((clientPixels - grab).toPoint());
}

// The control under the pointer, looking through the legend being dragged:
// the outline shows where the legend goes, so that is where it drops.
QWidget *Form3Analysis::dropTargetAt(QPoint clientPixels) const
{
    const Form3Controls &c = controls();
    const QObjectList &children = c.client->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto *child = qobject_cast<QWidget *>(*it);
        if (!child || child == c.Frame4 || child == m_dragFeedback.data() || child->isHidden()
            || child->testAttribute(Qt::WA_TransparentForMouseEvents) || !child->geometry().contains(clientPixels))
            continue;
        QWidget *inner = child->childAt(clientPixels - child->pos());
        return inner ? inner : child;
    }
    return nullptr;
}

void Form3Analysis::drop(QPointF clientPixels)
{
    m_dragging = false;
    m_dragFeedback->hide();
    const Form3Controls &c = controls();
    const MainState &s = m_window.state();
    const QPointF grab(s.dragOffsetX, s.dragOffsetY);
    QWidget *target = dropTargetAt(clientPixels.toPoint());
    QPointF topLeft;
    if (target == c.Picture1) {
        const QPointF drop = toTwips(clientPixels - QPointF(c.Picture1->pos()));
        topLeft = LegendDrop::onChartPicture(topLeftTwips(c.Picture1), drop, grab);
    } else if (target == c.Picture4) {
        const QPointF drop = toTwips(clientPixels - QPointF(c.Picture1->pos() + c.Picture4->pos()));
        topLeft = LegendDrop::onPlottingArea(topLeftTwips(c.Picture1), topLeftTwips(c.Picture4), drop, grab);
    } else {
        return;
    }
    c.Frame4->move(Twips::toPixels(topLeft.x()), Twips::toPixels(topLeft.y()));
}

// --- Superposed area ---------------------------------------------------------

int Form3Analysis::checkedDataSets() const
{
    const QListWidget *list = controls().List1;
    int checked = 0;
    for (int i = 0; i < list->count(); ++i)
        checked += list->item(i)->checkState() == Qt::Checked;
    return checked;
}

int Form3Analysis::monthLabelOption() const
{
    const Form3Controls &c = controls();
    for (int i = 0; i < static_cast<int>(c.Option1.size()); ++i)
        if (c.Option1[i]->isChecked())
            return i;
    return -1;
}

QString Form3Analysis::selectItem(int index)
{
    QListWidget *list = controls().List2;
    list->setCurrentRow(index);
    const QListWidgetItem *item = list->item(index);
    return item ? item->text() : QString();
}
