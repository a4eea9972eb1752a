// SPDX-License-Identifier: GPL-3.0-or-later
// File dialogs list a folder without reading the files in it: guessing a
// type from a file's first bytes can wait for ever (/proc/kmsg, as root).
#include "platform/Dialogs.h"
#include "platform/NameOnlyIconProvider.h"

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestFileDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void typesFromNamesAlone_data();
    void typesFromNamesAlone();
};

void TestFileDialogs::initTestCase()
{
    NameOnlyIconProvider::watchFileDialogs(*qApp);
}

void TestFileDialogs::typesFromNamesAlone_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::newRow("the program's Open") << "open";
    QTest::newRow("one Qt opens by itself") << "qt";
}

// A PNG image without an extension is not known as one: its bytes were
// never read.
void TestFileDialogs::typesFromNamesAlone()
{
    QFETCH(QString, dialog);
    QTemporaryDir folder;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(folder.filePath("picture"), "PNG") && image.save(folder.filePath("picture.png"), "PNG"));

    QString unnamedType;
    QString namedType;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *shown = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!shown)
            return;
        const QAbstractFileIconProvider *icons = shown->iconProvider();
        unnamedType = icons->type(QFileInfo(folder.filePath("picture")));
        namedType = icons->type(QFileInfo(folder.filePath("picture.png")));
        shown->reject();
    });
    poll.start(10);
    const Dialogs::FileRequest request{"Open", "All files(*.*)|*.*", QString(), folder.path()};
    if (dialog == u"open")
        Dialogs::openFileName(nullptr, request);
    else
        QFileDialog::getOpenFileName(nullptr, "Print to file", folder.path(), QString(), nullptr,
                                     QFileDialog::DontUseNativeDialog);

    QCOMPARE(namedType, QStringLiteral("PNG image"));
    QVERIFY2(unnamedType != namedType, qPrintable(unnamedType));
}

QTEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
