// SPDX-License-Identifier: GPL-3.0-or-later
// What the display needs of the window besides the charts: a modal message box,
// the caption of the confirm button and the six field texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cykl {

enum class MessageStyle : std::int16_t {
    Stop = 16,
    Exclamation = 48,
    Information = 64,
};

// A modal box with one OK button; returns when the user has closed it.
class MessageBoxSeam {
public:
    virtual ~MessageBoxSeam() = default;
    virtual void Show(std::string_view text, std::string_view title, MessageStyle style) = 0;
};

// The caption of Command1.
class CaptionTarget {
public:
    virtual ~CaptionTarget() = default;
    virtual void SetCaption(std::string_view caption) = 0;
};

// The texts of Text1 to Text6 (field = 1 .. 6), UTF-8.
class FieldSource {
public:
    virtual ~FieldSource() = default;
    virtual std::string FieldText(int field) const = 0;
};

} // namespace cykl
