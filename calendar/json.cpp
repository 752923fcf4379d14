// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/json.h"

#include "calc/number_text.h"

#include <array>
#include <cmath>

namespace cykl {

namespace {

// The letter of a character's short escape (\n...), or 0 where it has none.
char EscapeLetter(char c)
{
    switch (c) {
    case '\b':
        return 'b';
    case '\f':
        return 'f';
    case '\n':
        return 'n';
    case '\r':
        return 'r';
    case '\t':
        return 't';
    case '"':
    case '\\':
        return c;
    default:
        return 0;
    }
}

} // namespace

void JsonWriter::NewLine()
{
    if (!indented_)
        return;
    out_ += '\n';
    for (int level = 0; level < depth_; ++level)
        out_ += "    ";
}

// Before a value or a key: the comma after the one before it, and its own line.
void JsonWriter::Separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_)
        out_ += ',';
    first_ = false;
    if (depth_ > 0)
        NewLine();
}

JsonWriter &JsonWriter::Open(char bracket)
{
    Separate();
    out_ += bracket;
    ++depth_;
    first_ = true;
    return *this;
}

JsonWriter &JsonWriter::Close(char bracket)
{
    --depth_;
    NewLine();
    out_ += bracket;
    if (indented_ && depth_ == 0)
        out_ += '\n';
    first_ = false;
    return *this;
}

JsonWriter &JsonWriter::Key(std::string_view key)
{
    String(key);
    out_ += indented_ ? ": " : ":";
    afterKey_ = true;
    return *this;
}

JsonWriter &JsonWriter::String(std::string_view text)
{
    Separate();
    out_ += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (const char letter = EscapeLetter(c); letter != 0) {
            out_ += '\\';
            out_ += letter;
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

JsonWriter &JsonWriter::Raw(std::string_view json)
{
    Separate();
    out_ += json.empty() ? "null" : json;
    return *this;
}

} // namespace cykl
