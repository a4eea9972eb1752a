// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls at their design places, and Form_Resize.
#include "app/Form3.h"

#include "app/Form3ComboStyle.h"
#include "app/Form3Design.h"
#include "data/Rgb.h"
#include "platform/DataGrid.h"
#include "platform/PictureBox.h"
#include "data/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

namespace {

using Form3Design::Place;

int px(double twips)
{
    return Twips::toPixels(twips);
}

void place(QWidget *widget, const Place &at)
{
    widget->setGeometry(px(at.left), px(at.top), px(at.width), px(at.height));
}

// Names a control: its object name as the design calls it, and the name an
// assistive tool reads out.
template<typename Widget>
Widget *named(Widget *widget, const QString &objectName, const QString &accessibleName)
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    return widget;
}

QString indexed(const char *name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

QLabel *makeLabel(QWidget *parent, const QString &objectName, const QString &caption, const Place &at)
{
    auto *label = named(new QLabel(caption, parent), objectName, caption);
    place(label, at);
    return label;
}

QCheckBox *makeCheckBox(QWidget *parent, const QString &objectName, const QString &caption,
                        const Place &at, bool checked, const QString &accessibleName = QString())
{
    auto *box = named(new QCheckBox(caption, parent), objectName,
                      accessibleName.isEmpty() ? caption : accessibleName);
    box->setChecked(checked);
    place(box, at);
    return box;
}

QPushButton *makeButton(QWidget *parent, const QString &objectName, const QString &caption,
                        const QString &shownCaption, const Place &at)
{
    auto *button = named(new QPushButton(caption, parent), objectName, shownCaption);
    place(button, at);
    return button;
}

QComboBox *makeComboBox(QWidget *parent, const QString &objectName, const QString &accessibleName,
                        const QString &toolTip, const Place &at)
{
    // Drop-down lists: the entries are the only values these settings take.
    auto *combo = named(new QComboBox(parent), objectName, accessibleName);
    combo->setEditable(false);
    combo->setToolTip(toolTip);
    place(combo, at);
    return combo;
}

QSlider *makeSlider(QWidget *parent, const QString &objectName, const QString &accessibleName,
                    const QString &toolTip, int minimum, int maximum, const Place &at)
{
    auto *slider = named(new QSlider(Qt::Horizontal, parent), objectName, accessibleName);
    slider->setRange(minimum, maximum);
    slider->setPageStep(1);
    slider->setValue(1);
    slider->setToolTip(toolTip);
    place(slider, at);
    return slider;
}

QLineEdit *makeTextBox(QWidget *parent, const QString &objectName, const QString &accessibleName,
                       const Place &at)
{
    auto *box = named(new QLineEdit(parent), objectName, accessibleName);
    place(box, at);
    return box;
}

QGroupBox *makeFrame(QWidget *parent, const QString &objectName, const QString &caption,
                     const QString &accessibleName, const Place &at)
{
    auto *frame = named(new QGroupBox(caption, parent), objectName, accessibleName);
    place(frame, at);
    return frame;
}

QFrame *makeLine(QWidget *parent, const QString &objectName, qint32 colour)
{
    auto *line = named(new QFrame(parent), objectName, QStringLiteral("Border line"));
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, Rgb::toQColor(colour));
    line->setPalette(palette);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    return line;
}

struct BotDesign
{
    const char *icon;
    const char *toolTip;
    const char *accessibleName;
};

constexpr BotDesign botDesign[8] = {
    {":/icons/close.svg", "Fecha programa", "Close the program"},
    {":/icons/open.svg", "Abre arquivo de dados", "Open a data file"},
    {":/icons/print.svg", nullptr, "Print the chart"},
    {":/icons/reset.svg", "Reseta tudo", "Reset all"},
    {":/icons/editor.svg", "Cria ou modifica arquivo de dados", "Data file editor"},
    {":/icons/copy.svg", "Copia gráfico para o clipboard", "Copy the chart to the clipboard"},
    {":/icons/help.svg", "Ajuda", "Help"},
    {":/icons/stations.svg", "Biblioteca de estações", "Station library"},
};

} // namespace

