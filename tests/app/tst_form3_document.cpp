// SPDX-License-Identifier: GPL-3.0-or-later
// Chart documents in the main window: a chart saved and opened again in a
// new window is the same chart; bad documents and failed saves change
// nothing; the recent files; documents from the command line and the desktop.
#include "Form3Fixture.h"

#include "app/DataSetStyle.h"
#include "data/Rgb.h"
#include "common/FileSizeLimit.h"
#include "common/TestPaths.h"
#include "output/ChartDocumentFile.h"
#include "platform/DataGrid.h"
#include "platform/PictureBox.h"
#include "platform/PopupMenu.h"
#include "platform/RecentFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidgetSelectionRange>
#include <QtTest>

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <memory>

namespace {

// What the user sees of the window, control by control: states, texts, the
// lists, the values table with its colours, the legend's labels and where
// they stand. The style editing controls show whichever place was picked
// last, and are left out.
QStringList snapshot(const Form3 &window)
{
    const Form3Controls &c = window.controls();
    QStringList lines;
    for (const QWidget *w : c.client->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(u"qt_") || name == u"Combo5" || name.startsWith(u"Slider"))
            continue;
        QString line = name + (w->isVisibleTo(c.client) ? QStringLiteral(" shown") : QStringLiteral(" hidden"));
        if (!w->isEnabled())
            line += QStringLiteral(" disabled");
        if (const auto *button = qobject_cast<const QAbstractButton *>(w); button && button->isCheckable())
            line += button->isChecked() ? QStringLiteral(" on") : QStringLiteral(" off");
        if (const auto *box = qobject_cast<const QLineEdit *>(w))
            line += QStringLiteral(" \"%1\"").arg(box->text());
        if (const auto *combo = qobject_cast<const QComboBox *>(w))
            line += u' ' + combo->currentText();
        if (const auto *list = qobject_cast<const QListWidget *>(w))
            for (int i = 0; i < list->count(); ++i)
                line += QStringLiteral(" [%1 %2]").arg(list->item(i)->text()).arg(list->item(i)->checkState());
        if (const auto *label = qobject_cast<const QLabel *>(w); label && name.startsWith(u"Lab_"))
            line += QStringLiteral(" \"%1\" %2 at %3,%4 %5 wide")
                        .arg(label->text(), label->palette().color(QPalette::WindowText).name())
                        .arg(label->x())
                        .arg(label->y())
                        .arg(label->width());
        if (name == u"Frame4")
            line += QStringLiteral(" at %1,%2 size %3x%4").arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height());
        if (const auto *grid = qobject_cast<const DataGrid *>(w))
            for (int row = 0; row < grid->rowCount(); ++row)
                for (int column = 0; column < grid->columnCount(); ++column)
                    line += QStringLiteral(" [%1]").arg(grid->text(row, column));
        lines << line;
    }
    lines.sort();
    return lines;
}

// The main window, a dialog answerer and data files to open.
struct Session
{
    DataFiles files;
    ScriptedDialogs dialogs;
    std::unique_ptr<Form3> window = newWindow();

    static std::unique_ptr<Form3> newWindow()
    {
        auto window = std::make_unique<Form3>();
        window->setProgramEnd([] {});
        window->show();
        return window;
    }
    const Form3Controls &c() const { return window->controls(); }
    void open(const QString &fileName, const QString &name, const DataFiles::Months &months)
    {
        openThroughToolbar(*window, dialogs, files.place(fileName, name, months));
    }
    QString saveDocument(const QString &fileName)
    {
        const QString path = files.path(fileName);
        dialogs.saveAnswers << path;
        window->saveChartDocument();
        return path;
    }
};

// Months with more decimals than the values table shows.
DataFiles::Months places(double base, double rain)
{
    DataFiles::Months months = DataFiles::ramp(base);
    for (int m = 1; m <= 12; ++m) {
        months.temp[m] += 0.1234;
        months.ppt[m] = rain + 7.77 * m;
    }
    return months;
}

