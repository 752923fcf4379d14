// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/handler_guard.h"

#include "platform/effects.h"

#include <exception>
#include <new>

namespace cykl {

namespace {

constexpr std::string_view ErrorTitle = "CYKLOMETRIKA";

} // namespace

ErrorReport DescribeCurrentError()
{
    try {
        throw;
    } catch (const ProgramError &error) {
        return { error.Number(), QString::fromUtf8(error.what()) };
    } catch (const std::bad_alloc &) {
        return { OutOfMemoryNumber, QStringLiteral("Nedostatek paměti") };
    } catch (const std::exception &error) {
        return { InternalErrorNumber, QString::fromUtf8(error.what()) };
    } catch (...) {
        return { InternalErrorNumber, QStringLiteral("Neznámá chyba") };
    }
}

QString ErrorText(const ErrorReport &report)
{
    return QStringLiteral("Chyba č. %1: %2").arg(report.Number).arg(report.Description);
}

void ReportUnhandledError(MessageBoxSeam &box, ProgramEnd &end)
{
    const QByteArray text = ErrorText(DescribeCurrentError()).toUtf8();
    try {
        box.Show(std::string_view(text.constData(), text.size()), ErrorTitle, MessageStyle::Stop);
    } catch (...) {
        // Nothing is left to report with; the program ends all the same.
    }
    end.End(UnhandledExitCode);
}

} // namespace cykl
