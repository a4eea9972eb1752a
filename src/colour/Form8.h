// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <QtGlobal>

#include <array>
#include <functional>
#include <optional>

struct ProgramState;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

// The colour chooser window ("Cores"). It edits the colour of data set
// `program.colorEditIndex`: the preview swatch starts with that data set's
// colour from `program.setColorTable`, and "Done" stores the preview colour
// there and hands it to `setLegendColour` (the legend label's text colour).
// The window is not modal; closing it in any way sets
// `program.colorChooserOpen` to 0 and emits closed(), and the window deletes
// itself.
class Form8 : public QWidget
{
    Q_OBJECT

public:
    Form8(ProgramState &program, std::function<void(int n, qint32 colour)> setLegendColour,
          QWidget *parent = nullptr);
    ~Form8() override;

    // The colour of the preview swatch, the chooser's only colour state.
    qint32 previewColour() const { return m_preview; }

    // The sixteen palette colours, swatch 0 to 15 from left to right.
    static const std::array<qint32, 16> swatchColours;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void Form_Load();
    void rgb1();
    void Label1_Click(int index);
    void Label1_DblClick(int index);
    void Slider_Scroll(int which);
    void Box_KeyUp();
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void setPreview(qint32 colour);

    ProgramState &m_program;
    std::function<void(int, qint32)> m_setLegendColour;

    // Label1(0..15) the palette, Label1(16) the preview.
    std::array<QLabel *, 17> m_label1{};
    // Slider1..3 (red, green, blue) at 0..2, with their boxes red1, green1, blue1.
    std::array<QScrollBar *, 3> m_slider{};
    std::array<QLineEdit *, 3> m_box{};
    QGroupBox *m_frame1 = nullptr;
    QPushButton *m_command1 = nullptr; // "Done"
    QPushButton *m_command3 = nullptr; // "Cancel"
    QPushButton *m_command4 = nullptr; // "Undo"

    qint32 m_preview = 0;
    // The mouse release that ends a double-click is no second click.
    bool m_releaseEndsDoubleClick = false;
    bool m_closing = false;
};
