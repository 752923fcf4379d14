// SPDX-License-Identifier: GPL-3.0-or-later
// The module's C interface, all the page calls: the page writes its request (web/request.h)
// as UTF-8 into the input area and calls cykl_call with its length; the answer is one JSON
// document, ended by a zero byte, that stays valid until the next call.
#include "web/request.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#define CYKL_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

constexpr std::size_t InputSize = 4096;

// The one page of the module, for as long as the page lives.
struct Module {
    cykl::web::Page Page;
    std::array<char, InputSize> Input {};
    std::string Answer;
};

Module &TheModule()
{
    static Module module;
    return module;
}

} // namespace

// The input area: InputSize bytes for the request.
CYKL_EXPORT(cykl_input) char *CyklInput()
{
    return TheModule().Input.data();
}

CYKL_EXPORT(cykl_input_size) int CyklInputSize()
{
    return static_cast<int>(InputSize);
}

// The request of the first length bytes of the input area (at most InputSize) answered.
CYKL_EXPORT(cykl_call) const char *CyklCall(int length)
{
    Module &module = TheModule();
    const auto size
        = std::min<std::size_t>(static_cast<std::size_t>(std::max(length, 0)), InputSize);
    module.Answer = module.Page.Answer(std::string_view(module.Input.data(), size));
    return module.Answer.c_str();
}
