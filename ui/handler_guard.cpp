// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/handler_guard.h"

#include "lang/qt/said.h"
#include "platform/effects.h"

#include <exception>
#include <new>

namespace cykl {

namespace {

constexpr std::string_view ErrorTitle = "CYKLOMETRIKA";

} // namespace

ErrorReport DescribeCurrentError(Lang lang)
{
    try {
        throw;
    } catch (const ProgramError &error) {
        return { error.Number(), QString::fromUtf8(error.what()) };
    } catch (const std::bad_alloc &) {
        return { OutOfMemoryNumber, Said("error.memory", lang) };
    } catch (const std::exception &error) {
        return { InternalErrorNumber, QString::fromUtf8(error.what()) };
    } catch (...) {
        return { InternalErrorNumber, Said("error.unknown", lang) };
    }
}

QString ErrorText(const ErrorReport &report, Lang lang)
{
    const QByteArray description = report.Description.toUtf8();
    return Said("error.text", lang,
                { std::to_string(report.Number),
                  { description.constData(), std::size_t(description.size()) } });
}

void ReportUnhandledError(MessageBoxSeam &box, ProgramEnd &end, Lang lang)
{
    const QByteArray text = ErrorText(DescribeCurrentError(lang), lang).toUtf8();
    try {
        box.Show(std::string_view(text.constData(), text.size()), ErrorTitle, MessageStyle::Stop);
    } catch (...) {
        // Nothing is left to report with; the program ends all the same.
    }
    end.End(UnhandledExitCode);
}

} // namespace cykl
