# Where scripts/mutate.py may change the core, and how: a line-based reader of our C++ and the mutation
# operators. It reads clang-formatted code only and skips any line it is unsure about (preprocessor lines,
# literals it cannot close, statements spread over several lines), so every mutant it offers is plausible.
import re
from dataclasses import dataclass
from pathlib import Path

STATEMENT_OPERATORS = ("delete-statement", "negate-condition", "flip-comparison", "swap-statements")
CONSTANT_OPERATORS = ("change-constant",)

CONTROL_HEAD = re.compile(r"(else|do|try|catch|if|for|while|switch|case|default)\b")
FUNCTION_RETURNS_BOOL = re.compile(r"((static|inline|constexpr|virtual|\[\[\w+\]\])\s+)*bool\b|.*->\s*bool$")
LAMBDA_HEAD = re.compile(r"\]\s*(\(.*\))?\s*(mutable\s*)?(->\s*[\w:<>*&\s]+)?$")
DECLARATION = re.compile(r"((const|constexpr|static|auto)\s+)*[A-Za-z_][\w:]*(<.*>)?[\s*&]+([A-Za-z_]\w*)\s*[=;({[]")
NOT_DECLARED = {"return", "throw", "delete", "goto", "co_return", "else", "case", "new", "using", "typedef"}
COMPARISON = re.compile(r"(?<=\s)(==|!=|<=|>=|<|>)(?=\s)")
NEIGHBOUR = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
INTEGER = re.compile(r"(?<![\w.'])(0[xX][0-9A-Fa-f]+|[0-9]+)([uUlL]*)(?![\w.'])")
NAMED_CONSTANT = re.compile(r"\bconst(expr)?\b[^=;()]*\bk[A-Z]\w*(\[\])?\s*=")
ESCAPE = re.compile(r"\\(x[0-9A-Fa-f]+|u[0-9A-Fa-f]{4}|U[0-9A-Fa-f]{8}|[0-7]{1,3}|.)")


@dataclass
class Line:
    text: str  # as in the file, without the line break
    code: str  # same width; comments and the insides of literals blanked
    literals: list  # (start, end) of each string or character literal, prefix and quotes included
    kind: str  # innermost brace at the line's start: top, ns, type, init or code
    statement_start: bool  # a statement (in code) begins on this line
    braceless_body: bool  # ...and it is the body of an if/else/for/while without braces
    returns_bool: bool  # the enclosing function or lambda returns bool
    block_end: int = 0  # index of the last line of the innermost block


@dataclass
class Mutant:
    path: Path  # relative to the repository root
    line: int  # 1-based
    operator: str
    replacement: dict  # 0-based line index -> new text
    before: str
    after: str


def read_lines(text):
    """Splits a source into Lines, following comments, literals, parentheses and braces across lines."""
    # head: the code since the last ";", "{" or "}" outside parentheses, i.e. what a brace or statement follows.
    # stack: (kind, returns_bool, parentheses open outside it); inside a brace the count starts afresh.
    lines, stack, head, parens, in_comment = [], [("top", False, 0)], "", 0, False
    for raw in text.split("\n"):
        kind, returns_bool = stack[-1][:2]
        before = head.strip()
        braceless = bool(re.match(r"(else\s+)?(if|for|while)\b.*\)$|(else|do)$", before))
        starts = kind == "code" and parens == 0 and (before == "" or braceless or before.endswith(":"))
        line = Line(raw, "", [], kind, starts, braceless, returns_bool)
        code, i = list(raw), 0
        if raw.lstrip().startswith("#"):
            line.kind, i = "doubtful", len(raw)  # preprocessor lines are never mutated
        while i < len(raw):
            c, rest = raw[i], raw[i:]
            if in_comment or rest.startswith("/*"):
                end = raw.find("*/", i if in_comment else i + 2)
                in_comment, stop = end < 0, len(raw) if end < 0 else end + 2
                code[i:stop] = " " * (stop - i)
                i = stop
            elif rest.startswith("//"):
                code[i:] = " " * (len(raw) - i)
                i = len(raw)
            elif c == '"' or (c == "'" and not digit_separator(raw, i)):
                end = literal_end(raw, i)
                if end is None:
                    line.kind = "doubtful"  # unclosed or raw literal: leave the line alone
                    break
                code[i + 1 : end - 1] = " " * (end - i - 2)
                line.literals.append((i - len(re.search(r"(?<!\w)(u8|[LuU]?)$", raw[:i]).group(1)), end))
                i = end
            else:
                if c == "{":
                    stack.append(classify_brace(head.strip(), stack[-1]) + (parens,))
                    head, parens = "", 0
                elif c == "}":
                    parens = stack.pop()[2] if len(stack) > 1 else 0
                    head = ""
                elif c == ";" and parens == 0:
                    head = ""
                else:
                    parens += (c in "([") - (c in ")]")
                    head += c
                i += 1
        if line.kind == "doubtful":
            line.statement_start, line.literals = False, []
        head += " "
        line.code = "".join(code)
        lines.append(line)
    mark_block_ends(lines)
    return lines


