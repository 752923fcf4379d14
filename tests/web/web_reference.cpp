// SPDX-License-Identifier: GPL-3.0-or-later
// The web edition's engine built natively, for the differential test against the
// WebAssembly module: it answers the page's requests (web/request.h) read from standard
// input, each ended by an empty line, with one answer a line.
#include "web/request.h"

#include <iostream>
#include <string>

int main()
{
    cykl::web::Page page;
    std::string request;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty()) {
            request += line + '\n';
            continue;
        }
        std::cout << page.Answer(request) << '\n';
        request.clear();
    }
    return 0;
}
