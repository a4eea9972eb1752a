// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/DataFile.h"

#include <QWidget>

#include <optional>
#include <vector>

class DataGrid;
class GridEditing;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The data file editor window ("Novo"): a place name and its twelve monthly
// temperatures and precipitations, opened from and saved to a data file. Its
// only state is what its controls show. It stays above the other windows,
// and closing it discards it.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    // Shows the editor without blocking the caller: a new window when none
    // is open (a closed editor starts afresh), otherwise the open one is
    // brought forward.
    static Form1 *showEditor();

    // A grid cell that the data file reader would refuse, or read as another
    // number than the user's locale does.
    struct BadCell
    {
        int month;        // 1..12
        int column;       // 1 temperature, 2 precipitation
        QString text;
        // For a number with the locale's digit grouping ("1,234" in en_US):
        // its value there and the value a data file reads ("." and "," both
        // mark the decimals in a file, so 1.234).
        std::optional<double> localeValue;
        std::optional<double> fileValue;
    };
    // The first cell, month by month and temperature before precipitation,
    // whose text a data file would not read as a number (an empty
    // temperature is refused, an empty precipitation is saved as 0 and
    // passes), or would read as another number than the locale does.
    static std::optional<BadCell> firstBadCell(const std::vector<DataFile::CellRow> &rows,
                                               const QLocale &locale = QLocale());

private:
    void inicia_grid();
    void Command1_Click();
    void Command2_Click();
    void CommAbrir_Click();
    void CommGravar_Click();

    std::vector<DataFile::CellRow> gridRows() const;
    void setButtonsEnabled(bool enabled);
    void showSaveProgress();

    QFrame *Shape1;
    QLabel *Label1;
    QLineEdit *TextIdentifica;
    DataGrid *Grid2;
    GridEditing *m_gridEditing;
    QProgressBar *ProgBar;
    QPushButton *CommAbrir;
    QPushButton *CommGravar;
    QPushButton *Command1;
    QPushButton *Command2;
};
