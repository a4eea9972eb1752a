// SPDX-License-Identifier: GPL-3.0-or-later
// The help viewer window: the contents of the built help file beside its
// pages, links that stay inside the file, and nothing shown for a bad file.
#include "common/TestPaths.h"
#include "platform/HelpBrowser.h"
#include "platform/HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

namespace {

QString builtHelp()
{
    return TestPaths::binaryDir() + QStringLiteral("/tervalo.chm");
}

QTreeWidgetItem *findTopic(QTreeWidget *tree, const QString &name)
{
    const QList<QTreeWidgetItem *> found =
        tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// Where the text of the link to `href` is drawn in the browser's viewport.
QPoint linkPosition(QTextBrowser *browser, const QString &href)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + 1);
            return browser->cursorRect(cursor).center();
        }
    }
    return {-1, -1};
}

QList<HelpViewer *> viewersOf(QWidget *owner)
{
    return owner->findChildren<HelpViewer *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

class TestHelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void showsContentsBesidePages();
    void followsLinksInsideTheFile();
    void loadsPicturesFromTheFile();
    void oneViewerPerOwner();
    void badFilesShowNothing_data();
    void badFilesShowNothing();
    void cleanup();

private:
    QWidget m_owner;
};

void TestHelpViewer::cleanup()
{
    qDeleteAll(viewersOf(&m_owner));
}

void TestHelpViewer::showsContentsBesidePages()
{
    HelpViewer *viewer = HelpViewer::showContents(builtHelp(), &m_owner);
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->parentWidget(), &m_owner);
    QVERIFY(viewer->isWindow());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Tervalo Help"));

    QTreeWidget *tree = viewer->contentsTree();
    QVERIFY(tree->topLevelItemCount() > 3);
    // Screen readers find both parts by name.
    QVERIFY(!tree->accessibleName().isEmpty());
    QVERIFY(!viewer->browser()->accessibleName().isEmpty());
    QTreeWidgetItem *first = tree->topLevelItem(0);
    QCOMPARE(first->text(0), QStringLiteral("Welcome to Tervalo"));
    // The first page is shown, and its entry is the current one.
    QCOMPARE(viewer->browser()->source(), HelpBrowser::urlFor(QStringLiteral("index.html")));
    QCOMPARE(tree->currentItem(), first);
    QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("Welcome to Tervalo")));

    // Choosing another entry shows its page.
    QTreeWidgetItem *table = findTopic(tree, QStringLiteral("The values table"));
    QVERIFY(table);
    tree->setCurrentItem(table);
    QCOMPARE(viewer->browser()->source(), HelpBrowser::urlFor(QStringLiteral("valuestable.html")));
    QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("Copy and Paste")));

    // A heading without a page of its own leaves the page shown.
    QTreeWidgetItem *heading = findTopic(tree, QStringLiteral("The main window"));
    QVERIFY(heading);
    tree->setCurrentItem(heading);
    QCOMPARE(viewer->browser()->source(), HelpBrowser::urlFor(QStringLiteral("valuestable.html")));
}

void TestHelpViewer::followsLinksInsideTheFile()
{
    HelpViewer *viewer = HelpViewer::showContents(builtHelp(), &m_owner);
    QVERIFY(viewer);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    HelpBrowser *browser = viewer->browser();

    const QPoint link = linkPosition(browser, QStringLiteral("quickstart.html"));
    QVERIFY(link.x() >= 0);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, link);
    QTRY_COMPARE(browser->source(), HelpBrowser::urlFor(QStringLiteral("quickstart.html")));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("A first climate diagram")));
    // The contents follow the page.
    QCOMPARE(viewer->contentsTree()->currentItem()->text(0),
             QStringLiteral("A first climate diagram"));

    // Back, and a link with an anchor.
    browser->backward();
    QCOMPARE(browser->source(), HelpBrowser::urlFor(QStringLiteral("index.html")));
    browser->setSource(QUrl(QStringLiteral("datafile.html#numbers")));
    QCOMPARE(browser->source().path(), QStringLiteral("/datafile.html"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("How numbers are read")));

    // Addresses outside the help file are not followed.
    browser->setSource(QUrl(QStringLiteral("https://example.org/")));
    QCOMPARE(browser->source().path(), QStringLiteral("/datafile.html"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("How numbers are read")));
}

void TestHelpViewer::loadsPicturesFromTheFile()
{
    HelpViewer *viewer = HelpViewer::showContents(builtHelp(), &m_owner);
    QVERIFY(viewer);
    HelpBrowser *browser = viewer->browser();
    QCOMPARE(browser->source().path(), QStringLiteral("/index.html"));

    // The first page's logo, by the relative name the page uses.
    const QVariant logo =
        browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("tervalo.svg")));
    QVERIFY(logo.canConvert<QImage>());
    QVERIFY(!logo.value<QImage>().isNull());
    const QVariant style = browser->loadResource(QTextDocument::StyleSheetResource,
                                                 QUrl(QStringLiteral("help.css")));
    QVERIFY(style.toString().contains(QStringLiteral("font-family")));
    QVERIFY(browser->loadResource(QTextDocument::ImageResource,
                                  QUrl(QStringLiteral("missing.png"))).isNull());
}

void TestHelpViewer::oneViewerPerOwner()
{
    QPointer<HelpViewer> first = HelpViewer::showContents(builtHelp(), &m_owner);
    QVERIFY(first);
    first->hide();
    HelpViewer *again = HelpViewer::showContents(builtHelp(), &m_owner);
    QCOMPARE(again, first.data());
    QVERIFY(again->isVisible());
    QCOMPARE(viewersOf(&m_owner).size(), 1);

    QWidget otherOwner;
    HelpViewer *other = HelpViewer::showContents(builtHelp(), &otherOwner);
    QVERIFY(other);
    QVERIFY(other != first.data());

    // Closing the viewer discards it; the next request opens a fresh one.
    first->close();
    QTRY_VERIFY(first.isNull());
    HelpViewer *fresh = HelpViewer::showContents(builtHelp(), &m_owner);
    QVERIFY(fresh);
    QCOMPARE(viewersOf(&m_owner).size(), 1);
}

void TestHelpViewer::badFilesShowNothing_data()
{
    QTest::addColumn<QByteArray>("content");   // empty: no file at all
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("garbage") << QByteArray(5000, '\x5a') << true;
    QTest::newRow("text") << QByteArray("Help file\n") << true;
}

void TestHelpViewer::badFilesShowNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tervalo.chm"));
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QCOMPARE(HelpViewer::showContents(path, &m_owner), nullptr);
    QVERIFY(viewersOf(&m_owner).isEmpty());
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY(!window->isVisible());
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
