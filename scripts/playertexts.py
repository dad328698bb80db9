#!/usr/bin/env python3
"""Finds player texts that lupdate cannot see: a phrase (two words or more), or a title of one
capitalised word ("Import"), written as QStringLiteral in a file of the window or its pages,
outside a log line. Prints each as
file:line: text and exits 1 when there is one.

A literal passes when its statement writes to the log (InstallRecovery::note, qInfo, ...,
Wording::Log), when the same text is marked for translation in that statement (the log's copy of
a worded text: `player ? tr("x") : QStringLiteral("x")`), or when it is listed in NEVER_TRANSLATED.
"""
import re
import sys
from pathlib import Path

# The window and its pages: every file whose texts reach the player's eyes.
FILES = [
    "app/zerun.cpp", "app/installbatch.cpp", "app/windowquestions.cpp", "app/windowaccess.cpp",
    "app/windowfilters.cpp", "app/gamefolderpage.cpp", "app/cataloguerows.cpp",
    "app/listexchange.cpp", "app/openfolder.cpp", "app/crashreportconsent.cpp",
    "app/failurewords.cpp", "app/packagekind.cpp", "app/heldback.cpp", "app/filereport.cpp",
    "app/packageverify.cpp", "app/languagechoice.cpp", "app/cataloguefetch.cpp",
] + sorted(str(p) for p in Path("ui").glob("*.cpp"))

# Texts that are never translated, with why. (Style sheets, with their braces, pass anyway.)
NEVER_TRANSLATED = {
    # Each language's name is written in that language, whatever the player reads.
    "Português (Brasil)",
    "English",
    "Deutsch",
    # The base style the dark style is drawn on.
    "Fusion",
    # The unpacker's report texts and details: English in the log, while
    # FailureWords::unpackFailure gives the page the player's words for them.
    "Couldn't open zip",
    "Couldn't go to first file",
    "Couldn't extract file",
    "Couldn't close zip",
    "the archive has no entries",
    # FailureWords reading those English details to find the player's words.
    "could not unpack ",
    " (damaged or encrypted)",
    "refused the entry name ",
    "^(?:could not unpack (.*): )?the folder (.*) cannot be written \\\\(read-only\\\\)$",
}

LOG_MARKERS = ("InstallRecovery::note(", "logLine(", "qInfo(", "qWarning(", "qCritical(", "qDebug(",
               "Wording::Log", "TsLogging::")
TRANSLATED = re.compile(r'\b(?:tr|translate|QT_TRANSLATE_NOOP3?|QT_TRANSLATE_N_NOOP3?|'
                        r'QT_TR_NOOP|QT_TR_N_NOOP)\s*\(')
PHRASE = re.compile(r"[A-Za-z][A-Za-z']*\s+[A-Za-z][A-Za-z']*")
# One capitalised word, as a title or a button reads ("Import"); object names are camelCase.
TITLE = re.compile(r"[A-Z][a-z]+")
LITERAL = re.compile(r'QStringLiteral\(\s*((?:"(?:[^"\\]|\\.)*"\s*)+)\)')
STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')


def without_comments(text):
    """The code with its comments blanked (newlines kept, so lines still count)."""
    out, i, n = [], 0, len(text)
    while i < n:
        c = text[i]
        if c == '"' or c == "'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            out.append(text[i:j + 1])
            i = j + 1
        elif text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append("\n" * text.count("\n", i, j))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def statements(code):
    """(first line, text) of each piece of code between semicolons outside strings."""
    start, line, i, n = 0, 1, 0, len(code)
    first = 1
    while i < n:
        c = code[i]
        if c == '"' or c == "'":
            j = i + 1
            while j < n and code[j] != c:
                j += 2 if code[j] == "\\" else 1
            line += code.count("\n", i, j + 1)
            i = j + 1
            continue
        if c == "\n":
            line += 1
        if c in ";{}":
            yield first, code[start:i + 1]
            start, first = i + 1, line
        i += 1
    yield first, code[start:]


def translated_texts(statement):
    texts = set()
    for match in TRANSLATED.finditer(statement):
        # The string literals that follow, adjacent ones joined.
        rest = statement[match.end():]
        parts = []
        for string in STRING.finditer(rest):
            if rest[:string.start()].strip(" \n,") and parts:
                break
            parts.append(string.group(1))
            rest_after = rest[string.end():].lstrip()
            if not rest_after.startswith('"'):
                texts.add("".join(parts))
                parts = []
        if parts:
            texts.add("".join(parts))
    return texts


def main():
    found = 0
    for name in FILES:
        path = Path(name)
        if not path.exists():
            continue
        code = without_comments(path.read_text(encoding="utf-8"))
        for first, statement in statements(code):
            literals = list(LITERAL.finditer(statement))
            if not literals or any(marker in statement for marker in LOG_MARKERS):
                continue
            marked = translated_texts(statement)
            for literal in literals:
                text = "".join(STRING.findall(literal.group(1)))
                if (not (PHRASE.search(text) or TITLE.fullmatch(text)) or "{" in text or text in NEVER_TRANSLATED
                        or text in marked):
                    continue
                line = first + statement.count("\n", 0, literal.start())
                print(f"{name}:{line}: {text}")
                found += 1
    if found:
        print(f"playertexts: {found} player text(s) written with QStringLiteral; use tr() "
              "(or list a text that is never translated in scripts/playertexts.py)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
