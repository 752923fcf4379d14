// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/command_line.h"

namespace cykl {

namespace {

bool NeedsQuotes(const QString &argument)
{
    if (argument.isEmpty())
        return true;
    for (const QChar c : argument) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'"')
            return true;
    }
    return false;
}

// Backslashes are literal except in front of a quote: there 2n backslashes and a quote
// stand for n backslashes and a literal quote. So a run of backslashes is doubled where
// a quote follows it, the inner one or the closing one.
QString QuoteArgument(const QString &argument)
{
    if (!NeedsQuotes(argument))
        return argument;
    QString quoted(u'"');
    qsizetype backslashes = 0;
    for (const QChar c : argument) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        if (c == u'"') {
            quoted += QString(backslashes * 2 + 1, u'\\');
        } else {
            quoted += QString(backslashes, u'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted += QString(backslashes * 2, u'\\');
    quoted += u'"';
    return quoted;
}

} // namespace

QString WindowsCommandLine(const QString &program, const QStringList &arguments)
{
    QString line = u'"' + program + u'"';
    for (const QString &argument : arguments)
        line += u' ' + QuoteArgument(argument);
    return line;
}

} // namespace cykl
