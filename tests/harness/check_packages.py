#!/usr/bin/env python3
"""Every command that quill, the test harness and the test, benchmark and tool
scripts run must come from a package that quill installs, or from one that
those packages depend on (Depends and Pre-Depends: quill installs without
Recommends), or from Debian's required base that every system has.

The commands are read from the scripts themselves: a small shell reader finds
the words in command position, also inside command substitutions and
`bash -c` texts, and leaves out shell builtins and the scripts' own functions.
Each command is looked up where a fresh system keeps commands (not in
/usr/local), and its owner is asked of dpkg; for a link that update-alternatives
manages, the owner is the package of the link group's chosen target.

The check also proves that it can fail: with `wine` taken off the list, the
`wine` commands must be reported uncovered.
"""
import glob
import os
import re
import subprocess
import sys
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SYSTEM_PATH = ["/usr/sbin", "/usr/bin", "/sbin", "/bin"]

KEYWORDS = {"if", "then", "else", "elif", "fi", "do", "done", "while", "until", "for", "in", "case", "esac",
            "function", "select", "time", "{", "}", "!", "[[", "]]", "coproc"}
BUILTINS = set(subprocess.run(["bash", "-c", "compgen -b"], capture_output=True, text=True, check=True).stdout.split())
# Words after which the next word is a command again, and how many of their
# own arguments they take before it (flags are skipped as well).
# quill's and the harness's own runners count as such too.
PREFIXES = {"exec": 0, "command": 0, "builtin": 0, "nohup": 0, "sudo": 0, "env": 0, "time": 0, "timeout": 1,
            "xargs": 0, "flock": 1, "as_root": 0, "session": 0, "in-slot": 0, "step": 1, "wait_for": 2}
# Options of those runners that take a value (env -u NAME, flock -E CODE -w SECONDS).
OPTIONS_WITH_VALUE = {"-u", "--unset", "-E", "-w"}
SEPARATORS = {";", ";;", "&", "&&", "||", "|", "|&", "(", ")", "\n", "{", "}", "!", "then", "do", "else", "elif",
              "if", "while", "until", "time"}


