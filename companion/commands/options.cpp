// SPDX-License-Identifier: GPL-3.0-or-later
// The options every command of the companion knows, each once: its names and its help.
#include "companion/commands/command_unit.h"
#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

OptionUnit Option(const char *shown, std::initializer_list<const char *> names, bool value,
                  TextKey help, ValueKind completes = ValueKind::Other)
{
    QStringList list;
    for (const char *name : names)
        list.append(QString::fromUtf8(name));
    const QString key = list.value(list.first().size() == 1 ? 1 : 0);
    return { key, list, QString::fromUtf8(shown), value, help, completes };
}

constexpr bool Value = true;
constexpr bool Switch = false;

} // namespace

const QList<OptionUnit> &OptionTable()
{
    static const QList<OptionUnit> options {
        Option("-f", { "f", "format", "formát" }, Value, "help.option.format", ValueKind::Format),
        Option("-o", { "o", "output", "vystup", "výstup" }, Value, "help.option.output",
               ValueKind::File),
        Option("--excel", { "excel" }, Switch, "help.option.excel"),
        Option("--name", { "name", "jmeno", "jméno" }, Value, "help.option.name"),
        Option("--all", { "all", "vsichni", "všichni" }, Switch, "help.option.all"),
        Option("--only-critical", { "only-critical", "jen-kriticke", "jen-kritické" }, Switch,
               "help.option.only.critical"),
        Option("--codes", { "codes", "kody", "kódy" }, Value, "help.option.codes"),
        Option("--merge", { "merge", "sloucit", "sloučit" }, Switch, "help.option.merge"),
        Option("--remind", { "remind", "pripominka", "připomínka" }, Value, "help.option.remind"),
        Option("--a4", { "a4" }, Switch, "help.option.a4"),
        Option("--with", { "with", "spolu" }, Value, "help.option.with", ValueKind::Person),
        Option("--braille", { "braille" }, Switch, "help.option.braille"),
        Option("--color", { "color", "barvy" }, Value, "help.option.color"),
        Option("--replace", { "replace", "nahradit" }, Switch, "help.option.replace"),
        Option("--hypotheses", { "hypotheses", "hypotezy", "hypotézy" }, Value,
               "help.option.hypotheses"),
        Option("--days", { "days", "dny" }, Value, "help.option.days"),
        Option("--den", { "day", "den" }, Value, "help.option.day"),
        Option("--cas", { "time", "cas", "čas" }, Value, "help.option.time"),
        Option("--kalendar", { "calendar", "kalendar", "kalendář" }, Value, "help.option.calendar",
               ValueKind::File),
        Option("--lang", { "lang", "jazyk" }, Value, "help.option.lang", ValueKind::Language),
        Option("-h", { "h", "help", "napoveda", "nápověda" }, Switch, "help.option.help"),
        Option("-v", { "v", "version", "verze" }, Switch, "help.option.version"),
    };
    return options;
}

const OptionUnit *FindOption(const QString &name)
{
    for (const OptionUnit &option : OptionTable()) {
        if (option.Names.contains(name))
            return &option;
    }
    return nullptr;
}

const OptionUnit *OptionOfWord(const QString &word)
{
    if (word.size() < 2 || word[0] != QLatin1Char('-'))
        return nullptr;
    const QString name = word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1);
    return FindOption(name.section(QLatin1Char('='), 0, 0));
}

QString Worded(TextKey key, Lang language, const QString &first, const QString &second)
{
    return Said(key, language, { first.toStdString(), second.toStdString() });
}

QString Dashed(const QString &name)
{
    return QLatin1String(name.size() == 1 ? "-" : "--") + name;
}

} // namespace cykl::companion
