// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// The chart of the given data files, drawn with the default settings in a
// main window that is never shown, written to `outPath` as PNG, SVG or PDF
// by its extension. `kind` is "tervalo" (the climate diagram, also when
// empty), "normal" (the month chart) or "walter-lieth" (the Walter–Lieth
// diagrams of the first four files). Returns the program's exit code:
// 0 when the file is written, else 2 after one line on `errors` saying why.
int exportChart(const QString &outPath, const QString &kind, const QStringList &files, QTextStream &errors);
