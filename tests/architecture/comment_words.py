#!/usr/bin/env python3
"""Comments speak as the code's own authors: they give a decision and its reason, never a document
behind the code. Fails, naming file and line, on such wording in the comments of src/, tools/,
tests/ and bench/. Only comments are read: texts in string literals are the program's own."""
import re
import sys
from pathlib import Path

WORDS = [
    re.compile(r"\bParts?\s+\d"),
    re.compile(r"\b[Tt]he\s+Parts?\b"),
    re.compile(r"\bspecification", re.I),
    re.compile(r"\bimplement[eo]rs?\b", re.I),
    re.compile(r"\bthe\s+rules\b", re.I),
]
# Wording about the game's own rules or the grammar's, which is what the code is about.
ALLOWED = re.compile(r"the\s+rules\s+of\s+(?:the\s+)?(?:board\s+game|game|grammar)\b", re.I)

C_LIKE = {".cpp", ".h"}
HASH = {".sh", ".py", ".cmake", ".conf"}


def c_comments(text):
    """(line, comment) of every // and /* */ comment, skipping string, character and raw string
    literals. Consecutive line comments join into one, so that wording broken over lines is found."""
    found, i, line, n = [], 0, 1, len(text)
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            i += 1
        elif text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            body = text[i + 2:end]
            if found and found[-1][2] == line - 1:
                found[-1] = (found[-1][0], found[-1][1] + "\n" + body, line)
            else:
                found.append((line, body, line))
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end
            body = text[i + 2:end]
            found.append((line, body, -1))
            line += body.count("\n")
            i = end + 2
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            open_paren = text.find("(", i + 2)
            closing = ")" + text[i + 2:open_paren] + '"'
            end = text.find(closing, open_paren)
            end = n if end < 0 else end + len(closing)
            line += text.count("\n", i, end)
            i = end
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum():  # a digit separator: 1'000
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            i = j + 1
        else:
            i += 1
    return [(start, body) for start, body, _ in found]


def hash_comments(text):
    """(line, comment) of every # comment of a shell, Python or CMake file, outside quotes."""
    found = []
    for number, row in enumerate(text.split("\n"), 1):
        quote, k = None, 0
        while k < len(row):
            c = row[k]
            if quote:
                if c == "\\" and quote == '"':
                    k += 1
                elif c == quote:
                    quote = None
            elif c in "\"'":
                quote = c
            elif c == "#" and (k == 0 or row[k - 1] in " \t;("):
                if found and found[-1][2] == number - 1 and not row[:k].strip():
                    found[-1] = (found[-1][0], found[-1][1] + "\n" + row[k + 1:], number)
                else:
                    found.append((number, row[k + 1:], number))
                break
            k += 1
    return [(start, body) for start, body, _ in found]


def comments(path):
    text = path.read_text(encoding="utf-8", errors="replace")
    if path.suffix in C_LIKE:
        return c_comments(text)
    if path.suffix in HASH or path.name == "CMakeLists.txt":
        return hash_comments(text)
    return []


def main(root):
    faults = 0
    for folder in ("src", "tools", "tests", "bench"):
        for path in sorted((root / folder).rglob("*")):
            if not path.is_file():
                continue
            for start, body in comments(path):
                for word in WORDS:
                    for m in word.finditer(body):
                        if ALLOWED.match(body, m.start()):
                            continue
                        faults += 1
                        where = start + body.count("\n", 0, m.start())
                        words = " ".join(m.group(0).split())
                        print(f'{path.relative_to(root)}:{where}: "{words}" in a comment')
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()))
