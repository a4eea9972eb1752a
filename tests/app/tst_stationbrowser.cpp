// SPDX-License-Identifier: GPL-3.0-or-later
// The station browser: finding stations as the user types, adding them to
// the main window as Open does, saving one as a data file.
#include "Form3Fixture.h"
#include "common/TestPaths.h"

#include "app/StationBrowser.h"
#include "app/StationListModel.h"
#include "data/DataFile.h"
#include "platform/DataGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {

QString tablePath()
{
    return TestPaths::sourceDir() + QStringLiteral("/resources/stations/stations.csv");
}

QStringList listTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

QStringList gridTexts(const DataGrid *grid)
{
    QStringList texts;
    for (int row = 0; row < grid->rowCount(); ++row)
        for (int column = 0; column < grid->columnCount(); ++column)
            texts << grid->text(row, column);
    return texts;
}

// Selects the listed rows whose station has this number.
void selectStation(StationBrowser &browser, const QString &id)
{
    browser.searchBox()->clear();
    for (int row = 0; row < browser.model()->rowCount(); ++row) {
        if (browser.model()->station(row)->id == id) {
            browser.list()->selectRow(row);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no station %1").arg(id)));
}

} // namespace

class TestStationBrowser : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Form3> m_window;
    std::unique_ptr<StationBrowser> m_browser;
    QTemporaryDir m_dir;

    std::unique_ptr<Form3> newWindow();
    std::unique_ptr<StationBrowser> newBrowser(Form3 &window, const QString &path = tablePath());

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void filtersAsTheUserTypes_data();
    void filtersAsTheUserTypes();
    void sortsByColumn();
    void addsAsOpenDoes();
    void sameAsOpeningTheSavedFile();
    void rightValuesUnderCommaLocale();
    void fiftyDataSetsAtMost();
    void missingTableIsSaid();
    void failedSaveSaysWhy();
    void toolbarButtonOpensOneBrowser();
};

std::unique_ptr<Form3> TestStationBrowser::newWindow()
{
    auto window = std::make_unique<Form3>();
    window->setProgramEnd([] {});
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

std::unique_ptr<StationBrowser> TestStationBrowser::newBrowser(Form3 &window, const QString &path)
{
    Form3 *target = &window;
    auto browser = std::make_unique<StationBrowser>(path, [target](const DataSet &place) {
        return target->appendPlace(place);
    });
    browser->setAttribute(Qt::WA_DeleteOnClose, false);
    browser->show();
    return browser;
}

void TestStationBrowser::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestStationBrowser::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_window = newWindow();
    QVERIFY(m_window);
    m_browser = newBrowser(*m_window);
}

void TestStationBrowser::cleanup()
{
    m_browser.reset();
    m_window.reset();
    flushDeletions();
    m_dialogs.reset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestStationBrowser::filtersAsTheUserTypes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");   // the first row listed
    QTest::addColumn<QString>("status");
    QTest::newRow("nothing typed: every station") << "" << "Aachen 1961-1990" << "3,360 stations";
    QTest::newRow("start of a name") << "mosc" << "Moscow 1961-1990" << "2 of 3,360 stations";
    QTest::newRow("accents and capitals") << QString::fromUtf8("SÃO PAULO") << "Sao Paulo 1961-1990"
                                          << "2 of 3,360 stations";
    QTest::newRow("country in words") << "kingdom of great" << "Aberdeen 1961-1990" << "";
    QTest::newRow("climate class") << "BWh" << "Abadan 1961-1990" << "245 of 3,360 stations";
    QTest::newRow("class and country") << "dfb russia" << "Barnaul 1961-1990" << "30 of 3,360 stations";
    QTest::newRow("nothing matches") << "qqq" << "" << "0 of 3,360 stations";
}

void TestStationBrowser::filtersAsTheUserTypes()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, status);
    QTest::keyClicks(m_browser->searchBox(), typed);
    const Station *first = m_browser->model()->station(0);
    QCOMPARE(first ? first->place + u' ' + first->period : QString(), shown);
    if (!status.isEmpty())
        QCOMPARE(m_browser->statusLine()->text(), status);
    // The best match is selected at once, ready for Enter.
    QCOMPARE(m_browser->list()->selectionModel()->selectedRows().size(), first && !typed.isEmpty() ? 1 : 0);
    QCOMPARE(m_browser->creditLine()->text(),
             QStringLiteral("Climate normals: Deutscher Wetterdienst (DWD), compiled in fdagner/klimadiagramme."));
}

