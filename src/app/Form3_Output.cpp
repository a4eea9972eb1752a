// SPDX-License-Identifier: GPL-3.0-or-later
// The chart leaving the program: copied to the clipboard, printed with a
// preview, saved as a PNG, SVG or PDF file from the chart's menu.
#include "app/Form3.h"

#include "app/AtlasExport.h"
#include "app/Form3Chart.h"
#include "output/ChartCapture.h"
#include "output/ChartFile.h"
#include "output/PrintLayout.h"
#include "output/PrintPreview.h"
#include "platform/DataGrid.h"
#include "platform/Dialogs.h"
#include "platform/PictureBox.h"
#include "platform/PopupMenu.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QProgressDialog>
#include <QRandomGenerator>

#include <algorithm>

namespace {

// The Save dialog's entries; a PNG's resolution is asked next.
const QString saveFilter = QStringLiteral(
    "PNG image (*.png)|*.png|"
    "SVG drawing (*.svg)|*.svg|"
    "PDF document (*.pdf)|*.pdf|");
constexpr int svgEntry = 1;
constexpr int pdfEntry = 2;

} // namespace

QImage Form3::chartImage() const
{
    const Form3Controls &c = m_controls;
    if (!c.client || !c.Picture1)
        return QImage();
    return ChartCapture::grab(c.client, c.Picture1->geometry());
}

// At the screen's own resolution the picture is the screen's, pixel for
// pixel; at any other the renderer draws it afresh at that resolution.
QByteArray Form3::chartPng(int dpi) const
{
    if (dpi != ChartFile::screenDpi)
        return ChartFile::png(chartPicture(), dpi);
    QImage image = chartImage();
    ChartFile::setDpi(image, dpi);
    return ChartFile::png(image);
}

// The renderer draws the chart afresh on the painter's own device: sharp on
// a printer, in an SVG or PDF file and in a larger image.
ChartPicture Form3::chartPicture() const
{
    return ChartPicture{chartPixelSize(),
                        [this](QPainter &painter, const QRectF &target) { paintChart(painter, target); }};
}

bool Form3::isMeasuringArea() const
{
    return m_state.areaMode;
}

// The copy button: the image goes to the clipboard first; the progress bar
// only confirms it to the eye afterwards.
void Form3::copyChart()
{
    QProgressBar *bar = m_controls.ProgBar;
    if (bar) {
        bar->setRange(0, 1000);
        bar->setValue(0);
        bar->show();
    }
    ChartCapture::toClipboard(chartImage());
    QCoreApplication::processEvents();
    // Tenths of the design's 0..100 bar: 0.1, 0.2 … 100.
    for (int i = 1; i <= 1000 && bar; ++i)
        bar->setValue(i);
    if (bar)
        bar->hide();
}

PrintTable Form3::printTable() const
{
    const Form3Controls &c = m_controls;
    PrintTable table;
    if (!c.Grid2)
        return table;
    const int columns = c.Grid2->columnCount();
    for (int row = 0; row < c.Grid2->rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < columns; ++column)
            texts << c.Grid2->text(row, column);
        table.rows.push_back(texts);
    }
    // Data set n's two columns are grey while it is unchecked, as on the screen.
    table.greyColumns.assign(columns, false);
    for (int column = 1; column < columns; ++column) {
        const QListWidgetItem *entry = c.List1 ? c.List1->item((column + 1) / 2 - 1) : nullptr;
        table.greyColumns[column] = entry && entry->checkState() != Qt::Checked;
    }
    return table;
}

// The print button. The chart image goes to the clipboard as with the copy
// button; the page itself draws the chart afresh at the printer's
// resolution, and nothing is written to a file on the way.
void Form3::Imprimir()
{
    ChartCapture::toClipboard(chartImage());
    QCoreApplication::processEvents();
    const ChartPicture chart = chartPicture();
    const PrintTable table = printTable();
    PrintPreview::run(this, [chart, table](QPrinter &printer) { PrintLayout::paint(printer, chart, table); });
}

void Form3::connectChartMenu()
{
    QWidget *picture = m_controls.Picture1;
    if (!picture)
        return;
    // The plotting area and the axis lines pass the right button on to the
    // chart picture; the title box keeps its own editing menu.
    picture->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(picture, &QWidget::customContextMenuRequested, this, &Form3::showChartMenu);
}

