// SPDX-License-Identifier: GPL-3.0-or-later
// The web edition's engine built natively, for the differential test against the
// WebAssembly module. Without arguments, each input line holds six tab-separated field
// texts: it types them, confirms, and writes the display's state as one JSON line, then
// each chart as SVG on a line of its own (the month at 600 x 180, the day at 130 x 230).
// With the argument "critical", each line holds nine numbers (birth, first and last day, each
// as day month year) and it writes the critical days of that span as one JSON line.
#include "web/critical.h"
#include "web/session.h"

#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

void Confirmations()
{
    cykl::web::Session window;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::size_t start = 0;
        for (int field = 1; field <= 6; ++field) {
            const std::size_t tab = line.find('\t', start);
            window.SetField(field,
                            line.substr(start, tab == std::string::npos ? tab : tab - start));
            start = tab == std::string::npos ? line.size() : tab + 1;
        }
        window.Confirm();
        std::cout << window.StateJson() << '\n'
                  << window.ChartSvg(1, 600, 180, 11) << '\n'
                  << window.ChartSvg(2, 130, 230, 9) << '\n';
    }
}

void CriticalDays()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream numbers(line);
        cykl::Date birth, from, to;
        numbers >> birth.Day >> birth.Month >> birth.Year >> from.Day >> from.Month >> from.Year
            >> to.Day >> to.Month >> to.Year;
        std::cout << cykl::web::CriticalDaysJson(birth, from, to) << '\n';
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::string_view(argv[1]) == "critical")
        CriticalDays();
    else
        Confirmations();
    return 0;
}
