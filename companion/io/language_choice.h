// SPDX-License-Identifier: GPL-3.0-or-later
// The language a run speaks: --lang (or --jazyk) anywhere on the command line, else the
// variable CYKLOMETRIKA_LANG, else Czech. Czech stays the default in any locale, so that
// scripts and calendars never change language unasked; "auto" asks the locale.
#pragma once

#include "companion/io/environment.h"

#include <QStringList>
#include <variant>

namespace cykl::companion {

// The language, or the usage error of a language we do not speak.
using LanguageChoice = std::variant<Lang, QString>;

LanguageChoice ChooseLanguage(const QStringList &arguments, const Environment &environment);

// The language of the locale, read as gettext reads it: a locale of C or POSIX (or none)
// is Czech; otherwise the first language of LANGUAGE we speak, else that of the first of
// LC_ALL, LC_MESSAGES and LANG that is set, else Czech.
Lang LocaleLanguage(const Environment &environment);

} // namespace cykl::companion
