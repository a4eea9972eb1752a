// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// The chart of the given files, drawn in a main window that is never shown,
// written to `outPath` as PNG, SVG or PDF by its extension. The files are
// taken in order as the window takes them: a data file is added with the
// default settings, a chart document replaces the chart with its own.
// `kind` is "tervalo" (the climate diagram) or "normal" (the month chart);
// given, it overrides a document's kind, and empty leaves the kind as the
// files make it. Returns the program's exit code: 0 when the file is
// written, else 2 after one line on `errors` saying why.
int exportChart(const QString &outPath, const QString &kind, const QStringList &files, QTextStream &errors);
