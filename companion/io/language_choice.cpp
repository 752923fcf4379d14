// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/io/language_choice.h"

#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

// The language part of a locale or language name: "en" of "en_GB.UTF-8@euro".
std::optional<Lang> SpokenLanguage(const QString &name)
{
    const QString code = name.section(QLatin1Char('_'), 0, 0)
                             .section(QLatin1Char('.'), 0, 0)
                             .section(QLatin1Char('@'), 0, 0)
                             .toLower();
    return FindLanguage(code.toStdString());
}

// The value of --lang or --jazyk, the first given; empty where none is.
QString LanguageArgument(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &word = arguments[i];
        for (const char *name : { "--lang", "--jazyk" }) {
            const QLatin1String option(name);
            if (word == option)
                return arguments.value(i + 1, QStringLiteral("?"));
            if (word.startsWith(option + QLatin1Char('=')))
                return word.mid(option.size() + 1);
        }
    }
    return {};
}

} // namespace

Lang LocaleLanguage(const Environment &environment)
{
    QString locale;
    for (const char *name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        locale = environment.Variable(name);
        if (!locale.isEmpty())
            break;
    }
    const QString base = locale.section(QLatin1Char('.'), 0, 0);
    if (base.isEmpty() || base == QLatin1String("C") || base == QLatin1String("POSIX"))
        return Lang::Cs;
    for (const QString &name : environment.Variable("LANGUAGE").split(QLatin1Char(':'))) {
        if (const auto language = SpokenLanguage(name))
            return *language;
    }
    return SpokenLanguage(locale).value_or(Lang::Cs);
}

LanguageChoice ChooseLanguage(const QStringList &arguments, const Environment &environment)
{
    QString asked = LanguageArgument(arguments);
    if (asked.isEmpty())
        asked = environment.Variable("CYKLOMETRIKA_LANG");
    if (asked.isEmpty())
        return Lang::Cs;
    if (asked.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0)
        return LocaleLanguage(environment);
    if (const auto language = FindLanguage(asked.toLower().toStdString()))
        return *language;
    return Said("usage.unknown.language", environment.Language(), { asked.toStdString() });
}

} // namespace cykl::companion
