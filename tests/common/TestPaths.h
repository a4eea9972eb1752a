// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Where a test finds the source tree (fixtures, samples) and the build tree
// (the compiled help file). CTest sets the environment variables; a test
// program run by hand falls back to the folders it was built from.
namespace TestPaths {

inline QString sourceDir()
{
    const QString dir = qEnvironmentVariable("TERVALO_SOURCE_DIR");
    return dir.isEmpty() ? QStringLiteral(TERVALO_SOURCE_DIR_DEFAULT) : dir;
}

inline QString binaryDir()
{
    const QString dir = qEnvironmentVariable("TERVALO_BINARY_DIR");
    return dir.isEmpty() ? QStringLiteral(TERVALO_BINARY_DIR_DEFAULT) : dir;
}

} // namespace TestPaths