// A chart with every kind of setting away from its start.
void buildChart(Session &s, bool monthChart)
{
    Form3 &w = *s.window;
    const Form3Controls &c = s.c();
    s.open("lisbon.tvr", "Lisbon", places(8, 20));
    s.open("manaus.tvr", "Manaus", places(25, 150));
    s.open("moscow.tvr", "Moscow", places(-12, 30));
    DataSet station;
    station.name = QStringLiteral("Station, with \"quotes\" & <marks>");
    station.info = {77.0, -38.77, QStringLiteral("1991-2020")};
    for (int m = 1; m <= 12; ++m) {
        station.temp[m] = 0.1 + m;
        station.ppt[m] = 1e-5 * m;
    }
    w.appendPlace(station);

    w.program().setColorTable[2] = Rgb::pack(10, 200, 30);
    w.state().savedColor[2] = Rgb::pack(10, 200, 30);
    DataSetStyle::setLabelColour(w.Lab(2), w.program().setColorTable[2]);
    w.state().setLineStyle[3] = 2;
    w.state().setMarkerSize[3] = 4;
    w.state().setLineWidth[3] = 3;
    c.List1->item(1)->setCheckState(Qt::Unchecked);

    if (monthChart) {
        c.Option3->setChecked(true);
        c.Command2->click();   // black and white, then a colour of its own for place 1
        w.program().setColorTable[1] = Rgb::pack(0, 0, 160);
        DataSetStyle::setLabelColour(w.Lab(1), w.program().setColorTable[1]);
        c.Option1[3]->setChecked(true);
        c.ChkLegenda->setChecked(false);
        c.Check1->setChecked(false);
    } else {
        c.CommTranspor->click();
        s.open("cairo.tvr", "Cairo", places(14, 0));   // after the swap: in the usual order
        c.Grid2->setText(3, 1, QStringLiteral("13.7"));
        c.Grid2->setText(5, 10, QString());
        w.Grid2_Edited(QTableWidgetSelectionRange(3, 1, 3, 1));
        w.Grid2_Edited(QTableWidgetSelectionRange(5, 10, 5, 10));
        c.Option1[2]->setChecked(true);
        c.GridX->setChecked(false);
        c.ChkLimX->setChecked(true);
        c.txtLimInfX->setText(QStringLiteral("15"));
        c.TxtLimSupX->setText(QStringLiteral("not a number"));
        c.ChkLimY->setChecked(true);
        c.txtLimInfY->setText(QStringLiteral("100.5"));
        c.Frame4->move(c.Picture1->pos() + QPoint(40, 250));
    }
    c.Combo1->setCurrentIndex(4);
    c.Combo2->setCurrentIndex(9);
    c.Combo3->setCurrentIndex(2);
    c.Combo4->setCurrentIndex(1);
    c.TxTitulo->setText(QStringLiteral("Four climates"));
    c.TextEsc[2]->setText(QStringLiteral("-15"));
    c.teC[2]->setChecked(false);
    c.TextEsc[0]->setText(QStringLiteral("400"));
    c.teC[0]->setChecked(false);
    c.Command1->click();   // "Update": the typed bounds and the thresholds drawn
}

int runProgram(const QStringList &arguments, QString *errors = nullptr)
{
    QProcess tervalo;
    tervalo.start(TestPaths::binaryDir() + QStringLiteral("/tervalo"), arguments);
    if (!tervalo.waitForFinished(60000))
        return -1;
    if (errors)
        *errors = QString::fromLocal8Bit(tervalo.readAllStandardError());
    return tervalo.exitCode();
}

} // namespace

class TestForm3Document : public QObject
{
    Q_OBJECT

private slots:
    void init() { RecentFiles::clear(); }
    void cleanup()
    {
        QLocale::setDefault(QLocale::c());
        flushDeletions();
    }

