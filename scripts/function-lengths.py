#!/usr/bin/env python3
"""Lists the longest C++ functions of the given folders (default: extension host app tools).

A brace counter, not a parser: comments, strings and character literals are blanked, then
every brace that opens at namespace or class level after a parameter list (with its
qualifiers, a trailing return type or a constructor's initialiser list) is taken as a
function body. A function's length is counted from the line of its opening brace to the
line of its closing brace, both included; lambdas count towards the function they stand in.

    scripts/function-lengths.py [--over N] [--top N] [folder ...]
"""

import argparse
import pathlib
import re
import sys

SOURCE_SUFFIXES = {".cpp", ".h", ".hpp", ".cc"}


def blank_comments_and_literals(text):
    """The text with comments, strings and character literals replaced by blanks; line
    breaks are kept so that line numbers stay."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            if not m:
                out.append(c)
                i += 1
                continue
            end = text.find(")" + m.group(1) + '"', i)
            j = n if end < 0 else end + len(m.group(1)) + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c in "\"'":
            # A digit separator (1'000) is no character literal.
            if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum():
                out.append(" ")
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(c + " " * (j - i - 2) + c if j - i >= 2 else " " * (j - i))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


# What may follow a parameter list before the body: cv and reference qualifiers, virt-specifiers,
# noexcept and a trailing return type.
QUALIFIERS = re.compile(r"(\s*(const|override|final|noexcept(\s*\([^()]*\))?|mutable|&&|&|->\s*[\w:<>,\s*&]+))*\s*$")


def ends_function_head(head):
    """True when a namespace-level or class-level text before a brace ends with a parameter
    list, maybe followed by its qualifiers."""
    head = head.rstrip()
    if not head.endswith(")"):
        head = QUALIFIERS.sub("", head)
    return head.endswith(")")


def functions(path):
    text = blank_comments_and_literals(path.read_text(encoding="utf-8", errors="replace"))
    line_of = [0] * (len(text) + 1)
    line = 1
    for k, ch in enumerate(text):
        line_of[k] = line
        if ch == "\n":
            line += 1
    stack = []  # (kind, start offset, name)
    statement_start = 0
    found = []
    init_list_depth = 0
    for k, ch in enumerate(text):
        in_function = any(kind == "function" for kind, _, _ in stack)
        if ch == "{":
            if in_function:
                stack.append(("block", k, ""))
                continue
            before = text[statement_start:k]
            stripped = before.rstrip()
            # A constructor's initialiser list: `) : a_(x), b_{y} {` (braces of its members
            # are balanced inside `before`; members in braces open here as "init").
            if re.search(r"\)\s*(const\s*)?(noexcept\s*)?:[^:]", before) and not re.match(r"\s*(class|struct)\b", before) \
                    and (stripped.endswith(")") or stripped.endswith("}")) and init_list_depth == 0 \
                    and not re.search(r"\w$", stripped):
                stack.append(("function", k, name_of(before)))
            elif re.search(r"\)\s*:[^:]", before) and re.search(r"\w$", stripped):
                # `b_{` inside an initialiser list
                stack.append(("init", k, ""))
                init_list_depth += 1
            elif re.search(r"\b(class|struct|union|namespace|enum)\b", before) and not stripped.endswith(")"):
                stack.append(("scope", k, ""))
                statement_start = k + 1
            elif ends_function_head(stripped):
                stack.append(("function", k, name_of(before)))
            else:
                stack.append(("init", k, ""))
        elif ch == "}":
            if not stack:
                continue
            kind, start, name = stack.pop()
            if kind == "function":
                found.append((line_of[k] - line_of[start] + 1, path, line_of[start], name))
                statement_start = k + 1
            elif kind == "scope":
                statement_start = k + 1
            elif kind == "init" and init_list_depth > 0:
                init_list_depth -= 1
        elif ch in ";" and not in_function and not any(kind == "init" for kind, _, _ in stack):
            statement_start = k + 1
        elif ch == ":" and not in_function and re.search(r"\b(public|private|protected)\s*$", text[statement_start:k]):
            statement_start = k + 1
    return found


def name_of(head):
    head = re.sub(r"\s+", " ", head).strip()
    m = re.search(r"([~\w:<>]+)\s*\((?:[^()]|\([^()]*\))*\)\s*(const\b|override\b|noexcept\b|:|->|$)", head)
    return m.group(1) if m else head[-60:]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folders", nargs="*", default=["extension", "host", "app", "tools"])
    parser.add_argument("--over", type=int, default=0, help="only functions longer than this")
    parser.add_argument("--top", type=int, default=20)
    args = parser.parse_args()
    found = []
    for folder in args.folders:
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if path.suffix in SOURCE_SUFFIXES and path.is_file():
                found.extend(functions(path))
    found.sort(key=lambda f: -f[0])
    shown = [f for f in found if f[0] > args.over][: args.top]
    for length, path, line, name in shown:
        print(f"{length:5d}  {path}:{line}  {name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
