// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QIODevice;

// `tervalo --classify FILE…`: the Köppen–Geiger class of each data file,
// one line per file on `out`, in the order given: the path as given, a
// tab, the class, a tab, the place name. The files are read as the Open
// button reads them, one after another, so a file short of twelve months
// takes the missing ones from the file before it, as it would on the chart.
// A file the Open button refuses gives one line "tervalo: <path>: <reason>"
// on `errors` and the others are still classified. A path is written with
// the bytes it was given in (see FileName), the rest as UTF-8. Needs no
// display. Returns the exit code: 0, or 2 when a file could not be read.
int classifyFiles(const QStringList &paths, QIODevice &out, QIODevice &errors);
