// SPDX-License-Identifier: GPL-3.0-or-later
// A small writer of JSON text: strings escaped, numbers in their shortest exact form.
// Compact for the web page's state; indented for files that people and programs read,
// laid out as the companion has always written them (four spaces a level, "key": value,
// an empty list as its brackets on two lines, a line break at the end).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cykl {

class JsonWriter {
public:
    enum class Layout { Compact, Indented };
    explicit JsonWriter(Layout layout = Layout::Compact) : indented_(layout == Layout::Indented) { }

    JsonWriter &Open(char bracket); // '{' or '['
    JsonWriter &Close(char bracket); // '}' or ']'
    JsonWriter &Key(std::string_view key);
    JsonWriter &String(std::string_view text);
    JsonWriter &Number(double value); // not finite: null
    JsonWriter &Number(std::optional<double> value); // none: null
    JsonWriter &Bool(bool value);
    // A value that is JSON already (another writer's text), as it is; an empty one as null.
    JsonWriter &Raw(std::string_view json);

    const std::string &Text() const { return out_; }

private:
    void Separate();
    void NewLine();

    std::string out_;
    bool indented_;
    int depth_ = 0; // open objects and arrays
    bool first_ = true; // nothing written yet in the open object or array
    bool afterKey_ = false; // a key is written, its value comes next
};

} // namespace cykl
