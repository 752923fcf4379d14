// SPDX-License-Identifier: GPL-3.0-or-later
// A small writer of JSON text: strings escaped, numbers in their shortest exact form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cykl::web {

class JsonWriter {
public:
    JsonWriter &Open(char bracket); // '{' or '['
    JsonWriter &Close(char bracket); // '}' or ']'
    JsonWriter &Key(std::string_view key);
    JsonWriter &String(std::string_view text);
    JsonWriter &Number(double value); // not finite: null
    JsonWriter &Number(std::optional<double> value); // none: null
    JsonWriter &Bool(bool value);

    const std::string &Text() const { return out_; }

private:
    void Separate();

    std::string out_;
    bool first_ = true; // nothing written yet in the open object or array
};

} // namespace cykl::web