class ShellReader:
    """Splits shell text into words and operators, as far as finding commands needs."""

    def __init__(self, text):
        self.text = text
        self.at = 0
        self.snippets = []  # texts of command substitutions and bash -c arguments

    def tokens(self):
        out = []
        while self.at < len(self.text):
            c = self.text[self.at]
            if c in " \t":
                self.at += 1
            elif c == "\\" and self.text[self.at + 1:self.at + 2] == "\n":
                self.at += 2
            elif c == "#":
                while self.at < len(self.text) and self.text[self.at] != "\n":
                    self.at += 1
            elif c == "\n":
                out.append(("op", "\n"))
                self.at += 1
                self.skip_heredocs(out)
            elif self.text.startswith("((", self.at):
                self.at = self.matching(self.at)  # arithmetic
                out.append(("op", "arithmetic"))
            elif c in ";&|()":
                op = self.operator()
                out.append(("op", op))
            elif c in "<>":
                self.redirection()
            else:
                out.append(self.word())
        return out

    def operator(self):
        for op in (";;", "&&", "||", "|&", "&>", ";", "&", "|", "(", ")"):
            if self.text.startswith(op, self.at):
                self.at += len(op)
                return op
        raise AssertionError("unreachable")

    def redirection(self):
        heredoc = re.match(r"<<-?\s*(['\"]?)(\w+)\1", self.text[self.at:])
        if heredoc:
            self.pending_heredoc = heredoc.group(2)
            self.at += heredoc.end()
            return
        while self.at < len(self.text) and self.text[self.at] in "<>&":
            self.at += 1
        while self.at < len(self.text) and self.text[self.at] in " \t":
            self.at += 1
        if self.at < len(self.text) and self.text[self.at] not in "\n;|&()":
            self.word()  # the redirection's target

    pending_heredoc = None

    def skip_heredocs(self, out):
        if not self.pending_heredoc:
            return
        end = re.compile(r"^\t*" + re.escape(self.pending_heredoc) + r"$", re.M).search(self.text, self.at)
        self.at = end.end() if end else len(self.text)
        self.pending_heredoc = None

    def word(self):
        start = self.at
        self.literal = True
        while self.at < len(self.text):
            c = self.text[self.at]
            if c in " \t\n;&|()<>":
                break
            if c == "\\":
                self.at += 2
            elif c == "'":
                self.at = self.text.index("'", self.at + 1) + 1
            elif c == '"':
                self.double_quoted()
            else:
                self.expansion_or_character()
        word = self.text[start:self.at]
        if re.match(r"^(\d+|\{\w+\})$", word) and self.text[self.at:self.at + 1] in ("<", ">"):
            self.redirection()  # a descriptor, as in 2>/dev/null or {lock}>file
            return ("op", "redirection")
        return ("word", word, self.literal)

    def double_quoted(self):
        self.at += 1
        while self.text[self.at] != '"':
            if self.text[self.at] == "\\":
                self.at += 2
            else:
                self.expansion_or_character()
        self.at += 1

    def expansion_or_character(self):
        c = self.text[self.at]
        if c == "$":
            self.dollar()
        elif c == "`":
            end = self.text.index("`", self.at + 1)
            self.snippets.append(self.text[self.at + 1:end])
            self.at = end + 1
        else:
            self.at += 1

    def dollar(self):
        self.literal = False
        rest = self.text[self.at:]
        if rest.startswith("$(("):
            self.at = self.matching(self.at + 1)
        elif rest.startswith("$("):
            end = self.matching(self.at + 1)
            self.snippets.append(self.text[self.at + 2:end - 1])
            self.at = end
        elif rest.startswith("${"):
            self.at = self.text.index("}", self.at) + 1
        else:
            self.at += 1

    def matching(self, opening):
        """The index after the parenthesis that closes the one at `opening`."""
        depth = 0
        at = opening
        while at < len(self.text):
            c = self.text[at]
            if c == "'" and depth > 0 and self.text[at - 1] != "\\":
                at = self.text.index("'", at + 1)
            elif c == "(":
                depth += 1
            elif c == ")":
                depth -= 1
                if depth == 0:
                    return at + 1
            at += 1
        return at


def unquote(word):
    return re.sub(r"""['"\\]""", "", word)


def skip_to(tokens, i, ends):
    """The index of the first token from i on whose text is in ends."""
    while i < len(tokens) and tokens[i][1] not in ends:
        i += 1
    return i


def commands_in(text, functions):
    """The command words of a shell text; adds the functions it defines to `functions`."""
    reader = ShellReader(text)
    tokens = reader.tokens()
    found = set()
    expect_command = True
    skip_arguments = 0
    i = 0
    while i < len(tokens):
        kind, value = tokens[i][0], tokens[i][1]
        following = tokens[i + 1][1] if i + 1 < len(tokens) else None
        if kind == "word" and following == "(" and i + 2 < len(tokens) and tokens[i + 2][1] == ")":
            functions.add(value)
        if kind == "op":
            if value == ";;":
                i = skip_to(tokens, i, {")"})  # the next case pattern
                value = ")"
            expect_command = value in SEPARATORS or expect_command
            i += 1
            continue
        word, literal = value, tokens[i][2]
        if re.match(r"^[A-Za-z_]\w*\+?=$", word) and following == "(":
            i = skip_to(tokens, i, {")"}) + 1  # an array assignment
            continue
        if word == "[[":
            i = skip_to(tokens, i, {"]]"}) + 1
            expect_command = False
            continue
        if word in ("for", "select"):
            i = skip_to(tokens, i, {";", "\n", "do"})
            continue
        if word == "case":
            i = skip_to(tokens, i, {"in"})
            i = skip_to(tokens, i, {")"}) + 1  # the first pattern
            expect_command = True
            continue
        i += 1
        if not expect_command:
            continue
        if skip_arguments and not word.startswith("-"):
            skip_arguments -= 1
            continue
        if word in OPTIONS_WITH_VALUE:
            i += 1
            continue
        if word.startswith("-"):
            continue
        assignment = re.match(r"^([A-Za-z_][A-Za-z0-9_]*)=(.*)$", word)
        if assignment:
            if assignment.group(1) in ("CC", "CXX") and assignment.group(2):
                found.add(unquote(assignment.group(2)))
            continue
        if word in KEYWORDS or word in SEPARATORS:
            expect_command = True
            continue
        expect_command = False
        name = unquote(word)
        if not literal or "/" in name or name in ("[", "test", ".", "source") or not name:
            continue
        if name in PREFIXES:
            expect_command = True
            skip_arguments = PREFIXES[name]
        if name in ("bash", "sh") and following == "-c" and i + 1 < len(tokens):
            reader.snippets.append(unquote(tokens[i + 1][1]))
        found.add(name)
    for snippet in reader.snippets:
        found |= commands_in(snippet, functions)
    return found


