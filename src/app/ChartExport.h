// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartValues.h"

#include <QString>
#include <QStringList>

#include <optional>

class Form3;
class QTextStream;

// The chart of the given files, drawn in a main window that is never shown,
// written to `outPath` as PNG, SVG or PDF by its extension; a PNG at `dpi`
// dots per inch, or with 0 the screen's own picture. The files are taken in
// order as the window takes them (loadChartFiles). `kind`, when given,
// overrides the kind the files make (a document's own, else the climate
// diagram). The command line has checked the request; what can still fail
// is reading the files and writing the chart. Returns the program's exit
// code: 0 when the file is written, else 2 after one line on `errors`
// saying why (a name in it is quoted, so a line break or a stray byte in a
// name cannot split or garble the line).
int exportChart(const QString &outPath, std::optional<ChartKind> kind, int dpi, const QStringList &files,
                QTextStream &errors);

// The files given to an export loaded into `window` in order: a data file
// is added with the default settings, a chart document replaces the chart
// with its own. Returns why one could not be taken, as the line to show;
// empty when all were.
QString loadChartFiles(Form3 &window, const QStringList &files);
