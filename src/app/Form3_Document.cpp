// SPDX-License-Identifier: GPL-3.0-or-later
// Chart documents: the chart gathered from the window into one value and
// applied back; saving and opening them; the recent files behind the Open
// button.
#include "app/Form3.h"

#include "app/DataSetStyle.h"
#include "app/Form3Chart.h"
#include "chart/MonthLabels.h"
#include "data/NumberText.h"
#include "data/Twips.h"
#include "output/ChartDocumentFile.h"
#include "platform/DataGrid.h"
#include "platform/Dialogs.h"
#include "platform/PictureBox.h"
#include "platform/PopupMenu.h"
#include "platform/RecentFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidgetSelectionRange>
#include <QToolButton>

#include <algorithm>

namespace {

const QString documentFilter = QStringLiteral("Tervalo chart document (*.tvc)|*.tvc|All files(*.*)|*.*|");

// The controls of one axis: its ticks and decimals lists, grid box,
// threshold row, and its two scale boxes with their automatic boxes.
struct AxisControls
{
    QComboBox *ticks;
    QComboBox *decimals;
    QCheckBox *grid;
    QCheckBox *thresholds;
    QLineEdit *lower;
    QLineEdit *upper;
    QLineEdit *minimumBox;
    QCheckBox *automaticMinimum;
    QLineEdit *maximumBox;
    QCheckBox *automaticMaximum;
};

// The scale boxes are numbered 0 max Y, 1 min Y, 2 min X, 3 max X.
AxisControls axisControls(const Form3Controls &c, Axis axis)
{
    if (axis == Axis::X)
        return {c.Combo1, c.Combo3, c.GridX, c.ChkLimX, c.txtLimInfX, c.TxtLimSupX,
                c.TextEsc[2], c.teC[2], c.TextEsc[3], c.teC[3]};
    return {c.Combo2, c.Combo4, c.GridY, c.ChkLimY, c.txtLimInfY, c.TxtLimSupY,
            c.TextEsc[1], c.teC[1], c.TextEsc[0], c.teC[0]};
}

BoxEntry entryOf(const QLineEdit *box)
{
    BoxEntry entry;
    entry.number = NumberText::parse(box->text());
    entry.text = entry.number ? NumberText::plain(box->text()).value_or(QString()) : box->text();
    return entry;
}

// A number goes back as it was written, in this computer's form.
QString textOf(const BoxEntry &entry)
{
    if (!entry.number)
        return entry.text;
    const QString shown = NumberText::fromPlain(entry.text);
    return NumberText::parse(shown) == entry.number ? shown : NumberText::general(*entry.number);
}

DocumentAxis gatherAxis(const AxisControls &c, double minimum, double maximum, double dataMinimum,
                        double dataMaximum)
{
    DocumentAxis axis;
    axis.minimum = minimum;
    axis.maximum = maximum;
    axis.automaticMinimum = c.automaticMinimum->isChecked();
    axis.automaticMaximum = c.automaticMaximum->isChecked();
    axis.minimumBox = entryOf(c.minimumBox);
    axis.maximumBox = entryOf(c.maximumBox);
    axis.dataMinimum = dataMinimum;
    axis.dataMaximum = dataMaximum;
    axis.ticks = std::max(0, c.ticks->currentIndex());
    axis.decimals = std::max(0, c.decimals->currentIndex());
    axis.grid = c.grid->isChecked();
    axis.thresholds = c.thresholds->isChecked();
    axis.lowerThreshold = entryOf(c.lower);
    axis.upperThreshold = entryOf(c.upper);
    return axis;
}

// Each setting goes to its control, whose handler follows as a click's
// would (the redraw waits).
void applyAxis(const AxisControls &c, const DocumentAxis &axis)
{
    c.ticks->setCurrentIndex(std::clamp(axis.ticks, 0, c.ticks->count() - 1));
    c.decimals->setCurrentIndex(std::clamp(axis.decimals, 0, c.decimals->count() - 1));
    c.grid->setChecked(axis.grid);
    c.thresholds->setChecked(axis.thresholds);
    c.lower->setText(textOf(axis.lowerThreshold));
    c.upper->setText(textOf(axis.upperThreshold));
    c.automaticMinimum->setChecked(axis.automaticMinimum);
    c.automaticMaximum->setChecked(axis.automaticMaximum);
    c.minimumBox->setText(textOf(axis.minimumBox));
    c.maximumBox->setText(textOf(axis.maximumBox));
}

QPoint twips(QPoint pixels)
{
    return pixels * Twips::perPixel;
}

// Data set n's own place name: its display name without "n - ".
QString placeOf(int n, const QString &displayName)
{
    const QString prefix = QString::number(n) + QStringLiteral(" - ");
    return displayName.startsWith(prefix) ? displayName.mid(prefix.size()) : displayName;
}

} // namespace

