// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: construction, start-up, reset and reset all.
#include "app/Form3.h"

#include "app/DataSetStyle.h"
#include "app/Form3Chart.h"
#include "app/Form3ComboStyle.h"
#include "app/Form3Design.h"
#include "data/ProgramState.h"
#include "chart/MonthLabels.h"
#include "data/Rgb.h"
#include "editor/GridEditing.h"
#include "platform/DataGrid.h"
#include "platform/PictureBox.h"
#include "platform/PopupMenu.h"
#include "data/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QResizeEvent>
#include <QStyle>
#include <QStringList>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// A clean sans-serif that fits the design's small controls: the metric
// twins of the classic Windows font first, the desktop's own font last.
QFont captionFont(const QFont &fallback)
{
    QFont font = fallback;
    const QStringList preferred = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                   QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                                   QStringLiteral("Helvetica"), QStringLiteral("Noto Sans")};
    for (const QString &family : preferred) {
        if (QFontDatabase::hasFamily(family)) {
            font.setFamilies({family});
            break;
        }
    }
    font.setPointSizeF(Form3Design::captionFontPoints);
    return font;
}

} // namespace

Form3::Form3(QWidget *parent)
    : Form3(*new ProgramState, parent)
{
    m_ownProgram.reset(&m_program);
}

Form3::Form3(ProgramState &program, QWidget *parent)
    : QWidget(parent), m_program(program)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Tervalo"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tervalo.svg")));
    setAccessibleName(QStringLiteral("Tervalo"));
    setAcceptDrops(true);   // data files dropped from a file manager
    setFont(captionFont(font()));
    resize(Twips::toPixels(Form3Design::clientWidth), Twips::toPixels(Form3Design::clientHeight));

    // The close button ends the program on the spot, as if it had never
    // returned to the event loop: nothing is pending that could be lost.
    m_programEnd = [] {
        std::fflush(nullptr);
        std::_Exit(0);
    };

    m_comboStyle = new Form3ComboStyle(style()->name());
    m_comboStyle->setParent(this);

    createControls();
    createCollaborators();
    createFileMenu();
    connectControls();
    Form_Load();
    Form_Resize();
}

Form3::~Form3() = default;

void Form3::setProgramEnd(ProgramEnd end)
{
    m_programEnd = std::move(end);
}

void Form3::createCollaborators()
{
    const Form3Controls &c = m_controls;
    ProgramState &program = m_program;

    m_engine = new Form3Chart(m_state, program, c, [this](int n) { return Lab(n); }, this);

    StyleControls style;
    style.List1 = c.List1;
    style.List2 = c.List2;
    style.Combo5 = c.Combo5;
    style.Slider1 = c.Slider1;
    style.Slider2 = c.Slider2;
    style.CommCor = c.CommCor;
    style.Command2 = c.Command2;
    style.Frame4 = c.Frame4;
    style.Lab = [this](int n) { return Lab(n); };
    style.legendChanged = [this] { arrangeLegend(); };
    m_style = new DataSetStyle(m_state, program, style,
                               [this](bool rescale) {
                                   if (m_engine)
                                       m_engine->reFaz(rescale);
                               },
                               this);

    m_gridEditing = new GridEditing(c.Grid2, GridEditing::Sign::Refused, QStringLiteral("menupo"),
                                    &m_state.gridPopupColumn);
    connect(m_gridEditing, &GridEditing::edited, this, &Form3::Grid2_Edited);
    connect(m_engine, &Form3Chart::transposed, this, &Form3::showClimateClasses);
}

void Form3::connectControls()
{
    const Form3Controls &c = m_controls;
    // Fires for check marks set by the user and by code alike.
    connect(c.List1, &QListWidget::itemChanged, this, [this] { List1_ItemCheck(); });
    // The legend shown again shows every label it holds.
    connect(c.ChkLegenda, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            arrangeLegend();
    });
    // The selection changes before the current item does: follow both, so
    // that the style shown is always the current item's.
    connect(c.List2, &QListWidget::itemSelectionChanged, this, &Form3::List2_Click);
    connect(c.List2, &QListWidget::currentItemChanged, this, &Form3::List2_Click);
    for (int i = 0; i < static_cast<int>(c.Bot.size()); ++i)
        connect(c.Bot[i], &QToolButton::clicked, this, [this, i] { Bot_Click(i); });
    // A click on Open opens a data file; held down, or with the right
    // button, it shows the file menu with the chart documents and the
    // recent files.
    QToolButton *open = c.Bot[1];
    open->setMenu(m_fileMenu);
    open->setPopupMode(QToolButton::DelayedPopup);
    open->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(open, &QWidget::customContextMenuRequested, this,
            [this, open](const QPoint &at) { m_fileMenu->popup(open->mapToGlobal(at)); });
    connectChartMenu();
    connectAnalysis();
}

