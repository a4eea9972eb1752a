// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder: the chart engine work replaces it.
#include "chart/ChartEngine.h"

#include "app/MainState.h"
#include "app/ProgramState.h"

ChartEngine::ChartEngine(MainState &state, ProgramState &program, const ChartControls &controls,
                         QObject *parent)
    : QObject(parent), m_state(state), m_program(program), m_controls(controls)
{
}

void ChartEngine::reFaz(bool) {}
QString ChartEngine::Formata(double, const QString &) const { return QString(); }
void ChartEngine::Command1_Click() {}
void ChartEngine::TextEsc_Validate(int) {}
void ChartEngine::transPor() {}
void ChartEngine::Option1_Click(int) {}
void ChartEngine::Option2_Click() {}
void ChartEngine::Option3_Click() {}
void ChartEngine::Check1_Click() {}
void ChartEngine::ChkLegenda_Click() {}
