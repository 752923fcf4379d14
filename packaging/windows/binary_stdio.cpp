// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into the companion command on Windows: its output is bytes, exactly as on other
// systems, so standard output and standard error are switched from the C runtime's text
// mode (which writes every "\n" as "\r\n") to binary mode before main runs.
#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {

const bool kBinaryStdio = [] {
    return ::_setmode(::_fileno(stdout), _O_BINARY) != -1
        && ::_setmode(::_fileno(stderr), _O_BINARY) != -1;
}();

} // namespace