// A second click on the heading sorts downwards: Bolivia's La Paz, 4038 m,
// above Mexico's at 18 m. Numbers are shown in the user's form.
void TestStationBrowser::sortsByColumn()
{
    QTest::keyClicks(m_browser->searchBox(), QStringLiteral("la paz"));
    QHeaderView *header = m_browser->list()->horizontalHeader();
    const QPoint elevation(header->sectionViewportPosition(StationListModel::ElevationColumn) + 5, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, elevation);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, elevation);
    const StationListModel *model = m_browser->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(0, StationListModel::ElevationColumn).data().toString(), QStringLiteral("4038 m"));
    QCOMPARE(model->index(0, StationListModel::LatitudeColumn).data().toString(), QString::fromUtf8("16.51° S"));
    QCOMPARE(model->index(0, StationListModel::LongitudeColumn).data().toString(), QString::fromUtf8("68.19° W"));
    QCOMPARE(model->index(2, StationListModel::ElevationColumn).data().toString(), QStringLiteral("18 m"));

    const QPoint climate(header->sectionViewportPosition(StationListModel::ClassColumn) + 5, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, climate);
    QCOMPARE(model->index(0, StationListModel::ClassColumn).data().toString(), QStringLiteral("BWh"));
    QCOMPARE(model->index(2, StationListModel::ClassColumn).data().toString(), QStringLiteral("Cwc"));
}

// Enter in the box, Enter in the list, the Add button with two rows
// selected, a double-click: each adds what is selected, in list order.
void TestStationBrowser::addsAsOpenDoes()
{
    QTest::keyClicks(m_browser->searchBox(), QStringLiteral("mosc"));
    QTest::keyClick(m_browser->searchBox(), Qt::Key_Return);
    QTest::keyClick(m_browser->searchBox(), Qt::Key_Down);   // on to the list
    QTest::keyClick(m_browser->list(), Qt::Key_Down);
    QTest::keyClick(m_browser->list(), Qt::Key_Enter);
    QCOMPARE(m_browser->statusLine()->text(), QStringLiteral("Added: Moscow 1991-2020."));

    QTableView *list = m_browser->list();
    m_browser->searchBox()->setText(QStringLiteral("sao paulo"));
    list->selectAll();
    QVERIFY(!m_browser->saveButton()->isEnabled());   // one station at a time
    QTest::mouseClick(m_browser->addButton(), Qt::LeftButton);
    m_browser->searchBox()->setText(QStringLiteral("manaus"));
    const QPoint cell = list->visualRect(m_browser->model()->index(0, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);

    const Form3Controls &c = m_window->controls();
    QCOMPARE(listTexts(c.List1), QStringList({"1 - Moscow 1961-1990", "2 - Moscow 1991-2020", "3 - Sao Paulo 1961-1990",
                                              "4 - Sao Paulo 1991-2020", "5 - Manaus 1961-1990"}));
    QCOMPARE(listTexts(c.List2), listTexts(c.List1));
    QCOMPARE(c.Grid2->text(1, 1), QStringLiteral("-9.30"));
    QCOMPARE(c.Grid2->text(1, 3), QStringLiteral("-6.20"));
}

// Saving Moscow and opening the file in one main window draws what adding
// Moscow from the browser draws in another: same lists, table and chart.
void TestStationBrowser::sameAsOpeningTheSavedFile()
{
    selectStation(*m_browser, QStringLiteral("27612"));
    const QString path = m_dir.filePath(QStringLiteral("moscow.tvr"));
    m_dialogs->saveAnswers << path;
    QTest::mouseClick(m_browser->saveButton(), Qt::LeftButton);
    QCOMPARE(m_dialogs->saveRequests.value(0).title, QStringLiteral("Save"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\"Moscow 1961-1990\",\"(-9.3;45),(-7.7;37),(-2.2;34),(5.8;40),(12.9;58),"
                                        "(16.6;76),(18.1;92),(16.4;74),(10.9;64),(5;58),(-1.1;58),(-6.1;52),"
                                        "(13;0)\"\r\n"));

    std::unique_ptr<Form3> opened = newWindow();
    QVERIFY(opened);
    QVERIFY(opened->loadDataFile(path));
    QTest::mouseClick(m_browser->addButton(), Qt::LeftButton);

    const Form3Controls &a = opened->controls();
    const Form3Controls &b = m_window->controls();
    QCOMPARE(listTexts(b.List1), listTexts(a.List1));
    QCOMPARE(listTexts(b.List2), listTexts(a.List2));
    QCOMPARE(gridTexts(b.Grid2), gridTexts(a.Grid2));
    QCOMPARE(b.Lab[1]->text(), a.Lab[1]->text());
    // The chart picture, found by its name as a user's tool would.
    const auto chart = [](const Form3 &window) {
        QWidget *picture = window.findChild<QWidget *>(QStringLiteral("Picture1"));
        return picture ? picture->grab().toImage() : QImage();
    };
    QVERIFY(!chart(*opened).isNull());
    QCOMPARE(chart(*m_window), chart(*opened));
}

// Under a comma-decimal locale the values come from the table as numbers:
// the table shows them with commas and the chart takes them as they are.
void TestStationBrowser::rightValuesUnderCommaLocale()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    m_browser = newBrowser(*m_window);
    selectStation(*m_browser, QStringLiteral("27612"));
    QTest::mouseClick(m_browser->addButton(), Qt::LeftButton);

    const Form3Controls &c = m_window->controls();
    QCOMPARE(c.Grid2->text(1, 1), QStringLiteral("-9,30"));
    QCOMPARE(c.Grid2->text(1, 2), QStringLiteral("45"));
    const ChartState &chart = m_window->state().chart;
    QCOMPARE(chart.tempMin, -9.3);
    QCOMPARE(chart.tempMax, 18.1);
    QCOMPARE(chart.precMax, 92.0);

    // Saved in this locale's form, the file reads back the same here.
    const QString path = m_dir.filePath(QStringLiteral("moscow-pt.tvr"));
    m_dialogs->saveAnswers << path;
    QTest::mouseClick(m_browser->saveButton(), Qt::LeftButton);
    const DataFile::ReadResult read = DataFile::readDataFile(path);
    QVERIFY(read.ok());
    QCOMPARE(read.data.temp[1], -9.3);
    QCOMPARE(read.data.temp[12], -6.1);
}

