// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class DataGrid;
class PictureBox;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;
class QWidget;

// Every control of the main window, all under one client widget. Reset all
// deletes the client widget and builds a new set with the design-time
// values, so nothing of a control's content outlives it. Control arrays keep
// the design's indexes; an object name is the control's name, with the index
// after an underscore for a member of an array ("Bot_3", "Lab_2").
struct Form3Controls
{
    QWidget *client = nullptr;

    // Toolbar.
    QFrame *Frame2 = nullptr;
    std::array<QToolButton *, 8> Bot{};
    QLabel *Image1 = nullptr;
    // 0 left, 1 right, 2 bottom border on the client area; 3 top, inside Frame2.
    std::array<QFrame *, 4> Line1{};

    std::array<QLabel *, 7> Label3{};
    std::array<QLabel *, 2> Label1{};
    QListWidget *List1 = nullptr;
    QListWidget *List2 = nullptr;
    DataGrid *Grid2 = nullptr;
    PictureBox *Picture2 = nullptr;
    QProgressBar *ProgBar = nullptr;
    QLabel *Label5 = nullptr;

    QGroupBox *Frame6 = nullptr;
    QRadioButton *Option2 = nullptr;
    QRadioButton *Option3 = nullptr;
    QRadioButton *OptionWalterLieth = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *CommTranspor = nullptr;
    QPushButton *Command3 = nullptr;
    QFrame *Shape1 = nullptr;

    QGroupBox *FrMeses = nullptr;
    std::array<QRadioButton *, 5> Option1{};
    QComboBox *Combo1 = nullptr;
    QComboBox *Combo2 = nullptr;
    QComboBox *Combo3 = nullptr;
    QComboBox *Combo4 = nullptr;
    QComboBox *Combo5 = nullptr;
    QSlider *Slider1 = nullptr;
    QSlider *Slider2 = nullptr;
    QPushButton *CommCor = nullptr;
    QPushButton *Command2 = nullptr;
    QCheckBox *ChkLegenda = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *Check2 = nullptr;

    QGroupBox *Frame1 = nullptr;
    std::array<QLineEdit *, 4> TextEsc{};
    std::array<QCheckBox *, 4> teC{};
    std::array<QLabel *, 2> Label2{};

    QGroupBox *Frame3 = nullptr;
    QCheckBox *GridX = nullptr;
    QCheckBox *GridY = nullptr;

    QGroupBox *Frame5 = nullptr;
    QCheckBox *ChkLimX = nullptr;
    QCheckBox *ChkLimY = nullptr;
    QLineEdit *txtLimInfX = nullptr;
    QLineEdit *TxtLimSupX = nullptr;
    QLineEdit *txtLimInfY = nullptr;
    QLineEdit *TxtLimSupY = nullptr;
    std::array<QLabel *, 4> Label4{};

    PictureBox *Picture1 = nullptr;
    QLineEdit *TxTitulo = nullptr;
    PictureBox *Picture4 = nullptr;
    QFrame *eixoX = nullptr;
    QFrame *eixoY = nullptr;
    QLineEdit *tagPic = nullptr;

    // Legend: Lab[0] is the header label; Lab[n] the label of data set n,
    // created when it is loaded.
    QFrame *Frame4 = nullptr;
    std::array<QLabel *, 51> Lab{};
};
