// SPDX-License-Identifier: GPL-3.0-or-later
// completion bash|zsh|fish: the script that makes a shell complete the command lines, and
// the query the scripts ask.
#include "companion/commands/completion.h"
#include "companion/commands/people_of.h"
#include "companion/commands/units.h"

namespace cykl::companion {

namespace {

// Each script asks the program on the PATH for the words after the ones typed so far.
const char *const BashScript = R"(# bash completion for cyklometrika (cyklometrika completion bash)
_cyklometrika()
{
    local IFS=$'\n' cur=${COMP_WORDS[COMP_CWORD]}
    local -a asked=("${COMP_WORDS[@]:1:COMP_CWORD-1}")
    # --format=c reaches us as --format, =, c; the value is completed after the "=".
    [[ $cur == = ]] && cur=
    asked+=("$cur")
    local -a found
    found=($(command cyklometrika __complete "${asked[@]}" 2>/dev/null))
    compopt -o filenames 2>/dev/null
    if [[ ${#found[@]} -eq 1 && ${found[0]} == :files ]]; then
        COMPREPLY=($(compgen -f -- "$cur"))
    else
        COMPREPLY=("${found[@]}")
    fi
}
complete -F _cyklometrika cyklometrika
)";

const char *const ZshScript = R"(#compdef cyklometrika
# zsh completion for cyklometrika (cyklometrika completion zsh)
_cyklometrika()
{
    local -a found
    found=("${(@f)$(command cyklometrika __complete "${(@Q)words[2,CURRENT]}" 2>/dev/null)}")
    if [[ ${#found} -eq 1 && $found[1] == :files ]]; then
        _files
    elif [[ -n $found[1] ]]; then
        compadd -- "${found[@]}"
    fi
}
if [[ $funcstack[1] == _cyklometrika ]]; then
    _cyklometrika "$@"
else
    compdef _cyklometrika cyklometrika
fi
)";

const char *const FishScript = R"(# fish completion for cyklometrika (cyklometrika completion fish)
function __cyklometrika_complete
    set -l typed (commandline -opc)
    set -l current (commandline -ct)
    set -l found (command cyklometrika __complete $typed[2..-1] "$current" 2>/dev/null)
    if test (count $found) -eq 1 -a "$found[1]" = :files
        __fish_complete_path "$current"
    else
        printf '%s\n' $found
    end
end
complete -c cyklometrika -f -a '(__cyklometrika_complete)'
)";

const QStringList &Shells()
{
    static const QStringList shells { "bash", "zsh", "fish" };
    return shells;
}

Parsed ParseCompletion(const CommandLine &line)
{
    const QString shell = line.Arguments.value(0).toLower();
    const qsizetype index = Shells().indexOf(shell);
    if (line.Arguments.size() != 1 || index < 0)
        return line.Text("usage.shell", line.Name);
    const char *const scripts[] = { BashScript, ZshScript, FishScript };
    const QByteArray script(scripts[index]);
    return [script](Environment &environment) { return WriteOutput(environment, {}, script); };
}

} // namespace

Job CompleteJob(const QStringList &words)
{
    return [words](Environment &environment) {
        QByteArray text;
        QString error;
        QStringList people;
        if (environment.ReadPeopleFile(text, error) && text.size() <= MaxPeopleFileSize) {
            for (const Person &person : ReadPeople(text).People)
                people.append(person.Name);
        }
        const QStringList found = Completions(words, people);
        const QString lines = found.join(QLatin1Char('\n'));
        return WriteOutput(environment, {}, (lines + (found.isEmpty() ? "" : "\n")).toUtf8());
    };
}

CommandUnit CompletionUnit()
{
    return { { "completion", "doplnovani", "doplňování" },
             {},
             {},
             ParseCompletion,
             { "help.list.completion" },
             "help.completion",
             {},
             Shells() };
}

} // namespace cykl::companion
