// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartValues.h"

#include <QString>
#include <QStringList>

class QTextStream;

// The chart of the given data files, drawn with the default settings in a
// main window that is never shown, written to `outPath` as PNG, SVG or PDF
// by its extension. The command line has checked the request; what can
// still fail is reading the files and writing the chart. Returns the
// program's exit code: 0 when the file is written, else 2 after one line on
// `errors` saying why (a name in it is quoted, so a line break or a stray
// byte in a name cannot split or garble the line).
int exportChart(const QString &outPath, ChartKind kind, const QStringList &files, QTextStream &errors);
