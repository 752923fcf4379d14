// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of the engine's tables (see engine_rows.h).
#include "engine_rows.h"

#include <cmath>
#include <string>

namespace cykl::test {

const std::vector<CycleRow> &CycleRows()
{
    static const std::vector<CycleRow> rows = [] {
        std::vector<CycleRow> list;
        const auto row = [&list](double t, double p, double e, double i) {
            list.push_back({ "t = " + std::to_string(static_cast<int>(t)), t, p, e, i });
        };
        row(0, 0, 0, 0);
        row(1, 26, 22, 18);
        row(-1, -27, -23, -19);
        row(6, 99, 97, 90);
        row(7, 94, 100, 97);
        row(14, -64, 0, 45); // half the emotional period: a positive residue
        row(18, -98, -79, -29);
        row(20, -74, -98, -62);
        row(23, -1, -91, -95);
        row(25, 51, -63, -100);
        row(28, 97, -1, -82);
        row(75, 99, -91, 98);
        row(132, -100, -98, -1);
        return list;
    }();
    return rows;
}

const std::vector<VerdictRow> &VerdictRows()
{
    static const std::vector<VerdictRow> rows = {
        { "0", 0, { 4, 5, 6 } }, { "1", 1, {} },          { "-1", -1, {} },
        { "6", 6, { 7 } },       { "7", 7, { 9 } },       { "18", 18, { 8 } },
        { "20", 20, { 10 } },    { "23", 23, { 4 } },     { "25", 25, { 12 } },
        { "28", 28, { 5 } },     { "75", 75, { 7, 11 } }, { "132", 132, { 6, 8, 10 } },
    };
    return rows;
}

const std::vector<LeapRow> &LeapRows()
{
    static const std::vector<LeapRow> rows = {
        { "1996", 1996, true }, { "1997", 1997, false }, { "1900", 1900, true },
        { "2000", 2000, true }, { "2100", 2100, true },  { "-4", -4, true },
        { "-1", -1, false },
    };
    return rows;
}

const std::vector<ReadNumberRow> &ReadNumberRows()
{
    const double nan = std::nan("");
    static const std::vector<ReadNumberRow> rows = {
        { "empty", "", 0.0 },
        { "digits", "1996", 1996.0 },
        { "leading zeros", "05", 5.0 },
        { "leading blanks", "   12", 12.0 },
        { "leading tab", "\t7", 7.0 },
        { "trailing text ignored", "12abc", 12.0 },
        { "blank inside ends the number", "1 2", 1.0 },
        { "no number", "abc", 0.0 },
        { "only blanks", "   ", 0.0 },
        { "plus sign", "+5", 5.0 },
        { "minus sign", "-3", -3.0 },
        { "sign alone", "-", 0.0 },
        { "fraction", "0.4", 0.4 },
        { "fraction without integer part", ".5", 0.5 },
        { "trailing point", "5.", 5.0 },
        { "point alone", ".", 0.0 },
        { "comma is not a decimal point", "1,5", 1.0 },
        { "exponent", "-3.5e2x", -350.0 },
        { "exponent with sign", "25E-1", 2.5 },
        { "incomplete exponent", "1e", 1.0 },
        { "exponent sign without digits", "1e+", 1.0 },
        { "hex is not read", "0x10", 0.0 },
        { "inf is not a number", "inf", 0.0 },
        { "nan is not a number", "nan", 0.0 },
        { "overflowing exponent", "1e999", nan },
        { "400 digits", std::string(400, '9'), nan },
        { "300 digits", std::string(300, '1'), std::stod(std::string(300, '1')) },
        { "underflow", "1e-999", nan },
        { "2^53", "9007199254740992", 9007199254740992.0 },
    };
    return rows;
}

const std::vector<ConfirmRow> &ConfirmRows()
{
    static const std::vector<ConfirmRow> rows = {
        { "all fields empty", "|||||", 1, false },
        { "same date", "15|6|1980|15|6|1980", 0, true },
        { "target a day before", "15|6|1980|14|6|1980", 2, false },
        { "target an earlier month", "15|6|1980|1|5|1980", 2, false },
        { "target an earlier year", "1|1|1981|31|12|1980", 2, false },
        { "exactly 150 years", "1|1|1850|31|12|2000", 0, true },
        { "151 years", "31|12|1850|1|1|2001", 3, false },
        { "zero year before order", "15|6||1|1|1980", 1, false },
        { "zero target year", "15|6|1980|1|1|0", 1, false },
        { "range before order", "0|6|1980|1|1|1970", 1, false },
        { "birth month 13", "1|13|1980|1|1|1990", 1, false },
        { "target month 13", "1|1|1980|1|13|1990", 1, false },
        { "birth month 0", "1|0|1980|1|1|1990", 1, false },
        { "target month 0", "1|1|1980|1|0|1990", 1, false },
        { "birth day 0", "0|1|1980|1|1|1990", 1, false },
        { "target day 0", "1|1|1980|0|1|1990", 1, false },
        { "birth day 45 passes to the count", "45|1|1980|1|1|1990", 1, true },
        { "pasted blanks and tails", " 15x|06|1980|15|6|1980 ", 0, true },
        { "negative years are not refused", "1|1|-5|1|1|1", 0, true },
        // Pasted text that only the range rules of the confirmation keep out.
        { "fractional birth day", "0.4|1|1980|1|1|1990", 1, false },
        { "fractional target day", "1|1|1980|1.5|1|1990", 1, false },
        { "fractional birth month", "1|0.5|1980|1|1|1990", 1, false },
        { "fractional target month", "1|1|1980|1|12.5|1990", 1, false },
        { "fractional year", "1|1|1980.5|1|1|1990", 1, false },
        { "overflowing year", "1|1|1e999|1|1|1990", 1, false },
        { "400-digit day", std::string(400, '9') + "|1|1980|1|1|1990", 1, false },
        { "non-finite year before order", "1|1|2000|1|1|-1e999", 1, false },
        { "year 2^53", "1|1|9007199254740992|1|1|9007199254740992", 1, false },
        { "year just below 2^53", "1|1|9007199254740991|1|2|9007199254740991", 0, true },
        { "huge negative years", "1|1|-9007199254740991|1|1|-9007199254740850", 0, true },
        { "huge whole day", std::string(300, '1') + "|1|1980|1|1|1990", 1, true },
    };
    return rows;
}

const std::vector<DaysLivedRow> &DaysLivedRows()
{
    static const std::vector<DaysLivedRow> rows = [] {
        std::vector<DaysLivedRow> list;
        const auto row = [&list](const char *birth, int tm, int ty, int r, int t, int y, int days) {
            const std::string name
                = std::string(birth) + " to " + std::to_string(tm) + " " + std::to_string(ty);
            list.push_back({ name, birth, tm, ty, r, t, y, days });
        };
        row("15|3|1990", 3, 1990, 291, 60, -1, -14);
        row("10|1|1996", 3, 1996, 356, 61, -1, 51);
        row("29|2|1996", 6, 2001, 306, 152, 1461, 1919);
        row("31|12|1999", 1, 2000, 0, 1, 0, 1);
        row("1|5|2000", 5, 2000, 244, 122, -1, 0);
        row("1|1|1900", 3, 1900, 365, 61, -1, 60);
        row("1|1|2099", 1, 2101, 364, 1, 366, 731);
        row("1|1|1850", 1, 2000, 364, 1, 54422, 54787);
        row("1|1|1848", 12, 1998, 365, 335, 54422, 55122); // the largest count
        row("31|4|1980", 5, 1980, -1 + 245, 122, -1, 0); // counted with the typed day
        return list;
    }();
    return rows;
}

const std::vector<TargetDayRow> &TargetDayRows()
{
    static const std::vector<TargetDayRow> rows = {
        { "birth 29 2 1996", "29|2|1996|1|1|2000", 31 },
        { "birth 29 2 1997", "29|2|1997|1|1|2000", 0 },
        { "birth 29 2 1900", "29|2|1900|1|1|2000", 31 },
        { "birth 31 4 1980", "31|4|1980|1|1|2000", 0 },
        { "birth 30 4 1980", "30|4|1980|1|1|2000", 31 },
        { "birth 45 1 1980", "45|1|1980|1|1|2000", 0 },
        { "target 29 2 2000", "1|1|1980|29|2|2000", 29 },
        { "target 29 2 2001", "1|1|1980|29|2|2001", 0 },
        { "target 29 2 2100", "1|1|1980|29|2|2100", 29 },
        { "both days too large", "31|4|1980|31|4|2000", 0 },
        { "target 31 12 2000", "1|1|1980|31|12|2000", 31 },
        { "target 30 4 2000", "1|1|1980|30|4|2000", 30 },
        { "target 31 4 2000", "1|1|1980|31|4|2000", 0 },
        { "target 28 2 2001", "1|1|1980|28|2|2001", 28 },
    };
    return rows;
}

const std::vector<DayCountRow> &DayCountRows()
{
    static const std::vector<DayCountRow> rows = [] {
        std::vector<DayCountRow> list = {
            { "any span", 1, 2999, 150, 20000 },
            { "short spans", 1800, 2100, 2, 10000 },
            { "across year 0", -300, 100, 150, 5000 },
        };
        for (const int century : { 1700, 1800, 1900, 2100 }) // across 1 March of a century year
            list.push_back({ "around " + std::to_string(century), century - 3, century, 3, 3000 });
        return list;
    }();
    return rows;
}

} // namespace cykl::test
