// SPDX-License-Identifier: GPL-3.0-or-later
// The command cyklometrika on the user's PATH. Windows keeps the user's folder
// %LOCALAPPDATA%\Microsoft\WindowsApps on it, and the installer puts this small program
// there as cyklometrika.exe (rather than writing PATH, which an installer can truncate;
// and not as a .cmd, which mangles ^ & % and asks "Terminate batch job?" on Ctrl+C). It
// starts the installed command, which the uninstall record names, with the same command
// line, console and standard streams, and ends with its exit status.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <string>
#include <windows.h>

namespace {

const wchar_t *const UninstallKey
    = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Cyklometrika";
constexpr DWORD NotStarted = 3; // as the command's own status when its output fails

std::wstring InstalledCommand()
{
    std::wstring folder(32768, L'\0');
    DWORD size = static_cast<DWORD>(folder.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, UninstallKey, L"InstallLocation", RRF_RT_REG_SZ, nullptr,
                     folder.data(), &size)
        != ERROR_SUCCESS)
        return {};
    folder.resize(wcslen(folder.c_str()));
    return folder + L"\\cyklometrika.exe";
}

// The command line after this program's own name, exactly as it was given, so that no
// argument is quoted anew. The name ends at the first blank outside quotes.
const wchar_t *Arguments()
{
    const wchar_t *line = GetCommandLineW();
    bool quoted = false;
    for (; *line != L'\0' && (quoted || (*line != L' ' && *line != L'\t')); ++line) {
        if (*line == L'"')
            quoted = !quoted;
    }
    return line;
}

void Complain(const wchar_t *text)
{
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (WriteConsoleW(err, text, static_cast<DWORD>(wcslen(text)), &written, nullptr))
        return;
    std::string utf8(4 * wcslen(text) + 1, '\0');
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, nullptr);
    WriteFile(err, utf8.data(), size > 0 ? static_cast<DWORD>(size - 1) : 0, &written, nullptr);
}

HANDLE Inherited(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
        SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return handle;
}

} // namespace

int main()
{
    const std::wstring command = InstalledCommand();
    if (command.empty()) {
        Complain(L"cyklometrika: Cyklometrika není nainstalovaná (chybí záznam instalace)\n");
        return NotStarted;
    }
    std::wstring line = L"\"" + command + L"\"" + Arguments();
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = Inherited(STD_INPUT_HANDLE);
    startup.hStdOutput = Inherited(STD_OUTPUT_HANDLE);
    startup.hStdError = Inherited(STD_ERROR_HANDLE);
    // Ctrl+C reaches the command on the same console; this program only waits for it.
    SetConsoleCtrlHandler(nullptr, TRUE);
    PROCESS_INFORMATION process {};
    if (!CreateProcessW(command.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        Complain(L"cyklometrika: nainstalovaný příkaz nelze spustit\n");
        return NotStarted;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = NotStarted;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}
