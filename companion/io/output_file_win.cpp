// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/io/output_file_system.h"
#include "companion/shared/system_error.h"

#include <QFileInfo>
#include <QSaveFile>

namespace cykl::companion::output {

Target TargetAt(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Target::Missing;
    if (info.isDir())
        return Target::Folder;
    return info.isFile() ? Target::Regular : Target::Stream;
}

bool MayWrite(const QString &path)
{
    return QFileInfo(path).isWritable();
}

// Windows keeps a replaced file's security on its own.
bool CanKeepOwner(const QString &)
{
    return true;
}

std::optional<int> OwnDescriptor(const QString &)
{
    return std::nullopt;
}

// Links on Windows need a privilege ordinary users lack; they are followed as they are.
std::optional<QString> FollowLinks(const QString &path, int &)
{
    return path;
}

// Unbuffered, so that every write is checked as it is made and a failed one keeps the old
// file; the system's own security applies to a new file.
bool ReplaceWhole(const QString &path, const QByteArray &data, NewFile, QString &error,
                  Lang language)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    ClearFileError();
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(data) == data.size()
        && file.commit())
        return true;
    error = FileErrorText(path, LastFileError(), language);
    return false;
}

} // namespace cykl::companion::output
