// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/FileSaver.h"

#include "data/FileName.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Qt's reason for the failed call on `file`, or the system's where Qt has
// none and would say "Unknown error". `error` is errno right after the call.
QString reasonOf(const QFileDevice &file, int error)
{
    const QString text = file.errorString();
    if (!text.isEmpty() && text != QCoreApplication::translate("QIODevice", "Unknown error"))
        return text;
    if (error != 0)
        return systemReason(error);
    return QStringLiteral("The system gave no reason");
}

#ifdef Q_OS_UNIX

// QSaveFile names the temporary copy that replaces an existing file after
// the target: its name, a full stop and six random characters.
constexpr qsizetype saveFileSuffixBytes = 7;
// Links followed before giving up, as the system does.
constexpr int maximumLinks = 40;

QString notRegularFile(mode_t mode)
{
    const char *kind = S_ISDIR(mode)                    ? "a folder"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                       : S_ISFIFO(mode)                 ? "a named pipe"
                       : S_ISSOCK(mode)                 ? "a socket"
                                                        : "something else";
    return QStringLiteral("Not a regular file but %1; it was left as it is").arg(QLatin1String(kind));
}

// Asks the system to put the written bytes on the disk: some file systems
// report a lack of space or an I/O error only then. A file system that
// cannot sync at all is no failure.
QString syncReason(int handle)
{
    if (handle >= 0 && ::fsync(handle) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP)
        return systemReason(errno);
    return QString();
}

QByteArray folderOf(const QByteArray &name)
{
    const qsizetype slash = name.lastIndexOf('/');
    return slash >= 0 ? name.left(slash + 1) : QByteArray();
}

// The name at the end of the links from `name`, also when it does not exist
// yet: the file that is replaced, or created, in place of the links.
QByteArray followLinks(QByteArray name)
{
    for (int depth = 0; depth < maximumLinks; ++depth) {
        struct stat info;
        if (::lstat(name.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return name;
        QByteArray target(4096, '\0');
        const ssize_t length = ::readlink(name.constData(), target.data(), size_t(target.size()));
        if (length <= 0 || length >= target.size())
            return name;
        target.truncate(length);
        name = target.startsWith('/') ? target : folderOf(name) + target;
    }
    return name;
}

bool tooLongForSaveFile(const QByteArray &name)
{
    const QByteArray folder = folderOf(name);
    long longest = ::pathconf(folder.isEmpty() ? "." : folder.constData(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = 255;
    return name.size() - folder.size() + saveFileSuffixBytes > longest;
}

// The save for names QSaveFile cannot take: a temporary file with a short
// name of its own beside `finalName` (the target, links followed), renamed
// over it. The replacement keeps the permissions of the file it replaces,
// as QSaveFile's does.
QString saveUnderShortName(const QByteArray &finalName, const QByteArray &bytes, const struct stat *existing)
{
    const QByteArray folder = folderOf(finalName);
    QByteArray temporary;
    int handle = -1;
    for (int attempt = 0; attempt < 16 && handle < 0; ++attempt) {
        temporary = folder + ".tervalo-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        handle = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle < 0 && errno != EEXIST)
            return systemReason(errno);
    }
    if (handle < 0)
        return systemReason(EEXIST);
    if (existing)
        ::fchmod(handle, existing->st_mode & 07777);

    QString why;
    qsizetype done = 0;
    while (why.isEmpty() && done < bytes.size()) {
        const ssize_t written = ::write(handle, bytes.constData() + done, size_t(bytes.size() - done));
        if (written > 0)
            done += written;
        else if (written < 0 && errno != EINTR)
            why = systemReason(errno);
        else if (written == 0)
            why = systemReason(EIO);
    }
    if (why.isEmpty())
        why = syncReason(handle);
    if (::close(handle) != 0 && why.isEmpty())
        why = systemReason(errno);
    if (why.isEmpty() && ::rename(temporary.constData(), finalName.constData()) != 0)
        why = systemReason(errno);
    if (!why.isEmpty())
        ::unlink(temporary.constData());
    return why;
}

#endif

QString saveThroughSaveFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    errno = 0;
    // Unbuffered: every write reaches the system at once, so a write the
    // disk cuts short shows here, and writing the rest again fails with the
    // reason. Buffered, the last bytes would wait for commit(), which
    // replaces the target even when writing them fails.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return reasonOf(file, errno);
    qsizetype done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString why = reasonOf(file, errno);
            file.cancelWriting();
            return why;
        }
        done += written;
    }
#ifdef Q_OS_UNIX
    if (const QString why = syncReason(file.handle()); !why.isEmpty()) {
        file.cancelWriting();
        return why;
    }
#endif
    errno = 0;
    if (!file.commit())
        return reasonOf(file, errno);
    return QString();
}

} // namespace

QString FileSaver::save(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return QStringLiteral("No file name was given");
#ifdef Q_OS_UNIX
    // Checked before anything is written; a file that turns into something
    // else in the moment between is not guarded against.
    const QByteArray native = FileName::toNative(path);
    struct stat existing;
    const bool exists = ::stat(native.constData(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return systemReason(errno);
    if (exists && !S_ISREG(existing.st_mode))
        return notRegularFile(existing.st_mode);
    if (const QByteArray finalName = followLinks(native);
        QFile::encodeName(path) != native || tooLongForSaveFile(finalName))
        return saveUnderShortName(finalName, bytes, exists ? &existing : nullptr);
#endif
    return saveThroughSaveFile(path, bytes);
}
