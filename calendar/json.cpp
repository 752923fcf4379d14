// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/json.h"

#include "calc/number_text.h"

#include <array>
#include <cmath>

namespace cykl {

void JsonWriter::NewLine()
{
    if (!indented_)
        return;
    out_ += '\n';
    out_.append(4 * static_cast<std::size_t>(depth_), ' ');
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
        // Pairs of a character and the letter of its short escape.
        constexpr std::string_view Short = "\bb\ff\nn\rr\tt\"\"\\\\";
        if (const auto found = Short.find(c); found != std::string_view::npos && found % 2 == 0) {
            out_ += '\\';
            out_ += Short[found + 1];
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

} // namespace cykl
