// SPDX-License-Identifier: GPL-3.0-or-later
// The text of --help.
#include "companion/command.h"

namespace cykl::companion {

QString HelpText()
{
    return QStringLiteral(
        "Usage: cyklometrika COMMAND BIRTH [ARGUMENTS] [OPTIONS]\n"
        "The numbers and messages of the Cyklometrika window, from the command line.\n"
        "\n"
        "Commands (Czech names in brackets):\n"
        "  day BIRTH [DATE]              (den) the three values of a day and the texts\n"
        "                                of its messages\n"
        "  month BIRTH [MONTH]           (mesic) every day of a month with its values\n"
        "  critical BIRTH [FROM [TO]]    (kriticke) every day from FROM to TO, both\n"
        "                                included, with at least one message; by default\n"
        "                                today and the next 365 days\n"
        "  chart BIRTH [DATE] -o FILE    (graf) a picture of the two charts; PNG, SVG or\n"
        "                                PDF by the file's extension\n"
        "\n"
        "Dates are D.M.YYYY or YYYY-MM-DD, months M.YYYY or YYYY-MM; DATE and MONTH\n"
        "default to today. Years run from 1 to 9999.\n"
        "\n"
        "Options:\n"
        "  -f, --format FORMAT   table (default), csv or json; ics for critical\n"
        "  -o, --output FILE     write to FILE instead of standard output\n"
        "  --remind HOURS        with --format ics: an alarm HOURS before each day\n"
        "  -h, --help            show this help\n"
        "  -v, --version         show the version\n"
        "\n"
        "Exit status:\n"
        "  0  done\n"
        "  1  the window refuses the input; its message is on standard error\n"
        "  2  usage error: not a date, unknown command, option or format, or a range\n"
        "     that ends before it starts\n"
        "  3  the output file cannot be written or the picture cannot be drawn\n"
        "\n"
        "Examples:\n"
        "  cyklometrika day 10.1.1996 5.3.1996\n"
        "  cyklometrika month 10.1.1996 2026-03 --format csv\n"
        "  cyklometrika critical 10.1.1996 --format ics --remind 12 -o kriticke.ics\n"
        "  cyklometrika chart 10.1.1996 5.3.1996 -o graf.pdf\n");
}

} // namespace cykl::companion
