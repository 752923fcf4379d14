// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/io/output_file.h"

#include "companion/io/output_file_system.h"
#include "companion/shared/system_error.h"

#include <QFile>

namespace cykl::companion {

namespace output {

bool WriteInPlace(const QString &path, const QByteArray &data, QString &error, Lang language)
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
    error = FileErrorText(path, LastFileError(), language);
    return false;
}

} // namespace output

using namespace output;

bool WriteOutputFile(const QString &path, const QByteArray &data, QString &error, Lang language,
                     NewFile newFile)
{
    // A descriptor of ours is written as it is, never reopened, so that a pipe of another
    // user's shell or a redirection that appends gets the bytes as meant.
    if (OwnDescriptor(path))
        return WriteInPlace(path, data, error, language);
    int number = 0;
    const auto followed = FollowLinks(path, number);
    if (!followed) {
        error = FileErrorText(path, number, language);
        return false;
    }
    const QString &target = *followed;
    switch (TargetAt(target)) {
    case Target::Folder:
        error = FileErrorText(path, EISDIR, language);
        return false;
    case Target::Stream:
        return WriteInPlace(target, data, error, language);
    case Target::Regular:
        ClearFileError();
        if (!MayWrite(target)) {
            error = FileErrorText(path, LastFileError(), language);
            return false;
        }
        return CanKeepOwner(target) ? ReplaceWhole(target, data, newFile, error, language)
                                    : WriteInPlace(target, data, error, language);
    case Target::Missing:
        break;
    }
    return ReplaceWhole(target, data, newFile, error, language);
}

} // namespace cykl::companion
