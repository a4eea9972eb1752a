// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StationBrowser.h"

#include "app/Form3.h"
#include "app/StationListModel.h"
#include "data/DataFile.h"
#include "data/NumberText.h"
#include "data/StationTable.h"
#include "platform/Dialogs.h"
#include "platform/RecentFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Each column as wide as a long entry of its kind (or its heading, with
// room for the sort arrow): the widths never depend on what is listed.
constexpr const char16_t *columnSamples[StationListModel::ColumnCount] = {
    u"Cartagena (Rafael Nunez Airp.)", u"Russian Federation", u"BWh", u"-1000 m", u"88.88\u00b0 N",
    u"188.88\u00b0 W", u"1991-2020"};
constexpr int columnPadding = 28;   // pixels: cell margins and the sort arrow

} // namespace

StationBrowser::StationBrowser(const QString &tablePath, AddPlace addPlace, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_addPlace(std::move(addPlace))
{
    setObjectName(QStringLiteral("StationBrowser"));
    setWindowTitle(QStringLiteral("Station library"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *findLabel = new QLabel(QStringLiteral("&Find a place, country or climate class:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("StationSearch"));
    m_search->setAccessibleName(QStringLiteral("Find a place, country or climate class"));
    m_search->setPlaceholderText(QStringLiteral("for example: sao paulo, moscow, kenya, bwh, cfb france"));
    m_search->setClearButtonEnabled(true);
    findLabel->setBuddy(m_search);

    m_model = new StationListModel(this);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("StationList"));
    m_list->setAccessibleName(QStringLiteral("Stations"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setWordWrap(false);
    m_list->setAlternatingRowColors(true);
    m_list->verticalHeader()->hide();
    // Fixed row heights and column widths: nothing is measured over the
    // rows, so a new query costs the same whatever the list shows.
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    const QFontMetrics metrics = m_list->fontMetrics();
    const QFontMetrics headerMetrics = m_list->horizontalHeader()->fontMetrics();
    for (int column = 0; column < StationListModel::ColumnCount; ++column) {
        const int sample = metrics.horizontalAdvance(QString::fromUtf16(columnSamples[column]));
        const int heading = headerMetrics.horizontalAdvance(
            m_model->headerData(column, Qt::Horizontal).toString());
        m_list->setColumnWidth(column, std::max(sample, heading) + columnPadding);
    }
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setSortingEnabled(true);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StationStatus"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_add = new QPushButton(QStringLiteral("Add"), this);
    m_add->setObjectName(QStringLiteral("StationAdd"));
    m_add->setToolTip(QStringLiteral("Add the selected stations to the chart (Enter, or a double-click)"));
    m_save = new QPushButton(QStringLiteral("Save as data file\u2026"), this);
    m_save->setObjectName(QStringLiteral("StationSave"));
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("StationClose"));

    m_credit = new QLabel(QString::fromUtf16(StationTable::credit), this);
    m_credit->setObjectName(QStringLiteral("StationCredit"));
    QFont small = m_credit->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_credit->setFont(small);
    m_credit->setForegroundRole(QPalette::PlaceholderText);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_save);
    buttons->addStretch();
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(findLabel);
    layout->addWidget(m_search);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    layout->addWidget(m_credit);

    int width = 0;
    for (int column = 0; column < StationListModel::ColumnCount; ++column)
        width += m_list->columnWidth(column);
    resize(width + 60, 560);

    connect(m_search, &QLineEdit::textChanged, this, &StationBrowser::searchChanged);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &StationBrowser::addSelected);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &StationBrowser::selectionChanged);
    connect(m_add, &QPushButton::clicked, this, &StationBrowser::addSelected);
    connect(m_save, &QPushButton::clicked, this, &StationBrowser::saveSelected);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    m_search->installEventFilter(this);
    m_list->installEventFilter(this);

    loadTable(tablePath);
    selectionChanged();
    m_search->setFocus();
}

StationBrowser::~StationBrowser() = default;

StationBrowser *StationBrowser::showBrowser(Form3 *mainWindow)
{
    static QPointer<StationBrowser> browser;
    if (!browser) {
        const QString path = QDir(QCoreApplication::applicationDirPath())
                                 .filePath(QString::fromUtf16(StationTable::fileName));
        QPointer<Form3> window(mainWindow);
        browser = new StationBrowser(path, [window](const DataSet &place) {
            return window && window->appendPlace(place);
        });
        // Beside the main window where the screen has room, so the chart
        // stays in view while stations are added.
        if (mainWindow) {
            const QRect screen = mainWindow->screen()->availableGeometry();
            const QRect main = mainWindow->frameGeometry();
            if (main.right() + browser->width() + 16 <= screen.right())
                browser->move(main.right() + 8, main.top());
        }
    }
    browser->show();
    browser->raise();
    browser->activateWindow();
    return browser;
}

void StationBrowser::loadTable(const QString &tablePath)
{
    StationTable::ReadResult read = StationTable::readStationTable(tablePath);
    if (!read.ok) {
        // Said where the list would be, so an empty list is never silent.
        m_status->setText(QStringLiteral("The station library could not be opened. %1").arg(read.message));
        m_status->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
        m_search->setEnabled(false);
        m_list->setEnabled(false);
        return;
    }
    if (read.badRows > 0)
        m_tableProblem = QStringLiteral("%1 rows of the table did not read and are left out (first: %2).")
                             .arg(read.badRows)
                             .arg(read.firstBadRow);
    m_model->setStations(std::move(read.stations));
    m_list->sortByColumn(StationListModel::PlaceColumn, Qt::AscendingOrder);
    showCount();
}

void StationBrowser::searchChanged(const QString &text)
{
    m_model->setQuery(text);
    // The best match is selected at once, so Enter in the box adds it.
    if (m_model->rowCount() > 0)
        m_list->selectRow(0);
    showCount();
}

void StationBrowser::showCount()
{
    const QLocale locale;
    const int shown = m_model->rowCount();
    const int all = m_model->stationCount();
    QString text = shown == all ? QStringLiteral("%1 stations").arg(locale.toString(all))
                                : QStringLiteral("%1 of %2 stations").arg(locale.toString(shown), locale.toString(all));
    if (!m_tableProblem.isEmpty())
        text += QStringLiteral(". ") + m_tableProblem;
    m_status->setText(text);
}

std::vector<const Station *> StationBrowser::selectedStations() const
{
    QModelIndexList rows = m_list->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    std::vector<const Station *> stations;
    for (const QModelIndex &row : rows)
        if (const Station *station = m_model->station(row.row()))
            stations.push_back(station);
    return stations;
}

void StationBrowser::selectionChanged()
{
    const size_t selected = selectedStations().size();
    m_add->setEnabled(selected > 0);
    m_save->setEnabled(selected == 1);
}

void StationBrowser::addSelected()
{
    const std::vector<const Station *> stations = selectedStations();
    if (stations.empty() || !m_addPlace)
        return;
    QStringList added;
    for (const Station *station : stations) {
        const DataSet place = StationTable::dataSet(*station);
        if (!m_addPlace(place)) {
            const qsizetype left = static_cast<qsizetype>(stations.size()) - added.size();
            m_status->setText(QStringLiteral("The main window holds %1 data sets, the most it can: %2 not added.")
                                  .arg(Form3::maxDataSets)
                                  .arg(left == 1 ? QStringLiteral("%1 was").arg(place.name)
                                                 : QStringLiteral("%1 stations were").arg(left)));
            return;
        }
        added << place.name;
    }
    m_status->setText(QStringLiteral("Added: %1.").arg(added.join(QStringLiteral(", "))));
}

void StationBrowser::saveSelected()
{
    const std::vector<const Station *> stations = selectedStations();
    if (stations.size() != 1)
        return;
    const Station &station = *stations.front();

    const Dialogs::FileRequest request{QStringLiteral("Save"),
                                       QStringLiteral("Tervalo(.tvr)|*.tvr|All files(*.*)|*.*"),
                                       QStringLiteral(".tvr"), QString()};
    const QString path = Dialogs::saveFileName(this, request);
    if (path.isEmpty())
        return;

    // As the editor writes a file it has opened: the general form in the
    // user's locale, so the file reads back the same on this computer.
    const QLocale locale;
    std::vector<DataFile::CellRow> rows;
    for (int month = 1; month <= 12; ++month)
        rows.emplace_back(NumberText::general(station.temp[month], locale),
                          NumberText::general(station.ppt[month], locale));
    const QString name = StationTable::dataSetName(station);
    const DataFile::WriteResult written = DataFile::writeDataFile(path, name, rows);
    if (!written.ok) {
        Dialogs::fileNotSaved(this, path, written.message);
        return;
    }
    RecentFiles::add(path);
    m_status->setText(QStringLiteral("Saved %1 as %2.").arg(name, QDir::toNativeSeparators(path)));
}

bool StationBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_search || watched == m_list)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            addSelected();
            return true;
        }
        // From the box, the arrow keys go on to the list.
        if (watched == m_search && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)
            && m_model->rowCount() > 0) {
            m_list->setFocus();
            if (!m_list->currentIndex().isValid())
                m_list->selectRow(0);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
