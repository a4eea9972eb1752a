// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class DataGrid;
class PictureBox;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

// The main window's controls that the chart engine reads, writes or handles.
// The main window creates and places them (and creates them again at reset
// all); the engine never owns them.
struct ChartControls
{
    DataGrid *Grid2 = nullptr;            // values table: the store of record
    QListWidget *List1 = nullptr;         // loaded data sets; check mark = drawn

    std::array<QCheckBox *, 4> teC{};     // automatic bound boxes (0: max Y, 1: min Y, 2: min X, 3: max X)
    std::array<QLineEdit *, 4> TextEsc{}; // bound text boxes, same indexes
    QPushButton *Command1 = nullptr;      // "Update"
    QPushButton *CommTranspor = nullptr;  // "Transpose"

    QComboBox *Combo1 = nullptr;          // ticks X
    QComboBox *Combo2 = nullptr;          // ticks Y
    QComboBox *Combo3 = nullptr;          // decimals X
    QComboBox *Combo4 = nullptr;          // decimals Y

    QCheckBox *GridX = nullptr;
    QCheckBox *GridY = nullptr;
    QGroupBox *Frame5 = nullptr;          // thresholds frame
    QCheckBox *ChkLimX = nullptr;
    QCheckBox *ChkLimY = nullptr;
    QLineEdit *txtLimInfX = nullptr;
    QLineEdit *TxtLimSupX = nullptr;
    QLineEdit *txtLimInfY = nullptr;
    QLineEdit *TxtLimSupY = nullptr;

    QRadioButton *Option2 = nullptr;      // climate diagram ("Tervalo")
    QRadioButton *Option3 = nullptr;      // "Normal"
    std::array<QRadioButton *, 5> Option1{}; // month label styles

    QCheckBox *Check1 = nullptr;          // "Title"
    QLineEdit *TxTitulo = nullptr;        // the title box inside Picture1
    QCheckBox *ChkLegenda = nullptr;      // "Legend"
    QWidget *Frame4 = nullptr;            // the legend frame

    PictureBox *Picture1 = nullptr;   // chart picture: axes, ticks, labels
    PictureBox *Picture4 = nullptr;   // plotting area, inside Picture1
};
