// SPDX-License-Identifier: GPL-3.0-or-later
// A text of the catalogue as Qt takes it: the window's controls, the command's output.
#pragma once

#include "lang/catalogue.h"

#include <QString>
#include <initializer_list>

namespace cykl {

inline QString Said(TextKey key, Lang lang)
{
    const std::string_view text = Say(key, lang);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString Said(TextKey key, Lang lang, std::initializer_list<std::string_view> args)
{
    return QString::fromStdString(Say(key, lang, args));
}

} // namespace cykl