bool Form3::isChartDocument(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("tvc"), Qt::CaseInsensitive) == 0;
}

ChartDocument Form3::chartDocument() const
{
    const Form3Controls &c = m_controls;
    const ChartState &s = m_state.chart;
    ChartDocument document;
    document.kind = c.Option3->isChecked()             ? ChartKind::Normal
                    : c.OptionWalterLieth->isChecked() ? ChartKind::WalterLieth
                                                       : ChartKind::Climate;
    document.monthOrder = s.monthOrder;
    for (int style = 0; style < MonthLabels::styleCount; ++style)
        if (c.Option1[style]->isChecked())
            document.monthLabels = style;
    document.x = gatherAxis(axisControls(c, Axis::X), s.scaleMinX, s.scaleMaxX, s.tempMin, s.tempMax);
    document.y = gatherAxis(axisControls(c, Axis::Y), s.scaleMinY, s.scaleMaxY, s.precMin, s.precMax);
    document.titleShown = c.Check1->isChecked();
    document.title = c.TxTitulo->text();
    document.legendShown = c.ChkLegenda->isChecked();
    document.legendPosition = twips(c.Frame4->pos() - c.Picture1->pos());
    document.legendWidth = c.Frame4->width() * Twips::perPixel;
    document.blackAndWhite = m_state.blackWhite;

    const DataGrid *grid = c.Grid2;
    const int count = std::min(m_state.setCount, maxDataSets);
    for (int n = 1; n <= count; ++n) {
        DocumentPlace place;
        place.data.name = placeOf(n, m_state.setName[n]);
        std::copy_n(m_state.loadedTemp[n].begin(), 13, place.data.temp.begin());
        std::copy_n(m_state.loadedPrec[n].begin(), 13, place.data.ppt.begin());
        place.data.info = m_state.setInfo[n];
        const QListWidgetItem *entry = c.List1->item(n - 1);
        place.checked = entry && entry->checkState() == Qt::Checked;
        place.colour = m_program.setColorTable[n];
        place.restoredColour = m_state.savedColor[n];
        place.lineType = std::clamp(m_state.setLineStyle[n], 0, 4);
        place.markerSize = std::clamp(m_state.setMarkerSize[n], 0, 5);
        place.lineWidth = std::clamp(m_state.setLineWidth[n], 0, 10);

        // Transposing swaps the headers with the months; a cell that does
        // not show what loading (and the swaps since) wrote there was edited.
        const int first = 2 * n - 1;
        place.transposed = grid->text(0, first).startsWith(QLatin1String("Ppt"));
        for (Quantity quantity : {Quantity::Temperature, Quantity::Precipitation}) {
            const bool inFirst = (quantity == Quantity::Temperature) != place.transposed;
            const int column = inFirst ? first : first + 1;
            for (int month = 1; month <= 12; ++month) {
                const double loaded = quantity == Quantity::Temperature ? place.data.temp[month] : place.data.ppt[month];
                QString expected = tableText(quantity, loaded);
                if (place.transposed)
                    if (const std::optional<double> shown = NumberText::parse(expected))
                        expected = NumberText::general(*shown);
                const QString text = grid->text(month, column);
                if (text != expected)
                    place.edits.push_back({month, quantity, NumberText::parse(text)});
            }
        }
        document.places.push_back(std::move(place));
    }
    return document;
}

