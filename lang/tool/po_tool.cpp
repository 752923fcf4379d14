// SPDX-License-Identifier: GPL-3.0-or-later
// cykl_po: the catalogue for translators, as gettext catalogues.
//   cykl_po export LANG                  the texts in LANG as a .po file, on standard output
//   cykl_po import LANG FILE.po TEXTS.h  TEXTS.h with the forms of LANG taken from FILE.po,
//                                        on standard output
//   cykl_po json PREFIX                  the texts whose identifiers start with PREFIX in
//                                        every language, as JSON: {"cs": {"id": "text" or
//                                        ["one", "few", "other"]}, "en": {...}}, for the web page
// Each text is one entry: its identifier as the context, its Czech forms as the original
// and the note as the translators' comment. A translation that leaves a text or a form out
// (or empty) keeps the catalogue's form of it.
#include "lang/catalogue.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using cykl::Lang;
using Forms = std::array<std::string, cykl::MaxForms>;

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c == '\n' ? std::string("\\n") : c == '\t' ? std::string("\\t") : std::string(1, c);
    }
    return out + '"';
}

std::string Unquote(std::string_view quoted)
{
    std::string out;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        char c = quoted[i];
        if (c == '\\' && i + 2 < quoted.size()) {
            c = quoted[++i];
            c = c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
        out += c;
    }
    return out;
}

// A language's plural rule as gettext writes it in a catalogue's header: the rule of
// PluralForm, for the translators' tools.
std::string_view PluralRule(Lang lang)
{
    return lang == Lang::Cs ? "nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;"
                            : "nplurals=2; plural=(n != 1);";
}

void Export(Lang lang)
{
    const cykl::Language &language = cykl::LanguageOf(lang);
    std::cout << "# Cyklometrika: the program's texts (" << language.Code << ").\n"
              << "msgid \"\"\nmsgstr \"\"\n"
              << "\"Project-Id-Version: Cyklometrika " CYKL_VERSION "\\n\"\n"
              << "\"PO-Revision-Date: 2026-12-08 00:00+0000\\n\"\n"
              << "\"Last-Translator: Cyklometrika\\n\"\n"
              << "\"Language-Team: " << language.Code << "\\n\"\n"
              << "\"Language: " << language.Code << "\\n\"\n"
              << "\"MIME-Version: 1.0\\n\"\n"
              << "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
              << "\"Content-Transfer-Encoding: 8bit\\n\"\n"
              << "\"Plural-Forms: " << PluralRule(lang) << "\\n\"\n";
    for (const cykl::CatalogueText &text : cykl::CatalogueTexts) {
        const cykl::TextForms &czech = text.Forms[0];
        const cykl::TextForms &forms = text.Forms[static_cast<std::size_t>(lang)];
        std::cout << "\n#. " << text.Note << "\nmsgctxt " << Quote(text.Id) << "\nmsgid "
                  << Quote(czech[0]) << '\n';
        if (!text.Counted) {
            std::cout << "msgstr " << Quote(forms[0]) << '\n';
            continue;
        }
        std::cout << "msgid_plural " << Quote(czech[cykl::LanguageOf(Lang::Cs).PluralForms - 1])
                  << '\n';
        for (std::size_t form = 0; form < language.PluralForms; ++form)
            std::cout << "msgstr[" << form << "] " << Quote(forms[form]) << '\n';
    }
}

std::string JsonQuote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            std::array<char, 8> escaped {};
            std::snprintf(escaped.data(), escaped.size(), "\\u%04x", c);
            out += escaped.data();
        } else {
            out += c;
        }
    }
    return out + '"';
}

void Json(std::string_view prefix)
{
    const char *languageComma = "{";
    for (const cykl::Language &language : cykl::Languages) {
        std::cout << languageComma << JsonQuote(language.Code) << ": {";
        languageComma = ",\n ";
        const char *comma = "";
        for (const cykl::CatalogueText &text : cykl::CatalogueTexts) {
            if (!text.Id.starts_with(prefix))
                continue;
            const cykl::TextForms &forms = text.Forms[static_cast<std::size_t>(language.Id)];
            std::cout << comma << "\n  " << JsonQuote(text.Id) << ": ";
            comma = ",";
            if (!text.Counted) {
                std::cout << JsonQuote(forms[0]);
                continue;
            }
            for (std::size_t form = 0; form < language.PluralForms; ++form)
                std::cout << (form == 0 ? "[" : ", ") << JsonQuote(forms[form]);
            std::cout << ']';
        }
        std::cout << '}';
    }
    std::cout << "}\n";
}

