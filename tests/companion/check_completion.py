# SPDX-License-Identifier: GPL-3.0-or-later
"""bash, zsh and fish, each with the script `cyklometrika completion SHELL` prints, asked to
complete the same command lines: each shell offers what the program's own query does, and
the query what the table holds. Usage: check_completion.py CYKLOMETRIKA"""
import os
import shlex
import shutil
import subprocess
import sys
import tempfile

# The words typed, the last as far as it is typed; and, where given, what must be offered.
LINES = [
    ([""], None),
    (["kr"], ["kriticke", "kritické"]),
    (["l"], ["lide", "lidé"]),
    (["doplň"], ["doplňování"]),
    (["day", "--fo"], ["--format", "--formát"]),
    (["month", "--a"], []),  # month takes no --all
    (["chart", "--"], None),
    (["--v"], ["--version", "--verze"]),
    (["day", "-f", ""], ["table", "csv", "json", "ics"]),
    (["graf", "-f", ""], ["text"]),
    (["critical", "Jana", "--format=i"], ["--format=ics"]),
    (["day", "E"], ["Eliška"]),
    (["kriticke", "Petr,E"], ["Petr,Eliška"]),
    (["match", "Petr", "J"], ["Jana Nová"]),
    (["match", "Petr", "Jana", ""], []),
    (["chart", "1.1.2000", "--with", "P"], ["Petr"]),
    (["chart", "1.1.2000", "-o", "gr"], ["graf.png"]),
    (["people", "o"], ["odebrat"]),
    (["lide", "odebrat", "P"], ["Petr"]),
    (["reminders", "o"], ["on", "off"]),
    (["completion", ""], ["bash", "zsh", "fish"]),
    (["nic", ""], []),
]
PEOPLE = "Eliška = 1.2.1990\nJana Nová = 10.1.1996\nPetr = 3.4.1990\n"


def lines(text):
    return sorted(line for line in text.split("\n") if line)


def bash(words, script):
    # bash breaks --format=i at the "=" as readline does.
    split = []
    for word in words:
        head, equals, tail = word.partition("=")
        split += [head, "=", tail] if equals and word.startswith("-") else [word]
    array = " ".join(shlex.quote(w) for w in ["cyklometrika"] + split)
    return (f"source {script}; COMP_WORDS=({array}); COMP_CWORD={len(split)}; _cyklometrika;"
            ' printf "%s\\n" "${COMPREPLY[@]}"', ["bash", "--norc", "-c"])


def zsh(words, script):
    array = " ".join(shlex.quote(w.replace(" ", "\\ ")) for w in ["cyklometrika"] + words)
    stubs = ('compadd() { [[ $1 == -- ]] && shift; print -rl -- "$@"; };'
             " _files() { compadd -- ${PREFIX}*(N); }; compdef() { :; };")
    return (f"{stubs} source {script}; words=({array}); CURRENT={len(words) + 1};"
            f" PREFIX={shlex.quote(words[-1])}; _cyklometrika", ["zsh", "-f", "-c"])


def fish(words, script):
    typed = " ".join(["cyklometrika"] + [w.replace(" ", "\\ ") for w in words])
    return (f"source {script}; complete -C {shlex.quote(typed)}", ["fish", "--no-config", "-c"])


def main():
    program = os.path.abspath(sys.argv[1])
    missing = [s for s in ("bash", "zsh", "fish") if not shutil.which(s)]
    if missing or not os.path.exists("/usr/share/bash-completion/bash_completion"):
        print("SKIP: needs bash-completion, zsh and fish")
        return 77
    failures = []
    with tempfile.TemporaryDirectory() as home:
        os.makedirs(os.path.join(home, "bin"))
        os.symlink(program, os.path.join(home, "bin", "cyklometrika"))
        os.makedirs(os.path.join(home, "config", "cyklometrika"))
        with open(os.path.join(home, "config", "cyklometrika", "lide"), "w") as file:
            file.write(PEOPLE)
        open(os.path.join(home, "graf.png"), "w").close()
        env = dict(os.environ, PATH=os.path.join(home, "bin") + ":" + os.environ["PATH"],
                   XDG_CONFIG_HOME=os.path.join(home, "config"), HOME=home)
        run = lambda command: subprocess.run(command, cwd=home, env=env, capture_output=True,
                                             text=True, check=True).stdout
        scripts = {}
        for shell in ("bash", "zsh", "fish"):
            scripts[shell] = os.path.join(home, "completion." + shell)
            with open(scripts[shell], "w") as file:
                file.write(run([program, "completion", shell]))
        for words, expected in LINES:
            asked = lines(run([program, "__complete"] + words))
            if asked == [":files"]:
                asked = sorted(f for f in os.listdir(home) if f.startswith(words[-1]))
            if expected is not None and asked != sorted(expected):
                failures.append(f"{words}: the query gives {asked}, not {sorted(expected)}")
            for shell, driver in (("bash", bash), ("zsh", zsh), ("fish", fish)):
                code, command = driver(words, scripts[shell])
                offered = lines(run(command + [code]))
                want = asked
                if shell == "bash" and words[-1].startswith("-") and "=" in words[-1]:
                    want = [a.partition("=")[2] for a in asked]  # what follows the "="
                if offered != want:
                    failures.append(f"{shell} {words}: {offered}, not {want}")
    for failure in failures:
        print(failure)
    print(f"{len(LINES)} command lines, 3 shells: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
