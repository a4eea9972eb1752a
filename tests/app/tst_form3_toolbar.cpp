// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's toolbar and its fixed layout.
#include "Form3Fixture.h"

#include "app/Form3Design.h"
#include "platform/DataGrid.h"
#include "platform/PictureBox.h"
#include "data/Twips.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

namespace {

QRect designRect(int left, int top, int width, int height)
{
    return QRect(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
}

// A pointer move as the window system delivers it: to the widget under the
// pointer, passed on to its parents when it does not take it.
void movePointer(QWidget *widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

QStringList visibleWindowNames()
{
    QStringList names;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            names << window->objectName();
    return names;
}

} // namespace

class TestForm3Toolbar : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsAreNamedAndPlaced_data();
    void controlsAreNamedAndPlaced();
    void captionsAndToolTips_data();
    void captionsAndToolTips();
    void everyControlHasAnAccessibleName();
    void toolbarButtons();
    void resizeMovesOnlyTheToolbarAndBorders();

    void hoverBorderStaysUntilTheBareToolbar();
    void closeHidesEveryWindowAndEnds();
    void missingHelpFileWarnsOnce();
    void copyLeavesTheWindowAlone();

private:
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Form3> m_window;
    int m_ends = 0;
};

void TestForm3Toolbar::init()
{
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_window = std::make_unique<Form3>();
    m_ends = 0;
    m_window->setProgramEnd([this] { ++m_ends; });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestForm3Toolbar::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window != m_window.get())
            window->close();
    m_window.reset();
    flushDeletions();
    m_dialogs.reset();
}

void TestForm3Toolbar::controlsAreNamedAndPlaced_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("List1") << "List1" << designRect(240, 1200, 2055, 1125);
    QTest::newRow("Grid2") << "Grid2" << designRect(2520, 1200, 1335, 1695);
    QTest::newRow("Frame6") << "Frame6" << designRect(270, 2340, 2025, 750);
    QTest::newRow("Command1") << "Command1" << designRect(2565, 2970, 1095, 285);
    QTest::newRow("Command3") << "Command3" << designRect(2565, 3240, 1095, 255);
    QTest::newRow("List2") << "List2" << designRect(330, 3495, 1935, 1005);
    QTest::newRow("Frame4") << "Frame4" << designRect(5520, 3480, 1455, 450);
    QTest::newRow("FrMeses") << "FrMeses" << designRect(3420, 3555, 1095, 1560);
    QTest::newRow("Combo4") << "Combo4" << designRect(3540, 5580, 900, 315);
    QTest::newRow("Slider2") << "Slider2" << designRect(1515, 4860, 735, 255);
    QTest::newRow("Frame1") << "Frame1" << designRect(2010, 6000, 2580, 1110);
    QTest::newRow("Check2") << "Check2" << designRect(1080, 6240, 855, 255);
    QTest::newRow("Frame5") << "Frame5" << designRect(120, 7200, 4455, 1095);
    QTest::newRow("Picture1") << "Picture1" << designRect(4680, 2880, 6900, 5325);
    QTest::newRow("tagPic") << "tagPic" << designRect(7050, 3120, 1935, 285);
    QTest::newRow("Label5") << "Label5" << designRect(10320, 2160, 495, 255);
    QTest::newRow("TxTitulo") << "TxTitulo" << designRect(720, 15, 5400, 350);
    // The guide lines' end points included.
    QTest::newRow("Picture4 on its guide lines") << "Picture4" << designRect(720, 480, 5415, 4455);
    for (int i = 0; i < 8; ++i)
        QTest::newRow(qPrintable(QStringLiteral("Bot_%1").arg(i)))
            << QStringLiteral("Bot_%1").arg(i) << designRect(2160 + 1220 * i, 210, 720, 570);
}

void TestForm3Toolbar::controlsAreNamedAndPlaced()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    const QList<QWidget *> found = m_window->findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.constFirst()->geometry(), geometry);
}

