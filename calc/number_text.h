// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal text of doubles, read and written independently of the locale, the same in
// every build. Where the standard library has a complete floating-point <charconv>,
// these are std::from_chars and std::to_chars; elsewhere (libc++ 14, the WebAssembly
// build's) they go through the C library. Both paths are compiled everywhere, so the
// native tests compare them.
#pragma once

#include <string_view>
#include <system_error>

namespace cykl {

// Reads a whole text of the form [-] digits [. digits] [e [sign] digits] with correct
// rounding. A magnitude beyond a double, or a nonzero number that rounds to zero, is
// result_out_of_range and leaves value as it was.
std::errc ReadDecimal(std::string_view number, double &value);

// Writes value into [first, last) as std::to_chars(first, last, value) does: the
// shortest text that reads back exactly, fixed or scientific, whichever is shorter
// (fixed on a tie). Returns the end of the text, or first when it does not fit.
char *WriteShortest(char *first, char *last, double value);

// Whole numbers below this magnitude convert to 64 bits exactly.
inline constexpr double WholeLimit = 9223372036854775808.0; // 2^63

// True for a finite whole number below WholeLimit in magnitude.
bool IsSmallWhole(double value);

// Writes a whole number as decimal digits (a minus sign when negative, no leading zeros,
// no decimal point, no separators) into [first, last) and returns the end of what it
// wrote. A value that is not a whole number below 2^63 is written in its shortest form;
// when it does not fit, nothing is written.
char *WriteWholeNumber(char *first, char *last, double value);

// The paths through the C library, for any standard library.
std::errc ReadDecimalPortable(std::string_view number, double &value);
char *WriteShortestPortable(char *first, char *last, double value);

} // namespace cykl