// Takes the controls away, with the objects that work on them. They go at
// the next turn of the event loop, because the button that asked for this is
// one of them and is still inside its click. While the colour chooser is
// open, the style object that opened it may still be waiting for it, deeper
// down the call stack: then the old set stays, hidden and silent, until that
// wait has ended.
void Form3::discardControls()
{
    QWidget *old = m_controls.client;
    DataSetStyle *style = m_style;
    if (old) {
        for (QObject *helper : {static_cast<QObject *>(m_gridEditing), static_cast<QObject *>(m_style),
                                static_cast<QObject *>(m_engine)})
            if (helper)
                helper->setParent(old);
        const QList<QObject *> children = old->findChildren<QObject *>();
        for (QObject *child : children) {
            child->blockSignals(true);
            child->removeEventFilter(this);
        }
        old->hide();
        const auto discard = [retired = QPointer<QWidget>(old)] {
            if (retired)
                retired->deleteLater();
        };
        if (style)
            style->whenNotWaiting(discard);
        else
            discard();
    }
    m_gridEditing = nullptr;
    m_style = nullptr;
    m_engine = nullptr;
    m_controls = Form3Controls{};
}

void Form3::Form_Load()
{
    reset();
}

void Form3::resetAll()
{
    discardControls();
    createControls();
    createCollaborators();
    connectControls();
    Form_Load();
    Form_Resize();
    m_controls.client->show();
}

void Form3::reset()
{
    Form3Controls &c = m_controls;
    ChartState &chart = m_state.chart;
    ProgramState &program = m_program;

    // Black-and-white is a way of showing the chart, not a change of colour:
    // when reset all ends it, data sets 8..50 get their own colours back
    // (1..7 get the defaults below).
    if (m_state.blackWhite) {
        for (int n = 8; n <= std::min(m_state.setCount, maxDataSets); ++n)
            program.setColorTable[n] = m_state.savedColor[n];
    }
    m_state.blackWhite = false;
    m_state.legendWidth = -1;
    m_legendArranged = false;
    m_state.areaMode = false;

    c.Combo5->addItems({QStringLiteral("___"), QStringLiteral("---"), QStringLiteral("..."), QStringLiteral("-.-"),
                        QStringLiteral("-..")});
    c.Combo5->setCurrentIndex(0);

    QStringList divisions{QStringLiteral("Default")};
    for (int i = 2; i <= 20; ++i)
        divisions << QString::number(i);
    c.Combo1->addItems(divisions);
    c.Combo1->setCurrentIndex(0);
    c.Combo2->addItems(divisions);
    c.Combo2->setCurrentIndex(0);

    const QStringList decimals{QStringLiteral("0"), QStringLiteral("0.0"), QStringLiteral("0.00"),
                               QStringLiteral("0.000"), QStringLiteral("0.0000")};
    c.Combo3->addItems(decimals);
    c.Combo3->setCurrentIndex(1);
    c.Combo4->addItems(decimals);
    c.Combo4->setCurrentIndex(0);

    m_state.hasData = false;

    // The plotting area covers the rectangle the two guide lines span, their
    // end points included: the right column holds the last X tick, the bottom
    // row lies under the X axis. The values on the upper X and the lower Y
    // bound map onto those pixels, so a diagram lying on any bound is drawn
    // (and closed, for the area measurement) on every edge.
    chart.axisTop = Twips::fromPixels(c.eixoY->y());
    chart.axisBottom = Twips::fromPixels(c.eixoY->y() + c.eixoY->height());
    chart.axisLeft = Twips::fromPixels(c.eixoX->x());
    chart.axisRight = Twips::fromPixels(c.eixoX->x() + c.eixoX->width());
    c.Picture4->setGeometry(Twips::toPixels(chart.axisLeft), Twips::toPixels(chart.axisTop),
                            Twips::toPixels(chart.axisRight - chart.axisLeft) + 1,
                            Twips::toPixels(chart.axisBottom - chart.axisTop) + 1);

    c.tagPic->hide();

    // From the first pixel to the last: 0 .. inner width less one pixel.
    chart.plotLeft = 0;
    chart.plotRight = c.Picture4->innerWidth() - Twips::perPixel;
    chart.plotTop = 0;
    chart.plotBottom = c.Picture4->innerHeight() - Twips::perPixel;

    c.Grid2->clearTexts();
    c.Grid2->setColumnCount(1);
    c.Grid2->setText(0, 0, QStringLiteral("Month"));
    c.Grid2->hide();

    chart.monthLabel = MonthLabels::of(MonthLabels::initialStyle);
    chart.monthOrder = MonthOrder::Automatic;

    for (QCheckBox *automatic : c.teC)
        automatic->setChecked(true);

    for (int i = 0; i <= 10; ++i) {
        m_state.setMarkerSize[i] = 1;
        m_state.setLineWidth[i] = 1;
    }
    for (int n = 1; n <= 7; ++n)
        program.setColorTable[n] = Rgb::defaultSetColours[n];
    for (int n = 1; n <= 7; ++n)
        m_state.savedColor[n] = program.setColorTable[n];

    c.List1->clear();
    c.List2->clear();
    c.Picture4->clear();
    c.Picture1->clear();

    m_state.setCount = 0;
}

void Form3::paintChart(QPainter &painter, const QRectF &target) const
{
    if (m_engine)
        m_engine->paintChart(painter, target);
}

QSize Form3::chartPixelSize() const
{
    return m_engine ? m_engine->chartPixelSize() : QSize();
}

QLabel *Form3::Lab(int n) const
{
    if (n < 0 || n >= static_cast<int>(m_controls.Lab.size()))
        return nullptr;
    return m_controls.Lab[n];
}

void Form3::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_controls.client)
        m_controls.client->setGeometry(rect());
    Form_Resize();
}