void TestForm3Toolbar::captionsAndToolTips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("Update") << "Command1" << "Update" << "Atualiza gráfico quando opções são alteradas";
    QTest::newRow("Transpose") << "CommTranspor" << "Transpose" << "Troca eixos X e Y";
    QTest::newRow("Area") << "Command3" << "Area" << "Calcula área (intregral) de partes selecionadas";
    QTest::newRow("Colors") << "CommCor" << "Colors" << "Cor da linha do arquivo selecionado";
    QTest::newRow("B & W") << "Command2" << "B && W" << "";
    QTest::newRow("Legend") << "ChkLegenda" << "Legend" << "Apresenta legenda";
    QTest::newRow("Title") << "Check1" << "Title" << "Apresenta título";
    QTest::newRow("Coord.") << "Check2" << "Coord." << "";
    QTest::newRow("Tervalo") << "Option2" << "Tervalo" << "";
    QTest::newRow("Normal") << "Option3" << "Normal" << "";
    QTest::newRow("January") << "Option1_0" << "January" << "";
    QTest::newRow("Null") << "Option1_4" << "Null" << "";
    QTest::newRow("Graph") << "Frame6" << "Graph" << "";
    QTest::newRow("Months") << "FrMeses" << "Months" << "Grafia dos meses";
    QTest::newRow("Scale") << "Frame1" << "Scale      Auto " << "Escala dos eixos X e Y";
    QTest::newRow("Grid") << "Frame3" << "Grid" << "Traça grade nos eixos X e Y";
    QTest::newRow("Tresholds") << "Frame5" << "Tresholds" << "Traça linhas nos valores especificados";
    QTest::newRow("Data sets") << "Label3_0" << "Data sets" << "";
    QTest::newRow("Select") << "Label3_1" << "Select" << "";
    QTest::newRow("Format  X") << "Label3_4" << "Format  X" << "";
    QTest::newRow("Marker size") << "Label1_0" << "Marker size" << "";
    QTest::newRow("List1") << "List1" << "" << "Arquivos carregados";
    QTest::newRow("List2") << "List2" << "" << "Arquivos selecionados";
    QTest::newRow("Combo1") << "Combo1" << "" << "Numero de divisões no eixo X";
    QTest::newRow("Combo2") << "Combo2" << "" << "Numero de divisões do eixo Y";
    QTest::newRow("Combo5") << "Combo5" << "" << "Tipo de linha do arquivo selecionado";
    QTest::newRow("Slider1") << "Slider1" << "" << "Tamanho do marcador do arquivo selecionado";
    QTest::newRow("Frame4") << "Frame4" << "" << "Clique e arraste para posicionar";
    QTest::newRow("Lab_0") << "Lab_0" << "" << "Clique para posicionar";
    QTest::newRow("Bot_0") << "Bot_0" << "" << "Fecha programa";
    QTest::newRow("Bot_1") << "Bot_1" << "" << "Abre arquivo de dados";
    QTest::newRow("Bot_3") << "Bot_3" << "" << "Reseta tudo";
    QTest::newRow("Bot_4") << "Bot_4" << "" << "Cria ou modifica arquivo de dados";
    QTest::newRow("Bot_5") << "Bot_5" << "" << "Copia gráfico para o clipboard";
    QTest::newRow("Bot_7") << "Bot_7" << "" << "Biblioteca de estações";
}

void TestForm3Toolbar::captionsAndToolTips()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QWidget *widget = m_window->findChild<QWidget *>(name);
    QVERIFY(widget);
    if (!caption.isEmpty()) {
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(button->text(), caption);
        else if (auto *frame = qobject_cast<QGroupBox *>(widget))
            QCOMPARE(frame->title(), caption);
        else if (auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->text(), caption);
        else
            QFAIL("no caption");
    }
    if (!toolTip.isEmpty())
        QCOMPARE(widget->toolTip(), toolTip);
}

void TestForm3Toolbar::everyControlHasAnAccessibleName()
{
    static const QRegularExpression designName(QStringLiteral("^[A-Za-z][A-Za-z0-9]*(_[0-9]+)?$"));
    int controls = 0;
    const QList<QWidget *> widgets = m_window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        if (!designName.match(name).hasMatch())
            continue;
        ++controls;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), qPrintable(name));
    }
    QVERIFY(controls > 60);
}

void TestForm3Toolbar::toolbarButtons()
{
    const Form3Controls &c = m_window->controls();
    // Seven buttons of the design and the station library after them.
    QCOMPARE(c.Bot.size(), size_t(8));
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(c.Bot[i]->size(), QSize(48, 38));
        QVERIFY(!c.Bot[i]->icon().isNull());
        QVERIFY(!c.Bot[i]->accessibleName().isEmpty());
        QCOMPARE(c.Bot[i]->parentWidget(), c.Frame2);
        QVERIFY(!m_window->isBotHighlighted(i));
    }
    // Reachable from the keyboard: Space on a focused button presses it.
    QCOMPARE(c.Bot[1]->focusPolicy(), Qt::TabFocus);
    c.Bot[1]->setFocus();
    QTest::keyClick(c.Bot[1], Qt::Key_Space);
    QCOMPARE(m_dialogs->openRequests.size(), 1);
    // Neighbouring buttons are 500 twips apart.
    QCOMPARE(c.Bot[1]->x() - (c.Bot[0]->x() + c.Bot[0]->width()), Twips::toPixels(500));
    QVERIFY(!m_window->windowIcon().isNull());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tervalo"));
}

