// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/io/output_file.h"

#include "companion/io/output_file_system.h"
#include "companion/shared/system_error.h"

#include <QFile>

namespace cykl::companion {

namespace output {

bool WriteInPlace(const QString &path, const QByteArray &data, QString &error)
{
    QFile file(path);
    ClearFileError();
    const auto fd = OwnDescriptor(path);
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    const bool written = (fd ? file.open(*fd, mode, QFileDevice::DontCloseHandle) : file.open(mode))
        && file.write(data) == data.size();
    if (written)
        file.close();
    if (written && file.error() == QFileDevice::NoError)
        return true;
    error = CzechWriteError(path, LastFileError());
    return false;
}

} // namespace output

using namespace output;

bool WriteOutputFile(const QString &path, const QByteArray &data, QString &error, NewFile newFile)
{
    // A descriptor of ours is written as it is, never reopened, so that a pipe of another
    // user's shell or a redirection that appends gets the bytes as meant.
    if (OwnDescriptor(path))
        return WriteInPlace(path, data, error);
    int number = 0;
    const auto followed = FollowLinks(path, number);
    if (!followed) {
        error = CzechWriteError(path, number);
        return false;
    }
    const QString &target = *followed;
    switch (TargetAt(target)) {
    case Target::Folder:
        error = CzechWriteError(path, EISDIR);
        return false;
    case Target::Stream:
        return WriteInPlace(target, data, error);
    case Target::Regular:
        ClearFileError();
        if (!MayWrite(target)) {
            error = CzechWriteError(path, LastFileError());
            return false;
        }
        return CanKeepOwner(target) ? ReplaceWhole(target, data, newFile, error)
                                    : WriteInPlace(target, data, error);
    case Target::Missing:
        break;
    }
    return ReplaceWhole(target, data, newFile, error);
}

} // namespace cykl::companion
