// SPDX-License-Identifier: GPL-3.0-or-later
// The table of commands and options: whole, read alike by the dispatcher and the help, and
// the manual pages listing what it holds; the command line's faults refused by name.
#include "companion/command.h"
#include "companion/commands/command_unit.h"
#include "companion/commands/completion.h"
#include "companion/io/language_choice.h"
#include "lang/qt/said.h"
#include "tests/support/memory_environment.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace cykl;
using namespace cykl::companion;

namespace {

// The tags of the entries (.TP) of a section of a manual page, its name to the next one's.
QStringList Tags(const QString &path, const QString &section)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QStringList tags;
    bool inside = false;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].startsWith(QLatin1String(".SH ")))
            inside = lines[i].mid(4).trimmed() == section;
        if (inside && lines[i].startsWith(QLatin1String(".TP")))
            tags.append(QString(lines[i + 1]).replace(QLatin1String("\\-"), QLatin1String("-")));
    }
    return tags;
}

QSet<QString> Matches(const QStringList &texts, const QString &pattern)
{
    const QRegularExpression expression(pattern, QRegularExpression::UseUnicodePropertiesOption);
    QSet<QString> found;
    for (const QString &text : texts) {
        for (const auto &match : expression.globalMatch(text))
            found.insert(match.captured(1));
    }
    return found;
}

} // namespace

class TestCompanionTable : public QObject {
    Q_OBJECT

private slots:
    void tableIsWhole();
    void completionFollowsTheTable();
    void manualPagesListTheTable_data();
    void manualPagesListTheTable();
    void faultsNamed_data();
    void faultsNamed();
    void languageChosen_data();
    void languageChosen();
    void helpInEveryLanguage();
    void englishSuggestionTaken();
};

void TestCompanionTable::tableIsWhole()
{
    QSet<QString> names;
    for (const CommandUnit &command : Commands()) {
        QVERIFY(command.Names.size() >= 2 && command.Parse != nullptr);
        QVERIFY2(Say(command.Help, Lang::Cs).find("{1}") != std::string_view::npos,
                 qPrintable(command.Names.first()));
        for (const QString &name : command.Names) {
            QVERIFY2(!names.contains(name) && name == name.toLower(), qPrintable(name));
            names.insert(name);
            QCOMPARE(FindCommand(name.toUpper()), &command);
        }
        QStringList keys = command.Options;
        for (const Refusal &refusal : command.Refusals)
            keys.append(refusal.Key);
        for (const QString &key : keys)
            QVERIFY2(FindOption(key) != nullptr && FindOption(key)->Key == key, qPrintable(key));
    }
}

// A shell offers each command's names, then the options it takes and no other.
void TestCompanionTable::completionFollowsTheTable()
{
    QStringList names;
    for (const CommandUnit &command : Commands()) {
        names += command.Names;
        QSet<QString> offered;
        for (const QString &word : Completions({ command.Names.last(), "-" }, {}))
            offered.insert(word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1));
        QSet<QString> taken;
        for (const QString &key : command.Options + QStringList { "help" })
            taken += QSet<QString>(FindOption(key)->Names.begin(), FindOption(key)->Names.end());
        QCOMPARE(offered, taken);
    }
    QCOMPARE(Completions({ "" }, {}), names);
}

void TestCompanionTable::manualPagesListTheTable_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("commands");
    QTest::addColumn<QString>("options");
    QTest::newRow("English") << QStringLiteral(CYKL_MAN_DIR "/cyklometrika.1") << "COMMANDS"
                             << "OPTIONS";
    QTest::newRow("Czech") << QStringLiteral(CYKL_MAN_DIR "/cs/cyklometrika.1") << "PŘÍKAZY"
                           << "VOLBY";
}

