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

// The paths through the C library, for any standard library.
std::errc ReadDecimalPortable(std::string_view number, double &value);
char *WriteShortestPortable(char *first, char *last, double value);

} // namespace cykl