def digit_separator(raw, i):
    return i > 0 and raw[i - 1].isdigit() and not raw[:i].endswith("u8")


def literal_end(raw, i):
    """Index just past the string or character literal opening at i, or None if it is raw or not closed."""
    if re.search(r"(?<!\w)(u8|[LuU])?R$", raw[:i]):
        return None
    end = i + 1
    while end < len(raw) and raw[end] != raw[i]:
        end += 2 if raw[end] == "\\" else 1
    return end + 1 if end < len(raw) else None


def classify_brace(head, parent):
    """The kind of block an opening brace starts, judged by the text before it."""
    parent_kind, parent_bool = parent[:2]
    if re.search(r"\bnamespace\b|^extern\b", head):
        return ("ns", False)
    if re.match(r"(template\s*<.*>\s*)?(class|struct|union|enum)\b", head) and not head.endswith(")"):
        return ("type", False)
    if head == "" or CONTROL_HEAD.match(head) or (head.endswith(":") and not head.endswith("::")):
        return ("code", parent_bool) if parent_kind == "code" else (parent_kind, False)
    if LAMBDA_HEAD.search(head):
        return ("code", bool(re.search(r"->\s*bool$", head)))
    if re.search(r"(\)|\bconst|\bnoexcept|\boverride|\bfinal|->\s*[\w:<>*&\s]+)$", head):
        return ("code", bool(FUNCTION_RETURNS_BOOL.match(head)))
    return ("init", False)


def mark_block_ends(lines):
    """For each line, the last line of the block it sits in, by indentation (clang-format keeps it exact)."""
    indent = [len(l.text) - len(l.text.lstrip()) if l.text.strip() else None for l in lines]
    for i, line in enumerate(lines):
        end = i
        while end + 1 < len(lines) and (indent[end + 1] is None or indent[end + 1] >= (indent[i] or 0)):
            end += 1
        line.block_end = end + 1 if end + 1 < len(lines) else end


def simple_statement(line):
    """One whole statement on one line, without braces: the unit for deleting and swapping."""
    code = line.code.strip()
    return (line.statement_start and code.endswith(";") and not re.search(r"[{}]", code)
            and code.count("(") == code.count(")")
            and not re.match(r"(case|default|using|typedef|static_assert)\b", code))


def declared_name(line):
    m = DECLARATION.match(line.code.strip())
    return m.group(4) if m and m.group(0).split()[0] not in NOT_DECLARED else None


def mentions(line, name):
    return re.search(rf"\b{re.escape(name)}\b", line.code) is not None


def indent_of(text):
    return text[: len(text) - len(text.lstrip())]


def matching_paren(code, open_at):
    depth = 0
    for i in range(open_at, len(code)):
        depth += {"(": 1, ")": -1}.get(code[i], 0)
        if depth == 0:
            return i
    return None


def top_level_operator(code):
    """Whether an expression has a binary or ternary operator outside its parentheses."""
    depth = 0
    for i, c in enumerate(code):
        depth += {"(": 1, ")": -1, "[": 1, "]": -1}.get(c, 0)
        if depth == 0 and (re.match(r"&&|\|\||\?|\s(==|!=|<=|>=|<|>)\s", code[i:])):
            return True
    return False


def deletions_and_swaps(lines, i):
    """Operators 1 and 4, leaving alone a declaration whose name is used further on."""
    line, text = lines[i], lines[i].text
    if not simple_statement(line):
        return
    name = declared_name(line)
    returns_value = re.match(r"return\s*[^;\s]", line.code.strip())
    if not returns_value and not (name and any(mentions(l, name) for l in lines[i + 1 : line.block_end + 1])):
        yield "delete-statement", {i: indent_of(text) + "{}" if line.braceless_body else ""}
    # Declarations are not swapped: a declaration moved past an independent statement changes nothing.
    nxt = lines[i + 1] if i + 1 < len(lines) else None
    if (nxt and simple_statement(nxt) and not line.braceless_body and nxt.text.strip() != text.strip()
            and not name and not declared_name(nxt)):
        yield "swap-statements", {i: indent_of(text) + nxt.text.strip(), i + 1: indent_of(nxt.text) + text.strip()}


