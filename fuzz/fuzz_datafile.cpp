// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the data file reader under two locales, one with
// "." and one with "," as the decimal separator. The reader must never crash,
// read outside its input or report more than twelve pairs.
#include "data/DataFile.h"

#include <QByteArray>
#include <QLocale>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    static const QLocale brazilian(QLocale::Portuguese, QLocale::Brazil);

    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QLocale *locale : {&english, &brazilian}) {
        const DataFile::ReadResult result = DataFile::parseDataFile(bytes, *locale);
        if (result.pairCount < 0 || result.pairCount > 12)
            std::abort();
        if (result.pptCount < result.pairCount || result.pptCount > result.pairCount + 1)
            std::abort();
        if (result.ok() && result.pptCount != result.pairCount)
            std::abort();
    }
    return 0;
}