void TestStationBrowser::fiftyDataSetsAtMost()
{
    QTest::keyClicks(m_browser->searchBox(), QStringLiteral("germany"));
    QVERIFY(m_browser->model()->rowCount() > 52);
    m_browser->list()->selectionModel()->select(
        QItemSelection(m_browser->model()->index(0, 0), m_browser->model()->index(51, 0)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::mouseClick(m_browser->addButton(), Qt::LeftButton);

    QCOMPARE(m_window->state().setCount, Form3::maxDataSets);
    QCOMPARE(m_window->controls().List1->count(), Form3::maxDataSets);
    QCOMPARE(m_window->controls().Grid2->columnCount(), 2 * Form3::maxDataSets + 1);
    QCOMPARE(m_dialogs->beeps, 1);
    QCOMPARE(m_browser->statusLine()->text(),
             QStringLiteral("The main window holds 50 data sets, the most it can: 2 stations were not added."));
}

void TestStationBrowser::missingTableIsSaid()
{
    m_browser = newBrowser(*m_window, m_dir.filePath(QStringLiteral("stations.csv")));
    QCOMPARE(m_browser->statusLine()->text(), QStringLiteral("The station library could not be opened. The file %1 "
                                                             "was not found.").arg(m_dir.filePath("stations.csv")));
    QVERIFY(!m_browser->searchBox()->isEnabled());
    QVERIFY(!m_browser->addButton()->isEnabled());
}

void TestStationBrowser::failedSaveSaysWhy()
{
    selectStation(*m_browser, QStringLiteral("82331"));
    const QString path = m_dir.filePath(QStringLiteral("no such folder/manaus.tvr"));
    m_dialogs->saveAnswers << path;
    QTest::mouseClick(m_browser->saveButton(), Qt::LeftButton);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(m_dialogs->messages[0].text.startsWith(QStringLiteral("The file could not be saved:\n") + path));
    QCOMPARE(m_dialogs->messages[0].icon, QMessageBox::Warning);
    QVERIFY(!QFile::exists(path));
}

void TestStationBrowser::toolbarButtonOpensOneBrowser()
{
    const auto browsers = [] {
        QList<StationBrowser *> found;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *browser = qobject_cast<StationBrowser *>(window); browser && browser->isVisible())
                found << browser;
        return found;
    };
    m_browser.reset();
    QToolButton *button = m_window->controls().Bot[7];
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(browsers().size(), 1);
    StationBrowser *browser = browsers().first();
    QVERIFY(!browser->isModal());
    QVERIFY(m_window->isEnabled());
    browser->close();
    flushDeletions();
    QCOMPARE(browsers().size(), 0);
}

QTEST_MAIN(TestStationBrowser)
#include "tst_stationbrowser.moc"