// Each command and option of the table has its entry, and each entry names one of them.
void TestCompanionTable::manualPagesListTheTable()
{
    QFETCH(QString, page);
    QFETCH(QString, commands);
    QFETCH(QString, options);
    const QSet<QString> named = Matches(Tags(page, commands), QStringLiteral("^\\.B[IR]? (\\w+)"));
    QSet<QString> listed;
    for (const CommandUnit &command : Commands()) {
        const QSet<QString> names(command.Names.begin(), command.Names.end());
        QVERIFY2(names.intersects(named), qPrintable(command.Names.first()));
        listed += names;
    }
    QVERIFY2(named.isEmpty() == false && listed.contains(named),
             qPrintable(QStringList((named - listed).values()).join(' ')));
    const QSet<QString> flags
        = Matches(Tags(page, options), QStringLiteral("(?<![\\w-])--?(\\w[\\w-]*)"));
    QSet<QString> known;
    for (const OptionUnit &option : OptionTable()) {
        const QSet<QString> names(option.Names.begin(), option.Names.end());
        QVERIFY2(names.intersects(flags), qPrintable(option.Key));
        known += names;
    }
    QVERIFY2(known.contains(flags), qPrintable(QStringList((flags - known).values()).join(' ')));
}

void TestCompanionTable::faultsNamed_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("named"); // in the first line of standard error or output
    const QStringList chart { "chart", "10.1.1996", "-o", "x.png" };
    QTest::newRow("--with twice") << chart + QStringList { "--with", "Jana", "--spolu", "Petr" }
                                  << 2 << "--with";
    QTest::newRow("value left out")
        << QStringList { "chart", "10.1.1996", "--with", "-o", "x.png" } << 2 << "--with";
    QTest::newRow("--kalendar .txt")
        << QStringList { "upozornit", "--kalendar", "x.txt" } << 2 << ".txt";
    QTest::newRow("a near option")
        << QStringList { "day", "10.1.1996", "--formt", "json" } << 2 << "--format";
    QTest::newRow("a comma and a space")
        << QStringList { "together", "Jana,", "Petr", "2026" } << 0 << "Jana (10.1.1996), Petr";
    for (const char *name : { "feed", "notify", "reminders", "den" })
        QTest::addRow("%s -h", name)
            << QStringList { name, "-h" } << 0 << QStringLiteral("cyklometrika %1 ").arg(name);
}

void TestCompanionTable::faultsNamed()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, named);
    test::MemoryEnvironment env;
    env.People = "Jana = 10.1.1996\nPetr = 3.4.1990\n";
    QCOMPARE(RunCommand(QStringList { "cyklometrika" } + arguments, env), status);
    const QByteArray text = status == 0 ? env.StandardOutput : env.StandardError;
    QVERIFY2(QString::fromUtf8(text).section(QLatin1Char('\n'), 0, 1).contains(named), text);
}

void TestCompanionTable::languageChosen_data()
{
    QTest::addColumn<QStringList>("variables"); // NAME=value
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("chosen"); // a tag, or "?" for a usage error
    const QStringList none;
    const QStringList automatic { "CYKLOMETRIKA_LANG=auto" };
    QTest::newRow("nothing: Czech") << QStringList { "LANG=en_GB.UTF-8" } << none << "cs";
    QTest::newRow("--lang en") << none << QStringList { "--lang", "en" } << "en";
    QTest::newRow("--jazyk=EN") << none << QStringList { "--jazyk=EN" } << "en";
    QTest::newRow("the variable") << QStringList { "CYKLOMETRIKA_LANG=en" } << none << "en";
    QTest::newRow("--lang beats it")
        << QStringList { "CYKLOMETRIKA_LANG=en" } << QStringList { "--lang", "cs" } << "cs";
    QTest::newRow("auto, LANG") << automatic + QStringList { "LANG=en_US.UTF-8" } << none << "en";
    QTest::newRow("auto, nothing set") << automatic << none << "cs";
    QTest::newRow("auto, C") << automatic + QStringList { "LANG=C.UTF-8" } << none << "cs";
    QTest::newRow("auto, POSIX beats LANG")
        << automatic + QStringList { "LC_ALL=POSIX", "LANG=en_US", "LANGUAGE=en" } << none << "cs";
    QTest::newRow("auto, LC_MESSAGES beats LANG")
        << automatic + QStringList { "LC_MESSAGES=cs_CZ.UTF-8", "LANG=en_US" } << none << "cs";
    QTest::newRow("auto, LC_ALL beats LC_MESSAGES")
        << automatic + QStringList { "LC_ALL=en_IE@euro", "LC_MESSAGES=cs_CZ" } << none << "en";
    QTest::newRow("auto, LANGUAGE first")
        << automatic + QStringList { "LANGUAGE=de:en:cs", "LANG=cs_CZ.UTF-8" } << none << "en";
    QTest::newRow("auto, LANGUAGE of none we speak")
        << automatic + QStringList { "LANGUAGE=de:fr", "LANG=en_US.UTF-8" } << none << "en";
    QTest::newRow("--lang auto") << QStringList { "LANG=en_US" } << QStringList { "--lang", "auto" }
                                 << "en";
    QTest::newRow("unknown --lang") << none << QStringList { "--lang", "de" } << "?";
    QTest::newRow("unknown variable") << QStringList { "CYKLOMETRIKA_LANG=xx" } << none << "?";
}

