// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/FileReader.h"

#include "data/FileName.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

FileReader::Result FileReader::read(const QString &path, qint64 maximumBytes)
{
    Result result;
    if (path.isEmpty())
        return result;
    QFile file;
#ifdef Q_OS_UNIX
    const QByteArray native = FileName::toNative(path);
    struct stat info;
    if (::stat(native.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return result;
    // Not blocking, and checked again once open, for a file that is
    // swapped for a pipe in between.
    const int handle = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (handle < 0) {
        result.status = Status::Failed;
        result.reason = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)
        || !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return result;
    }
#else
    if (!QFileInfo(path).isFile())
        return result;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = Status::Failed;
        result.reason = file.errorString();
        return result;
    }
#endif
    result.bytes = file.read(maximumBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.status = Status::Failed;
        result.reason = file.errorString();
        result.bytes.clear();
    } else if (result.bytes.size() > maximumBytes) {
        result.status = Status::TooLarge;
        result.bytes.clear();
    } else {
        result.status = Status::Ok;
    }
    return result;
}
