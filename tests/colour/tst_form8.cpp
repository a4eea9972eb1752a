// SPDX-License-Identifier: GPL-3.0-or-later
// The colour chooser driven as a user drives it: swatch clicks, the three
// scroll bars, typing into the component boxes, and its three buttons.
#include "data/ProgramState.h"
#include "colour/Form8.h"
#include "data/Rgb.h"
#include "data/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestForm8 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnTheDataSetColour_data();
    void opensOnTheDataSetColour();
    void swatchClickThenCancel();
    void swatchDoubleClickStoresAndCloses_data();
    void swatchDoubleClickStoresAndCloses();
    void previewSwatch();
    void undoAndCloseBox();
    void typing_data();
    void typing();
    void unconvertibleNumberKeepsPreview_data();
    void unconvertibleNumberKeepsPreview();
    void scrollBarMoves_data();
    void scrollBarMoves();
    void layout();

private:
    void open(qint32 colour);
    QLabel *swatch(int i) const { return m_form->findChild<QLabel *>(QStringLiteral("Label1_%1").arg(i)); }
    QScrollBar *bar(int i) const { return m_form->findChild<QScrollBar *>(QStringLiteral("Slider%1").arg(i + 1)); }
    QLineEdit *box(int i) const;
    QStringList boxTexts() const { return {box(0)->text(), box(1)->text(), box(2)->text()}; }
    QPushButton *button(const char *name) const { return m_form->findChild<QPushButton *>(QString::fromLatin1(name)); }
    void typeInto(int component, const QString &text);
    void checkBars(int red, int green, int blue);

    std::unique_ptr<ProgramState> m_program;
    QPointer<Form8> m_form;
    QList<QPair<int, qint32>> m_legendCalls;
};

static constexpr int editedSet = 4;

void TestForm8::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_program = std::make_unique<ProgramState>();
    m_legendCalls.clear();
}

void TestForm8::cleanup()
{
    delete m_form;
}

void TestForm8::open(qint32 colour)
{
    m_program->colorEditIndex = editedSet;
    m_program->colorChooserOpen = 1;
    m_program->setColorTable[editedSet] = colour;
    m_form = new Form8(*m_program, [this](int n, qint32 c) { m_legendCalls.append({n, c}); });
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

QLineEdit *TestForm8::box(int i) const
{
    static const char *const names[3] = {"red1", "green1", "blue1"};
    return m_form->findChild<QLineEdit *>(QString::fromLatin1(names[i]));
}

// Replaces a box's text by keyboard, each key raising the box's key-up.
void TestForm8::typeInto(int component, const QString &text)
{
    QLineEdit *edit = box(component);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
}

void TestForm8::checkBars(int red, int green, int blue)
{
    QCOMPARE(bar(0)->value(), red);
    QCOMPARE(bar(1)->value(), green);
    QCOMPARE(bar(2)->value(), blue);
}

void TestForm8::opensOnTheDataSetColour_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("red") << 255 << 0 << 0;
    QTest::newRow("mixed") << 12 << 200 << 7;
    QTest::newRow("black") << 0 << 0 << 0;
}

void TestForm8::opensOnTheDataSetColour()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    open(Rgb::pack(red, green, blue));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Cores"));
    QCOMPARE(boxTexts(), QStringList({QString::number(red), QString::number(green), QString::number(blue)}));
    checkBars(red, green, blue);
    QCOMPARE(m_form->previewColour(), Rgb::pack(red, green, blue));
    QCOMPARE(swatch(16)->palette().color(QPalette::Window), QColor(red, green, blue));
}

void TestForm8::swatchClickThenCancel()
{
    open(Rgb::pack(255, 0, 0));
    QTest::mouseClick(swatch(14), Qt::LeftButton);
    QCOMPARE(boxTexts(), QStringList({"0", "0", "255"}));
    checkBars(0, 0, 255);
    QCOMPARE(m_form->previewColour(), Rgb::pack(0, 0, 255));

    QTest::mouseClick(button("Command3"), Qt::LeftButton);
    QCOMPARE(m_program->colorChooserOpen, 0);
    QCOMPARE(m_program->setColorTable[editedSet], Rgb::pack(255, 0, 0));
    QVERIFY(m_legendCalls.isEmpty());
    QVERIFY(!m_form->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_form.isNull());
}

void TestForm8::swatchDoubleClickStoresAndCloses_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<qint32>("colour");
    QTest::newRow("swatch 5, red") << 5 << Rgb::pack(255, 0, 0);
    QTest::newRow("swatch 0, white") << 0 << Rgb::pack(255, 255, 255);
    QTest::newRow("swatch 15, navy") << 15 << Rgb::pack(0, 0, 128);
}

void TestForm8::swatchDoubleClickStoresAndCloses()
{
    QFETCH(int, index);
    QFETCH(qint32, colour);
    open(Rgb::pack(10, 20, 30));
    QSignalSpy closed(m_form.data(), &Form8::closed);
    QTest::mouseDClick(swatch(index), Qt::LeftButton);
    QCOMPARE(m_program->setColorTable[editedSet], colour);
    QCOMPARE(m_legendCalls, (QList<QPair<int, qint32>>{{editedSet, colour}}));
    QCOMPARE(m_program->colorChooserOpen, 0);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!m_form->isVisible());
}

