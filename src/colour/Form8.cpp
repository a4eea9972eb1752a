// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/Form8.h"

#include "data/ProgramState.h"
#include "data/Rgb.h"
#include "data/NumberText.h"
#include "data/Twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>

namespace {

// The design, in twips (1/1440 inch, 15 to a screen pixel). Positions of the
// controls inside the frame are relative to the frame.
constexpr int windowWidth = 10380, windowHeight = 1740;
constexpr int frameLeft = 60, frameTop = 45, frameWidth = 10260, frameHeight = 1140;
constexpr int swatchLeft = 120, swatchTop = 525, swatchWidth = 405, swatchHeight = 285;
constexpr int previewLeft = 9405, previewTop = 390, previewWidth = 720, previewHeight = 555;
constexpr int barLeft = 6780, barStep = 855, barTop = 510, barWidth = 795, barHeight = 180;
constexpr int captionTop = 300, captionHeight = 195;
constexpr int boxInset = 195, boxTop = 750, boxWidth = 390, boxHeight = 285;
constexpr int buttonTop = 1260, buttonWidth = 1095, buttonHeight = 375, buttonGap = 120;

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
                 Twips::toPixels(height));
}

void paintSwatch(QLabel *swatch, qint32 colour)
{
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, Rgb::toQColor(colour));
    swatch->setPalette(palette);
}

// What one component box holds. Its text is read in the user's locale and
// made whole, halves to the even neighbour. Whole numbers outside the 16-bit
// range cannot be converted; the rest is brought into 0..255 (above 255
// counts as 255, below 0 as 0).
struct Component
{
    enum Kind { Value, NotANumber, OutOfRange } kind;
    int value = 0;
};

Component readComponent(const QString &text)
{
    const std::optional<double> number = NumberText::parse(text);
    if (!number)
        return {Component::NotANumber};
    const std::optional<int> whole = NumberText::wholeNumber(*number, -32768, 32767);
    if (!whole)
        return {Component::OutOfRange};
    return {Component::Value, std::clamp(*whole, 0, 255)};
}

} // namespace

const std::array<qint32, 16> Form8::swatchColours = {
    Rgb::pack(255, 255, 255), Rgb::pack(192, 192, 192), Rgb::pack(128, 128, 128),
    Rgb::pack(64, 0, 0),      Rgb::pack(255, 128, 128), Rgb::pack(255, 0, 0),
    Rgb::pack(192, 0, 0),     Rgb::pack(255, 255, 192), Rgb::pack(255, 255, 0),
    Rgb::pack(192, 192, 0),   Rgb::pack(192, 255, 192), Rgb::pack(0, 255, 0),
    Rgb::pack(0, 192, 0),     Rgb::pack(192, 255, 255), Rgb::pack(0, 0, 255),
    Rgb::pack(0, 0, 128),
};