// The translations of a .po file: its context, then its forms (msgstr alone is form 0).
std::map<std::string, Forms> ReadPo(std::istream &in)
{
    std::map<std::string, Forms> entries;
    std::string context;
    std::string *field = nullptr;
    Forms forms;
    std::string ignored;
    const auto finish = [&] {
        if (!context.empty())
            entries[context] = forms;
        context.clear();
        forms = {};
    };
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t space = line.find(' ');
        const std::string keyword = line.substr(0, space);
        if (line.empty() || line[0] == '#') {
            continue;
        } else if (line[0] == '"' && field != nullptr) {
            *field += Unquote(line);
        } else if (keyword == "msgctxt") {
            finish();
            field = &context;
            *field = Unquote(line.substr(space + 1));
        } else if (keyword.starts_with("msgstr")) {
            const std::size_t form = keyword.size() > 7 ? std::stoul(keyword.substr(7)) : 0;
            field = form < forms.size() ? &forms.at(form) : &ignored;
            *field = Unquote(line.substr(space + 1));
        } else {
            field = &ignored; // msgid and msgid_plural: the Czech forms the catalogue has
        }
    }
    finish();
    return entries;
}

std::string Entry(const cykl::CatalogueText &text,
                  const std::array<Forms, cykl::LanguageCount> &forms)
{
    std::ostringstream out;
    if (!text.Counted) {
        out << "    PlainText(" << Quote(text.Id) << ",\n              " << Quote(text.Note);
        for (const Forms &language : forms)
            out << ",\n              " << Quote(language[0]);
        out << "),\n";
        return out.str();
    }
    out << "    CountedText(" << Quote(text.Id) << ",\n                " << Quote(text.Note);
    for (const cykl::Language &language : cykl::Languages) {
        out << ",\n                {";
        for (std::size_t form = 0; form < language.PluralForms; ++form)
            out << (form == 0 ? " " : ", ")
                << Quote(forms.at(static_cast<std::size_t>(language.Id))[form]);
        out << " }";
    }
    out << "),\n";
    return out.str();
}

// texts with the table between its opening and closing lines written anew.
std::optional<std::string> Import(Lang lang, std::istream &po, std::istream &texts)
{
    const std::map<std::string, Forms> translated = ReadPo(po);
    std::string table;
    for (const cykl::CatalogueText &text : cykl::CatalogueTexts) {
        std::array<Forms, cykl::LanguageCount> forms;
        for (std::size_t l = 0; l < cykl::LanguageCount; ++l)
            std::copy(text.Forms[l].begin(), text.Forms[l].end(), forms[l].begin());
        const auto found = translated.find(std::string(text.Id));
        for (std::size_t form = 0; found != translated.end() && form < cykl::MaxForms; ++form) {
            if (!found->second[form].empty()
                && !forms[static_cast<std::size_t>(lang)][form].empty())
                forms[static_cast<std::size_t>(lang)][form] = found->second[form];
        }
        table += Entry(text, forms);
    }
    std::ostringstream out;
    bool inTable = false;
    for (std::string line; std::getline(texts, line);) {
        if (inTable && line == "};") {
            out << table;
            inTable = false;
        }
        if (!inTable)
            out << line << '\n';
        inTable = inTable || line.ends_with("CatalogueTexts[] = {");
    }
    if (inTable)
        return std::nullopt;
    return out.str();
}

} // namespace

int main(int argc, char *argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::optional<Lang> lang = args.size() >= 2 ? cykl::FindLanguage(args[1]) : std::nullopt;
    if (lang && args[0] == "export" && args.size() == 2) {
        Export(*lang);
        return std::cout.flush() ? 0 : 3;
    }
    if (args.size() == 2 && args[0] == "json") {
        Json(args[1]);
        return std::cout.flush() ? 0 : 3;
    }
    if (lang && args[0] == "import" && args.size() == 4) {
        std::ifstream po(args[2]);
        std::ifstream texts(args[3]);
        const std::optional<std::string> result
            = po && texts ? Import(*lang, po, texts) : std::nullopt;
        if (!result) {
            std::cerr << "cykl_po: cannot read " << args[2] << " or " << args[3] << '\n';
            return 1;
        }
        std::cout << *result;
        return std::cout.flush() ? 0 : 3;
    }
    std::cerr
        << "usage: cykl_po export LANG | cykl_po import LANG FILE.po TEXTS.h | cykl_po json PREFIX "
           "(LANG: cs, en)\n";
    return 2;
}
