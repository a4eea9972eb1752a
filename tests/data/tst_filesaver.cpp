// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a file under stress: targets that are not regular files, a write
// the file system cuts short, names QSaveFile cannot take; and file names
// kept as the system's bytes.
#include "common/FileSizeLimit.h"
#include "data/FileName.h"
#include "data/FileSaver.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// By its bytes: the name need not be UTF-8.
QByteArray contents(const QByteArray &path)
{
    QFile file;
    return file.open(::open(path.constData(), O_RDONLY), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)
               ? file.readAll()
               : QByteArray();
}

mode_t kindOf(const QByteArray &path)
{
    struct stat info;
    return ::lstat(path.constData(), &info) == 0 ? info.st_mode & S_IFMT : 0;
}

} // namespace

class TestFileSaver : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fileNames_data();
    void fileNames();
    void refusesWhatIsNotARegularFile_data();
    void refusesWhatIsNotARegularFile();
    void shortWriteKeepsItsReason();
    void namesQSaveFileCannotTake_data();
    void namesQSaveFileCannotTake();

private:
    int entryCount() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_folder;
};

void TestFileSaver::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_folder = QFile::encodeName(m_dir->path()) + '/';
}

// QTemporaryDir cannot remove a name that is not UTF-8; rm takes bytes.
void TestFileSaver::cleanup()
{
    QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), m_dir->path()});
}

// By bytes: QDir leaves out names that are not UTF-8.
int TestFileSaver::entryCount() const
{
    int count = 0;
    if (DIR *folder = ::opendir(m_folder.constData())) {
        while (const dirent *entry = ::readdir(folder))
            if (const QByteArrayView name(entry->d_name); name != "." && name != "..")
                ++count;
        ::closedir(folder);
    }
    return count;
}

void TestFileSaver::fileNames_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("UTF-8") << QByteArray("S\xc3\xa3o Paulo \xf0\x9f\x8c\xa7.tvr") << "\"São Paulo 🌧.tvr\"";
    QTest::newRow("Latin-1") << QByteArray("S\xe3o.tvr") << "\"S\\xe3o.tvr\"";
    QTest::newRow("stray bytes") << QByteArray("o/\xff\xfe.png") << "\"o/\\xff\\xfe.png\"";
    QTest::newRow("sequence cut short") << QByteArray("a\xc3") << "\"a\\xc3\"";
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << "\"\\xc0\\xaf\"";
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xb3\xbf") << "\"\\xed\\xb3\\xbf\"";
    QTest::newRow("line break, tab, quote, backslash, escape")
        << QByteArray("a\nb\t\"c\\\x1b") << "\"a\\nb\\t\\\"c\\\\\\x1b\"";
}

// Every name comes back as its bytes; on one line, it can be told apart.
void TestFileSaver::fileNames()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, quoted);
    const QString name = FileName::fromNative(bytes);
    QCOMPARE(FileName::toNative(name), bytes);
    QCOMPARE(FileName::quoted(name), quoted);
    if (QString::fromUtf8(bytes).toUtf8() == bytes)
        QCOMPARE(name, QString::fromUtf8(bytes));
}

void TestFileSaver::refusesWhatIsNotARegularFile_data()
{
    QTest::addColumn<QByteArray>("made");   // mkfifo, mkdir, mknod, or the name a link points to
    QTest::addColumn<QString>("reason");
    QTest::newRow("named pipe") << QByteArray("mkfifo") << "Not a regular file but a named pipe";
    QTest::newRow("folder") << QByteArray("mkdir") << "Not a regular file but a folder";
    QTest::newRow("link to a named pipe") << QByteArray("pipe") << "Not a regular file but a named pipe";
    QTest::newRow("device") << QByteArray("mknod") << "Not a regular file but a device";
}

// The target stays what it was; nothing else appears beside it.
void TestFileSaver::refusesWhatIsNotARegularFile()
{
    QFETCH(QByteArray, made);
    QFETCH(QString, reason);
    const QByteArray target = m_folder + "chart.png";
    if (made == "mkfifo") {
        QCOMPARE(::mkfifo(target.constData(), 0644), 0);
    } else if (made == "mkdir") {
        QCOMPARE(::mkdir(target.constData(), 0755), 0);
    } else if (made == "mknod") {
        // /dev/full's numbers, made here: a mistake replaces this node, not the system's.
        if (::mknod(target.constData(), S_IFCHR | 0644, makedev(1, 7)) != 0)
            QSKIP("Making a device node needs root");
    } else {
        if (!made.startsWith('/'))
            QCOMPARE(::mkfifo((m_folder + made).constData(), 0644), 0);
        QCOMPARE(::symlink(made.constData(), target.constData()), 0);
    }
    const int count = entryCount();
    const mode_t kind = kindOf(target);

    QCOMPARE(FileSaver::save(FileName::fromNative(target), "chart"), reason + QStringLiteral("; it was left as it is"));
    QCOMPARE(kindOf(target), kind);
    QCOMPARE(entryCount(), count);
}

// A file size limit cuts the write short part way, as a disk that fills up
// does; the second write for the rest fails with the reason.
void TestFileSaver::shortWriteKeepsItsReason()
{
    const QString target = m_dir->filePath("chart.png");
    QVERIFY(FileSaver::save(target, "old chart").isEmpty());
    QString why;
    {
        const FileSizeLimit limit(6000);
        why = FileSaver::save(target, QByteArray(10000, 'x'));
    }

    QCOMPARE(why, QString::fromLocal8Bit(std::strerror(EFBIG)));
    QCOMPARE(contents(QFile::encodeName(target)), QByteArray("old chart"));
    QCOMPARE(entryCount(), 1);
}

void TestFileSaver::namesQSaveFileCannotTake_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("replacing");
    QTest::newRow("not UTF-8, new") << QByteArray("\xff\xfe.png") << false;
    QTest::newRow("not UTF-8, replacing") << QByteArray("S\xe3o.tvr") << true;
    QTest::newRow("249 bytes, replacing") << QByteArray(245, 'a') + ".png" << true;
    QTest::newRow("255 bytes, replacing") << QByteArray(251, 'a') + ".png" << true;
}

// Saved under the name given, with the old file's permissions, and nothing
// left beside it.
void TestFileSaver::namesQSaveFileCannotTake()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, replacing);
    const QByteArray target = m_folder + name;
    if (replacing) {
        QVERIFY(FileSaver::save(FileName::fromNative(target), "old").isEmpty());
        QCOMPARE(::chmod(target.constData(), 0640), 0);
    }

    QCOMPARE(FileSaver::save(FileName::fromNative(target), "new chart"), QString());
    QCOMPARE(contents(target), QByteArray("new chart"));
    QCOMPARE(entryCount(), 1);
    struct stat info;
    QCOMPARE(::stat(target.constData(), &info), 0);
    if (replacing)
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
}

QTEST_GUILESS_MAIN(TestFileSaver)
#include "tst_filesaver.moc"
