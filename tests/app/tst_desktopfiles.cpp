// SPDX-License-Identifier: GPL-3.0-or-later
// Data files from the desktop: the command line and files dropped on the
// main window.
#include "Form3Fixture.h"

#include "app/CommandLine.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

QStringList listTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

QList<QUrl> localUrls(const QStringList &paths)
{
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    return urls;
}

} // namespace

class TestDesktopFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commandLine_data();
    void commandLine();

    void filesLoadInOrderSkippingFailures();
    void loadingStopsAtFifty();
    void dragEnterTakesOnlyDataFiles_data();
    void dragEnterTakesOnlyDataFiles();
    void droppedFilesLoad();

private:
    QString sample(const QString &name, double temp) const;
    bool sendDragEnter(const QList<QUrl> &urls);

    std::unique_ptr<DataFiles> m_files;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Form3> m_window;
};

void TestDesktopFiles::init()
{
    m_files = std::make_unique<DataFiles>();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_window = std::make_unique<Form3>();
    m_window->setProgramEnd([] {});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestDesktopFiles::cleanup()
{
    m_window.reset();
    flushDeletions();
    m_dialogs.reset();
    m_files.reset();
}

QString TestDesktopFiles::sample(const QString &name, double temp) const
{
    return m_files->place(name + QStringLiteral(".tvr"), name, DataFiles::constant(temp, 10 * temp));
}

bool TestDesktopFiles::sendDragEnter(const QList<QUrl> &urls)
{
    QMimeData mime;
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &enter);
    return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
}

void TestDesktopFiles::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("exitCode");     // -1: the program goes on to its window
    QTest::addColumn<QString>("printed");  // part of what goes to the terminal

    QTest::newRow("no arguments") << QStringList{} << QStringList{} << -1 << QString();
    const QString here = QDir::currentPath();
    QTest::newRow("files in order, as full paths") << QStringList{"b.tvr", "/data/a.tvr", "x/../b.tvr"}
                                                   << QStringList{here + "/b.tvr", "/data/a.tvr", here + "/b.tvr"}
                                                   << -1 << QString();
    QTest::newRow("after --, a dash is a name") << QStringList{"--", "-odd.tvr"} << QStringList{here + "/-odd.tvr"}
                                                << -1 << QString();
    QTest::newRow("unknown option") << QStringList{"--bogus", "a.tvr"} << QStringList{} << 1
                                    << QStringLiteral("Unknown option 'bogus'");
    QTest::newRow("help") << QStringList{"a.tvr", "--help"} << QStringList{} << 0
                          << QStringLiteral("[options] [files...]");
    QTest::newRow("version") << QStringList{"-v"} << QStringList{} << 0
                             << QStringLiteral("Tervalo " TERVALO_PROJECT_VERSION "\n");
    QTest::newRow("the window system's own options are its own")
        << QStringList{"-style", "fusion", "--platform=xcb", "-reverse", "a.tvr"} << QStringList{here + "/a.tvr"}
        << -1 << QString();
    QTest::newRow("export: unknown kind") << QStringList{"--export", "c.svg", "--kind", "pie", "a.tvr"}
                                          << QStringList{} << 1 << QStringLiteral("unknown chart kind \"pie\"");
    QTest::newRow("export: unknown format, the name quoted")
        << QStringList{"--export", "c\n.bmp", "a.tvr"} << QStringList{} << 1
        << QStringLiteral("format of \"c\\n.bmp\": ");
    QTest::newRow("export: no files") << QStringList{"--export", "c.svg"} << QStringList{} << 1
                                      << QStringLiteral("no data files");
    QTest::newRow("resolution out of range") << QStringList{"--export", "c.png", "--dpi=601", "a.tvr"} << QStringList{}
                                             << 1 << QStringLiteral("from 72 to 600, not \"601\"");
    QTest::newRow("resolution of an SVG") << QStringList{"--export", "c.svg", "--dpi", "300", "a.tvr"}
                                          << QStringList{} << 1 << QStringLiteral("must end in .png");
    QTest::newRow("atlas: three a page") << QStringList{"--atlas", "a.pdf", "--per-page", "3", "a.tvr"}
                                         << QStringList{} << 1 << QStringLiteral("1, 2, 4 or 6, not \"3\"");
    QTest::newRow("atlas: A5") << QStringList{"--atlas", "a.pdf", "--paper", "a5", "a.tvr"} << QStringList{} << 1
                               << QStringLiteral("unknown paper \"a5\"");
    QTest::newRow("atlas: not a PDF") << QStringList{"--atlas", "a.svg", "a.tvr"} << QStringList{} << 1
                                      << QStringLiteral("must end in .pdf");
    QTest::newRow("worksheet without an atlas") << QStringList{"--export", "c.pdf", "--worksheet", "a.tvr"}
                                                << QStringList{} << 1 << QStringLiteral("--worksheet goes with --atlas");
    QTest::newRow("atlas and export") << QStringList{"--export", "c.pdf", "--atlas", "a.pdf", "a.tvr"}
                                      << QStringList{} << 1 << QStringLiteral("cannot be given together");
}