    void roundTrip_data()
    {
        QTest::addColumn<bool>("monthChart");
        QTest::addColumn<QLocale>("openedIn");
        QTest::newRow("climate diagram, transposed, edited") << false << QLocale::c();
        QTest::newRow("month chart in black and white") << true << QLocale::c();
        QTest::newRow("opened under a comma locale") << true << QLocale(QLocale::German, QLocale::Germany);
    }
    // Saved, the program started again, opened over a chart already there:
    // the same controls, values table and pixels, and `--export` of the
    // document draws what the screen shows.
    void roundTrip()
    {
        QFETCH(bool, monthChart);
        QFETCH(QLocale, openedIn);
        Session s;
        buildChart(s, monthChart);
        if (openedIn != QLocale::c()) {
            // Axis labels without decimals read the same in every locale.
            s.c().Combo3->setCurrentIndex(0);
            s.c().Combo4->setCurrentIndex(0);
        }
        const QStringList before = snapshot(*s.window);
        const QImage image = s.window->chartImage();
        const QByteArray saved = ChartDocumentFile::bytes(s.window->chartDocument());
        const QString path = s.saveDocument(QStringLiteral("chart.tvc"));
        QVERIFY2(s.dialogs.messages.isEmpty(), qPrintable(s.dialogs.messages.value(0).text));

        QLocale::setDefault(openedIn);
        s.window = Session::newWindow();
        s.open("other.tvr", "Other", places(0, 0));
        s.dialogs.openAnswers << path;
        s.window->openChartDocument();
        QCOMPARE(s.dialogs.questions.size(), 1);   // places were loaded: asked first
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(s.window->state().setCount, monthChart ? 4 : 5);
        QCOMPARE(s.window->chartImage(), image);
        QCOMPARE(ChartDocumentFile::bytes(s.window->chartDocument()), saved);
        if (openedIn == QLocale::c())
            QCOMPARE(snapshot(*s.window), before);
        QCOMPARE(RecentFiles::list().value(0), path);
        if (openedIn != QLocale::c())
            return;

        const QString exported = s.files.path(QStringLiteral("chart.png"));
        QCOMPARE(runProgram({QStringLiteral("--export"), exported, path}), 0);
        QCOMPARE(QImage(exported).convertToFormat(QImage::Format_RGB32),
                 image.convertToFormat(QImage::Format_RGB32));

        // A kind given on the command line overrides the document's own.
        const bool otherIsNormal = !monthChart;
        (otherIsNormal ? s.c().Option3 : s.c().Option2)->setChecked(true);
        QCOMPARE(runProgram({QStringLiteral("--export"), exported, QStringLiteral("--kind"),
                             otherIsNormal ? QStringLiteral("normal") : QStringLiteral("tervalo"), path}),
                 0);
        QCOMPARE(QImage(exported).convertToFormat(QImage::Format_RGB32),
                 s.window->chartImage().convertToFormat(QImage::Format_RGB32));
    }

    // Fifty places: their own default colours and the legend in columns
    // come back as they were.
    void fiftyPlaces()
    {
        Session s;
        for (int n = 1; n <= maxDataSets; ++n) {
            DataSet place;
            place.name = QStringLiteral("Place with a long name %1").arg(n);
            for (int m = 1; m <= 12; ++m) {
                place.temp[m] = n + 0.5 * m;
                place.ppt[m] = 3.0 * n + m;
            }
            s.window->appendPlace(place);
        }
        const QStringList before = snapshot(*s.window);
        const QImage image = s.window->chartImage();
        const QString path = s.saveDocument(QStringLiteral("fifty.tvc"));
        s.window = Session::newWindow();
        QVERIFY(s.window->openChartDocumentFile(path));
        QCOMPARE(snapshot(*s.window), before);
        QCOMPARE(s.window->chartImage(), image);
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        ChartDocument good;
        good.places.resize(2);
        good.places[0].colour = Rgb::pack(255, 0, 0);
        const QByteArray valid = ChartDocumentFile::bytes(good);
        ChartDocument many;
        many.places.resize(51);
        auto changed = [&valid](const char *from, const char *to) { return QByteArray(valid).replace(from, to); };
        QTest::newRow("truncated") << valid.left(valid.size() / 2) << "cut short";
        QTest::newRow("not XML") << QByteArray("\"Lisbon\",\"(1;2),(13;0)\"\r\n") << "not a Tervalo chart document";
        QTest::newRow("a newer version") << changed("version=\"1\"", "version=\"2\"") << "newer version of Tervalo";
        QTest::newRow("51 places") << ChartDocumentFile::bytes(many) << "at most 50";
        QTest::newRow("a value that is not a number")
            << changed("temperature=\"0\"", "temperature=\"12,5\"") << "\"12,5\" is not a number";
        QTest::newRow("a colour out of range") << changed("255,0,0", "256,0,0") << "out of range";
        QTest::newRow("a title of 1 MB")
            << changed("text=\"\"", "text=\"" + QByteArray(1 << 20, 'x') + "\"") << "at most 32767";
        QTest::newRow("the user says no") << valid << QString();
    }
    // Refused with one message naming the file and the reason (or declined):
    // the chart shown stays exactly as it was.
    void refusals()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        Session s;
        s.open("lisbon.tvr", "Lisbon", places(8, 20));
        s.open("moscow.tvr", "Moscow", places(-12, 30));
        const QStringList before = snapshot(*s.window);
        const QImage image = s.window->chartImage();
        const QString path = s.files.write(QStringLiteral("bad.tvc"), bytes);
        s.dialogs.questionAnswers << false;