// `at` in the chart picture's coordinates.
void Form3::showChartMenu(const QPoint &at)
{
    const Form3Controls &c = m_controls;
    if (!c.Picture1)
        return;
    if (isMeasuringArea() && c.Picture4 && c.Picture4->geometry().contains(at))
        return;
    // The copy lets events run for its progress bar and Save chart as opens
    // a dialog: both run once the menu is closed and gone.
    auto *menu = new PopupMenu(this);
    menu->setObjectName(QStringLiteral("chartMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addCommand(QStringLiteral("Copy chart"), this, &Form3::copyChart);
    menu->addCommand(QStringLiteral("Save chart as…"), this, &Form3::saveChartAs);
    QAction *atlas = menu->addCommand(QStringLiteral("Export atlas…"), this, &Form3::exportAtlas);
    atlas->setEnabled(m_state.chart.checkedCount > 0);
    menu->addSeparator();
    // Its own action runs its command once the menu is gone, and carries
    // the window's Ctrl+S.
    menu->addAction(m_saveDocumentAction);
    menu->addCommand(QStringLiteral("Open chart document…"), this, &Form3::openChartDocument);
    addMonthOrderMenu(menu);
    menu->popup(c.Picture1->mapToGlobal(at));
}

// The month the Walter–Lieth diagrams start with, for the teacher who wants
// every place from January (or from July) whatever its hemisphere.
void Form3::addMonthOrderMenu(QMenu *menu)
{
    if (!m_engine)
        return;
    menu->addSeparator();
    QMenu *months = menu->addMenu(QStringLiteral("Walter-Lieth diagram starts with"));
    months->setObjectName(QStringLiteral("monthOrderMenu"));
    months->setEnabled(m_engine->kind() == ChartKind::WalterLieth);
    auto *choices = new QActionGroup(months);
    const std::pair<const char *, MonthOrder> orders[] = {
        {"By hemisphere (summer in the middle)", MonthOrder::Automatic},
        {"January", MonthOrder::JanuaryFirst},
        {"July", MonthOrder::JulyFirst},
    };
    for (const auto &[caption, order] : orders) {
        QAction *choice = months->addAction(QString::fromUtf8(caption));
        choice->setCheckable(true);
        choice->setChecked(m_state.chart.monthOrder == order);
        choice->setActionGroup(choices);
        // Queued like the menu's other commands: the redraw runs once the
        // menu has closed.
        connect(
            choice, &QAction::triggered, this,
            [this, order = order] {
                if (m_engine)
                    m_engine->setMonthOrder(order);
            },
            Qt::QueuedConnection);
    }
}

void Form3::saveChartAs()
{
    Dialogs::FileRequest request;
    request.title = QStringLiteral("Save chart as");
    request.filter = saveFilter;
    request.defaultSuffix = QStringLiteral("png");
    int entry = -1;
    const QString path = Dialogs::saveFileName(this, request, entry);
    if (path.isEmpty())
        return;

    // The name's extension decides the format; the entry chosen decides
    // only where the name has none we know.
    ChartFile::Format format = ChartFile::Format::Png;
    if (const std::optional<ChartFile::Format> byName = ChartFile::formatOf(path))
        format = *byName;
    else if (entry == svgEntry)
        format = ChartFile::Format::Svg;
    else if (entry == pdfEntry)
        format = ChartFile::Format::Pdf;
    if (format == ChartFile::Format::Png) {
        const int dpi = Dialogs::resolution(this, {chartPixelSize(), m_pngDpi, ChartFile::minimumDpi,
                                                   ChartFile::maximumDpi});
        if (dpi == 0)
            return;
        m_pngDpi = std::clamp(dpi, ChartFile::minimumDpi, ChartFile::maximumDpi);
    }

    const QString title = m_controls.TxTitulo ? m_controls.TxTitulo->text() : QString();
    QByteArray bytes;
    switch (format) {
    case ChartFile::Format::Png:
        bytes = chartPng(m_pngDpi);
        break;
    case ChartFile::Format::Svg:
        bytes = ChartFile::svg(chartPicture(), title);
        break;
    case ChartFile::Format::Pdf:
        bytes = ChartFile::pdf(chartPicture(), title);
        break;
    }
    const QString why = ChartFile::write(path, bytes);
    if (!why.isEmpty())
        Dialogs::message(this, QStringLiteral("The chart could not be saved as %1: %2").arg(path, why),
                         QStringLiteral("Warning"), QMessageBox::Warning);
}

namespace {

QString kindName(ChartKind kind)
{
    switch (kind) {
    case ChartKind::Normal:
        return QStringLiteral("\"Normal\" month chart");
    case ChartKind::WalterLieth:
        return QStringLiteral("Walter–Lieth diagram");
    case ChartKind::Climate:
        break;
    }
    return QStringLiteral("climate diagram");
}

} // namespace

// One chart per checked place in a PDF: the options, the file, then the
// pages, with a progress display that can cancel when it takes a while.
// A cancelled atlas writes nothing.
void Form3::exportAtlas()
{
    const ChartDocument document = chartDocument();
    AtlasExport atlas(document);
    if (atlas.placeCount() == 0) {
        Dialogs::message(this, QStringLiteral("Check the places the atlas is to show."),
                         QStringLiteral("Export atlas"), QMessageBox::Information);
        return;
    }
    AtlasOptions options = m_atlasOptions;
    if (!Dialogs::atlasOptions(this, {atlas.placeCount(), kindName(document.kind)}, options))
        return;
    m_atlasOptions = options;

    Dialogs::FileRequest request;
    request.title = QStringLiteral("Export atlas");
    request.filter = QStringLiteral("PDF document (*.pdf)|*.pdf|");
    request.defaultSuffix = QStringLiteral("pdf");
    const QString path = Dialogs::saveFileName(this, request);
    if (path.isEmpty())
        return;

    QProgressDialog progress(QStringLiteral("Drawing the atlas…"), QStringLiteral("Cancel"), 0, atlas.placeCount(),
                             this);
    progress.setWindowTitle(QStringLiteral("Export atlas"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(1000);
    const AtlasFile::Result result =
        atlas.compose(options, QRandomGenerator::global()->generate(), [&progress](int done, int) {
            progress.setValue(done);
            return !progress.wasCanceled();
        });
    progress.reset();
    if (result.cancelled)
        return;
    const QString why = ChartFile::write(path, result.pdf);
    if (!why.isEmpty())
        Dialogs::message(this, QStringLiteral("The atlas could not be saved as %1: %2").arg(path, why),
                         QStringLiteral("Warning"), QMessageBox::Warning);
}