void TestDesktopFiles::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, files);
    QFETCH(int, exitCode);
    QFETCH(QString, printed);

    arguments.prepend(QStringLiteral("tervalo"));
    const CommandLine::Request request = CommandLine().parse(arguments);
    if (exitCode < 0)
        QCOMPARE(request.files, files);
    QCOMPARE(request.action == CommandLine::Action::Answer, exitCode >= 0);
    QCOMPARE(request.exitCode, std::max(exitCode, 0));
    const QString &terminal = exitCode > 0 ? request.error : request.output;
    QVERIFY2(terminal.contains(printed), qPrintable(terminal));
    QVERIFY((exitCode > 0 ? request.output : request.error).isEmpty());
}

void TestDesktopFiles::filesLoadInOrderSkippingFailures()
{
    const QStringList paths = {sample(QStringLiteral("Lisbon"), 17), m_files->path(QStringLiteral("missing.tvr")),
                               m_files->write(QStringLiteral("empty.tvr"), QByteArray()),
                               sample(QStringLiteral("Moscow"), 6)};
    QCOMPARE(m_window->loadDataFiles(paths), 2);
    QCOMPARE(listTexts(m_window->controls().List1), (QStringList{"1 - Lisbon", "2 - Moscow"}));
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(m_dialogs->openRequests.isEmpty());
}

void TestDesktopFiles::loadingStopsAtFifty()
{
    const QStringList paths(53, sample(QStringLiteral("Same"), 3));
    QCOMPARE(m_window->loadDataFiles(paths), 50);
    QCOMPARE(m_window->state().setCount, 50);
    QCOMPARE(m_window->controls().List1->count(), 50);
    QCOMPARE(m_dialogs->beeps, 1);
}

void TestDesktopFiles::dragEnterTakesOnlyDataFiles_data()
{
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("a data file") << QList<QUrl>{QUrl::fromLocalFile("/tmp/A.TVR")} << true;
    QTest::newRow("one among others") << QList<QUrl>{QUrl::fromLocalFile("/tmp/a.png"), QUrl::fromLocalFile("/tmp/b.tvr")}
                                      << true;
    QTest::newRow("a picture") << QList<QUrl>{QUrl::fromLocalFile("/tmp/a.png")} << false;
    QTest::newRow("a web address") << QList<QUrl>{QUrl("https://example.org/a.tvr")} << false;
}

void TestDesktopFiles::dragEnterTakesOnlyDataFiles()
{
    QFETCH(QList<QUrl>, urls);
    QFETCH(bool, accepted);
    QCOMPARE(sendDragEnter(urls), accepted);
}

void TestDesktopFiles::droppedFilesLoad()
{
    const QString lisbon = sample(QStringLiteral("Lisbon"), 17);
    const QString manaus = sample(QStringLiteral("Manaus"), 27);
    const QString notes = m_files->place(QStringLiteral("notes.txt"), QStringLiteral("Notes"), DataFiles::ramp(1));
    const QList<QUrl> urls = localUrls({manaus, notes, lisbon});
    QVERIFY(sendDragEnter(urls));

    QMimeData mime;
    mime.setUrls(urls);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), Qt::CopyAction);   // the file manager keeps its files
    QCOMPARE(listTexts(m_window->controls().List1), (QStringList{"1 - Manaus", "2 - Lisbon"}));
    QCOMPARE(m_window->controls().List2->count(), 2);
}

QTEST_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"
