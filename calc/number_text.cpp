// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <version>

namespace cykl {

namespace {

// With 17 significant digits every double reads back exactly.
constexpr int MaxDigits = 17;

char *Put(char *first, char *last, std::string_view text)
{
    if (static_cast<std::size_t>(last - first) < text.size())
        return first;
    return std::copy(text.begin(), text.end(), first);
}

// The decimal point of the current C locale, where the C library reads and writes one.
std::string_view LocalePoint()
{
    return std::localeconv()->decimal_point;
}

// The shortest significant digits that read back as value (finite, not zero), and the
// decimal exponent of the first of them.
std::string ShortestDigits(double value, int &exponent)
{
    std::array<char, 64> text {};
    for (int digits = 1;; ++digits) {
        std::snprintf(text.data(), text.size(), "%.*e", digits - 1, value);
        if (digits == MaxDigits || std::strtod(text.data(), nullptr) == value)
            break;
    }
    const std::string_view written(text.data());
    const auto e = written.find('e');
    exponent = std::atoi(written.data() + e + 1);
    std::string out;
    for (const char c : written.substr(0, e)) {
        if (c >= '0' && c <= '9')
            out += c;
    }
    return out;
}

std::string Scientific(const std::string &digits, int exponent)
{
    std::string out(1, digits[0]);
    if (digits.size() > 1)
        out += '.' + digits.substr(1);
    out += exponent < 0 ? "e-" : "e+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        out += '0';
    return out + std::to_string(magnitude);
}

std::string Fixed(double value, const std::string &digits, int exponent)
{
    const auto count = static_cast<int>(digits.size());
    if (exponent >= count - 1) {
        // A whole number: its exact digits, as a fixed text of a double always shows.
        std::array<char, 400> text {};
        std::snprintf(text.data(), text.size(), "%.0f", std::abs(value));
        return text.data();
    }
    if (exponent >= 0) {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        return digits.substr(0, whole) + '.' + digits.substr(whole);
    }
    return "0." + std::string(static_cast<std::size_t>(-exponent) - 1, '0') + digits;
}

} // namespace

std::errc ReadDecimalPortable(std::string_view number, double &value)
{
    std::string text(number);
    if (const auto point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, LocalePoint());
    const double read = std::strtod(text.c_str(), nullptr);
    const auto mantissa = number.substr(0, number.find_first_of("eE"));
    const bool nonzero = mantissa.find_first_of("123456789") != std::string_view::npos;
    if (std::isinf(read) || (read == 0 && nonzero))
        return std::errc::result_out_of_range;
    value = read;
    return std::errc {};
}

char *WriteShortestPortable(char *first, char *last, double value)
{
    std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value))
        return Put(first, last, sign + "nan");
    if (std::isinf(value))
        return Put(first, last, sign + "inf");
    if (value == 0)
        return Put(first, last, sign + "0");
    int exponent = 0;
    const std::string digits = ShortestDigits(value, exponent);
    const std::string fixed = Fixed(value, digits, exponent);
    const std::string scientific = Scientific(digits, exponent);
    return Put(first, last, sign + (fixed.size() <= scientific.size() ? fixed : scientific));
}

#if defined(__cpp_lib_to_chars)

std::errc ReadDecimal(std::string_view number, double &value)
{
    return std::from_chars(number.data(), number.data() + number.size(), value).ec;
}

char *WriteShortest(char *first, char *last, double value)
{
    const auto result = std::to_chars(first, last, value);
    return result.ec == std::errc {} ? result.ptr : first;
}

#else

// libc++ 14 has no floating-point from_chars, and its to_chars brings 120 KB of tables
// into the WebAssembly module for numbers the program never writes in practice.
std::errc ReadDecimal(std::string_view number, double &value)
{
    return ReadDecimalPortable(number, value);
}

char *WriteShortest(char *first, char *last, double value)
{
    return WriteShortestPortable(first, last, value);
}

#endif

bool IsSmallWhole(double value)
{
    return std::isfinite(value) && value == std::trunc(value) && std::abs(value) < WholeLimit;
}

char *WriteWholeNumber(char *first, char *last, double value)
{
    if (!IsSmallWhole(value))
        return WriteShortest(first, last, value);
    const auto result = std::to_chars(first, last, static_cast<std::int64_t>(value));
    return result.ec == std::errc {} ? result.ptr : first;
}

} // namespace cykl