// A click on the preview does nothing; a double-click accepts its colour,
// also one that was typed and never reached the scroll bars.
void TestForm8::previewSwatch()
{
    open(Rgb::pack(10, 20, 30));
    typeInto(1, QStringLiteral("99"));
    QTest::mouseClick(swatch(16), Qt::LeftButton);
    QCOMPARE(m_form->previewColour(), Rgb::pack(10, 99, 30));
    QCOMPARE(box(1)->text(), QStringLiteral("99"));
    checkBars(10, 20, 30);
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_program->colorChooserOpen, 1);

    QTest::mouseDClick(swatch(16), Qt::LeftButton);
    QCOMPARE(m_program->setColorTable[editedSet], Rgb::pack(10, 99, 30));
    QCOMPARE(m_legendCalls.size(), 1);
    QCOMPARE(m_program->colorChooserOpen, 0);
}

void TestForm8::undoAndCloseBox()
{
    open(Rgb::pack(10, 20, 30));
    QTest::mouseClick(swatch(8), Qt::LeftButton);
    QTest::mouseClick(button("Command4"), Qt::LeftButton);
    QCOMPARE(m_form->previewColour(), Rgb::pack(255, 255, 0));
    checkBars(255, 255, 0);
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_program->colorChooserOpen, 1);

    // The window's close box: like "Cancel".
    QVERIFY(m_form->close());
    QCOMPARE(m_program->colorChooserOpen, 0);
    QCOMPARE(m_program->setColorTable[editedSet], Rgb::pack(10, 20, 30));
    QVERIFY(m_legendCalls.isEmpty());
}

// The chooser opens on (10, 20, 30); one box is typed into.
void TestForm8::typing_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("component");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("preview");
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    QTest::newRow("300 counts as 255") << us << 0 << "300" << Rgb::pack(255, 20, 30);
    QTest::newRow("letters count as 0") << us << 1 << "abc" << Rgb::pack(10, 0, 30);
    QTest::newRow("an empty box counts as 0") << us << 2 << "" << Rgb::pack(10, 20, 0);
    QTest::newRow("a negative counts as 0") << us << 0 << "-7" << Rgb::pack(0, 20, 30);
    QTest::newRow("blanks around") << us << 1 << " 40 " << Rgb::pack(10, 40, 30);
    QTest::newRow("12.5 gives 12") << us << 2 << "12.5" << Rgb::pack(10, 20, 12);
    QTest::newRow("13.5 gives 14") << us << 2 << "13.5" << Rgb::pack(10, 20, 14);
    QTest::newRow("12,5 gives 12 (pt_BR)") << br << 0 << "12,5" << Rgb::pack(12, 20, 30);
    QTest::newRow("13,5 gives 14 (pt_BR)") << br << 0 << "13,5" << Rgb::pack(14, 20, 30);
}

void TestForm8::typing()
{
    QFETCH(QLocale, locale);
    QFETCH(int, component);
    QFETCH(QString, text);
    QFETCH(qint32, preview);
    QLocale::setDefault(locale);
    open(Rgb::pack(10, 20, 30));
    typeInto(component, text);
    QCOMPARE(m_form->previewColour(), preview);
    QCOMPARE(swatch(16)->palette().color(QPalette::Window), Rgb::toQColor(preview));
    // The bars do not follow typing …
    checkBars(10, 20, 30);
    // … and nothing is stored before "Done".
    QCOMPARE(m_program->setColorTable[editedSet], Rgb::pack(10, 20, 30));
}

// A whole number outside the 16-bit range cannot be converted: the preview
// keeps its colour, whether the box is typed into or a bar moves.
void TestForm8::unconvertibleNumberKeepsPreview_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<int>("red");
    QTest::newRow("32767") << "32767" << false << 255;
    QTest::newRow("32768") << "32768" << true << 0;
    QTest::newRow("-32768") << "-32768" << false << 0;
    QTest::newRow("-32769") << "-32769" << true << 0;
    QTest::newRow("32767.4 rounds into range") << "32767.4" << false << 255;
    QTest::newRow("1E6") << "1E6" << true << 0;
}

void TestForm8::unconvertibleNumberKeepsPreview()
{
    QFETCH(QString, text);
    QFETCH(bool, kept);
    QFETCH(int, red);
    open(Rgb::pack(10, 20, 30));
    box(0)->setText(text);
    QTest::keyClick(box(0), Qt::Key_End);
    QCOMPARE(m_form->previewColour(), kept ? Rgb::pack(10, 20, 30) : Rgb::pack(red, 20, 30));

    // The green bar moves one step: its box follows, the preview only when
    // every box converts.
    QTest::keyClick(bar(1), Qt::Key_Right);
    QCOMPARE(box(1)->text(), QStringLiteral("21"));
    QCOMPARE(m_form->previewColour(), kept ? Rgb::pack(10, 20, 30) : Rgb::pack(red, 21, 30));
}