void Form3::applyDocument(const ChartDocument &document)
{
    resetAll();
    Form3Controls &c = m_controls;
    ChartState &s = m_state.chart;
    const int count = std::min(static_cast<int>(document.places.size()), maxDataSets);
    {
        // One redraw at the end instead of one for every control and place,
        // and the window painted once, after it.
        const FlagScope quiet(m_state.suppressRedraw);
        c.client->setUpdatesEnabled(false);
        // The values table takes all its columns at once: adding two at a
        // time lays its header out again for every place.
        c.Grid2->setColumnCount(2 * count + 1);
        {
            // The check marks' handler rebuilds the selected list, the
            // table's colours and the legend from all places: once, when
            // every place is in, rather than fifty times for fifty places.
            const QSignalBlocker onceAtTheEnd(c.List1);
            for (int n = 1; n <= count; ++n) {
                const DocumentPlace &place = document.places[n - 1];
                m_program.setColorTable[n] = place.colour;
                m_state.savedColor[n] = place.restoredColour;
                m_state.setLineStyle[n] = place.lineType;
                m_state.setMarkerSize[n] = place.markerSize;
                m_state.setLineWidth[n] = place.lineWidth;
                appendPlace(place.data);
                if (!place.checked)
                    c.List1->item(n - 1)->setCheckState(Qt::Unchecked);
            }
        }
        List1_ItemCheck();
        for (int n = 1; n <= count; ++n) {
            const DocumentPlace &place = document.places[n - 1];
            if (place.transposed && m_engine)
                m_engine->swapColumns(n);
            for (const TableEdit &edit : place.edits) {
                const bool inFirst = (edit.quantity == Quantity::Temperature) != place.transposed;
                const int column = inFirst ? 2 * n - 1 : 2 * n;
                c.Grid2->setText(edit.month, column, edit.value ? NumberText::general(*edit.value) : QString());
                // As the user's edit did: the month's number, its average
                // and the place's climate class follow.
                Grid2_Edited(QTableWidgetSelectionRange(edit.month, column, edit.month, column));
            }
        }

        m_state.chart.monthOrder = document.monthOrder;
        (document.kind == ChartKind::Normal        ? c.Option3
         : document.kind == ChartKind::WalterLieth ? c.OptionWalterLieth
                                                   : c.Option2)
            ->setChecked(true);
        c.Option1[std::clamp(document.monthLabels, 0, MonthLabels::styleCount - 1)]->setChecked(true);
        applyAxis(axisControls(c, Axis::X), document.x);
        applyAxis(axisControls(c, Axis::Y), document.y);
        c.TxTitulo->setText(document.title);
        c.Check1->setChecked(document.titleShown);
        c.ChkLegenda->setChecked(document.legendShown);

        if (document.blackAndWhite && m_style) {
            m_style->Command2_Click();
            // A colour chosen while black-and-white mode was on stays.
            for (int n = 1; n <= count; ++n) {
                m_program.setColorTable[n] = document.places[n - 1].colour;
                DataSetStyle::setLabelColour(Lab(n), m_program.setColorTable[n]);
            }
        }

        s.scaleMinX = document.x.minimum;
        s.scaleMaxX = document.x.maximum;
        s.scaleMinY = document.y.minimum;
        s.scaleMaxY = document.y.maximum;
        s.autoMinX = s.scaleMinX;
        s.autoMaxX = s.scaleMaxX;
        s.autoMinY = s.scaleMinY;
        s.autoMaxY = s.scaleMaxY;
        s.tempMin = document.x.dataMinimum;
        s.tempMax = document.x.dataMaximum;
        s.precMin = document.y.dataMinimum;
        s.precMax = document.y.dataMaximum;

        const QPoint legend = c.Picture1->pos() + QPoint(Twips::toPixels(document.legendPosition.x()),
                                                         Twips::toPixels(document.legendPosition.y()));
        c.Frame4->move(legend);
        if (document.legendWidth > 0)
            c.Frame4->resize(Twips::toPixels(document.legendWidth), c.Frame4->height());
        c.client->setUpdatesEnabled(true);
    }
    if (m_engine)
        m_engine->reFaz(false);
}

// --- The commands -------------------------------------------------------------

namespace {

// Where the document dialogs start: the folder of the chart document used
// last, else the user's home.
QString documentFolder()
{
    for (const QString &path : RecentFiles::list())
        if (Form3::isChartDocument(path))
            return QFileInfo(path).absolutePath();
    return QDir::homePath();
}

Dialogs::FileRequest documentRequest(const QString &title)
{
    Dialogs::FileRequest request;
    request.title = title;
    request.filter = documentFilter;
    request.defaultSuffix = QStringLiteral("tvc");
    request.directory = documentFolder();
    return request;
}

} // namespace

void Form3::saveChartDocument()
{
    const QString path = Dialogs::saveFileName(this, documentRequest(QStringLiteral("Save chart document")));
    if (path.isEmpty())
        return;
    const QString why = ChartDocumentFile::write(path, chartDocument());
    if (!why.isEmpty()) {
        Dialogs::fileNotSaved(this, path, why);
        return;
    }
    RecentFiles::add(path);
}

