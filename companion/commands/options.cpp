// SPDX-License-Identifier: GPL-3.0-or-later
// The options every command of the companion knows, each once: its names and its help.
#include "companion/commands/command_unit.h"

namespace cykl::companion {

namespace {

OptionUnit Option(const char *shown, std::initializer_list<const char *> names,
                  const char *valueName, const char *synopsis, const char *help,
                  ValueKind completes = ValueKind::Other)
{
    QStringList list;
    for (const char *name : names)
        list.append(QString::fromUtf8(name));
    const QString key = list.value(list.first().size() == 1 ? 1 : 0);
    return { key,
             list,
             QString::fromUtf8(shown),
             QString::fromUtf8(valueName),
             QString::fromUtf8(synopsis),
             QString::fromUtf8(help),
             completes };
}

} // namespace

const QList<OptionUnit> &OptionTable()
{
    static const QList<OptionUnit> options {
        Option("-f", { "f", "format", "formát" }, "FORMÁT", "-f, --format FORMÁT",
               "(--formát) table (výchozí), csv nebo json; u critical\n"
               "a together i ics, u match jen table a json; bez -f\n"
               "podle přípony -o (.txt, .csv, .json, .ics)",
               ValueKind::Format),
        Option("-o", { "o", "output", "vystup", "výstup" }, "SOUBOR", "-o, --output SOUBOR",
               "(--výstup) zapsat do SOUBORU; -o - je standardní výstup", ValueKind::File),
        Option("--excel", { "excel" }, "", "--excel",
               "CSV pro český tabulkový procesor (středníky, BOM)"),
        Option("--name", { "name", "jmeno", "jméno" }, "JMÉNO", "--name JMÉNO",
               "(--jméno) jméno v hlavičce, polích a v kalendáři"),
        Option("--all", { "all", "vsichni", "všichni" }, "", "--all",
               "(--všichni) všichni ze souboru lidí místo NAROZENÍ"),
        Option("--only-critical", { "only-critical", "jen-kriticke", "jen-kritické" }, "",
               "--only-critical", "(--jen-kritické) u critical jen kritické dny (4 až 6)"),
        Option("--codes", { "codes", "kody", "kódy" }, "KÓDY", "--codes 4,5,9",
               "(--kódy) u critical jen tyto kódy"),
        Option("--merge", { "merge", "sloucit", "sloučit" }, "", "--merge",
               "(--sloučit) u ics spojit po sobě jdoucí stejné dny;\n"
               "kalendář s --merge a bez něj do jednoho nemíchejte"),
        Option("--remind", { "remind", "pripominka", "připomínka" }, "HODINY|H:MM",
               "--remind HODINY|H:MM",
               "(--připomínka) u ics upozornění HODINY před dnem,\n"
               "nebo v čas H:MM v ten den (7:00)"),
        Option("--a4", { "a4" }, "", "--a4",
               "u chart do PDF: graf na stránce A4 naležato, k tisku"),
        Option("--with", { "with", "spolu" }, "KDO", "--with KDO",
               "(--spolu) u chart i křivky a sloupce druhého člověka", ValueKind::Person),
        Option("--braille", { "braille" }, "", "--braille",
               "u chart bez -o v terminálu a u -f text křivky\n"
               "Braillovým písmem, jemněji než čarami"),
        Option("--color", { "color", "barvy" }, "KDY", "--color KDY",
               "(--barvy) barvy grafu v terminálu: auto (výchozí),\n"
               "always nebo never; bez barev i s NO_COLOR"),
        Option("--replace", { "replace", "nahradit" }, "", "--replace",
               "(--nahradit) u people add změnit datum jména"),
        Option("--hypotheses", { "hypotheses", "hypotezy", "hypotézy" }, "CYKLY",
               "--hypotheses CYKLY",
               "(--hypotézy) u diary plan jen tyto cykly: physical,\n"
               "emotional, intellectual (fyzicka, citova, intelekt)"),
        Option("--days", { "days", "dny" }, "POČET", "--days POČET",
               "(--dny) u diary plan test až po tolika dnech (aspoň 90)"),
        Option("--den", { "day", "den" }, "DEN", "--den DEN",
               "(--day) u kalendar a upozornit tento den místo dneška"),
        Option("--cas", { "time", "cas", "čas" }, "H:MM", "--cas H:MM",
               "(--time) u upozorneni zapnout čas denního běhu"),
        Option("--kalendar", { "calendar", "kalendar", "kalendář" }, "SOUBOR", "--kalendar SOUBOR",
               "(--calendar) u upozornit a upozorneni zapnout denní\n"
               "běh přepíše i tento kalendář (kalendar -o SOUBOR)",
               ValueKind::File),
        Option("--lang", { "lang", "jazyk" }, "JAZYK", "--lang JAZYK",
               "(--jazyk) cs (výchozí), en, nebo auto podle prostředí;\n"
               "bez volby podle proměnné CYKLOMETRIKA_LANG",
               ValueKind::Language),
        Option("-h", { "h", "help", "napoveda", "nápověda" }, "", "-h, --help",
               "(--nápověda) tato nápověda; PŘÍKAZ -h nápověda příkazu"),
        Option("-v", { "v", "version", "verze" }, "", "-v, --version", "(--verze) vypsat verzi"),
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

QString Dashed(const QString &name)
{
    return QLatin1String(name.size() == 1 ? "-" : "--") + name;
}

} // namespace cykl::companion
