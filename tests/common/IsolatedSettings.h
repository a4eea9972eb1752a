// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

// Keeps a test program away from the user's own settings (the recent
// files): as the application object is made, the settings of the run go to
// a fresh folder of its own, removed when the program ends. Each test
// program, run alone or beside others, starts with no settings at all.
inline void isolateSettings()
{
    static QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
}

Q_COREAPP_STARTUP_FUNCTION(isolateSettings)
