// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PictureBox.h"

#include <QSignalSpy>
#include <QTest>

// The picture box reports the pointer in its canvas's unit, and shows the
// canvas as large as itself.
class TestPictureBox : public QObject
{
    Q_OBJECT

private slots:
    void pointerInTheCanvasUnit_data();
    void pointerInTheCanvasUnit();
    void canvasFollowsTheWidgetSize();
};

void TestPictureBox::pointerInTheCanvasUnit_data()
{
    QTest::addColumn<bool>("twips");
    QTest::addColumn<QPointF>("expected");
    QTest::newRow("twips") << true << QPointF(150, 300);
    QTest::newRow("pixels") << false << QPointF(10, 20);
}

void TestPictureBox::pointerInTheCanvasUnit()
{
    QFETCH(bool, twips);
    QFETCH(QPointF, expected);
    PictureBox box;
    box.resize(100, 80);
    box.canvas().setUnit(twips ? Canvas::Unit::Twips : Canvas::Unit::Pixels);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy pressed(&box, &PictureBox::pointerPressed);
    QSignalSpy moved(&box, &PictureBox::pointerMoved);
    QSignalSpy released(&box, &PictureBox::pointerReleased);
    QTest::mousePress(&box, Qt::RightButton, Qt::NoModifier, QPoint(10, 20));
    QTest::mouseMove(&box, QPoint(10, 20));
    QTest::mouseRelease(&box, Qt::RightButton, Qt::NoModifier, QPoint(10, 20));
    QCOMPARE(pressed.size(), 1);
    QCOMPARE(pressed[0][0].toPointF(), expected);
    QCOMPARE(pressed[0][1].value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(released.size(), 1);
    QCOMPARE(released[0][0].toPointF(), expected);
    QCOMPARE(released[0][1].value<Qt::MouseButton>(), Qt::RightButton);
    QVERIFY(!moved.isEmpty());
    QCOMPARE(moved.last()[0].toPointF(), expected);
}

void TestPictureBox::canvasFollowsTheWidgetSize()
{
    PictureBox box;
    box.setGeometry(0, 0, 40, 30); // not shown: no resize event yet
    QCOMPARE(box.canvas().size(), QSize(40, 30));
    QCOMPARE(box.innerWidth(), 600.0);
    box.canvas().setUnit(Canvas::Unit::Pixels);
    box.canvas().setDrawColour(0);
    box.canvas().line(0, 0, 39, 0);
    QCOMPARE(box.grab().toImage().pixel(20, 0), qRgb(0, 0, 0));
}

QTEST_MAIN(TestPictureBox)
#include "tst_picturebox.moc"
