// SPDX-License-Identifier: GPL-3.0-or-later
// The command's process on Windows.
#include "companion/process.h"

#include <QDir>
#include <QFileInfo>
#include <string>

// shellapi.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace cykl::companion {

// Windows hands a console program its arguments in the ANSI code page, which has no room
// for most Czech letters; the wide command line keeps every character.
QStringList CommandArguments(int, char *[])
{
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    QStringList arguments;
    for (int i = 0; wide != nullptr && i < count; ++i)
        arguments.append(QString::fromWCharArray(wide[i]));
    LocalFree(wide);
    return arguments;
}

QString ExecutableFolder(const char *)
{
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    return QFileInfo(QString::fromWCharArray(path.data(), int(length))).absolutePath();
}

void IgnoreClosedPipes()
{
    // Windows sends no signal for a closed pipe: the write fails
}

bool HoldClosedStandardOutput()
{
    return false;
}

QString ConfigurationFolder()
{
    return QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
}

QString UserDataFolder()
{
    return QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
}

// A console shows UTF-16 text whatever its code page; files and pipes get the UTF-8 bytes,
// exactly as on other systems.
bool WriteToConsole(std::FILE *stream, const QByteArray &utf8)
{
    const HANDLE handle = GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(handle, &mode))
        return false;
    std::fflush(stream);
    const std::wstring text = QString::fromUtf8(utf8).toStdWString();
    DWORD written = 0;
    return WriteConsoleW(handle, text.data(), DWORD(text.size()), &written, nullptr) != 0;
}

// A console takes colour escapes once its virtual terminal is on (Windows 10 and later).
Terminal OutputTerminal()
{
    const HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(handle, &mode))
        return {};
    CONSOLE_SCREEN_BUFFER_INFO info {};
    const int columns = GetConsoleScreenBufferInfo(handle, &info)
        ? info.srWindow.Right - info.srWindow.Left + 1
        : 0;
    const bool colour = (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0
        || SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
    return { true, columns, colour };
}

} // namespace cykl::companion
