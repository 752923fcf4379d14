// SPDX-License-Identifier: GPL-3.0-or-later
// The text of --help.
#include "companion/command.h"

namespace cykl::companion {

QString HelpText()
{
    return QStringLiteral(
        "Použití: cyklometrika PŘÍKAZ NAROZENÍ [ARGUMENTY] [VOLBY]\n"
        "Čísla a hlášení okna Cyklometrika z příkazového řádku.\n"
        "\n"
        "Příkazy (v závorce česká jména):\n"
        "  day NAROZENÍ [DEN]               (den) tři hodnoty dne a texty jeho hlášení\n"
        "  month NAROZENÍ [MĚSÍC]           (mesic) všechny dny měsíce s jejich hodnotami\n"
        "  critical NAROZENÍ [OD [DO]]      (kriticke) všechny dny od OD do DO včetně,\n"
        "                                   které mají aspoň jedno hlášení; bez OD a DO\n"
        "                                   dnešek a dalších 365 dní\n"
        "  chart NAROZENÍ [DEN] -o SOUBOR   (graf) obrázek obou grafů; PNG, SVG nebo PDF\n"
        "                                   podle přípony souboru\n"
        "\n"
        "Data se píší D.M.RRRR nebo RRRR-MM-DD, měsíce M.RRRR nebo RRRR-MM; bez DNE\n"
        "a MĚSÍCE platí dnešek. Roky jdou od 1 do 9999.\n"
        "\n"
        "Volby:\n"
        "  -f, --format FORMÁT   table (výchozí), csv nebo json; u critical i ics\n"
        "  -o, --output SOUBOR   zapsat do SOUBORU místo na standardní výstup\n"
        "  --remind HODINY       s --format ics: upozornění HODINY před každým dnem\n"
        "  --a4                  u chart do PDF: graf na stránce A4 naležato, k tisku\n"
        "  -h, --help            vypsat tuto nápovědu\n"
        "  -v, --version         vypsat verzi\n"
        "\n"
        "Návratové kódy:\n"
        "  0  hotovo\n"
        "  1  okno vstup odmítá; jeho hlášení je na standardním chybovém výstupu\n"
        "  2  chybné použití: text, který není datum, neznámý příkaz, volba či formát,\n"
        "     nebo rozsah, který končí dřív, než začíná\n"
        "  3  výstupní soubor nelze zapsat nebo obrázek nelze nakreslit\n"
        "\n"
        "Příklady:\n"
        "  cyklometrika den 10.1.1996 5.3.1996\n"
        "  cyklometrika month 10.1.1996 2026-03 --format csv\n"
        "  cyklometrika kriticke 10.1.1996 --format ics --remind 12 -o kriticke.ics\n"
        "  cyklometrika graf 10.1.1996 5.3.1996 -o graf.pdf\n");
}

} // namespace cykl::companion
