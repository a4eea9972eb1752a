// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icons are SVG resources: without Qt's SVG plugins they would
// silently draw as blank buttons.
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QTest>

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void iconsDrawAtButtonSize_data();
    void iconsDrawAtButtonSize();
};

void TestIcons::iconsDrawAtButtonSize_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"close", "open", "print", "reset", "editor", "copy", "help", "stations", "tervalo"})
        QTest::newRow(name) << QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name));
}

void TestIcons::iconsDrawAtButtonSize()
{
    QFETCH(QString, name);
    const QIcon icon(name);
    QVERIFY(!icon.isNull());
    const QImage image = icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(32, 32));
    // Drawn, not blank: a good share of the square is covered.
    int covered = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            covered += qAlpha(image.pixel(x, y)) > 128;
    QVERIFY2(covered > 32 * 32 / 4, qPrintable(QString::number(covered)));
}

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
