// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder: the colour chooser work replaces it.
#include "colour/Form8.h"

#include "app/ProgramState.h"

Form8::Form8(ProgramState &program, std::function<void(int, qint32)> setLegendColour,
             QWidget *parent)
    : QWidget(parent), m_program(program), m_setLegendColour(std::move(setLegendColour))
{
    setWindowTitle(QStringLiteral("Cores"));
}