void Form3::createControls()
{
    using namespace Form3Design;
    Form3Controls &c = m_controls;

    c.client = named(new QWidget(this), QStringLiteral("Form3Client"), QStringLiteral("Tervalo"));
    c.client->setGeometry(rect());
    QWidget *client = c.client;

    // Toolbar.
    c.Frame2 = named(new QFrame(client), QStringLiteral("Frame2"), QStringLiteral("Toolbar"));
    c.Frame2->setFrameShape(QFrame::NoFrame);
    place(c.Frame2, Form3Design::Frame2);
    c.Frame2->setMouseTracking(true);
    c.Frame2->installEventFilter(this);
    // A button shows a border only while it is highlighted (Bot_MouseMove).
    c.Frame2->setStyleSheet(QStringLiteral(
        "QToolButton { border: 1px solid transparent; border-radius: 3px;"
        " background: transparent; padding: 0px; }"
        "QToolButton[highlighted=\"true\"] { border: 1px solid palette(dark); }"
        "QToolButton:pressed { background: palette(midlight); }"
        "QToolButton:focus { border: 1px dotted palette(highlight); }"));
    c.Line1[3] = makeLine(c.Frame2, indexed("Line1", 3), lineColour);

    c.Image1 = named(new QLabel(c.Frame2), QStringLiteral("Image1"), QStringLiteral("Tervalo"));
    place(c.Image1, Form3Design::Image1);
    c.Image1->setPixmap(QIcon(QStringLiteral(":/icons/tervalo.svg"))
                            .pixmap(c.Image1->size(), devicePixelRatioF()));
    c.Image1->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int i = 0; i < static_cast<int>(c.Bot.size()); ++i) {
        auto *bot = named(new QToolButton(c.Frame2), indexed("Bot", i),
                          QString::fromUtf8(botDesign[i].accessibleName));
        bot->setGeometry(px(botFirstLeft + botStep * i), px(botTop), px(botWidth), px(botHeight));
        bot->setIcon(QIcon(QString::fromLatin1(botDesign[i].icon)));
        bot->setIconSize(QSize(botIconPixels, botIconPixels));
        // Reached with Tab, never taken by a click.
        bot->setFocusPolicy(Qt::TabFocus);
        bot->setProperty("highlighted", false);
        if (botDesign[i].toolTip)
            bot->setToolTip(QString::fromUtf8(botDesign[i].toolTip));
        bot->setMouseTracking(true);
        bot->installEventFilter(this);
        c.Bot[i] = bot;
    }

    // Left column: the data set lists and the style box.
    c.Shape1 = named(new QFrame(client), QStringLiteral("Shape1"), QStringLiteral("Style of the selected data set"));
    c.Shape1->setFrameShape(QFrame::StyledPanel);
    c.Shape1->setFrameShadow(QFrame::Sunken);
    c.Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    place(c.Shape1, Form3Design::Shape1);

    c.Label3[0] = makeLabel(client, indexed("Label3", 0), QStringLiteral("Data sets"), Label3_0);
    c.List1 = named(new QListWidget(client), QStringLiteral("List1"), QStringLiteral("Data sets"));
    c.List1->setToolTip(QStringLiteral("Arquivos carregados"));
    c.List1->setSelectionMode(QAbstractItemView::SingleSelection);
    place(c.List1, Form3Design::List1);
    c.Label3[0]->setBuddy(c.List1);

    c.Grid2 = named(new DataGrid(client), QStringLiteral("Grid2"), QStringLiteral("Values table"));
    place(c.Grid2, Form3Design::Grid2);
    c.Grid2->setRowCount(2);
    c.Grid2->setColumnCount(1);
    c.Grid2->setColumnWidthTwips(0, gridMonthColumnWidth);
    c.Grid2->hide();

    c.Picture2 = named(new PictureBox(client), QStringLiteral("Picture2"), QStringLiteral("Chart image for printing"));
    place(c.Picture2, Form3Design::Picture2);
    c.Picture2->hide();

    c.ProgBar = named(new QProgressBar(client), QStringLiteral("ProgBar"), QStringLiteral("Progress"));
    c.ProgBar->setRange(0, 100);
    c.ProgBar->setTextVisible(false);
    place(c.ProgBar, Form3Design::ProgBar);
    c.ProgBar->hide();

    c.Label5 = makeLabel(client, QStringLiteral("Label5"), QString(), Form3Design::Label5);
    c.Label5->setAccessibleName(QStringLiteral("Superposed area"));
    c.Label5->hide();

    c.Frame6 = makeFrame(client, QStringLiteral("Frame6"), QStringLiteral("Graph"), QStringLiteral("Graph"),
                         Form3Design::Frame6);
    c.Option2 = named(new QRadioButton(QStringLiteral("Tervalo"), c.Frame6), QStringLiteral("Option2"),
                      QStringLiteral("Tervalo"));
    place(c.Option2, Form3Design::Option2);
    c.Option2->setChecked(true);
    c.Option3 = named(new QRadioButton(QStringLiteral("Normal"), c.Frame6), QStringLiteral("Option3"),
                      QStringLiteral("Normal"));
    place(c.Option3, Form3Design::Option3);
    c.OptionWalterLieth = named(new QRadioButton(QStringLiteral("Walter-Lieth"), c.Frame6),
                                QStringLiteral("OptionWalterLieth"), QStringLiteral("Walter-Lieth"));
    c.OptionWalterLieth->setToolTip(QStringLiteral("Walter-Lieth climate diagram of up to four places"));
    place(c.OptionWalterLieth, Form3Design::OptionWalterLieth);

    c.Command1 = makeButton(client, QStringLiteral("Command1"), QStringLiteral("Update"),
                            QStringLiteral("Update"), Form3Design::Command1);
    c.Command1->setToolTip(QStringLiteral("Atualiza gráfico quando opções são alteradas"));
    c.CommTranspor = makeButton(client, QStringLiteral("CommTranspor"), QStringLiteral("Transpose"),
                                QStringLiteral("Transpose"), Form3Design::CommTranspor);
    c.CommTranspor->setToolTip(QStringLiteral("Troca eixos X e Y"));
    c.Command3 = makeButton(client, QStringLiteral("Command3"), QStringLiteral("Area"),
                            QStringLiteral("Area"), Form3Design::Command3);
    c.Command3->setToolTip(QStringLiteral("Calcula área (intregral) de partes selecionadas"));

    c.Label3[1] = makeLabel(client, indexed("Label3", 1), QStringLiteral("Select"), Label3_1);
    c.List2 = named(new QListWidget(client), QStringLiteral("List2"), QStringLiteral("Select"));
    c.List2->setToolTip(QStringLiteral("Arquivos selecionados"));
    c.List2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    place(c.List2, Form3Design::List2);
    c.Label3[1]->setBuddy(c.List2);

    c.FrMeses = makeFrame(client, QStringLiteral("FrMeses"), QStringLiteral("Months"), QStringLiteral("Months"),
                          Form3Design::FrMeses);
    c.FrMeses->setToolTip(QStringLiteral("Grafia dos meses"));
    const QString monthStyles[5] = {QStringLiteral("January"), QStringLiteral("Jan"), QStringLiteral("J"),
                                    QStringLiteral("1"), QStringLiteral("Null")};
    for (int i = 0; i < 5; ++i) {
        auto *option = named(new QRadioButton(monthStyles[i], c.FrMeses), indexed("Option1", i), monthStyles[i]);
        option->setGeometry(px(option1Left), px(option1FirstTop + option1Step * i), px(option1Width),
                            px(option1Height));
        c.Option1[i] = option;
    }
    c.Option1[1]->setChecked(true);

    c.Label3[2] = makeLabel(client, indexed("Label3", 2), QStringLiteral("Ticks X"), Label3_2);
    c.Combo1 = makeComboBox(client, QStringLiteral("Combo1"), QStringLiteral("Ticks X"),
                            QStringLiteral("Numero de divisões no eixo X"), Form3Design::Combo1);
    c.Label3[2]->setBuddy(c.Combo1);
    c.Label3[3] = makeLabel(client, indexed("Label3", 3), QStringLiteral("Ticks Y"), Label3_3);
    c.Combo2 = makeComboBox(client, QStringLiteral("Combo2"), QStringLiteral("Ticks Y"),
                            QStringLiteral("Numero de divisões do eixo Y"), Form3Design::Combo2);
    c.Label3[3]->setBuddy(c.Combo2);

    c.Label1[0] = makeLabel(client, indexed("Label1", 0), QStringLiteral("Marker size"), Label1_0);
    c.Slider1 = makeSlider(client, QStringLiteral("Slider1"), QStringLiteral("Marker size"),
                           QStringLiteral("Tamanho do marcador do arquivo selecionado"), 0, 5,
                           Form3Design::Slider1);
    c.Label1[0]->setBuddy(c.Slider1);

    c.Label1[1] = makeLabel(client, indexed("Label1", 1), QStringLiteral("Line width"), Label1_1);
    c.Slider2 = makeSlider(client, QStringLiteral("Slider2"), QStringLiteral("Line width"),
                           QStringLiteral("Espessura da linha do arquivo selecionado"), 1, 10,
                           Form3Design::Slider2);
    c.Label1[1]->setBuddy(c.Slider2);

    c.Label3[6] = makeLabel(client, indexed("Label3", 6), QStringLiteral("Line type"), Label3_6);
    c.Combo5 = makeComboBox(client, QStringLiteral("Combo5"), QStringLiteral("Line type"),
                            QStringLiteral("Tipo de linha do arquivo selecionado"), Form3Design::Combo5);
    c.Label3[6]->setBuddy(c.Combo5);

    c.Label3[4] = makeLabel(client, indexed("Label3", 4), QStringLiteral("Format  X"), Label3_4);
    c.Combo3 = makeComboBox(client, QStringLiteral("Combo3"), QStringLiteral("Format X"),
                            QStringLiteral("Decimais no eixo X"), Form3Design::Combo3);
    c.Label3[4]->setBuddy(c.Combo3);
    c.Label3[5] = makeLabel(client, indexed("Label3", 5), QStringLiteral("Format Y"), Label3_5);
    c.Combo4 = makeComboBox(client, QStringLiteral("Combo4"), QStringLiteral("Format Y"),
                            QStringLiteral("Decimais no eixo Y"), Form3Design::Combo4);
    c.Label3[5]->setBuddy(c.Combo4);

    c.CommCor = makeButton(client, QStringLiteral("CommCor"), QStringLiteral("Colors"), QStringLiteral("Colors"),
                           Form3Design::CommCor);
    c.CommCor->setToolTip(QStringLiteral("Cor da linha do arquivo selecionado"));
    // "&&" is a literal ampersand: the button reads "B & W".
    c.Command2 = makeButton(client, QStringLiteral("Command2"), QStringLiteral("B && W"), QStringLiteral("B & W"),
                            Form3Design::Command2);

    c.ChkLegenda = makeCheckBox(client, QStringLiteral("ChkLegenda"), QStringLiteral("Legend"),
                                Form3Design::ChkLegenda, true);
    c.ChkLegenda->setToolTip(QStringLiteral("Apresenta legenda"));

    // Scale box.
    c.Frame1 = makeFrame(client, QStringLiteral("Frame1"), QStringLiteral("Scale      Auto "), QStringLiteral("Scale"),
                         Form3Design::Frame1);
    c.Frame1->setToolTip(QStringLiteral("Escala dos eixos X e Y"));
    c.Label2[0] = makeLabel(c.Frame1, indexed("Label2", 0), QStringLiteral("X"), Label2_0);
    c.Label2[1] = makeLabel(c.Frame1, indexed("Label2", 1), QStringLiteral("Y"), Label2_1);
    c.Label2[0]->setAlignment(Qt::AlignCenter);
    c.Label2[1]->setAlignment(Qt::AlignCenter);
    struct ScaleBound { int left; int top; const char *name; };
    const ScaleBound bounds[4] = {
        {scaleBoxYColumn, scaleBoxTopRow, "Maximum Y"},
        {scaleBoxYColumn, scaleBoxBottomRow, "Minimum Y"},
        {scaleBoxXColumn, scaleBoxBottomRow, "Minimum X"},
        {scaleBoxXColumn, scaleBoxTopRow, "Maximum X"},
    };
    for (int i = 0; i < 4; ++i) {
        const QString name = QString::fromLatin1(bounds[i].name);
        c.TextEsc[i] = makeTextBox(c.Frame1, indexed("TextEsc", i), name,
                                   {bounds[i].left, bounds[i].top, scaleTextWidth, scaleTextHeight});
        c.teC[i] = makeCheckBox(c.Frame1, indexed("teC", i), QString(),
                                {bounds[i].left + scaleCheckOffset, bounds[i].top + 15, scaleCheckSize,
                                 scaleCheckSize},
                                true, QStringLiteral("Automatic ") + name.toLower());
    }

    c.Check1 = makeCheckBox(client, QStringLiteral("Check1"), QStringLiteral("Title"), Form3Design::Check1, true);
    c.Check1->setToolTip(QStringLiteral("Apresenta título"));
    c.Check2 = makeCheckBox(client, QStringLiteral("Check2"), QStringLiteral("Coord."), Form3Design::Check2, false);
    c.Check2->setToolTip(QStringLiteral("Mostra os valores sob o cursor"));

    c.Frame3 = makeFrame(client, QStringLiteral("Frame3"), QStringLiteral("Grid"), QStringLiteral("Grid"),
                         Form3Design::Frame3);
    c.Frame3->setToolTip(QStringLiteral("Traça grade nos eixos X e Y"));
    c.GridX = makeCheckBox(c.Frame3, QStringLiteral("GridX"), QStringLiteral("X"), Form3Design::GridX, true,
                           QStringLiteral("Grid X"));
    c.GridY = makeCheckBox(c.Frame3, QStringLiteral("GridY"), QStringLiteral("Y"), Form3Design::GridY, true,
                           QStringLiteral("Grid Y"));

    // Thresholds.
    c.Frame5 = makeFrame(client, QStringLiteral("Frame5"), QStringLiteral("Tresholds"), QStringLiteral("Thresholds"),
                         Form3Design::Frame5);
    c.Frame5->setToolTip(QStringLiteral("Traça linhas nos valores especificados"));
    for (int row = 0; row < 2; ++row) {
        const int top = thresholdRowTop[row];
        const QString axis = row == 0 ? QStringLiteral("X") : QStringLiteral("Y");
        QCheckBox *check = makeCheckBox(c.Frame5, row == 0 ? QStringLiteral("ChkLimX") : QStringLiteral("ChkLimY"),
                                        axis, {thresholdCheckLeft, top, thresholdCheckWidth, thresholdRowHeight},
                                        false, QStringLiteral("Thresholds ") + axis);
        c.Label4[2 * row] = makeLabel(c.Frame5, indexed("Label4", 2 * row), QStringLiteral("Lower"),
                                      {thresholdLowerLabelLeft, top, thresholdLabelWidth, thresholdRowHeight});
        QLineEdit *lower = makeTextBox(c.Frame5, row == 0 ? QStringLiteral("txtLimInfX") : QStringLiteral("txtLimInfY"),
                                       QStringLiteral("Lower threshold ") + axis,
                                       {thresholdLowerBoxLeft, top, thresholdBoxWidth, thresholdRowHeight});
        c.Label4[2 * row + 1] = makeLabel(c.Frame5, indexed("Label4", 2 * row + 1), QStringLiteral("Upper"),
                                          {thresholdUpperLabelLeft, top, thresholdLabelWidth, thresholdRowHeight});
        QLineEdit *upper = makeTextBox(c.Frame5, row == 0 ? QStringLiteral("TxtLimSupX") : QStringLiteral("TxtLimSupY"),
                                       QStringLiteral("Upper threshold ") + axis,
                                       {thresholdUpperBoxLeft, top, thresholdBoxWidth, thresholdRowHeight});
        c.Label4[2 * row]->setBuddy(lower);
        c.Label4[2 * row + 1]->setBuddy(upper);
        if (row == 0) {
            c.ChkLimX = check;
            c.txtLimInfX = lower;
            c.TxtLimSupX = upper;
        } else {
            c.ChkLimY = check;
            c.txtLimInfY = lower;
            c.TxtLimSupY = upper;
        }
    }

    // Chart picture: the title box, the plotting area and the two guide
    // lines the plotting area is placed on.
    c.Picture1 = named(new PictureBox(client), QStringLiteral("Picture1"), QStringLiteral("Chart"));
    place(c.Picture1, Form3Design::Picture1);
    c.TxTitulo = makeTextBox(c.Picture1, QStringLiteral("TxTitulo"), QStringLiteral("Title"), Form3Design::TxTitulo);
    c.TxTitulo->setText(QStringLiteral("Enter your title"));
    c.TxTitulo->setFrame(false);
    c.TxTitulo->setAlignment(Qt::AlignCenter);
    QFont titleFont = font();
    titleFont.setPointSizeF(titleFontPoints);
    titleFont.setBold(true);
    c.TxTitulo->setFont(titleFont);
    c.Picture4 = named(new PictureBox(c.Picture1), QStringLiteral("Picture4"), QStringLiteral("Plotting area"));
    place(c.Picture4, Form3Design::Picture4);
    c.eixoY = makeLine(c.Picture1, QStringLiteral("eixoY"), black);
    c.eixoY->setAccessibleName(QStringLiteral("Vertical axis"));
    c.eixoY->setGeometry(px(eixoYX), px(eixoYTop), 1, px(eixoYBottom) - px(eixoYTop));
    c.eixoX = makeLine(c.Picture1, QStringLiteral("eixoX"), black);
    c.eixoX->setAccessibleName(QStringLiteral("Horizontal axis"));
    c.eixoX->setGeometry(px(eixoXLeft), px(eixoXY), px(eixoXRight) - px(eixoXLeft), 1);

    c.tagPic = makeTextBox(client, QStringLiteral("tagPic"), QStringLiteral("Values under the pointer"),
                           Form3Design::tagPic);
    c.tagPic->setReadOnly(true);
    c.tagPic->setFocusPolicy(Qt::NoFocus);

    // Legend, over the chart picture.
    c.Frame4 = named(new QFrame(client), QStringLiteral("Frame4"), QStringLiteral("Legend"));
    c.Frame4->setFrameShape(QFrame::Box);
    c.Frame4->setToolTip(QStringLiteral("Clique e arraste para posicionar"));
    c.Frame4->setAutoFillBackground(true);
    {
        QPalette palette = c.Frame4->palette();
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::WindowText, QColor(160, 160, 160));
        c.Frame4->setPalette(palette);
    }
    place(c.Frame4, Form3Design::Frame4);
    c.Frame4->hide();
    QLabel *header = makeLabel(c.Frame4, indexed("Lab", 0), QString(), Lab0);
    header->setAccessibleName(QStringLiteral("Legend"));
    header->setToolTip(QStringLiteral("Clique para posicionar"));
    QFont legendFont = font();
    legendFont.setPointSizeF(legendFontPoints);
    header->setFont(legendFont);
    header->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    c.Lab[0] = header;

    for (QComboBox *combo : {c.Combo1, c.Combo2, c.Combo3, c.Combo4, c.Combo5})
        combo->setStyle(m_comboStyle);

    // Border lines: drawn beneath everything else on the window.
    for (int i = 0; i < 3; ++i)
        c.Line1[i] = makeLine(client, indexed("Line1", i), lineColour);
    c.Shape1->lower();
    for (int i = 0; i < 3; ++i)
        c.Line1[i]->lower();
    // Frames and boxes that lie over the chart picture stay above it.
    c.Frame4->raise();
    c.tagPic->raise();
    c.eixoY->raise();
    c.eixoX->raise();
    c.tagPic->hide();
}

