// SPDX-License-Identifier: GPL-3.0-or-later
// The help file wrapper: reading the help file the build compiles, and
// refusing damaged files without crashing.
#include "common/TestPaths.h"
#include "platform/ChmFile.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString builtHelp()
{
    return TestPaths::binaryDir() + QStringLiteral("/tervalo.chm");
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(data) == data.size();
}

// "A[a.html](B[b.html]),C[]": names, pages and nesting in one line.
QString outline(const QList<ChmFile::Topic> &topics)
{
    QStringList parts;
    for (const ChmFile::Topic &topic : topics) {
        QString part = topic.name + u'[' + topic.local + u']';
        if (!topic.children.isEmpty())
            part += u'(' + outline(topic.children) + u')';
        parts.append(part);
    }
    return parts.join(u',');
}

int countTopics(const QList<ChmFile::Topic> &topics)
{
    int count = 0;
    for (const ChmFile::Topic &topic : topics)
        count += 1 + countTopics(topic.children);
    return count;
}

// Opening must either fail cleanly or give a file every object of which
// can be read without harm.
void exercise(const QString &path)
{
    ChmFile help;
    if (!help.open(path)) {
        QVERIFY(!help.isOpen());
        QVERIFY(!help.object(QStringLiteral("/index.html")));
        QVERIFY(help.tableOfContents().isEmpty());
        return;
    }
    for (const QString &object : help.objectPaths())
        (void)help.object(object);
    (void)help.tableOfContents();
}

} // namespace

class TestChmFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsTheBuiltHelp();
    void everyProjectFileIsInTheHelp();
    void contentsAndLinksLeadToPages();
    void readsLargeDirectories();
    void refusesDamagedFiles_data();
    void refusesDamagedFiles();
    void survivesCorruptedBytes();
    void parsesSitemaps_data();
    void parsesSitemaps();
    void sitemapParsingIsBounded();

private:
    QByteArray m_help;
    QTemporaryDir m_temp;
};

void TestChmFile::initTestCase()
{
    m_help = readAll(builtHelp());
    QVERIFY2(!m_help.isEmpty(), qPrintable(builtHelp() + QStringLiteral(" was not built")));
    QVERIFY(m_temp.isValid());
}

void TestChmFile::readsTheBuiltHelp()
{
    ChmFile help;
    QVERIFY(help.open(builtHelp()));
    QCOMPARE(help.contentsFile(), QStringLiteral("/tervalo.hhc"));
    QCOMPARE(help.defaultTopic(), QStringLiteral("/index.html"));
    QCOMPARE(help.title(), QStringLiteral("Tervalo Help"));

    const std::optional<QByteArray> page = help.object(help.defaultTopic());
    QVERIFY(page);
    QVERIFY(page->contains("<h1>Welcome to Tervalo</h1>"));
    // Paths are absolute with or without the slash, and without regard to case.
    QCOMPARE(help.object(QStringLiteral("index.html")), page);
    QCOMPARE(help.object(QStringLiteral("/INDEX.HTML")), page);
    QVERIFY(!help.object(QStringLiteral("/no-such-page.html")));
    QVERIFY(!help.object(QString()));

    help.close();
    QVERIFY(!help.isOpen());
    QVERIFY(!help.object(QStringLiteral("/index.html")));
}

// A page missing from the project's [FILES] list would be missing from the help.
void TestChmFile::everyProjectFileIsInTheHelp()
{
    const QString project = TestPaths::sourceDir()
        + QStringLiteral("/help/tervalo.hhp");
    const QString text = QString::fromUtf8(readAll(project));
    const qsizetype files = text.indexOf(QStringLiteral("[FILES]"));
    QVERIFY(files >= 0);
    const QStringList listed = text.mid(files + 7).split(u'\n', Qt::SkipEmptyParts);

    ChmFile help;
    QVERIFY(help.open(builtHelp()));
    const QStringList stored = help.objectPaths();
    for (const QString &line : listed) {
        const QString name = line.trimmed();
        if (name.isEmpty() || name.startsWith(u'['))
            break;
        QVERIFY2(stored.contains(u'/' + name), qPrintable(name));
    }
}