def repository_files():
    """The repository's files, leaving out build trees (they hold Wine prefixes, whose
    drive links lead back to /) and anything else a build or a run leaves."""
    for folder, subfolders, files in os.walk(ROOT):
        subfolders[:] = [d for d in subfolders
                         if not d.startswith((".", "build", "out"))
                         and not os.path.exists(os.path.join(folder, d, "CMakeCache.txt"))]
        yield from (os.path.join(folder, f) for f in files)


def script_files():
    files = list(repository_files())
    harness = os.path.join(ROOT, "tools", "harness") + os.sep
    shells = [f for f in files if f.endswith(".sh") or f.startswith(harness) or f == os.path.join(ROOT, "quill")]
    pythons = [f for f in files if f.endswith(".py")]
    return sorted(shells), sorted(pythons)


# sudo is how quill becomes root to install the rest; a machine without it
# must be set up as root, where quill does not call it.
NOT_INSTALLED_BY_QUILL = {"sudo"}


def external_commands():
    """Command name -> the files that run it."""
    shells, pythons = script_files()
    functions = set()
    by_file = {f: commands_in(open(f, encoding="utf-8").read(), functions) for f in shells}
    for f in pythons:
        text = open(f, encoding="utf-8").read()
        by_file[f] = set(re.findall(r"subprocess\.\w+\(\s*\[\s*[\"']([^\"']+)[\"']", text))
        if by_file[f] or re.search(r"^import |^from ", text, re.M):
            by_file[f].add("python3")
    toolchain = open(os.path.join(ROOT, "cmake", "mingw-w64.cmake"), encoding="utf-8").read()
    triple = re.search(r"set\(triple (\S+)\)", toolchain).group(1)
    by_file["cmake/mingw-w64.cmake"] = {c.replace("${triple}", triple)
                                        for c in re.findall(r"set\(CMAKE_\w+_COMPILER (\S+)\)", toolchain)}
    commands = {}
    for f, names in by_file.items():
        for name in names - BUILTINS - KEYWORDS - functions - NOT_INSTALLED_BY_QUILL:
            commands.setdefault(name, []).append(os.path.relpath(f, ROOT))
    return commands


def quill_packages():
    text = open(os.path.join(ROOT, "quill"), encoding="utf-8").read()
    body = re.search(r"^packages=\((.*?)^\)", text, re.M | re.S).group(1)
    return [w for line in body.splitlines() for w in line.split("#")[0].split()]


def dependency_closure(packages):
    out = subprocess.run(["apt-cache", "depends", "--recurse", "--no-recommends", "--no-suggests", "--no-conflicts",
                          "--no-breaks", "--no-replaces", "--no-enhances"] + packages,
                         capture_output=True, text=True, check=True).stdout
    closure = set()
    for line in out.splitlines():
        if not line.startswith(" "):
            closure.add(line.strip().strip("<>").split(":")[0])
        elif re.match(r"^\s+\|?(Depends|PreDepends):", line):
            closure.add(line.split(":", 1)[1].strip().strip("<>").split(":")[0])
        elif re.match(r"^\s{4}\S", line):  # a package that provides the virtual one above
            closure.add(line.strip().split(":")[0])
    return closure


