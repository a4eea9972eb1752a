// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the chart document reader. The reader must never
// crash or read outside its input, and a document it takes must come back
// the same when written and read again.
#include "output/ChartDocumentFile.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ChartDocumentFile::ReadResult read = ChartDocumentFile::parse(bytes);
    if (read.ok() == !read.error.isEmpty())
        std::abort();
    if (!read.ok())
        return 0;
    if (read.document->places.size() > 50)
        std::abort();
    const ChartDocumentFile::ReadResult again = ChartDocumentFile::parse(ChartDocumentFile::bytes(*read.document));
    if (!again.ok() || !(*again.document == *read.document))
        std::abort();
    return 0;
}