void TestChmFile::contentsAndLinksLeadToPages()
{
    ChmFile help;
    QVERIFY(help.open(builtHelp()));
    const QList<ChmFile::Topic> topics = help.tableOfContents();
    QVERIFY(!topics.isEmpty());
    QCOMPARE(topics.first().name, QStringLiteral("Welcome to Tervalo"));
    QCOMPARE(topics.first().local, QStringLiteral("index.html"));

    QList<ChmFile::Topic> pending = topics;
    while (!pending.isEmpty()) {
        const ChmFile::Topic topic = pending.takeFirst();
        pending.append(topic.children);
        if (!topic.local.isEmpty())
            QVERIFY2(help.object(topic.local), qPrintable(topic.local));
    }

    // Every link and picture of every page points into the help file.
    static const QRegularExpression reference(
        QStringLiteral(R"re((?:href|src)="([^"#:]+)(?:#[^"]*)?")re"));
    int pages = 0;
    for (const QString &path : help.objectPaths()) {
        if (!path.endsWith(QLatin1String(".html")))
            continue;
        ++pages;
        const std::optional<QByteArray> page = help.object(path);
        QVERIFY2(page, qPrintable(path));
        auto links = reference.globalMatch(QString::fromUtf8(*page));
        while (links.hasNext()) {
            const QString target = links.next().captured(1);
            QVERIFY2(help.object(target), qPrintable(path + QStringLiteral(" → ") + target));
        }
    }
    QVERIFY(pages >= 10);
}

// A help of many pages has a directory of several listing chunks and an
// index chunk above them; the structural check must accept the layout the
// help compiler writes.
void TestChmFile::readsLargeDirectories()
{
    const QString compiler = QStandardPaths::findExecutable(QStringLiteral("chmcmd"));
    if (compiler.isEmpty())
        QSKIP("chmcmd is not installed");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QString project = QStringLiteral("[OPTIONS]\nCompiled file=many.chm\nDefault topic=p1.html\n"
                                     "Title=Many\n\n[FILES]\n");
    constexpr int pages = 600;
    for (int i = 1; i <= pages; ++i) {
        const QString name = QStringLiteral("p%1.html").arg(i);
        project += name + u'\n';
        QVERIFY(writeAll(folder.filePath(name),
                         QStringLiteral("<html><body><h1>Page number %1 of a long help</h1>"
                                        "</body></html>").arg(i).toUtf8()));
    }
    QVERIFY(writeAll(folder.filePath(QStringLiteral("many.hhp")), project.toUtf8()));
    QProcess compile;
    compile.setWorkingDirectory(folder.path());
    compile.start(compiler, {QStringLiteral("many.hhp")});
    QVERIFY(compile.waitForFinished(60000));

    ChmFile help;
    QVERIFY(help.open(folder.filePath(QStringLiteral("many.chm"))));
    QCOMPARE(help.objectPaths().filter(QStringLiteral(".html")).size(), pages);
    const std::optional<QByteArray> last = help.object(QStringLiteral("/p600.html"));
    QVERIFY(last);
    QVERIFY(last->contains("Page number 600 of"));
}

void TestChmFile::refusesDamagedFiles_data()
{
    QTest::addColumn<QByteArray>("content");

    QRandomGenerator random(20240607);
    QByteArray noise(40000, Qt::Uninitialized);
    for (char &byte : noise)
        byte = char(random.bounded(256));

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << m_help.left(0x60);
    QTest::newRow("cut inside the directory") << m_help.left(0x200);
    QTest::newRow("cut in half") << m_help.left(m_help.size() / 2);
    QTest::newRow("last bytes missing") << m_help.left(m_help.size() - 16);
    QTest::newRow("random bytes") << noise;
    QTest::newRow("random bytes after the signature") << QByteArray("ITSF") + noise;
    QTest::newRow("header, then random bytes") << m_help.left(0x78) + noise;
    QTest::newRow("text") << QByteArray("<html><body>not a help file</body></html>\n");
}

void TestChmFile::refusesDamagedFiles()
{
    QFETCH(QByteArray, content);
    const QString path = m_temp.filePath(QStringLiteral("damaged.chm"));
    QVERIFY(writeAll(path, content));
    ChmFile help;
    QVERIFY(!help.open(path));
    QVERIFY(!help.isOpen());
    QVERIFY(!help.object(QStringLiteral("/index.html")));

    QVERIFY(!help.open(m_temp.filePath(QStringLiteral("missing.chm"))));

    // A sound file grown past the size limit is refused before it is read.
    const QString large = m_temp.filePath(QStringLiteral("large.chm"));
    QVERIFY(writeAll(large, m_help));
    QVERIFY(QFile::resize(large, ChmFile::MaxFileSize + 1));
    QVERIFY(!help.open(large));
}

