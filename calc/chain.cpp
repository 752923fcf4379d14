// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/chain.h"

#include "calc/number_text.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <system_error>

namespace cykl {

namespace {

const double Pi = 4 * std::atan(1.0);

// 2^53: from here on a double no longer holds every whole number, and y + 1 == y.
constexpr double LargestYear = 9007199254740992.0;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of the form [sign] digits [. digits] [e [sign] digits]
// with at least one mantissa digit; 0 when the text does not start with a number.
std::size_t NumberPrefixLength(std::string_view s)
{
    std::size_t i = 0;
    const auto skipDigits = [&] {
        const std::size_t start = i;
        while (i < s.size() && IsDigit(s[i]))
            ++i;
        return i - start;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t mantissaDigits = skipDigits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissaDigits += skipDigits();
    }
    if (mantissaDigits == 0)
        return 0;
    const std::size_t end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (skipDigits() > 0)
            return i;
    }
    return end;
}

// The usual field, a few plain digits, read directly; the result is exact, as it is from
// std::from_chars. Anything else gives nothing.
std::optional<double> ReadPlainDigits(std::string_view number)
{
    constexpr std::size_t ExactDigits = 15;
    if (number.empty() || number.size() > ExactDigits)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : number) {
        if (!IsDigit(c))
            return std::nullopt;
        value = 10 * value + (c - '0');
    }
    return static_cast<double>(value);
}

bool IsWhole(double x)
{
    return std::isfinite(x) && x == std::trunc(x);
}

// The range rules of a confirmation. Besides the zero days and months, and months over
// 12, it refuses what only pasted text can bring: a value that is not finite (1e999,
// 400 digits), a day or month that is not a whole number (0.4 would otherwise count as
// day 0 of its month), and a year that is not a whole number or whose magnitude is
// 2^53 or more (adding one would no longer change it, so the year walk of the day count
// would never end; a fraction would also put a decimal point into the span message).
// Negative years are let through.
bool InRange(const InputDateRecord &d)
{
    const auto wholeYear = [](double y) { return IsWhole(y) && std::abs(y) < LargestYear; };
    return d.BirthDay > 0 && d.TargetDay > 0 && d.BirthMonth > 0 && d.TargetMonth > 0
        && d.BirthMonth < 13 && d.TargetMonth < 13 && IsWhole(d.BirthDay) && IsWhole(d.TargetDay)
        && IsWhole(d.BirthMonth) && IsWhole(d.TargetMonth) && wholeYear(d.BirthYear)
        && wholeYear(d.TargetYear);
}

bool TargetBeforeBirth(const InputDateRecord &d)
{
    return d.TargetYear < d.BirthYear
        || (d.TargetYear == d.BirthYear && d.TargetMonth < d.BirthMonth)
        || (d.TargetYear == d.BirthYear && d.TargetMonth == d.BirthMonth
            && d.TargetDay < d.BirthDay);
}

// The length of a month with the leap day of the calculation's rule.
int DaysInMonth(const MonthLengthTable &monthLength, double month, double year)
{
    const int m = static_cast<int>(month);
    return monthLength(m) + ((m == 2 && IsLeap(year)) ? 1 : 0);
}

} // namespace

bool IsLeap(double year)
{
    const double quarter = year / 4;
    return quarter == std::trunc(quarter);
}

Verdicts DailyVerdicts(double P, double E, double I)
{
    // The nine tests in their order: the three critical days, then high and low of each
    // cycle. The three ranges of one cycle do not overlap, so at most three hold.
    const std::array<bool, 9> holds
        = { std::abs(P) <= 3, std::abs(E) <= 3, std::abs(I) <= 3, P >= 98, P <= -98,
            E >= 98,          E <= -98,         I >= 98,          I <= -98 };
    Verdicts verdicts;
    for (std::size_t k = 0; k < holds.size(); ++k) {
        if (holds[k] && verdicts.Count < static_cast<int>(verdicts.Codes.size()))
            verdicts.Codes[static_cast<std::size_t>(verdicts.Count++)]
                = static_cast<MessageCode>(4 + k);
    }
    return verdicts;
}

double CycleValue(double t, int period)
{
    const double a = 2 * Pi;
    const double b = a * t;
    const double x = b / period;
    return std::floor(100 * std::sin(x));
}

double ReadNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    std::string_view number = text.substr(0, NumberPrefixLength(text));
    if (number.empty())
        return 0;
    if (number.front() == '+')
        number.remove_prefix(1);
    if (const auto whole = ReadPlainDigits(number))
        return *whole;
    double value = 0;
    const std::errc error = ReadDecimal(number, value);
    if (error == std::errc::result_out_of_range)
        return std::numeric_limits<double>::quiet_NaN();
    if (error != std::errc {})
        return 0;
    return value;
}