        QVERIFY(!s.window->openChartDocumentFile(path));
        if (reason.isEmpty()) {
            QCOMPARE(s.dialogs.questions.size(), 1);
            QVERIFY(s.dialogs.messages.isEmpty());
        } else {
            QVERIFY(s.dialogs.questions.isEmpty());
            QCOMPARE(s.dialogs.messages.size(), 1);
            const QString text = s.dialogs.messages[0].text;
            QVERIFY2(text.contains(path) && text.contains(reason) && text.size() < 400, qPrintable(text.left(400)));
        }
        flushDeletions();
        QCOMPARE(snapshot(*s.window), before);
        QCOMPARE(s.window->chartImage(), image);
        QVERIFY(RecentFiles::list().filter(QStringLiteral("bad.tvc")).isEmpty());

        // From the command line: exit code 2 and one line.
        if (!reason.isEmpty()) {
            QString errors;
            QCOMPARE(runProgram({QStringLiteral("--export"), s.files.path(QStringLiteral("x.pdf")), path}, &errors), 2);
            const QStringList lines = errors.split(u'\n').filter(QStringLiteral("tervalo: "));
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines[0].contains(path) && lines[0].contains(reason), qPrintable(errors));
        }
    }

    // A save that fails part way keeps the old document and says why.
    void failedSaveKeepsTheOldFile()
    {
        Session s;
        s.open("lisbon.tvr", "Lisbon", places(8, 20));
        const QString path = s.files.write(QStringLiteral("chart.tvc"), "old");
        {
            const FileSizeLimit limit(100);
            s.saveDocument(QStringLiteral("chart.tvc"));
        }
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old"));
        QCOMPARE(s.dialogs.messages.size(), 1);
        const QString text = s.dialogs.messages[0].text;
        QVERIFY2(text.contains(path) && text.contains(QString::fromLocal8Bit(std::strerror(EFBIG))),
                 qPrintable(text));
        QVERIFY(!RecentFiles::list().contains(path));
    }

    // Files opened and saved come first in the Open button's menu; an entry
    // opens its file again; one that is gone is taken off with a message.
    void recentFiles()
    {
        Session s;
        s.open("lisbon.tvr", "Lisbon", places(8, 20));
        const QString document = s.saveDocument(QStringLiteral("chart.tvc"));
        const QString moscow = s.files.place("moscow.tvr", "Moscow", places(-12, 30));
        QCOMPARE(RecentFiles::list(), QStringList({document, s.files.path("lisbon.tvr")}));

        // The menu as a right click on the Open button shows it.
        QMenu *menu = s.window->fileMenu();
        QMetaObject::invokeMethod(menu, "aboutToShow");
        auto entry = [menu](const QString &fileName) -> QAction * {
            for (QAction *action : menu->actions())
                if (action->text().contains(fileName))
                    return action;
            return nullptr;
        };
        QVERIFY(entry("chart.tvc") && entry("lisbon.tvr"));
        entry("lisbon.tvr")->trigger();
        QTRY_COMPARE(s.window->state().setCount, 2);
        QCOMPARE(RecentFiles::list().value(0), s.files.path("lisbon.tvr"));

        QVERIFY(QFile::remove(document));
        QMetaObject::invokeMethod(menu, "aboutToShow");
        entry("chart.tvc")->trigger();
        QTRY_COMPARE(s.dialogs.messages.size(), 1);
        QVERIFY(s.dialogs.messages[0].text.contains(document));
        QCOMPARE(RecentFiles::list(), QStringList{s.files.path("lisbon.tvr")});
        QCOMPARE(s.window->state().setCount, 2);

        for (int i = 0; i < 12; ++i)
            RecentFiles::add(moscow + QString::number(i));
        QCOMPARE(RecentFiles::list().size(), RecentFiles::maximum);
        QCOMPARE(RecentFiles::list().value(0), moscow + QStringLiteral("11"));
    }

    // Named on the command line or dropped from a file manager, a document
    // opens; data files named after it are added to its places.
    void fromTheDesktop()
    {
        Session s;
        s.open("lisbon.tvr", "Lisbon", places(8, 20));
        const QString document = s.saveDocument(QStringLiteral("chart.tvc"));
        const QString moscow = s.files.place("moscow.tvr", "Moscow", places(-12, 30));

        s.window = Session::newWindow();
        QCOMPARE(s.window->loadDataFiles({document, moscow}), 2);
        QCOMPARE(s.window->state().setCount, 2);
        QCOMPARE(s.window->state().setName[1], QStringLiteral("1 - Lisbon"));

        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(document)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(s.window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(s.window.get(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(s.window->state().setCount, 1);
        QCOMPARE(s.dialogs.questions.size(), 1);
    }
};

QTEST_MAIN(TestForm3Document)
#include "tst_form3_document.moc"