// Single damaged bytes all over the header, the directory, the compression
// tables and the compressed pages: open() refuses or the file reads safely.
// A fixed number of places in each region, so the test takes the same time
// however many pages the help gains (every readable copy is decompressed in
// full, which is slow under the sanitizers).
void TestChmFile::survivesCorruptedBytes()
{
    const QString path = m_temp.filePath(QStringLiteral("corrupt.chm"));
    const qsizetype directoryEnd = qMin<qsizetype>(m_help.size(), 0x1200);
    QList<qsizetype> offsets;
    const auto spread = [&offsets](qsizetype from, qsizetype to, qsizetype count) {
        const qsizetype step = qMax<qsizetype>(1, (to - from) / count);
        for (qsizetype at = from; at < to; at += step)
            offsets.append(at);
    };
    spread(0, directoryEnd, 300);
    spread(directoryEnd, m_help.size(), 60);

    for (const quint8 pattern : {quint8(0xff), quint8(0x01)}) {
        for (const qsizetype at : std::as_const(offsets)) {
            QByteArray damaged = m_help;
            damaged[at] = char(quint8(damaged[at]) ^ pattern);
            QVERIFY(writeAll(path, damaged));
            exercise(path);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("byte %1").arg(at)));
        }
    }
}

void TestChmFile::parsesSitemaps_data()
{
    QTest::addColumn<QByteArray>("sitemap");
    QTest::addColumn<QString>("expected");

    const auto item = [](const char *name, const char *local) {
        return QByteArray("<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"") + name
            + "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>\n";
    };

    QTest::newRow("nested lists")
        << QByteArray("<HTML><BODY><UL>") + item("A", "a.html") + "<UL>" + item("B", "b.html")
               + item("C", "c.html") + "</UL>" + item("D", "d.html") + "</UL></BODY></HTML>"
        << QStringLiteral("A[a.html](B[b.html],C[c.html]),D[d.html]");
    QTest::newRow("lower case, single quotes, blanks")
        << QByteArray("<ul><li><object type='text/sitemap'>"
                      "<param name='name' value='One'> <param  name = local value = one.html >"
                      "</object></ul>")
        << QStringLiteral("One[one.html]");
    QTest::newRow("entities in names")
        << QByteArray("<UL>") + item("B &amp; W &#8211; &lt;x&gt;", "bw.html#top") + "</UL>"
        << QStringLiteral("B & W \u2013 <x>[bw.html#top]");
    QTest::newRow("heading without a page")
        << QByteArray("<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Part\">"
                      "</OBJECT><UL>") + item("P", "p.html") + "</UL></UL>"
        << QStringLiteral("Part[](P[p.html])");
    QTest::newRow("site properties are not topics")
        << QByteArray("<OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"X\">"
                      "</OBJECT><UL>") + item("A", "a.html") + "</UL>"
        << QStringLiteral("A[a.html]");
    QTest::newRow("no lists at all") << item("A", "a.html") << QStringLiteral("A[a.html]");
    QTest::newRow("unbalanced closing lists")
        << QByteArray("</UL></UL>") + item("A", "a.html") + "</UL>" + item("B", "b.html")
        << QStringLiteral("A[a.html],B[b.html]");
    QTest::newRow("object never closed")
        << QByteArray("<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\">")
        << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("binary noise") << QByteArray("\x00\xff<\x01>\xfe<<>>\x80\x90", 13) << QString();
    QTest::newRow("Latin-1 name")
        << QByteArray("<UL>") + item("\xc1rea", "area.html") + "</UL>"
        << QStringLiteral("\u00c1rea[area.html]");
}

void TestChmFile::parsesSitemaps()
{
    QFETCH(QByteArray, sitemap);
    QFETCH(QString, expected);
    QCOMPARE(outline(ChmFile::parseSitemap(sitemap)), expected);
}

void TestChmFile::sitemapParsingIsBounded()
{
    const QByteArray item("<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"T\">"
                          "<param name=\"Local\" value=\"t.html\"></OBJECT>");
    // Thousands of nested lists flatten below a fixed depth instead of
    // recursing without end.
    QByteArray deep;
    for (int i = 0; i < 3000; ++i)
        deep += "<UL>" + item;
    const QList<ChmFile::Topic> nested = ChmFile::parseSitemap(deep);
    QCOMPARE(countTopics(nested), 3000);
    int depth = 0;
    for (const QList<ChmFile::Topic> *level = &nested; !level->isEmpty();
         level = &level->last().children)
        ++depth;
    QVERIFY(depth <= 40);

    QByteArray many = "<UL>";
    for (int i = 0; i < 20000; ++i)
        many += item;
    QCOMPARE(countTopics(ChmFile::parseSitemap(many)), 5000);
}

QTEST_GUILESS_MAIN(TestChmFile)
#include "tst_chmfile.moc"