void ConfirmInput(Main &main, Port &port)
{
    InputDateRecord typed;
    typed.BirthDay = ReadNumber(port.FieldText(1));
    typed.BirthMonth = ReadNumber(port.FieldText(2));
    typed.BirthYear = ReadNumber(port.FieldText(3));
    typed.TargetDay = ReadNumber(port.FieldText(4));
    typed.TargetMonth = ReadNumber(port.FieldText(5));
    typed.TargetYear = ReadNumber(port.FieldText(6));
    ConfirmNumbers(main, port, typed);
}

void ConfirmNumbers(Main &main, Port &port, const InputDateRecord &typed)
{
    InputDateRecord &d = main.InputDates;
    const double chosenDay = d.ChosenDay; // CountDays saves the typed day there
    d = typed;
    d.ChosenDay = chosenDay;

    if (d.BirthYear == 0 || d.TargetYear == 0) {
        port.ShowMessage(1);
        return;
    }
    if (!InRange(d)) {
        port.ShowMessage(1);
        return;
    }
    if (TargetBeforeBirth(d)) {
        port.ShowMessage(2);
        return;
    }
    if (d.TargetYear - d.BirthYear > 150) {
        port.ShowMessage(3);
        return;
    }
    CountDays(main, port);
}

double CountDaysLived(const InputDateRecord &d, const MonthLengthTable &monthLength)
{
    const int birthMonth = static_cast<int>(d.BirthMonth);
    const int targetMonth = static_cast<int>(d.TargetMonth);

    double R = monthLength(birthMonth) - d.BirthDay; // rest of the birth year
    for (int m = birthMonth + 1; m <= 12; ++m)
        R += monthLength(m);
    if (IsLeap(d.BirthYear) && birthMonth <= 2)
        R += 1;

    double T = 1; // ordinal of the target month's first day in its year
    for (int m = 1; m <= targetMonth - 1; ++m)
        T += monthLength(m);
    if (IsLeap(d.TargetYear) && targetMonth > 2)
        T += 1;

    if (d.BirthYear == d.TargetYear)
        return (R + T) - 365 - (IsLeap(d.BirthYear) ? 1 : 0);

    double Y = 0; // the whole years in between
    for (double y = d.BirthYear + 1; y <= d.TargetYear - 1; ++y)
        Y += IsLeap(y) ? 366 : 365;
    return R + T + Y;
}

void CountDays(Main &main, Port &port)
{
    main.MonthLength.Fill();
    InputDateRecord &d = main.InputDates;
    d.ChosenDay = d.TargetDay;
    d.TargetDay = 1;
    double DaysLived = CountDaysLived(d, main.MonthLength);
    CheckTargetDay(main, port, DaysLived);
}

void CheckTargetDay(Main &main, Port &port, double &DaysLived)
{
    const InputDateRecord &d = main.InputDates;
    if (d.BirthDay > DaysInMonth(main.MonthLength, d.BirthMonth, d.BirthYear)) {
        port.ShowMessage(1);
        return;
    }
    if (d.ChosenDay > DaysInMonth(main.MonthLength, d.TargetMonth, d.TargetYear)) {
        port.ShowMessage(1);
        return;
    }
    DrawCycles(main, port, DaysLived);
}

void DrawCycles(Main &main, Port &port, double &DaysLived)
{
    const InputDateRecord &d = main.InputDates;
    MonthValues values;
    values.Days
        = static_cast<std::int16_t>(DaysInMonth(main.MonthLength, d.TargetMonth, d.TargetYear));
    port.SetUpCharts(values.Days);
    for (std::int16_t i = 1; i <= values.Days; ++i) {
        const double t = DaysLived;
        const auto k = static_cast<std::size_t>(i - 1);
        values.Physical[k] = CycleValue(t, PhysicalPeriod);
        values.Emotional[k] = CycleValue(t, EmotionalPeriod);
        values.Intellectual[k] = CycleValue(t, IntellectualPeriod);
        port.LabelDay(i);
        DaysLived += 1;
    }
    port.FillMonthChart(values);

    const auto chosen = static_cast<std::size_t>(d.ChosenDay) - 1;
    const double P = values.Physical[chosen];
    const double E = values.Emotional[chosen];
    const double I = values.Intellectual[chosen];
    port.FillDayChart(d.ChosenDay, d.TargetMonth, P, E, I);
    for (const MessageCode code : DailyVerdicts(P, E, I))
        port.ShowMessage(code);
    port.SetConfirmCaption(CaptionConfirmed);
}

} // namespace cykl