void Form3::openChartDocument()
{
    const QString path = Dialogs::openFileName(this, documentRequest(QStringLiteral("Open chart document")));
    if (!path.isEmpty())
        openChartDocumentFile(path);
}

bool Form3::openChartDocumentFile(const QString &path)
{
    const ChartDocumentFile::ReadResult read = ChartDocumentFile::read(path);
    if (!read.ok()) {
        Dialogs::message(this,
                         QStringLiteral("The chart document could not be opened:\n%1\n%2")
                             .arg(QDir::toNativeSeparators(path), read.error),
                         QStringLiteral("Warning"), QMessageBox::Warning);
        return false;
    }
    if (m_state.setCount > 0
        && !Dialogs::question(this,
                              QStringLiteral("The chart document replaces the places and settings of the "
                                             "chart shown now.\nOpen %1?")
                                  .arg(QFileInfo(path).fileName()),
                              QStringLiteral("Open chart document")))
        return false;
    applyDocument(*read.document);
    RecentFiles::add(path);
    return true;
}

void Form3::openRecentFile(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        RecentFiles::remove(path);
        Dialogs::message(this,
                         QStringLiteral("%1 is no longer there; it was taken off the recent files.")
                             .arg(QDir::toNativeSeparators(path)),
                         QStringLiteral("Recent files"), QMessageBox::Information);
        return;
    }
    if (isChartDocument(path))
        openChartDocumentFile(path);
    else if (loadDataFile(path))
        RecentFiles::add(path);
}

// --- The Open button's menu ----------------------------------------------------

void Form3::createFileMenu()
{
    // Its commands run once it has closed: they open dialogs, and opening a
    // document resets the window the menu's button belongs to.
    m_fileMenu = new PopupMenu(this);
    m_fileMenu->setObjectName(QStringLiteral("fileMenu"));
    m_fileMenu->setAccessibleName(QStringLiteral("File"));
    m_fileMenu->setToolTipsVisible(true);
    connect(m_fileMenu, &QMenu::aboutToShow, this, &Form3::fillFileMenu);

    // Ctrl+S anywhere in the window, and an entry of the menus.
    m_saveDocumentAction = new QAction(QStringLiteral("Save chart document…"), this);
    m_saveDocumentAction->setObjectName(QStringLiteral("saveChartDocument"));
    m_saveDocumentAction->setShortcut(QKeySequence::Save);
    m_saveDocumentAction->setShortcutContext(Qt::WindowShortcut);
    // Queued, as the menus' own commands are: it runs once a menu showing
    // it has closed.
    connect(m_saveDocumentAction, &QAction::triggered, this, &Form3::saveChartDocument, Qt::QueuedConnection);
    addAction(m_saveDocumentAction);
}

void Form3::fillFileMenu()
{
    PopupMenu *menu = m_fileMenu;
    menu->clear();
    menu->addCommand(QStringLiteral("Open data file…"), this, &Form3::carrega);
    menu->addCommand(QStringLiteral("Open chart document…"), this, &Form3::openChartDocument);
    menu->addAction(m_saveDocumentAction);
    menu->addSeparator();

    const QStringList recent = RecentFiles::list();
    if (recent.isEmpty())
        menu->addAction(QStringLiteral("No recent files"))->setEnabled(false);
    for (qsizetype i = 0; i < recent.size(); ++i) {
        const QString &path = recent[i];
        const QFileInfo file(path);
        const QString folder = QDir::toNativeSeparators(file.absolutePath());
        const QString number = i < 9 ? QStringLiteral("&") + QString::number(i + 1) : QStringLiteral("1&0");
        const QString name = file.fileName().replace(u'&', QStringLiteral("&&"));
        const QString where =
            menu->fontMetrics().elidedText(folder, Qt::ElideMiddle, 320).replace(u'&', QStringLiteral("&&"));
        const QString label = QStringLiteral("%1  %2   (%3)").arg(number, name, where);
        QAction *open = menu->addCommand(label, this, [this, path] { openRecentFile(path); });
        open->setToolTip(QDir::toNativeSeparators(path));
    }
    if (!recent.isEmpty()) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("Clear recent files"), this, [] { RecentFiles::clear(); });
    }
}
