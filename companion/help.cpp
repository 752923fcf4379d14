// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the help: the whole (--help), the short one (no command), a command's (-h).
#include "companion/help.h"

namespace cykl::companion {

namespace {

const char *const DatesLine
    = "Data: D.M.RRRR nebo RRRR-MM-DD (rok celý, 1 až 9999); měsíce M.RRRR\n"
      "nebo RRRR-MM. Bez DNE či MĚSÍCE platí dnešek.\n";

} // namespace

QString HelpText()
{
    return QStringLiteral(
               "Použití: cyklometrika PŘÍKAZ NAROZENÍ [ARGUMENTY] [VOLBY]\n"
               "Čísla a hlášení okna Cyklometrika z příkazového řádku.\n"
               "\n"
               "Příkazy (v závorce česká jména; velikost písmen ani diakritika nehrají roli):\n"
               "  day NAROZENÍ [DEN]               (den) tři hodnoty dne a texty jeho hlášení\n"
               "  month NAROZENÍ [MĚSÍC]           (mesic) dny měsíce s hodnotami a kódy\n"
               "  critical NAROZENÍ [OD [DO]]      (kriticke) dny od OD do DO včetně, které\n"
               "                                   mají aspoň jedno hlášení; bez OD a DO\n"
               "                                   dnešek a dalších 365 dní\n"
               "  critical NAROZENÍ ROK            celý rok, např. 2027\n"
               "  chart NAROZENÍ [DEN] -o SOUBOR   (graf) obrázek obou grafů; PNG, SVG nebo PDF\n"
               "                                   podle přípony souboru\n"
               "  people [list]                    (lide [seznam]) jména ze souboru lidí\n"
               "  people add JMÉNO NAROZENÍ        (lide pridat) zapsat jméno a datum narození\n"
               "  people remove JMÉNO              (lide odebrat) jméno ze souboru odebrat\n"
               "\n")
        + QString::fromUtf8(DatesLine)
        + QStringLiteral(
               "Rozsah před narozením začíná dnem narození. NAROZENÍ je datum, nebo jméno\n"
               "ze souboru lidí; critical a day berou i víc jmen (Jana,Petr) nebo --all.\n"
               "\n"
               "Volby (v závorce česká jména, s háčky i bez nich):\n"
               "  -f, --format FORMÁT   (--formát) table (výchozí), csv nebo json; u critical\n"
               "                        i ics; bez -f podle přípony -o (.txt, .csv, .json, .ics)\n"
               "  -o, --output SOUBOR   (--výstup) zapsat do SOUBORU; -o - je standardní výstup\n"
               "  --excel               CSV pro český tabulkový procesor (středníky, BOM)\n"
               "  --name JMÉNO          (--jméno) jméno v hlavičce, polích a v kalendáři\n"
               "  --all                 (--všichni) všichni ze souboru lidí místo NAROZENÍ\n"
               "  --only-critical       (--jen-kritické) u critical jen kritické dny (4 až 6)\n"
               "  --codes 4,5,9         (--kódy) u critical jen tyto kódy\n"
               "  --merge               (--sloučit) u ics spojit po sobě jdoucí stejné dny;\n"
               "                        kalendář s --merge a bez něj do jednoho nemíchejte\n"
               "  --remind HODINY|H:MM  (--připomínka) u ics upozornění HODINY před dnem,\n"
               "                        nebo v čas H:MM v ten den (7:00)\n"
               "  --a4                  u chart do PDF: graf na stránce A4 naležato, k tisku\n"
               "  --replace             (--nahradit) u people add změnit datum jména\n"
               "  -h, --help            (--nápověda) tato nápověda; PŘÍKAZ -h nápověda příkazu\n"
               "  -v, --version         (--verze) vypsat verzi\n"
               "\n"
               "Návratové kódy:\n"
               "  0  hotovo\n"
               "  1  vstup odmítnut, jako by ho odmítlo okno Cyklometrika (proč, je na\n"
               "     standardním chybovém výstupu)\n"
               "  2  chybné použití: text, který není datum, neznámý příkaz, volba či formát,\n"
               "     nebo rozsah, který končí dřív, než začíná\n"
               "  3  výstup (soubor nebo standardní výstup) nelze zapsat, obrázek nakreslit\n"
               "\n"
               "Příklady:\n"
               "  cyklometrika den 10.1.1996 5.3.1996\n"
               "  cyklometrika mesic 10.1.1996 2026-03 -o brezen.csv --excel\n"
               "  cyklometrika lide pridat Jana 10.1.1996\n"
               "  cyklometrika kriticke Jana 2027 --only-critical --remind 7:00 -o k.ics\n"
               "  cyklometrika graf 10.1.1996 5.3.1996 -o graf.pdf\n");
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

QString CommandHelpText(Command command)
{
    // One text per command, in the order of Command.
    static const char *const texts[] = {
        ("Použití: cyklometrika day NAROZENÍ [DEN] [-f table|csv|json] [-o SOUBOR]\n"
         "Tři hodnoty dne (fyzická, citová, intelekt) a texty jeho hlášení, jak je\n"
         "ukáže okno. NAROZENÍ smí být i jméno ze souboru lidí, víc jmen (Jana,Petr)\n"
         "nebo --all: jedna tabulka, CSV nebo seznam JSON pro všechny. Česky: den.\n"),
        ("Použití: cyklometrika month NAROZENÍ [MĚSÍC] [-f table|csv|json] [-o SOUBOR]\n"
         "Všechny dny měsíce s hodnotami a kódy hlášení; měsíc narození od dne\n"
         "narození. Česky: mesic, měsíc.\n"),
        ("Použití: cyklometrika critical NAROZENÍ [OD [DO] | ROK] [VOLBY]\n"
         "Dny s hlášením od OD do DO (bez nich dnešek a 365 dní), nebo celý ROK.\n"
         "NAROZENÍ smí být i jméno ze souboru lidí, víc jmen (Jana,Petr) nebo --all.\n"
         "Volby: -f table|csv|json|ics, -o SOUBOR, --excel, --name JMÉNO,\n"
         "--only-critical, --codes 4,5,6, --merge, --remind HODINY|H:MM.\n"
         "Kalendář s --merge a bez něj nemíchejte: sloučená událost nese UID\n"
         "svého prvního dne a události dalších dnů by v kalendáři zůstaly.\n"
         "Česky: kriticke, kritické.\n"),
        ("Použití: cyklometrika chart NAROZENÍ [DEN] -o SOUBOR.png|.svg|.pdf [--a4]\n"
         "Obrázek obou grafů, jak je ukáže okno; --a4 dá PDF na stránku A4 naležato.\n"
         "Česky: graf.\n"),
        ("Použití: cyklometrika people [list | add JMÉNO NAROZENÍ [--replace] |\n"
         "                              remove JMÉNO]\n"
         "Soubor lidí: JMÉNO pak platí všude, kde smí stát datum narození; critical\n"
         "a day berou i víc jmen (JANA,PETR) nebo --all. Česky: lide seznam | pridat\n"
         "[--nahradit] | odebrat. Soubor: $XDG_CONFIG_HOME/cyklometrika/lide (jinak\n"
         "~/.config/cyklometrika/lide, na Windows %APPDATA%\\cyklometrika\\lide),\n"
         "řádky „jméno = D.M.RRRR“.\n"),
    };
    return QString::fromUtf8(texts[static_cast<int>(command)]) + QLatin1Char('\n')
        + QString::fromUtf8(DatesLine);
}

} // namespace cykl::companion
