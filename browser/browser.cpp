// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/browser.h"

#include "browser/texts.h"

#include <stdexcept>

namespace cykl {

namespace {

std::array<std::string, LanguageCount> InEveryLanguage(const std::string &text)
{
    std::array<std::string, LanguageCount> texts;
    texts.fill(text);
    return texts;
}

} // namespace

BrowserError::BrowserError(const std::string &text) : BrowserError(InEveryLanguage(text)) { }

BrowserError::BrowserError(const std::array<std::string, LanguageCount> &texts)
    : std::runtime_error(texts[static_cast<std::size_t>(Lang::Cs)]), texts_(texts)
{
}

BrowserError BrowserError::Followed(const QString &detail) const
{
    std::array<std::string, LanguageCount> texts;
    for (std::size_t i = 0; i < LanguageCount; ++i)
        texts[i] = (QString::fromStdString(texts_[i]) + u'\n' + detail).trimmed().toStdString();
    return BrowserError(texts);
}

namespace browser_text {

BrowserError Failure(TextKey key, std::initializer_list<QString> args)
{
    if (args.size() > 2)
        throw std::invalid_argument("browser_text::Failure: at most two arguments");
    std::array<std::string, 2> given;
    auto next = given.begin();
    for (const QString &arg : args)
        *next++ = arg.toStdString();
    std::array<std::string, LanguageCount> texts;
    for (const Language &language : Languages)
        texts[static_cast<std::size_t>(language.Id)]
            = Say(key, language.Id, { given[0], given[1] });
    return BrowserError(texts);
}

} // namespace browser_text

} // namespace cykl
