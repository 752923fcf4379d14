// SPDX-License-Identifier: GPL-3.0-or-later
// The browser layer's failures, told by the catalogue's texts (browser.*) in every
// language. They reach the user inside the home-page button's error report.
#pragma once

#include "browser/browser.h"
#include "lang/catalogue.h"

#include <QString>
#include <initializer_list>

namespace cykl::browser_text {

// The failure of the text key in every language, its placeholders {1}, {2} filled with
// args in order (a file or program, then the system's reason).
BrowserError Failure(TextKey key, std::initializer_list<QString> args = {});

} // namespace cykl::browser_text
