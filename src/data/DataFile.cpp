// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder: the data file work replaces it.
#include "data/DataFile.h"

namespace DataFile {
ReadResult readDataFile(const QString &, const QLocale &) { return {}; }
ReadResult parseDataFile(const QByteArray &, const QLocale &) { return {}; }
QByteArray dataFileBytes(const QString &, const std::vector<CellRow> &) { return {}; }
WriteResult writeDataFile(const QString &, const QString &, const std::vector<CellRow> &) { return {}; }
} // namespace DataFile
