// SPDX-License-Identifier: GPL-3.0-or-later
// The plural rules of the catalogue's languages (see engine_rows.h).
#include "engine_rows.h"
#include "lang/language.h"

#include <array>

namespace cykl::test {

const std::vector<PluralRow> &PluralRows()
{
    static const std::vector<PluralRow> rows = [] {
        std::vector<PluralRow> list;
        const auto row = [&list](long long n, const char *czech, const char *english) {
            list.push_back({ std::to_string(n), n, czech, english });
        };
        row(0, "other", "other");
        row(1, "one", "one");
        row(2, "few", "other");
        row(3, "few", "other");
        row(4, "few", "other");
        for (long long n : { 5, 11, 12, 21, 22, 25, 101, 111, 1001 })
            row(n, "other", "other");
        row(-1, "one", "one");
        return list;
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