// The language of a run: --lang, then CYKLOMETRIKA_LANG, else Czech; auto reads the locale
// as gettext does. An unknown one is a usage error that lists the languages.
void TestCompanionTable::languageChosen()
{
    QFETCH(QStringList, variables);
    QFETCH(QStringList, arguments);
    QFETCH(QString, chosen);
    test::MemoryEnvironment env;
    for (const QString &variable : variables)
        env.Variables.insert(variable.section(u'=', 0, 0).toUtf8(), variable.section(u'=', 1));
    const LanguageChoice choice
        = ChooseLanguage(QStringList { "cyklometrika", "day" } + arguments, env);
    const auto *language = std::get_if<Lang>(&choice);
    QCOMPARE(language ? QString::fromUtf8(LanguageOf(*language).Code.data()) : "?", chosen);
    if (language != nullptr)
        return;
    QCOMPARE(RunCommand(QStringList { "cyklometrika", "day", "1.1.2000" } + arguments, env),
             int(ExitUsage));
    QVERIFY2(env.StandardError.contains("cs, en"), env.StandardError);
}

// Every help, listing and option entry reads in each language, translated, in the form the
// help lays out: a command's help names it ({1}), an entry has its two columns.
void TestCompanionTable::helpInEveryLanguage()
{
    QList<TextKey> entries;
    for (const OptionUnit &option : OptionTable())
        entries.append(option.Help);
    for (const CommandUnit &command : Commands()) {
        entries += command.Listing;
        QVERIFY(Say(command.Help, Lang::Cs) != Say(command.Help, Lang::En));
        for (const Language &language : Languages)
            QVERIFY(Say(command.Help, language.Id).find("{1}") != std::string_view::npos);
    }
    for (const TextKey &entry : entries) {
        QVERIFY(Say(entry, Lang::Cs) != Say(entry, Lang::En) || Say(entry, Lang::Cs).size() < 40);
        for (const Language &language : Languages)
            QVERIFY(Say(entry, language.Id).find('\t') != std::string_view::npos);
    }
}

// An English usage error names the nearest command, and the command it names runs.
void TestCompanionTable::englishSuggestionTaken()
{
    test::MemoryEnvironment env;
    QCOMPARE(RunCommand({ "cyklometrika", "--lang", "en", "critcal", "1.1.2000" }, env),
             int(ExitUsage));
    const QString said = Said("usage.unknown.command.near", Lang::En, { "critcal", "{}" });
    const QString error = QString::fromUtf8(env.StandardError);
    const QString suggested
        = error.section(said.section("{}", 0, 0), 1).section(said.section("{}", 1), 0, 0);
    QVERIFY2(error.endsWith(Said("usage.help.pointer", Lang::En) + u'\n'), env.StandardError);
    test::MemoryEnvironment again;
    QCOMPARE(RunCommand({ "cyklometrika", "--lang", "en", suggested, "1.1.2000", "2000" }, again),
             int(ExitOk));
}

QTEST_GUILESS_MAIN(TestCompanionTable)
#include "tst_companion_table.moc"
