// SPDX-License-Identifier: GPL-3.0-or-later
// The plural rules of the catalogue's languages (see engine_rows.h), by the table of
// plural_rows.txt, which the web module's test reads as well.
#include "engine_rows.h"
#include "lang/language.h"

#include <array>
#include <fstream>
#include <sstream>

namespace cykl::test {

const std::vector<PluralRow> &PluralRows()
{
    static const std::vector<PluralRow> rows = [] {
        std::vector<PluralRow> read;
        std::ifstream file(CYKL_PLURAL_FILE);
        for (std::string line; std::getline(file, line);) {
            std::istringstream fields(line);
            PluralRow row;
            if (line.empty() || line.front() == '#'
                || !(fields >> row.Count >> row.Czech >> row.English))
                continue;
            read.push_back({ std::to_string(row.Count), row.Count, row.Czech, row.English });
        }
        if (read.empty())
            read.push_back({ "no rows read from " CYKL_PLURAL_FILE, 0, "", "" });
        return read;
    }();
    return rows;
}

std::string Check(const PluralRow &row)
{
    const auto name = [](Lang lang, std::size_t form) -> std::string {
        static constexpr std::array<const char *, 3> Czech { "one", "few", "other" };
        static constexpr std::array<const char *, 2> English { "one", "other" };
        return lang == Lang::Cs ? Czech.at(form) : English.at(form);
    };
    const std::string czech = name(Lang::Cs, PluralForm(Lang::Cs, row.Count));
    const std::string english = name(Lang::En, PluralForm(Lang::En, row.Count));
    if (czech == row.Czech && english == row.English)
        return "";
    return "Czech " + czech + ", English " + english + "; expected " + row.Czech + ", "
        + row.English;
}

} // namespace cykl::test
