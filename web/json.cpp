// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/json.h"

#include "calc/number_text.h"

#include <array>
#include <cmath>

namespace cykl::web {

void JsonWriter::Separate()
{
    if (!first_)
        out_ += ',';
    first_ = false;
}

JsonWriter &JsonWriter::Open(char bracket)
{
    Separate();
    out_ += bracket;
    first_ = true;
    return *this;
}

JsonWriter &JsonWriter::Close(char bracket)
{
    out_ += bracket;
    first_ = false;
    return *this;
}

JsonWriter &JsonWriter::Key(std::string_view key)
{
    String(key);
    out_ += ':';
    first_ = true; // the value follows without a comma
    return *this;
}

JsonWriter &JsonWriter::String(std::string_view text)
{
    Separate();
    out_ += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += c;
        } else if (byte < 0x20) {
            constexpr std::string_view Hex = "0123456789abcdef";
            out_ += "\\u00";
            out_ += Hex[byte >> 4];
            out_ += Hex[byte & 0xf];
        } else {
            out_ += c;
        }
    }
    out_ += '"';
    return *this;
}

JsonWriter &JsonWriter::Number(double value)
{
    Separate();
    if (!std::isfinite(value)) {
        out_ += "null";
        return *this;
    }
    std::array<char, 40> buffer {};
    char *end = WriteWholeNumber(buffer.data(), buffer.data() + buffer.size(), value);
    out_.append(buffer.data(), end);
    return *this;
}

JsonWriter &JsonWriter::Number(std::optional<double> value)
{
    if (!value) {
        Separate();
        out_ += "null";
        return *this;
    }
    return Number(*value);
}

JsonWriter &JsonWriter::Bool(bool value)
{
    Separate();
    out_ += value ? "true" : "false";
    return *this;
}

} // namespace cykl::web
