// SPDX-License-Identifier: GPL-3.0-or-later
// The data file editor window, driven like a user: typing, the buttons and
// the file dialogs answered by the test.
#include "common/FileSizeLimit.h"
#include "common/IsolatedSettings.h"
#include "common/ScriptedDialogs.h"
#include "editor/Form1.h"
#include "platform/DataGrid.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
// The twelve pairs of a file as the editor writes it, then the closing pair.
QByteArray fileOf(const QByteArray &name, const QList<QByteArray> &pairs)
{
    return '"' + name + "\",\"" + pairs.join(',') + ",(13;0)\"\r\n";
}

// A 64 KiB tmpfs mounted on a folder for as long as this lives.
struct SmallFullDisk
{
    explicit SmallFullDisk(const QString &folder) : path(QFile::encodeName(folder))
    {
        if (::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") != 0)
            error = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~SmallFullDisk()
    {
        if (error.isEmpty())
            ::umount2(path.constData(), MNT_DETACH);
    }
    // Writes a filler file until no byte more fits.
    bool fill() const
    {
        QFile filler(QFile::decodeName(path) + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(512, 'x');
        for (int i = 0; i < 1024; ++i)
            if (filler.write(block) != block.size())
                return filler.write("x", 1) != 1;
        return false;
    }
    QByteArray path;
    QString error;
};

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private:
    struct Editor
    {
        Editor() : window(new Form1)
        {
            window->show();
            grid = window->findChild<DataGrid *>(QStringLiteral("Grid2"));
            name = window->findChild<QLineEdit *>(QStringLiteral("TextIdentifica"));
            progress = window->findChild<QProgressBar *>(QStringLiteral("ProgBar"));
        }
        ~Editor() { delete window; }
        QPushButton *button(const char *objectName) const
        {
            return window->findChild<QPushButton *>(QLatin1String(objectName));
        }
        void click(const char *objectName) const { QTest::mouseClick(button(objectName), Qt::LeftButton); }
        // Types into a cell with the keys, the way a user does.
        void type(int row, int column, const QString &keys) const
        {
            grid->setCurrentCell(row, column);
            QTest::keyClicks(grid, keys);
        }
        void typeTemperatures(const QString &keys) const { for (int r = 1; r <= 12; ++r) type(r, 1, keys); }
        QString row(int r) const { return grid->text(r, 0) + u'|' + grid->text(r, 1) + u'|' + grid->text(r, 2); }

        QPointer<Form1> window;
        DataGrid *grid;
        QLineEdit *name;
        QProgressBar *progress;
    };

    QTemporaryDir m_dir;
    QString path(const QString &fileName) const { return m_dir.filePath(fileName); }

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void layout()
    {
        Editor e;
        QCOMPARE(e.window->windowTitle(), QStringLiteral("Novo"));
        QCOMPARE(e.window->size(), QSize(256, 367));
        const Qt::WindowFlags flags = e.window->windowFlags();
        QVERIFY(flags & Qt::WindowStaysOnTopHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(e.window->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(e.window->palette().color(QPalette::Window), QColor(145, 200, 255));

        const QStringList names{"Label1", "TextIdentifica", "Grid2", "ProgBar", "CommAbrir",
                                "CommGravar", "Command1", "Command2", "Shape1"};
        for (const QString &n : names) {
            auto *w = e.window->findChild<QWidget *>(n);
            QVERIFY2(w, qPrintable(n));
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(n));
        }
        QCOMPARE(e.window->findChild<QLabel *>("Label1")->text(), QStringLiteral("Place name"));
        QCOMPARE(e.button("CommAbrir")->text(), QStringLiteral("Open"));
        QCOMPARE(e.button("CommGravar")->text(), QStringLiteral("Save"));
        QCOMPARE(e.button("Command1")->text(), QStringLiteral("Clear"));
        QCOMPARE(e.button("Command2")->text(), QStringLiteral("Close"));
        QCOMPARE(e.button("CommGravar")->geometry(), QRect(128, 288, 65, 25));
        QCOMPARE(e.window->findChild<QWidget *>("Shape1")->geometry(), QRect(4, 4, 248, 359));
        QCOMPARE(e.window->findChild<QMenu *>("menupop")->actions().size(), 2);

        // The grid after start: 2460 twips wide, three centred columns of 800.
        QCOMPARE(e.grid->geometry(), QRect(40, 64, 164, 217));
        QCOMPARE(e.grid->rowCount(), 13);
        QCOMPARE(e.grid->columnCount(), 3);
        QCOMPARE(e.row(0), QStringLiteral("Month|Temp|Ppt"));
        QCOMPARE(e.row(12), QStringLiteral("12||"));
        QCOMPARE(e.grid->item(12, 0)->textAlignment(), int(Qt::AlignCenter));
        QVERIFY(e.progress->isHidden());
        QCOMPARE(e.progress->maximum(), 10000);

        // Focus order: the grid, "Clear", "Save", the place name, "Open", "Close".
        QStringList order;
        QWidget *w = e.grid;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != e.grid);
        QCOMPARE(order, (QStringList{"Grid2", "Command1", "CommGravar", "TextIdentifica", "CommAbrir",
                                     "Command2"}));
    }

    // The whole year shows at the design size: no scroll bar, nothing to scroll.
    void gridShowsTheWholeYear()
    {
        Editor e;
        QVERIFY(QTest::qWaitForWindowExposed(e.window));
        QVERIFY(!e.grid->horizontalScrollBar()->isVisible());
        QVERIFY(!e.grid->verticalScrollBar()->isVisible());
        const QRect room = e.grid->viewport()->rect();
        QVERIFY2(e.grid->rowViewportPosition(12) + e.grid->rowHeight(12) <= room.height(),
                 qPrintable(QStringLiteral("December ends at %1 of %2")
                                .arg(e.grid->rowViewportPosition(12) + e.grid->rowHeight(12)).arg(room.height())));
        QVERIFY(e.grid->columnViewportPosition(2) + e.grid->columnWidth(2) <= room.width());
        // Moving to December's precipitation scrolls nothing away.
        e.grid->setCurrentCell(12, 2);
        QTest::keyClick(e.grid, Qt::Key_Down);
        QCOMPARE(e.grid->rowViewportPosition(0), 0);
        QCOMPARE(e.grid->columnViewportPosition(0), 0);
        QCOMPARE(e.grid->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(e.grid->verticalScrollBar()->maximum(), 0);
    }

    void typingAcceptsTheMinusSign()
    {
        ScriptedDialogs dialogs;
        Editor e;
        // Typing starts in January's temperature.
        QTest::keyClicks(e.grid, QStringLiteral("-1.5"));
        QCOMPARE(e.grid->text(1, 1), QStringLiteral("-1.5"));
        QCOMPARE(dialogs.beeps, 0);
    }

    void placeNameRefusesDoubleQuotes()
    {
        ScriptedDialogs dialogs;
        Editor e;
        QTest::keyClicks(e.name, QStringLiteral("Rio \"Grande\", RS (BR)"));
        QCOMPARE(e.name->text(), QStringLiteral("Rio Grande, RS (BR)"));
        QCOMPARE(dialogs.beeps, 2);
    }

    void clearKeepsThePlaceName()
    {
        Editor e;
        QTest::keyClicks(e.name, QStringLiteral("Recife"));
        e.type(1, 1, QStringLiteral("26.1"));
        e.type(12, 2, QStringLiteral("190"));
        e.click("Command1");
        QCOMPARE(e.name->text(), QStringLiteral("Recife"));
        QCOMPARE(e.row(0), QStringLiteral("Month|Temp|Ppt"));
        for (int r = 1; r <= 12; ++r)
            QCOMPARE(e.row(r), QString::number(r) + QStringLiteral("||"));
    }

    void closeDiscardsTheWindow()
    {
        Form1 *first = Form1::showEditor();
        QCOMPARE(Form1::showEditor(), first);
        QPointer<Form1> guard(first);
        first->findChild<QLineEdit *>("TextIdentifica")->setText(QStringLiteral("Old"));
        QTest::mouseClick(first->findChild<QPushButton *>("Command2"), Qt::LeftButton);
        QTRY_VERIFY(!guard);
        Form1 *second = Form1::showEditor();
        QCOMPARE(second->findChild<QLineEdit *>("TextIdentifica")->text(), QString());
        QCOMPARE(second->findChild<DataGrid *>("Grid2")->text(0, 1), QStringLiteral("Temp"));
        delete second;
    }

    void openFiveMonths()
    {
        ScriptedDialogs dialogs;
        Editor e;
        e.type(8, 1, QStringLiteral("99"));
        const QString file = path(QStringLiteral("five.tvr"));
        QVERIFY(writeAll(file, "\"Five Months\",\"(1.5;10),(2;20),(3;30),(4;40),(-5;50),(13;0)\"\r\n"));
        dialogs.openAnswers << file;
        e.click("CommAbrir");

        QCOMPARE(dialogs.openRequests.size(), 1);
        const Dialogs::FileRequest &asked = dialogs.openRequests.constFirst();
        QCOMPARE(asked.title, QStringLiteral("Open"));
        QCOMPARE(asked.filter, QStringLiteral("Tervalo(*.tvr)|*.tvr|All files(*.*)|*.*|"));
        QCOMPARE(asked.defaultSuffix, QStringLiteral("*.tvr"));
        QCOMPARE(asked.directory, QString());

        QCOMPARE(e.name->text(), QStringLiteral("Five Months"));
        QCOMPARE(e.grid->rowCount(), 13);
        QCOMPARE(e.row(0), QStringLiteral("Month|Temp|Ppt"));
        QCOMPARE(e.row(1), QStringLiteral("1|1.5|10"));
        QCOMPARE(e.row(5), QStringLiteral("5|-5|50"));
        for (int r = 6; r <= 12; ++r)
            QCOMPARE(e.row(r), QString::number(r) + QStringLiteral("|0|0"));
        QCOMPARE(e.grid->item(12, 1)->textAlignment(), int(Qt::AlignCenter));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void failedOpenChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("content"); // "" = no file at all
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cancelled") << QByteArray() << true;
        QTest::newRow("missing file") << QByteArray() << false;
        QTest::newRow("not a number") << fileOf("X", {"(1;x)", "(2;2)"}) << false;
        QTest::newRow("empty temperature") << fileOf("X", {"(;1)", "(2;2)"}) << false;
    }
    void failedOpenChangesNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, cancel);
        ScriptedDialogs dialogs;
        Editor e;
        QTest::keyClicks(e.name, QStringLiteral("Mine"));
        e.type(3, 2, QStringLiteral("77"));
        const QString file = path(QStringLiteral("broken.tvr"));
        QFile::remove(file);
        if (!content.isEmpty())
            QVERIFY(writeAll(file, content));
        if (!cancel)
            dialogs.openAnswers << file;
        e.click("CommAbrir");
        QCOMPARE(e.name->text(), QStringLiteral("Mine"));
        QCOMPARE(e.row(3), QStringLiteral("3||77"));
        QCOMPARE(e.row(4), QStringLiteral("4||"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    // Opening a file and saving it again rewrites every number in its
    // general form, with the locale's decimal separator.
    void openThenSave_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("saved");
        QList<QByteArray> pairs, general;
        for (int m = 1; m <= 12; ++m) {
            pairs << "(" + QByteArray::number(m) + ".0;" + QByteArray::number(10 * m) + ".50)";
            general << "(" + QByteArray::number(m) + ";" + QByteArray::number(10 * m) + ".5)";
        }
        pairs[0] = "(26.0;210)";
        general[0] = "(26;210)";
        pairs[11] = "(-0.00001;1E3)";
        general[11] = "(-1E-05;1000)";
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates)
                               << fileOf("Sample Site", pairs) << fileOf("Sample Site", general);
        const QList<QByteArray> ones(10, "(1;1)");
        QTest::newRow("pt_BR") << QLocale(QLocale::Portuguese, QLocale::Brazil)
                               << fileOf("Natal, RN", QList<QByteArray>{"(25,80;1.210)", "(26;0)"} + ones)
                               << fileOf("Natal, RN", QList<QByteArray>{"(25,8;1,21)", "(26;0)"} + ones);
        // Far longer than a line edit holds by default (32767 characters).
        const QByteArray longName = QByteArray("Long name, ").repeated(4000) + "end";
        QTest::newRow("a name of 44003 characters")
            << QLocale(QLocale::English, QLocale::UnitedStates) << fileOf(longName, pairs)
            << fileOf(longName, general);
    }
    void openThenSave()
    {
        QFETCH(QLocale, locale);
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, saved);
        QLocale::setDefault(locale);
        ScriptedDialogs dialogs;
        Editor e;
        const QString from = path(QStringLiteral("original.tvr"));
        const QString to = path(QStringLiteral("saved.tvr"));
        QFile::remove(to);
        QVERIFY(writeAll(from, original));
        dialogs.openAnswers << from;
        e.click("CommAbrir");
        dialogs.saveAnswers << to;
        e.click("CommGravar");

        QCOMPARE(dialogs.saveRequests.size(), 1);
        const Dialogs::FileRequest &asked = dialogs.saveRequests.constFirst();
        QCOMPARE(asked.title, QStringLiteral("Save"));
        QCOMPARE(asked.filter, QStringLiteral("Tervalo(.tvr)|*.tvr|All files(*.*)|*.*"));
        QCOMPARE(asked.defaultSuffix, QStringLiteral(".tvr"));
        QCOMPARE(readAll(to), saved);
        QVERIFY(dialogs.messages.isEmpty());
        // The progress display has run and gone.
        QVERIFY(e.progress->isHidden());
        QVERIFY(e.button("CommGravar")->isEnabled());
        QVERIFY(e.button("Command2")->isEnabled());
    }

    void saveTypedValues()
    {
        ScriptedDialogs dialogs;
        Editor e;
        for (int r = 1; r <= 12; ++r)
            e.type(r, 1, QString::number(r));
        e.type(2, 2, QStringLiteral("12,5"));  // no group in en_US: the decimal comma
        e.type(3, 2, QStringLiteral("-3"));
        const QString to = path(QStringLiteral("typed.tvr"));
        dialogs.saveAnswers << to;
        e.click("CommGravar");
        // An empty precipitation is written as 0, an empty name as Tervalo,
        // the texts as typed.
        QCOMPARE(readAll(to), fileOf("Tervalo", {"(1;0)", "(2;12,5)", "(3;-3)", "(4;0)", "(5;0)", "(6;0)",
                                                  "(7;0)", "(8;0)", "(9;0)", "(10;0)", "(11;0)", "(12;0)"}));
    }

    // The progress display lets events run: the close box may discard the
    // window in the middle of it.
    void closedDuringTheProgressDisplay()
    {
        ScriptedDialogs dialogs;
        Editor e;
        e.typeTemperatures(QStringLiteral("1"));
        dialogs.saveAnswers << path(QStringLiteral("closing.tvr"));
        QTimer::singleShot(50, e.window, &QWidget::close);
        e.click("CommGravar");
        QTRY_VERIFY(!e.window);
        QCOMPARE(readAll(path(QStringLiteral("closing.tvr"))).left(10), QByteArray("\"Tervalo\","));
    }

    void cancelledSaveWritesNothing()
    {
        ScriptedDialogs dialogs;
        Editor e;
        e.typeTemperatures(QStringLiteral("1"));
        const int before = QDir(m_dir.path()).count();
        e.click("CommGravar");
        QCOMPARE(dialogs.saveRequests.size(), 1);
        QVERIFY(e.progress->isHidden());
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(QDir(m_dir.path()).count(), before);
    }

    // A cell the reader would refuse is shown instead of being saved.
    void refusedSave_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty grid") << 0 << 0 << "" << "Month 1, \"Temp\" is empty.";
        QTest::newRow("temperature 1-2") << 3 << 1 << "1-2" << "Month 3, \"Temp\": \"1-2\" is not a number.";
        QTest::newRow("two points") << 7 << 2 << "1..5" << "Month 7, \"Ppt\": \"1..5\" is not a number.";
        QTest::newRow("digit group") << 7 << 2 << "1,234"
                                     << "Month 7, \"Ppt\": \"1,234\" would be read from the file as 1.234, not 1234";
    }
    void refusedSave()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, keys);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        Editor e;
        if (row != 0) {
            e.typeTemperatures(QStringLiteral("20"));
            e.grid->setText(row, column, QString());
            e.type(row, column, keys);
        }
        e.grid->setCurrentCell(5, 2);
        dialogs.saveAnswers << path(QStringLiteral("refused.tvr"));
        e.click("CommGravar");
        QVERIFY(dialogs.saveRequests.isEmpty());
        QVERIFY(!QFile::exists(path(QStringLiteral("refused.tvr"))));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("Warning"));
        QCOMPARE(dialogs.messages[0].icon, QMessageBox::Warning);
        QVERIFY2(dialogs.messages[0].text.startsWith(message), qPrintable(dialogs.messages[0].text));
        // The offending cell becomes current.
        QCOMPARE(e.grid->currentRow(), row == 0 ? 1 : row);
        QCOMPARE(e.grid->currentColumn(), row == 0 ? 1 : column);
    }

    void failedSaveIsReported_data()
    {
        QTest::addColumn<QString>("target"); // relative to the test folder
        QTest::newRow("a folder's name") << "folder";
        QTest::newRow("inside a regular file") << "old.tvr/new.tvr";
    }
    void failedSaveIsReported()
    {
        QFETCH(QString, target);
        ScriptedDialogs dialogs;
        Editor e;
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder/inside")));
        const QByteArray old = fileOf("Old", {"(1;1)"});
        QVERIFY(writeAll(path(QStringLiteral("old.tvr")), old));
        const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        e.typeTemperatures(QStringLiteral("20"));
        dialogs.saveAnswers << path(target);
        e.click("CommGravar");
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("Warning"));
        QCOMPARE(dialogs.messages[0].icon, QMessageBox::Warning);
        QVERIFY2(dialogs.messages[0].text.contains(path(target)), qPrintable(dialogs.messages[0].text));
        QVERIFY(e.progress->isHidden());
        QVERIFY(e.button("CommGravar")->isEnabled());
        // Nothing on disk changed.
        QCOMPARE(readAll(path(QStringLiteral("old.tvr"))), old);
        QVERIFY(QFileInfo(path(QStringLiteral("folder/inside"))).isDir());
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    // A save that fails while writing (a full disk, a file size limit)
    // leaves the old file as it was and no temporary copy, and says why.
    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("fullDisk");     // else a file size limit
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("full disk, over a file") << true << true;
        QTest::newRow("full disk, a new file") << true << false;
        QTest::newRow("size limit, over a file") << false << true;
        QTest::newRow("size limit, a new file") << false << false;
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(bool, fullDisk);
        QFETCH(bool, overwrite);
        QTemporaryDir dir;
        std::optional<SmallFullDisk> disk;
        if (fullDisk) {
            if (::geteuid() != 0)
                QSKIP("mounting a small full file system needs root");
            disk.emplace(dir.path());
            if (!disk->error.isEmpty())
                QSKIP(qPrintable(QStringLiteral("cannot mount a small tmpfs: ") + disk->error));
        }
        const QString old = dir.filePath(QStringLiteral("old.tvr"));
        const QByteArray oldBytes = fileOf("Old", {"(1;1)"});
        QVERIFY(writeAll(old, oldBytes));
        if (fullDisk)
            QVERIFY2(disk->fill(), "the file system did not fill up");
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QString target = overwrite ? old : dir.filePath(QStringLiteral("new.tvr"));

        ScriptedDialogs dialogs;
        Editor e;
        e.typeTemperatures(QStringLiteral("20"));
        dialogs.saveAnswers << target;
        {
            std::optional<FileSizeLimit> limit;
            if (!fullDisk)
                limit.emplace(oldBytes.size() / 2);
            e.click("CommGravar");
        }

        QCOMPARE(readAll(old), oldBytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("Warning"));
        QCOMPARE(dialogs.messages[0].icon, QMessageBox::Warning);
        const QString reason = QString::fromLocal8Bit(std::strerror(fullDisk ? ENOSPC : EFBIG));
        for (const QString &part : {target, reason})
            QVERIFY2(dialogs.messages[0].text.contains(part), qPrintable(dialogs.messages[0].text));
        QVERIFY(e.progress->isHidden());
        QVERIFY(e.button("CommGravar")->isEnabled());
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
