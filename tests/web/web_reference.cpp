// SPDX-License-Identifier: GPL-3.0-or-later
// The web edition's engine built natively, for the differential test against the
// WebAssembly module. Each input line holds six tab-separated field
// texts: it types them, confirms, and writes the display's state as one JSON line, then
// each chart as SVG on a line of its own (the month at 600 x 180, the day at 130 x 230).
// (The critical days are compared with the companion's own JSON instead.)
#include "web/session.h"

#include <iostream>
#include <string>

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

} // namespace

int main()
{
    Confirmations();
    return 0;
}
