// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramState.h"

ProgramState &ProgramState::instance()
{
    static ProgramState state;
    return state;
}
