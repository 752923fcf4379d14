// SPDX-License-Identifier: GPL-3.0-or-later
// The web edition's session built natively: for each input line of six tab-separated
// field texts it types the fields, confirms, and writes the display's state as one JSON
// line. The differential test compares these lines with the WebAssembly module's.
#include "web/session.h"

#include <iostream>
#include <string>

int main()
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
        std::cout << window.StateJson() << '\n';
    }
    return 0;
}
