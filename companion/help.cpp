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
               "  match A B [DEN]                  (shoda) shoda rytmů dvou lidí a jejich\n"
               "                                   hodnoty dne\n"
               "  together A,B,... [OD [DO] | ROK] (spolecne) dny, kdy dva či víc lidí mají\n"
               "                                   stejné hlášení; i --all\n"
               "  people [list]                    (lide [seznam]) jména ze souboru lidí\n"
               "  people add JMÉNO NAROZENÍ        (lide pridat) zapsat jméno a datum narození\n"
               "  people remove JMÉNO              (lide odebrat) jméno ze souboru odebrat\n"
               "  kalendar [JMÉNA]                 (feed) kalendář lidí ze souboru lidí od\n"
               "                                   týdne zpět na 400 dní dopředu, k odběru\n"
               "  upozornit [JMÉNA]                (notify) upozornění na ploše pro každého,\n"
               "                                   kdo má dnes hlášení\n"
               "  upozorneni zapnout|vypnout|stav  (reminders on|off|status) upozornění\n"
               "                                   každý den v 7:00 (--cas) zapnout, vypnout\n"
               "\n")
        + QString::fromUtf8(DatesLine)
        + QStringLiteral(
               "Rozsah před narozením začíná dnem narození. NAROZENÍ je datum, nebo jméno\n"
               "ze souboru lidí; critical a day berou i víc jmen (Jana,Petr) nebo --all.\n"
               "Shoda cyklu je podíl jeho průběhu, kdy křivky dvou lidí stojí na stejné straně\n"
               "nuly (100 % spolu, nejméně naproti sobě); nezávisí na dni.\n"
               "\n"
               "Volby (v závorce česká jména, s háčky i bez nich):\n"
               "  -f, --format FORMÁT   (--formát) table (výchozí), csv nebo json; u critical\n"
               "                        a together i ics, u match jen table a json; bez -f\n"
               "                        podle přípony -o (.txt, .csv, .json, .ics)\n"
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
               "  --with KDO            (--spolu) u chart i křivky a sloupce druhého člověka\n"
               "  --replace             (--nahradit) u people add změnit datum jména\n"
               "  --den DEN             (--day) u kalendar a upozornit tento den místo dneška\n"
               "  --cas H:MM            (--time) u upozorneni zapnout čas denního běhu\n"
               "  --kalendar SOUBOR     (--calendar) u upozornit a upozorneni zapnout denní\n"
               "                        běh přepíše i tento kalendář (kalendar -o SOUBOR)\n"
               "  -h, --help            (--nápověda) tato nápověda; PŘÍKAZ -h nápověda příkazu\n"
               "  -v, --version         (--verze) vypsat verzi\n"
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
         "                            [--with KDO]\n"
         "Obrázek obou grafů, jak je ukáže okno; --a4 dá PDF na stránku A4 naležato.\n"
         "--with (--spolu) KDO přidá křivky druhého člověka čárkovaně a jeho sloupce\n"
         "dne vedle prvních, s legendou jmen. Česky: graf.\n"),
        ("Použití: cyklometrika people [list | add JMÉNO NAROZENÍ [--replace] |\n"
         "                              remove JMÉNO]\n"
         "Soubor lidí: JMÉNO pak platí všude, kde smí stát datum narození; critical\n"
         "a day berou i víc jmen (JANA,PETR) nebo --all. Česky: lide seznam | pridat\n"
         "[--nahradit] | odebrat. Soubor: $XDG_CONFIG_HOME/cyklometrika/lide (jinak\n"
         "~/.config/cyklometrika/lide, na Windows %APPDATA%\\cyklometrika\\lide),\n"
         "řádky „jméno = D.M.RRRR“.\n"),
        ("Použití: cyklometrika match A B [DEN] [-f table|json] [-o SOUBOR]\n"
         "Shoda rytmů dvou lidí (jména ze souboru lidí nebo data narození) v každém\n"
         "cyklu a celkem, vedle hodnot obou v DEN (bez něj dnes). Shoda cyklu je podíl\n"
         "jeho průběhu, kdy obě křivky stojí na stejné straně nuly: 100 %, když běží\n"
         "spolu, nejméně, když běží naproti sobě; nezávisí na dni. Česky: shoda.\n"),
        ("Použití: cyklometrika together A,B,... [OD [DO] | ROK] [VOLBY]\n"
         "       cyklometrika together --all [OD [DO] | ROK] [VOLBY]\n"
         "Dny, kdy dva či víc lidí mají stejné hlášení téhož cyklu (kritický den,\n"
         "vrchol, útlum), s jejich jmény; bez OD a DO dnešek a 365 dní. Volby:\n"
         "-f table|csv|json|ics, -o SOUBOR, --excel, --remind HODINY|H:MM.\n"
         "Česky: spolecne, společné.\n"),
        ("Použití: cyklometrika kalendar [JMÉNA | --all] [--den DEN] [-o SOUBOR.ics]\n"
         "Jeden kalendář (iCalendar) kritických dnů lidí ze souboru lidí (bez JMEN\n"
         "všech) od 7 dní před dneškem do 400 dní po něm. Kalendářový program, který\n"
         "soubor odebírá, ho čte znovu každý den (REFRESH-INTERVAL P1D); události\n"
         "mají UID příkazu critical a SEQUENCE verze svých textů. Česky: kalendář.\n"),
        ("Použití: cyklometrika upozornit [JMÉNA | --all] [--den DEN] [--kalendar SOUBOR]\n"
         "Pro každého ze souboru lidí (nebo z JMEN), kdo má v ten den hlášení, jedno\n"
         "upozornění na ploše: kdo, den a které cykly, pod tím texty hlášení okna; víc\n"
         "než tři lidé: jedno upozornění, řádek pro každého. Dvojitě a trojitě kritický\n"
         "den je naléhavý. Nikdo s hlášením nebo v souboru lidí: nic. Co služba\n"
         "upozornění do 30 s neukáže, jmenuje řádek neukázáno:, s kódem 3. --kalendar\n"
         "SOUBOR přepíše i kalendář lidí.\n"
         "Anglicky: notify.\n"),
        ("Použití: cyklometrika upozorneni zapnout [--cas H:MM] [--kalendar SOUBOR]\n"
         "       cyklometrika upozorneni vypnout | stav\n"
         "Denní běh příkazu upozornit pro tohoto uživatele: časovač systemd uživatele\n"
         "jednou denně v 7:00 (nebo --cas) a po přihlášení, když běh zmeškal; bez\n"
         "systemd položka automatického spuštění po prvním přihlášení dne. S --kalendar\n"
         "denní běh přepíše i ten kalendář. vypnout odstraní vše, co zapnout vytvořil;\n"
         "stav řekne, zda je zapnuto a kdy běh přijde. Anglicky: reminders on|off|status.\n"),
    };
    return QString::fromUtf8(texts[static_cast<int>(command)]) + QLatin1Char('\n')
        + QString::fromUtf8(DatesLine);
}

} // namespace cykl::companion