Form8::Form8(ProgramState &program, std::function<void(int, qint32)> setLegendColour,
             QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_program(program), m_setLegendColour(std::move(setLegendColour))
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Cores"));
    setAccessibleName(QStringLiteral("Cores"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(windowWidth), Twips::toPixels(windowHeight));

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    buildControls();
    Form_Load();
}

Form8::~Form8()
{
    // Destroyed without being closed (its owner went first): the waiting
    // "Colors" command must still learn that the chooser is gone.
    if (!m_closing) {
        m_closing = true;
        m_program.colorChooserOpen = 0;
        emit closed();
    }
}

void Form8::buildControls()
{
    // The window's own face, every attribute set so that nothing is taken
    // from the frame's bold italic caption face.
    QFont controlFont = font();
    controlFont.setFamilies(controlFont.families().isEmpty() ? QStringList{controlFont.family()}
                                                             : controlFont.families());
    controlFont.setPointSizeF(controlFont.pointSizeF());
    controlFont.setBold(false);
    controlFont.setItalic(false);

    m_frame1 = new QGroupBox(QStringLiteral("Choose color"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setAccessibleName(QStringLiteral("Choose color"));
    m_frame1->setGeometry(twipsRect(frameLeft, frameTop, frameWidth, frameHeight));
    QFont titleFont = controlFont;
    titleFont.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("Helvetica")});
    titleFont.setPointSizeF(9.75);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    m_frame1->setFont(titleFont);

    for (int i = 0; i < 17; ++i) {
        auto *swatch = new QLabel(m_frame1);
        swatch->setObjectName(QStringLiteral("Label1_%1").arg(i));
        swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        swatch->setAutoFillBackground(true);
        if (i < 16) {
            swatch->setGeometry(twipsRect(swatchLeft + i * swatchWidth, swatchTop, swatchWidth,
                                          swatchHeight));
            swatch->setAccessibleName(QStringLiteral("Palette colour %1").arg(i + 1));
            paintSwatch(swatch, swatchColours[i]);
        } else {
            swatch->setGeometry(twipsRect(previewLeft, previewTop, previewWidth, previewHeight));
            swatch->setAccessibleName(QStringLiteral("Chosen colour"));
        }
        swatch->installEventFilter(this);
        m_label1[i] = swatch;
    }

    // At 12 pixels high some styles leave no room for a visible thumb; the
    // classic style always draws one.
    QStyle *barStyle = QStyleFactory::create(QStringLiteral("Windows"));
    if (barStyle)
        barStyle->setParent(this);

    static const char *const captions[3] = {"Red", "Green", "Blue"};
    static const char *const boxNames[3] = {"red1", "green1", "blue1"};
    for (int i = 0; i < 3; ++i) {
        const int left = barLeft + i * barStep;
        const QString caption = QString::fromLatin1(captions[i]);

        auto *label = new QLabel(caption, m_frame1);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 2));
        label->setAccessibleName(caption);
        label->setGeometry(twipsRect(left, captionTop, barWidth, captionHeight));

        auto *bar = new QScrollBar(Qt::Horizontal, m_frame1);
        bar->setObjectName(QStringLiteral("Slider%1").arg(i + 1));
        bar->setAccessibleName(caption);
        bar->setRange(0, 255);
        bar->setSingleStep(1);
        bar->setPageStep(16);
        // The arrow keys and the wheel move the bar the way they move a
        // slider: right and up add.
        bar->setInvertedControls(false);
        if (barStyle)
            bar->setStyle(barStyle);
        // A grey track, so that the bar stands out on the white window.
        QPalette track = bar->palette();
        track.setColor(QPalette::Light, QColor(200, 200, 200));
        track.setColor(QPalette::Window, QColor(200, 200, 200));
        bar->setPalette(track);
        bar->setGeometry(twipsRect(left, barTop, barWidth, barHeight));
        connect(bar, &QScrollBar::valueChanged, this, [this, i] { Slider_Scroll(i); });
        m_slider[i] = bar;

        auto *box = new QLineEdit(m_frame1);
        box->setObjectName(QString::fromLatin1(boxNames[i]));
        box->setAccessibleName(caption + QStringLiteral(" value"));
        box->setGeometry(twipsRect(left + boxInset, boxTop, boxWidth, boxHeight));
        box->installEventFilter(this);
        m_box[i] = box;
    }

    // The frame's face belongs to its caption only.
    for (QWidget *child : m_frame1->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->setFont(controlFont);

    auto addButton = [this](const char *name, const QString &caption, int slot) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAccessibleName(caption);
        const int right = frameLeft + frameWidth - slot * (buttonWidth + buttonGap);
        button->setGeometry(twipsRect(right - buttonWidth, buttonTop, buttonWidth, buttonHeight));
        return button;
    };
    // Along the bottom right: "Undo", "Done", "Cancel".
    m_command4 = addButton("Command4", QStringLiteral("Undo"), 2);
    m_command1 = addButton("Command1", QStringLiteral("Done"), 1);
    m_command3 = addButton("Command3", QStringLiteral("Cancel"), 0);
    connect(m_command1, &QPushButton::clicked, this, &Form8::Command1_Click);
    connect(m_command3, &QPushButton::clicked, this, &Form8::Command3_Click);
    connect(m_command4, &QPushButton::clicked, this, &Form8::Command4_Click);

    setTabOrder(m_box[0], m_box[1]);
    setTabOrder(m_box[1], m_box[2]);
    setTabOrder(m_box[2], m_command4);
    setTabOrder(m_command4, m_command1);
    setTabOrder(m_command1, m_command3);
}

