// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the help: the whole (--help), the short one (no command), a command's (-h).
#include "companion/help.h"

namespace cykl::companion {

namespace {

const char *const DatesLine
    = "Data: D.M.RRRR nebo RRRR-MM-DD (rok celý, 1 až 9999); měsíce M.RRRR\n"
      "nebo RRRR-MM. Bez DNE či MĚSÍCE platí dnešek.\n";

// Entries of two columns: the left padded to `width`, the right's lines under each other.
QString Columns(const QList<HelpEntry> &entries, qsizetype width)
{
    QString text;
    const QString indent(2 + width, QLatin1Char(' '));
    for (const HelpEntry &entry : entries) {
        QString right = entry.Text;
        right.replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
        text += QStringLiteral("  ") + entry.Synopsis.leftJustified(width - 1) + QLatin1Char(' ')
            + right + QLatin1Char('\n');
    }
    return text;
}

QString CommandList()
{
    QList<HelpEntry> entries;
    for (const CommandUnit &command : Commands())
        entries += command.Listing;
    return Columns(entries, 33);
}

QString OptionList()
{
    QList<HelpEntry> entries;
    for (const OptionUnit &option : OptionTable())
        entries.append({ option.Synopsis, option.Help });
    return Columns(entries, 22);
}

} // namespace

QString HelpText()
{
    return QStringLiteral(
               "Použití: cyklometrika PŘÍKAZ NAROZENÍ [ARGUMENTY] [VOLBY]\n"
               "Čísla a hlášení okna Cyklometrika z příkazového řádku.\n"
               "\n"
               "Příkazy (v závorce česká jména; velikost písmen ani diakritika nehrají roli):\n")
        + CommandList() + QStringLiteral("\n") + QString::fromUtf8(DatesLine)
        + QStringLiteral(
               "Rozsah před narozením začíná dnem narození. NAROZENÍ je datum, nebo jméno\n"
               "ze souboru lidí; critical a day berou i víc jmen (Jana,Petr) nebo --all.\n"
               "Shoda cyklu je podíl jeho průběhu, kdy křivky dvou lidí stojí na stejné straně\n"
               "nuly (100 % spolu, nejméně naproti sobě); nezávisí na dni.\n"
               "\n"
               "Volby (v závorce česká jména, s háčky i bez nich):\n")
        + OptionList()
        + QStringLiteral(
               "\n"
               "Návratové kódy:\n"
               "  0  hotovo\n"
               "  1  vstup odmítnut, jako by ho odmítlo okno Cyklometrika (proč, je na\n"
               "     standardním chybovém výstupu)\n"
               "  2  chybné použití: text, který není datum, neznámý příkaz, volba či formát,\n"
               "     nebo rozsah, který končí dřív, než začíná\n"
               "  3  výstup (soubor nebo standardní výstup) nelze zapsat, obrázek nakreslit,\n"
               "     upozornění ukázat (žádná služba upozornění neodpovídá) nebo denní běh\n"
               "     zapnout či vypnout, nebo soubor lidí nelze použít\n"
               "\n"
               "Příklady:\n"
               "  cyklometrika den 10.1.1996 5.3.1996\n"
               "  cyklometrika mesic 10.1.1996 2026-03 -o brezen.csv --excel\n"
               "  cyklometrika lide pridat Jana 10.1.1996\n"
               "  cyklometrika kriticke Jana 2027 --only-critical --remind 7:00 -o k.ics\n"
               "  cyklometrika graf 10.1.1996 5.3.1996 -o graf.pdf\n"
               "  cyklometrika upozorneni zapnout --cas 6:30 --kalendar ~/rodina.ics\n");
}

QString ShortHelpText()
{
    return QStringLiteral("Použití: cyklometrika PŘÍKAZ NAROZENÍ [ARGUMENTY] [VOLBY]\n"
                          "\n"
                          "  den NAROZENÍ [DEN]            hodnoty a hlášení dne\n"
                          "  mesic NAROZENÍ [MĚSÍC]        dny měsíce\n"
                          "  kriticke NAROZENÍ [OD [DO]]   dny s hlášením (nebo ROK)\n"
                          "  graf NAROZENÍ [DEN] -o SOUBOR obrázek grafů\n"
                          "\n")
        + QString::fromUtf8(DatesLine)
        + QStringLiteral("\n"
                         "Příklad: cyklometrika den 10.1.1996\n"
                         "Víc: cyklometrika --help, cyklometrika PŘÍKAZ -h\n");
}

QString CommandHelpText(const CommandUnit &command, const QString &name)
{
    const QString usage = QStringLiteral("Použití: cyklometrika ");
    // %2: the indent of a usage line's continuation, under the first argument.
    const QString indent(usage.size() + name.size() + 1, QLatin1Char(' '));
    return usage + QString(command.Help).replace(QStringLiteral("%2"), indent).arg(name)
        + QLatin1Char('\n') + QString::fromUtf8(DatesLine);
}

} // namespace cykl::companion
