// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder: the style and black-and-white work replaces it.
#include "app/DataSetStyle.h"

#include "app/MainState.h"
#include "app/ProgramState.h"

DataSetStyle::DataSetStyle(MainState &state, ProgramState &program, const StyleControls &controls,
                           std::function<void(bool)> reFaz, QObject *parent)
    : QObject(parent), m_state(state), m_program(program), m_controls(controls),
      m_reFaz(std::move(reFaz))
{
}

void DataSetStyle::Combo5_Click() {}
void DataSetStyle::Slider1_Change() {}
void DataSetStyle::Slider2_Click() {}
void DataSetStyle::CommCor_Click() {}
void DataSetStyle::Command2_Click() {}