void Form8::Form_Load()
{
    const int n = m_program.colorEditIndex;
    if (n >= 0 && n < int(m_program.setColorTable.size()))
        setPreview(m_program.setColorTable[n]);
    else
        setPreview(m_preview);
    rgb1();
}

// Shows the preview colour in the boxes, then moves the scroll bars to it.
// Each bar that moves recomputes the preview from the boxes, which already
// hold the same colour, so the preview stays as it is.
void Form8::rgb1()
{
    const int components[3] = {Rgb::red(m_preview), Rgb::green(m_preview), Rgb::blue(m_preview)};
    for (int i = 0; i < 3; ++i)
        m_box[i]->setText(QString::number(components[i]));
    for (int i = 0; i < 3; ++i)
        m_slider[i]->setValue(components[i]);
}

void Form8::Label1_Click(int index)
{
    if (index < 0 || index >= 16)
        return; // the preview swatch itself
    setPreview(swatchColours[index]);
    rgb1();
}

void Form8::Label1_DblClick(int index)
{
    Label1_Click(index);
    Command1_Click();
}

// A bar moved, by the user or by rgb1: its value goes into its box and the
// preview follows the three boxes, unless one of them cannot be read.
void Form8::Slider_Scroll(int which)
{
    m_box[which]->setText(QString::number(m_slider[which]->value()));
    int components[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const Component c = readComponent(m_box[i]->text());
        if (c.kind != Component::Value)
            return;
        components[i] = c.value;
    }
    setPreview(Rgb::pack(components[0], components[1], components[2]));
}

// A key went up in one of the boxes: the preview follows the three boxes, a
// box that holds no number counting as 0. The bars stay where they are.
void Form8::Box_KeyUp()
{
    int components[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const Component c = readComponent(m_box[i]->text());
        if (c.kind == Component::OutOfRange)
            return;
        if (c.kind == Component::Value)
            components[i] = c.value;
    }
    setPreview(Rgb::pack(components[0], components[1], components[2]));
}

void Form8::Command1_Click()
{
    const int n = m_program.colorEditIndex;
    if (n >= 0 && n < int(m_program.setColorTable.size()))
        m_program.setColorTable[n] = m_preview;
    if (m_setLegendColour)
        m_setLegendColour(n, m_preview);
    close();
}

void Form8::Command3_Click()
{
    close();
}

void Form8::Command4_Click()
{
    // "Undo" has nothing to undo: the data set's colour changes only on "Done".
}

void Form8::setPreview(qint32 colour)
{
    m_preview = colour;
    paintSwatch(m_label1[16], colour);
}

void Form8::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_closing)
        return;
    m_closing = true;
    m_program.colorChooserOpen = 0;
    emit closed();
}

bool Form8::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < 17; ++i) {
        if (watched != m_label1[i])
            continue;
        if (event->type() == QEvent::MouseButtonDblClick) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                m_releaseEndsDoubleClick = true;
                Label1_DblClick(i);
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() != Qt::LeftButton)
                return false;
            if (m_releaseEndsDoubleClick) {
                m_releaseEndsDoubleClick = false;
                return true;
            }
            if (m_label1[i]->rect().contains(mouse->position().toPoint()))
                Label1_Click(i);
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::KeyRelease) {
        for (QLineEdit *box : m_box) {
            if (watched == box) {
                Box_KeyUp();
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