def base_packages():
    out = subprocess.run(["dpkg-query", "-W", "-f=${Package} ${Essential} ${Priority}\n"],
                         capture_output=True, text=True, check=True).stdout
    return {p for p, essential, priority in (l.split() for l in out.splitlines() if len(l.split()) == 3)
            if essential == "yes" or priority == "required"}


def alternative_masters():
    """Each link that update-alternatives manages -> its group's master name."""
    masters = {}
    for group in glob.glob("/var/lib/dpkg/alternatives/*"):
        with open(group, encoding="utf-8") as f:
            lines = f.read().splitlines()
        for link in lines[1:]:
            if link.startswith("/"):
                masters[link] = os.path.basename(group)
    return masters


def candidate_paths(command, masters):
    """Where a fresh system finds the command, and the files that may name its package, most telling first."""
    path = next((os.path.join(d, command) for d in SYSTEM_PATH if os.access(os.path.join(d, command), os.X_OK)),
                None)
    if path is None:
        return None, []
    candidates = [path]
    if path in masters:
        candidates.append(os.path.realpath(os.path.join("/etc/alternatives", masters[path])))
    candidates.append(os.path.realpath(path))
    # Since the /usr merge, dpkg may know a file by its name under /bin or /sbin.
    candidates += [c.replace("/usr/", "/", 1) for c in candidates if c.startswith("/usr/")]
    return path, candidates


def owners(commands):
    """Command -> (path, package or None); path None when it is not installed here."""
    masters = alternative_masters()
    paths = {name: candidate_paths(name, masters) for name in commands}
    queried = sorted({c for _, candidates in paths.values() for c in candidates})
    listing = subprocess.run(["dpkg", "-S"] + queried, capture_output=True, text=True).stdout
    package_of = {}
    for line in listing.splitlines():
        packages, _, file = line.partition(": ")
        package_of[file] = packages.split(",")[0].split(":")[0].strip()
    return {name: (path, next((package_of[c] for c in candidates if c in package_of), None))
            for name, (path, candidates) in paths.items()}


def uncovered(commands, owner_of, packages):
    allowed = dependency_closure(packages) | base_packages()
    problems = []
    for name, files in sorted(commands.items()):
        path, package = owner_of[name]
        where = ", ".join(sorted(set(files)))
        if path is None:
            problems.append(f"{name} (run by {where}) is not installed here, so its package is unknown")
        elif package is None:
            problems.append(f"{name} ({path}, run by {where}) belongs to no package")
        elif package not in allowed:
            problems.append(f"{name} ({path}, run by {where}) comes from {package}, which quill does not install")
    return problems


class PackagesCoverEveryCommand(unittest.TestCase):
    commands = external_commands()
    owner_of = owners(commands)
    packages = quill_packages()

    def test_reads_the_commands_of_the_scripts(self):
        for name in ("wine", "wineserver", "Xvfb", "pulseaudio", "pacat", "sox", "xdotool", "cmake", "ctest",
                     "apt-get", "flock", "x86_64-w64-mingw32-g++-posix", "clang++", "convert"):
            self.assertIn(name, self.commands, f"the reader missed {name}")
        for name in ("session", "fail", "probe", "wait_for_sound", "build", "run", "local"):
            self.assertNotIn(name, self.commands, f"{name} is no external command")

    def test_every_command_comes_from_an_installed_package(self):
        problems = uncovered(self.commands, self.owner_of, self.packages)
        self.assertEqual(problems, [], "\n" + "\n".join(problems))

    def test_a_list_without_wine_fails(self):
        problems = uncovered(self.commands, self.owner_of, [p for p in self.packages if p != "wine"])
        self.assertTrue(any(p.startswith("wine ") for p in problems), problems)


if __name__ == "__main__":
    if "--list" in sys.argv:
        found = external_commands()
        owner_of = owners(found)
        for name, files in sorted(found.items()):
            print(f"{name:32} {owner_of[name][1]}  <- {', '.join(sorted(set(files)))}")
        sys.exit(0)
    unittest.main(verbosity=2)
