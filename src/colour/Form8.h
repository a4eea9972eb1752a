// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

struct ProgramState;

// The colour chooser window ("Cores"). It edits the colour of data set
// `program.colorEditIndex`; "Done" stores the preview colour in the colour
// table and hands it to `setLegendColour` (the legend label's text colour);
// closing it in any way sets `program.colorChooserOpen` to 0.
class Form8 : public QWidget
{
    Q_OBJECT

public:
    Form8(ProgramState &program, std::function<void(int n, qint32 colour)> setLegendColour,
          QWidget *parent = nullptr);

private:
    ProgramState &m_program;
    std::function<void(int, qint32)> m_setLegendColour;
};