def negations(line):
    """Operator 2: an if/while condition or a returned bool negated, or a "!" dropped."""
    text, code = line.text, line.code
    for m in re.finditer(r"\b(if|while)\s*\(", code):
        close = matching_paren(code, m.end() - 1)
        condition = code[m.end() : close] if close else ";"
        if ";" in condition or (condition.lstrip().startswith("!") and not top_level_operator(condition)):
            continue  # multi-line, with an init-statement, or the same as dropping its "!"
        yield text[: m.end()] + "!(" + text[m.end() : close] + ")" + text[close:]
    m = re.search(r"\breturn\s+(.*);\s*$", code)
    if m and line.returns_bool and not re.search(r"[{}]", code) and m.group(1).count("(") == m.group(1).count(")"):
        expr = text[m.start(1) : m.end(1)]
        if not (expr.startswith("!") and not top_level_operator(m.group(1))):
            flipped = {"true": "false", "false": "true"}.get(expr) or ("!(" + expr + ")")
            yield text[: m.start(1)] + flipped + text[m.end(1) :]
    for m in re.finditer(r"!(?!=)", code):
        if not code[: m.start()].rstrip().endswith("operator"):
            yield text[: m.start()] + text[m.end() :]


def statement_mutants(lines):
    """(line index, operator, {index: new text}) for operators 1 to 4, inside function bodies only."""
    for i, line in enumerate(lines):
        if line.kind != "code":
            continue
        for operator, replacement in deletions_and_swaps(lines, i):
            yield i, operator, replacement
        for negated in negations(line):
            yield i, "negate-condition", {i: negated}
        for m in COMPARISON.finditer(line.code):
            flipped = line.text[: m.start()] + NEIGHBOUR[m.group(1)] + line.text[m.end() :]
            yield i, "flip-comparison", {i: flipped}


def changed_literal(literal):
    """The literal with its last character (or escape) replaced, or one character given to an empty one."""
    quote = literal.index(literal[-1])
    prefix, body = literal[: quote + 1], literal[quote + 1 : -1]
    if not body:
        return prefix + "Q" + literal[-1]
    units, at = [], 0
    while at < len(body):
        m = ESCAPE.match(body, at) if body[at] == "\\" else None
        units.append(m.group(0) if m else body[at])
        at += len(units[-1])
    units[-1] = "Z" if units[-1].lower() == "q" else "Q"  # neither a hex digit nor a wildcard
    return prefix + "".join(units) + literal[-1]


def changed_integer(m):
    digits, suffix = m.group(1), m.group(2)
    if digits.lower().startswith("0x"):
        hex_digits = digits[2:]
        case = "x" if hex_digits != hex_digits.upper() else "X"
        return digits[:2] + format(int(hex_digits, 16) + 1, f"0{len(hex_digits)}{case}") + suffix
    if len(digits) > 1 and digits.startswith("0"):
        return "0" + format(int(digits, 8) + 1, "o") + suffix  # octal stays octal
    return str(int(digits) + 1) + suffix


def constant_mutants(lines):
    """(line index, operator, {index: new text}) for operator 5: the program's texts and codes. A text is any
    string literal (messages, log lines, DDE and INI names); a code is a number given a name of its own
    (constexpr kName = 20: key codes, colours, timings) or a number in a row of a table that also holds a text
    (key names, error descriptions). Other numbers and character literals belong to the logic around them,
    which the statement operators change."""
    for i, line in enumerate(lines):
        text, code = line.text, line.code
        if line.kind == "doubtful" or re.match(r"\s*(static_assert|extern\s+\"C\")", text):
            continue
        texts = [(start, end) for start, end in line.literals if text[end - 1] == '"']
        for start, end in texts:
            yield i, "change-constant", {i: text[:start] + changed_literal(text[start:end]) + text[end:]}
        named = NAMED_CONSTANT.search(code)
        table_row = texts and line.kind == "init"
        if not (named or table_row):
            continue
        for m in INTEGER.finditer(code):
            if named and m.start() < named.end():
                continue  # a number inside the declaration's type or name
            yield i, "change-constant", {i: text[: m.start()] + changed_integer(m) + text[m.end() :]}


def find_mutants(root, path, operators):
    """Every mutant of one file whose operator is asked for, in line order."""
    lines = read_lines((root / path).read_text(encoding="utf-8"))
    found = []
    makers = []
    if set(operators) & set(STATEMENT_OPERATORS) and path.suffix == ".cpp":
        makers.append(statement_mutants)
    if set(operators) & set(CONSTANT_OPERATORS):
        makers.append(constant_mutants)
    for make in makers:
        for index, operator, replacement in make(lines):
            if operator not in operators or all(lines[k].text == t for k, t in replacement.items()):
                continue
            first, last = min(replacement), max(replacement)
            before = " | ".join(lines[k].text.strip() for k in range(first, last + 1))
            after = " | ".join(replacement[k].strip() for k in range(first, last + 1)) or "(deleted)"
            found.append(Mutant(path, index + 1, operator, replacement, before, after))
    return found