void TestForm8::scrollBarMoves_data()
{
    QTest::addColumn<QString>("greenText");
    QTest::addColumn<qint32>("previewAfterTyping");
    QTest::addColumn<qint32>("previewAfterMove");
    QTest::newRow("boxes hold numbers") << "20" << Rgb::pack(10, 20, 30) << Rgb::pack(11, 20, 30);
    QTest::newRow("letters in the green box")
        << "xyz" << Rgb::pack(10, 0, 30) << Rgb::pack(10, 0, 30);
    QTest::newRow("300 in the green box") << "300" << Rgb::pack(10, 255, 30) << Rgb::pack(11, 255, 30);
}

void TestForm8::scrollBarMoves()
{
    QFETCH(QString, greenText);
    QFETCH(qint32, previewAfterTyping);
    QFETCH(qint32, previewAfterMove);
    open(Rgb::pack(10, 20, 30));
    typeInto(1, greenText);
    QCOMPARE(m_form->previewColour(), previewAfterTyping);

    QTest::keyClick(bar(0), Qt::Key_Right);
    QCOMPARE(box(0)->text(), QStringLiteral("11"));
    QCOMPARE(box(1)->text(), greenText);
    QCOMPARE(m_form->previewColour(), previewAfterMove);

    // A dragged thumb writes its value as it goes.
    bar(2)->setSliderDown(true);
    bar(2)->setSliderPosition(200);
    QCOMPARE(box(2)->text(), QStringLiteral("200"));
    bar(2)->setSliderDown(false);

    // A swatch brings the bars and all boxes back in step.
    QTest::mouseClick(swatch(9), Qt::LeftButton);
    checkBars(192, 192, 0);
    QCOMPARE(box(1)->text(), QStringLiteral("192"));
    QCOMPARE(m_form->previewColour(), Rgb::pack(192, 192, 0));
}

// Sizes as designed (twips, 15 to a pixel), the palette in one even row left
// of the bars, the preview right of them, the buttons in order at the bottom.
void TestForm8::layout()
{
    open(0);
    QCOMPARE(m_form->size(), QSize(Twips::toPixels(10380), Twips::toPixels(1740)));
    QCOMPARE(m_form->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
    const auto *frame = m_form->findChild<QGroupBox *>(QStringLiteral("Frame1"));
    QVERIFY(frame);
    QCOMPARE(frame->title(), QStringLiteral("Choose color"));
    QVERIFY(frame->font().bold() && frame->font().italic());
    QVERIFY(!swatch(0)->font().bold());

    for (int i = 0; i < 16; ++i) {
        QCOMPARE(swatch(i)->size(), QSize(27, 19));
        QCOMPARE(swatch(i)->y(), swatch(0)->y());
        QCOMPARE(swatch(i)->x(), swatch(0)->x() + 27 * i);
        QCOMPARE(swatch(i)->palette().color(QPalette::Window), Rgb::toQColor(Form8::swatchColours[i]));
    }
    QCOMPARE(swatch(16)->size(), QSize(48, 37));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(bar(i)->size(), QSize(53, 12));
        QCOMPARE(bar(i)->minimum(), 0);
        QCOMPARE(bar(i)->maximum(), 255);
        QCOMPARE(box(i)->size(), QSize(26, 19));
        QVERIFY(box(i)->y() > bar(i)->geometry().bottom());
        if (i > 0)
            QVERIFY(bar(i)->x() > bar(i - 1)->geometry().right());
    }
    QVERIFY(bar(0)->x() > swatch(15)->geometry().right());
    QVERIFY(swatch(16)->x() > bar(2)->geometry().right());
    const QStringList labels = {QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")};
    for (int i = 0; i < 3; ++i) {
        const auto *caption = m_form->findChild<QLabel *>(QStringLiteral("Label%1").arg(i + 2));
        QCOMPARE(caption->text(), labels[i]);
        QVERIFY(caption->geometry().bottom() < bar(i)->y() + 1);
    }
    QCOMPARE(button("Command4")->text(), QStringLiteral("Undo"));
    QCOMPARE(button("Command1")->text(), QStringLiteral("Done"));
    QCOMPARE(button("Command3")->text(), QStringLiteral("Cancel"));
    QVERIFY(button("Command4")->x() < button("Command1")->x());
    QVERIFY(button("Command1")->x() < button("Command3")->x());
    QVERIFY(button("Command3")->geometry().right() < m_form->width());
    QVERIFY(button("Command3")->geometry().bottom() < m_form->height());
    for (QWidget *w : m_form->findChildren<QWidget *>()) {
        if (qobject_cast<QLabel *>(w) || qobject_cast<QLineEdit *>(w) || qobject_cast<QScrollBar *>(w)
            || qobject_cast<QPushButton *>(w) || qobject_cast<QGroupBox *>(w))
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }
}

QTEST_MAIN(TestForm8)
#include "tst_form8.moc"