void Form3::Form_Resize()
{
    using namespace Form3Design;
    Form3Controls &c = m_controls;
    if (!c.client)
        return;
    const int W = outerWidthTwips();
    const int H = outerHeightTwips();

    c.Frame2->setGeometry(px(toolbarLeft), 0, px(W - toolbarWidthMargin), px(Form3Design::Frame2.height));

    // A line of width w pixels centred on its design coordinate.
    const auto vertical = [](QWidget *line, int x, int height, int widthPixels) {
        line->setGeometry(px(x) - widthPixels / 2, 0, widthPixels, px(height));
    };
    const auto horizontal = [](QWidget *line, int y, int width, int widthPixels) {
        line->setGeometry(0, px(y) - widthPixels / 2, px(width), widthPixels);
    };
    vertical(c.Line1[0], leftLineX, H, lineWidthPixels);
    vertical(c.Line1[1], W - rightLineInset, H, lineWidthPixels);
    horizontal(c.Line1[2], H - bottomLineInset, W, lineWidthPixels);
    horizontal(c.Line1[3], topLineY, W, topLineWidthPixels);
}

int Form3::outerWidthTwips() const
{
    return static_cast<int>(Twips::fromPixels(width())) + Form3Design::frameExtraWidth;
}

int Form3::outerHeightTwips() const
{
    return static_cast<int>(Twips::fromPixels(height())) + Form3Design::frameExtraHeight;
}
