// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/DataSet.h"
#include "data/Rgb.h"

#include <QString>
#include <QtGlobal>

#include <array>

// Program-wide variables: they outlive the main window's controls and
// survive reset all. The program owns one (made in main) and hands it to the
// main window, which shares it with the colour chooser.
struct ProgramState
{
    // Live colour of data set n (1..50), red + 256 × green + 65536 × blue;
    // the defaults until the user chooses.
    std::array<qint32, maxDataSets + 1> setColorTable = Rgb::defaultSetColours;
    // Data set whose colour the chooser edits.
    int colorEditIndex = 0;
    // 1 while the colour chooser is open.
    int colorChooserOpen = 0;
    // Full path of the data file last chosen for loading.
    QString dataFileName;
    // Place name of the file being loaded, then its display name.
    QString placeName;
};
