// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the help: the whole (--help), the short one (no command), a command's (-h).
#include "companion/help.h"

#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

// Entries of two columns, each a text "left\tright": the left padded to `width`, the
// right's lines under each other.
QString Columns(const QList<TextKey> &entries, qsizetype width, Lang language)
{
    QString text;
    const QString indent(2 + width, QLatin1Char(' '));
    for (const TextKey &entry : entries) {
        const QString both = Said(entry, language);
        QString right = both.section(QLatin1Char('\t'), 1);
        right.replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
        text += QStringLiteral("  ")
            + both.section(QLatin1Char('\t'), 0, 0).leftJustified(width - 1) + QLatin1Char(' ')
            + right + QLatin1Char('\n');
    }
    return text;
}

QString CommandList(Lang language)
{
    QList<TextKey> entries;
    for (const CommandUnit &command : Commands())
        entries += command.Listing;
    return Columns(entries, 33, language);
}

QString OptionList(Lang language)
{
    QList<TextKey> entries;
    for (const OptionUnit &option : OptionTable())
        entries.append(option.Help);
    return Columns(entries, 22, language);
}

} // namespace

QString HelpText(Lang language)
{
    return Said("help.head", language) + CommandList(language) + QLatin1Char('\n')
        + Said("help.dates", language) + Said("help.notes", language) + OptionList(language)
        + Said("help.tail", language);
}

QString ShortHelpText(Lang language)
{
    return Said("help.short.head", language) + Said("help.dates", language)
        + Said("help.short.tail", language);
}

QString CommandHelpText(const CommandUnit &command, const QString &name, Lang language)
{
    // {2}: the indent of a usage line's continuation, under the first argument.
    const qsizetype at = Said(command.Help, language).indexOf(QLatin1String("{1}"));
    const QString indent(at + name.size() + 1, QLatin1Char(' '));
    const std::string written = name.toStdString();
    const std::string spaces = indent.toStdString();
    return Said(command.Help, language, { written, spaces }) + QLatin1Char('\n')
        + Said("help.dates", language);
}

} // namespace cykl::companion