void TestForm3Toolbar::resizeMovesOnlyTheToolbarAndBorders()
{
    const Form3Controls &c = m_window->controls();
    const QRect chart = c.Picture1->geometry();
    const QRect list = c.List1->geometry();

    m_window->resize(1000, 700);
    QTRY_COMPARE(m_window->size(), QSize(1000, 700));
    const int W = static_cast<int>(Twips::fromPixels(1000)) + Form3Design::frameExtraWidth;
    const int H = static_cast<int>(Twips::fromPixels(700)) + Form3Design::frameExtraHeight;

    QCOMPARE(c.Frame2->geometry(), QRect(Twips::toPixels(130), 0, Twips::toPixels(W - 330), Twips::toPixels(885)));
    QCOMPARE(c.Line1[0]->geometry().center().x(), Twips::toPixels(80) - 1);
    QCOMPARE(c.Line1[0]->width(), 8);
    QCOMPARE(c.Line1[0]->height(), Twips::toPixels(H));
    QCOMPARE(c.Line1[1]->x(), Twips::toPixels(W - 130) - 4);
    QCOMPARE(c.Line1[2]->y(), Twips::toPixels(H - 415) - 4);
    QCOMPARE(c.Line1[2]->width(), Twips::toPixels(W));
    QCOMPARE(c.Line1[3]->parentWidget(), c.Frame2);
    QCOMPARE(c.Line1[3]->height(), 10);
    // Everything else stays where the design puts it.
    QCOMPARE(c.Picture1->geometry(), chart);
    QCOMPARE(c.List1->geometry(), list);

    m_window->resize(500, 400);
    QTRY_COMPARE(m_window->size(), QSize(500, 400));
    QCOMPARE(c.Picture1->geometry(), chart);
    QCOMPARE(c.Line1[1]->x(),
             Twips::toPixels(static_cast<int>(Twips::fromPixels(500)) + Form3Design::frameExtraWidth - 130) - 4);
}

void TestForm3Toolbar::hoverBorderStaysUntilTheBareToolbar()
{
    const Form3Controls &c = m_window->controls();
    movePointer(c.Bot[2], QPoint(10, 10));
    QVERIFY(m_window->isBotHighlighted(2));

    // Still on the button: the move passed on to the toolbar does not clear it.
    movePointer(c.Bot[2], QPoint(30, 20));
    QVERIFY(m_window->isBotHighlighted(2));

    // Over the gap between two buttons: the bare toolbar clears every border.
    movePointer(c.Bot[3], QPoint(5, 5));
    QVERIFY(m_window->isBotHighlighted(3));
    const QPoint gap(c.Bot[2]->geometry().right() + 10, c.Bot[2]->y() + 10);
    movePointer(c.Frame2, gap);
    for (int i = 0; i < 8; ++i)
        QVERIFY(!m_window->isBotHighlighted(i));

    // The picture in the toolbar counts as bare toolbar.
    movePointer(c.Bot[0], QPoint(5, 5));
    movePointer(c.Frame2, c.Image1->geometry().center());
    QVERIFY(!m_window->isBotHighlighted(0));
}

void TestForm3Toolbar::closeHidesEveryWindowAndEnds()
{
    QTest::mouseClick(m_window->controls().Bot[4], Qt::LeftButton);
    QWidget *editor = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window != m_window.get() && window->isVisible())
            editor = window;
    QVERIFY(editor);
    QVERIFY(m_window->isVisible());

    QTest::mouseClick(m_window->controls().Bot[0], Qt::LeftButton);
    QCOMPARE(m_ends, 1);
    QCOMPARE(visibleWindowNames(), QStringList());
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestForm3Toolbar::missingHelpFileWarnsOnce()
{
    const QString chm = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tervalo.chm"));
    if (QFileInfo::exists(chm))
        QSKIP("a help file lies beside the test program");
    const QStringList windowsBefore = visibleWindowNames();

    QTest::mouseClick(m_window->controls().Bot[6], Qt::LeftButton);

    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].text, QStringLiteral("Help file tervalo.chm not found."));
    QCOMPARE(m_dialogs->messages[0].title, QStringLiteral("Warning"));
    QCOMPARE(m_dialogs->messages[0].icon, QMessageBox::Warning);
    QCOMPARE(visibleWindowNames(), windowsBefore);
    QCOMPARE(m_ends, 0);
}

void TestForm3Toolbar::copyLeavesTheWindowAlone()
{
    const Form3Controls &c = m_window->controls();
    QTest::mouseClick(c.Bot[5], Qt::LeftButton);
    QVERIFY(c.ProgBar->isHidden());
    QCOMPARE(m_window->state().setCount, 0);
    QCOMPARE(m_ends, 0);
    QVERIFY(m_window->isVisible());
}

QTEST_MAIN(TestForm3Toolbar)
#include "tst_form3_toolbar.moc"
