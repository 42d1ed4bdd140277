# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

"""Mutation sites of the game's sources, found by rule from the code's tokens.

Each source under src/ is lexed and parsed by libclang (Debian's python3-clang,
so this runs under /usr/bin/python3). The lexer's tokens leave comments out and
keep string and character literals whole, so neither is ever mutated; the syntax
tree tells a comparison from a template bracket, a call statement from a
declaration, and gives a returned value's type. Only tokens of the file itself
are looked at: nothing in an included header, nothing inside a macro's body, and
nothing on a preprocessor line (no node of the tree lies there).

A site is one small edit of one file: a byte range and what replaces it. Its key
names it without a line number, so that it survives edits elsewhere in the file:
the file, the function it lies in, the trimmed text of its first line, and the
operator with the text before and after; where the same key would stand twice,
an occurrence number (1, 2, ...) in file order tells them apart.
"""

import bisect
import glob
import hashlib
import json
import os
import re
import shlex
import sys
from dataclasses import asdict, dataclass

import clang.cindex as ci

K = ci.CursorKind
T = ci.TypeKind

# What each operator does, for the report.
OPERATORS = {
    "relational": "`<` `<=` `>` `>=` to a neighbour and to the negation",
    "equality": "`==` and `!=` swapped; between numbers also to `<=` `>=` (`<` `>`)",
    "arithmetic": "`+` `-` `*` `/` `%` (and `+=` `-=` `++` `--`) swapped",
    "literal": "an integer literal plus or minus one (so 0 and 1 swap)",
    "index": "an index plus or minus one",
    "size": "a size plus or minus one (a `size()` `width()` ... call, a `...Width` `...Count` ... name)",
    "logical": "`&&` and `||` swapped",
    "not-removed": "a `!` removed",
    "not-added": "a condition negated",
    "condition-true": "a condition forced true",
    "condition-false": "a condition forced false",
    "boolean": "`true` and `false` swapped",
    "call-removed": "a statement that is only a call, removed",
    "return-constant": "a returned value replaced by a constant of its type",
    "argument-swap": "two arguments of the same type swapped in a call",
}

RELATIONAL = {
    "<": ("<=", ">="),
    "<=": ("<", ">"),
    ">": (">=", "<="),
    ">=": (">", "<"),
}
EQUALITY = {"==": ("!=",), "!=": ("==",)}
# Between numbers an equality has neighbours too.
EQUALITY_NEIGHBOURS = {"==": ("<=", ">="), "!=": ("<", ">")}
ARITHMETIC = {
    "+": ("-",),
    "-": ("+",),
    "*": ("/",),
    "/": ("*", "%"),
    "%": ("/",),
    "+=": ("-=",),
    "-=": ("+=",),
    "*=": ("/=",),
    "/=": ("*=",),
    "++": ("--",),
    "--": ("++",),
}
LOGICAL = {"&&": ("||",), "||": ("&&",)}
ASSIGNMENTS = {"=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>="}

# Binary operators by precedence, tightest first: an expression given "+ 1" needs
# brackets under an operator that binds tighter than the additive ones.
PRECEDENCE = {
    op: level
    for level, ops in enumerate(
        [
            ("*", "/", "%"),
            ("+", "-"),
            ("<<", ">>"),
            ("<=>",),
            ("<", "<=", ">", ">="),
            ("==", "!="),
            ("&",),
            ("^",),
            ("|",),
            ("&&",),
            ("||",),
            tuple(ASSIGNMENTS),
            (",",),
        ]
    )
    for op in ops
}
ADDITIVE = PRECEDENCE["+"]

# Calls that give a size, and names that hold one.
SIZE_CALLS = {"size", "length", "count", "width", "height"}
SIZE_NAME = re.compile(r"(width|height|count|size|length)$", re.IGNORECASE)
# Functions whose two arguments can be swapped without any change at all.
SYMMETRIC_CALLS = {"min", "max", "qMin", "qMax"}

INTEGRAL = {
    T.CHAR_U, T.UCHAR, T.CHAR16, T.CHAR32, T.USHORT, T.UINT, T.ULONG, T.ULONGLONG,
    T.CHAR_S, T.SCHAR, T.WCHAR, T.SHORT, T.INT, T.LONG, T.LONGLONG,
}
FLOATING = {T.FLOAT, T.DOUBLE, T.LONGDOUBLE}
UNSIGNED = {T.CHAR_U, T.UCHAR, T.CHAR16, T.CHAR32, T.USHORT, T.UINT, T.ULONG, T.ULONGLONG}
FUNCTIONS = {K.FUNCTION_DECL, K.CXX_METHOD, K.CONSTRUCTOR, K.DESTRUCTOR,
             K.CONVERSION_FUNCTION, K.FUNCTION_TEMPLATE}
LOOPS_AND_BRANCHES = {K.IF_STMT, K.WHILE_STMT, K.DO_STMT, K.FOR_STMT}
# A value made by its type's default constructor: `QString()`.
DEFAULT_VALUE = re.compile(r"^\s*[A-Za-z_][\w:]*(<[^()]*>)?\s*\(\s*\)\s*$")
INT_LITERAL = re.compile(r"^(0[xX][0-9a-fA-F']+|0[bB][01']+|[0-9][0-9']*)([uUlLzZ]*)$")


@dataclass
class Site:
    file: str  # relative to the tree
    start: int  # byte offsets in the file
    end: int
    replacement: str
    operator: str
    change: str  # the edit in words: `a` => `b`
    line: int  # first line, 1-based: for people, not part of the key
    line_text: str
    function: str
    occurrence: int = 1

    def key(self):
        return (self.file, self.function, self.line_text, self.mutant())

    def mutant(self):
        return f"{self.operator} {self.occurrence}: {self.change}"

    def key_block(self):
        """The key as the equivalents list writes it."""
        return (f"@ {self.file} : {self.function or '(file scope)'}\n"
                f"- {self.line_text}\n* {self.mutant()}")


def squeeze(text):
    return " ".join(text.split())


def shown(text):
    return f"`{squeeze(text)}`" if text.strip() else "(nothing)"


class FileSites:
    """The sites of one source file."""

    def __init__(self, tu, path, relative):
        self.path = path
        self.relative = relative
        with open(path, "rb") as f:
            self.data = f.read()
        self.lines = self.data.split(b"\n")
        self.line_starts = [0]
        for line in self.lines[:-1]:
            self.line_starts.append(self.line_starts[-1] + len(line) + 1)
        extent = tu.get_extent(path, (0, len(self.data)))
        self.tokens = [t for t in tu.get_tokens(extent=extent) if t.kind != ci.TokenKind.COMMENT]
        self.token_starts = [t.extent.start.offset for t in self.tokens]
        # Code a macro writes (Q_OBJECT's functions, QStringLiteral's lambda) is not the
        # file's own: its nodes lie within the macro's name and arguments.
        self.macros = [self.span(c) for c in tu.cursor.get_children()
                       if c.kind == K.MACRO_INSTANTIATION and self.in_file(c)]
        self.sites = []
        self.seen = set()
        self.parents = {}
        self.walk(tu.cursor, [])

    # ----- text and tokens

    def text(self, start, end):
        return self.data[start:end].decode("utf-8")

    def in_file(self, cursor):
        ext = cursor.extent
        return (ext.start.file is not None and ext.start.file.name == self.path
                and ext.end.file is not None and ext.end.file.name == self.path
                and ext.start.offset < ext.end.offset)

    def span(self, cursor):
        return cursor.extent.start.offset, cursor.extent.end.offset

    def token_index(self, offset):
        """The first token starting at or after offset."""
        return bisect.bisect_left(self.token_starts, offset)

    def token_at(self, offset):
        i = self.token_index(offset)
        if i < len(self.tokens) and self.token_starts[i] == offset:
            return self.tokens[i]
        return None

    def matching_paren(self, i):
        """Index of the token closing the bracket at token i."""
        depth = 0
        for j in range(i, len(self.tokens)):
            s = self.tokens[j].spelling
            if s in "([{":
                depth += 1
            elif s in ")]}":
                depth -= 1
                if depth == 0:
                    return j
        return None

    def tok_start(self, i):
        return self.tokens[i].extent.start.offset

    def tok_end(self, i):
        return self.tokens[i].extent.end.offset

    # ----- recording a site

    def add(self, start, end, replacement, operator, change, function):
        original = self.text(start, end)
        if replacement == original or (self.relative, start, end, replacement) in self.seen:
            return
        self.seen.add((self.relative, start, end, replacement))
        line = bisect.bisect_right(self.line_starts, start)
        line_text = self.lines[line - 1].decode("utf-8").strip()
        self.sites.append(Site(self.relative, start, end, replacement, operator, change,
                               line, line_text, function))

    def add_token_swap(self, start, spelling, replacements, operator, function):
        """The token at start replaced by each of replacements."""
        end = start + len(spelling.encode())
        if self.text(start, end) != spelling:
            return  # from a macro: the file does not hold this token here
        for new in replacements:
            self.add(start, end, new, operator, f"`{spelling}` => `{new}`", function)

    # ----- the tree

    def walk(self, cursor, functions):
        for child in cursor.get_children():
            loc = child.location
            if loc.file is None or loc.file.name != self.path:
                continue
            self.parents[child.hash] = cursor
            scope = functions
            if child.kind in FUNCTIONS or child.kind == K.LAMBDA_EXPR:
                scope = functions + [child]
            elif child.kind in (K.VAR_DECL, K.FIELD_DECL) and not functions:
                scope = [child]  # a table, a constant or a member's initial value
            self.visit(child, scope)
            self.walk(child, scope)

    def function_name(self, functions):
        for f in reversed(functions):
            if f.kind == K.LAMBDA_EXPR:
                continue
            parts = [f.spelling]
            p = f.semantic_parent
            while p is not None and p.kind in (K.CLASS_DECL, K.STRUCT_DECL, K.CLASS_TEMPLATE):
                parts.insert(0, p.spelling)
                p = p.semantic_parent
            return "::".join(parts)
        return ""

    def parent(self, cursor):
        """The syntactic parent, past implicit conversions that add no text."""
        p = self.parents.get(cursor.hash)
        while p is not None and p.kind == K.UNEXPOSED_EXPR and self.span(p) == self.span(cursor):
            cursor = p
            p = self.parents.get(p.hash)
        return p, cursor

    def strip(self, cursor):
        """Past implicit conversions and cleanups down to the expression written."""
        while cursor.kind == K.UNEXPOSED_EXPR:
            children = [c for c in cursor.get_children() if self.in_file(c)]
            if len(children) != 1 or self.span(children[0]) != self.span(cursor):
                break
            cursor = children[0]
        return cursor

    def operator_of_call(self, call):
        """For an overloaded operator's call: its spelling and operand cursors."""
        children = list(call.get_children())
        for c in children:
            ref = self.strip(c)
            if ref.kind == K.DECL_REF_EXPR and ref.spelling.startswith("operator"):
                op = ref.spelling[len("operator"):].strip()
                operands = [o for o in children if o is not c]
                return op, ref, operands
        return None

    def binary_operator_token(self, cursor):
        children = [c for c in cursor.get_children()]
        if len(children) != 2 or not self.in_file(children[0]):
            return None
        i = self.token_index(children[0].extent.end.offset)
        if i >= len(self.tokens) or self.tok_start(i) >= children[1].extent.start.offset:
            return None
        return i, children

    def needs_brackets(self, cursor):
        """Whether `cursor + 1` must be written `(cursor + 1)` to keep its meaning."""
        parent, cursor = self.parent(cursor)
        if parent is None:
            return True
        kind = parent.kind
        if kind in (K.PAREN_EXPR, K.ARRAY_SUBSCRIPT_EXPR, K.INIT_LIST_EXPR, K.VAR_DECL,
                    K.RETURN_STMT, K.CONDITIONAL_OPERATOR, K.CXX_STATIC_CAST_EXPR,
                    K.CXX_FUNCTIONAL_CAST_EXPR, K.IF_STMT, K.WHILE_STMT, K.FOR_STMT):
            if kind == K.ARRAY_SUBSCRIPT_EXPR:
                return self.span(list(parent.get_children())[0]) == self.span(cursor)
            return False
        if kind in (K.BINARY_OPERATOR, K.COMPOUND_ASSIGNMENT_OPERATOR):
            found = self.binary_operator_token(parent)
            if not found:
                return True
            op = self.tokens[found[0]].spelling
            level = PRECEDENCE.get(op, -1)
            if level > ADDITIVE:
                return False
            is_left = self.span(found[1][0]) == self.span(cursor)
            return not (level == ADDITIVE and is_left)
        if kind == K.CALL_EXPR:
            called = self.operator_of_call(parent)
            if called is None:
                return False  # an argument
            op, _, operands = called
            if op == "[]":
                return self.span(operands[0]) == self.span(cursor)
            level = PRECEDENCE.get(op, -1)
            if level > ADDITIVE:
                return False
            is_left = operands and self.span(operands[0]) == self.span(cursor)
            return not (level == ADDITIVE and is_left)
        return True

    def plus_minus(self, cursor, operator, function):
        if self.strip(cursor).kind == K.INTEGER_LITERAL:
            return  # the literal's own operator makes the same change
        start, end = self.span(cursor)
        original = self.text(start, end)
        if "\n" in original:
            return
        brackets = self.needs_brackets(cursor)
        inner = f"({original})" if self.needs_brackets_inside(cursor) else original
        for sign in ("+", "-"):
            new = f"{inner} {sign} 1"
            if brackets:
                new = f"({new})"
            self.add(start, end, new, operator, f"{shown(original)} => `{new}`", function)

    def needs_brackets_inside(self, cursor):
        """Whether the expression binds more loosely than `+`, so `e + 1` needs (e)."""
        c = self.strip(cursor)
        if c.kind in (K.BINARY_OPERATOR, K.COMPOUND_ASSIGNMENT_OPERATOR):
            found = self.binary_operator_token(c)
            return not found or PRECEDENCE.get(self.tokens[found[0]].spelling, 99) > ADDITIVE
        if c.kind == K.CONDITIONAL_OPERATOR:
            return True
        if c.kind == K.CALL_EXPR:
            called = self.operator_of_call(c)
            if called and called[0] not in ("[]", "()", "->"):
                return PRECEDENCE.get(called[0], 99) > ADDITIVE
        return False

    def from_macro(self, cursor):
        start, end = self.span(cursor)
        return any(a <= start and end <= b for a, b in self.macros)

    def visit(self, c, functions):
        if not self.in_file(c) or self.from_macro(c):
            return
        fn = self.function_name(functions)
        kind = c.kind
        if kind in (K.BINARY_OPERATOR, K.COMPOUND_ASSIGNMENT_OPERATOR):
            self.visit_binary(c, fn)
        elif kind == K.UNARY_OPERATOR:
            self.visit_unary(c, fn)
        elif kind == K.INTEGER_LITERAL:
            self.visit_integer(c, fn)
        elif kind == K.CXX_BOOL_LITERAL_EXPR:
            tok = self.token_at(c.extent.start.offset)
            if tok is not None and tok.spelling in ("true", "false"):
                other = "false" if tok.spelling == "true" else "true"
                self.add_token_swap(tok.extent.start.offset, tok.spelling, (other,), "boolean", fn)
        elif kind == K.CALL_EXPR:
            self.visit_call(c, fn)
        elif kind == K.ARRAY_SUBSCRIPT_EXPR:
            children = list(c.get_children())
            if len(children) == 2 and self.in_file(children[1]):
                self.plus_minus(children[1], "index", fn)
        elif kind in LOOPS_AND_BRANCHES:
            self.visit_condition_statement(c, fn)
        elif kind == K.CONDITIONAL_OPERATOR:
            children = list(c.get_children())
            if children and self.in_file(children[0]):
                self.condition(children[0], fn)
        elif kind == K.RETURN_STMT:
            self.visit_return(c, functions, fn)
        elif kind in (K.DECL_REF_EXPR, K.MEMBER_REF_EXPR):
            self.visit_name(c, fn)
        if kind == K.COMPOUND_STMT or kind in LOOPS_AND_BRANCHES or kind == K.CXX_FOR_RANGE_STMT:
            self.visit_statements(c, fn)

    def visit_binary(self, c, fn):
        found = self.binary_operator_token(c)
        if not found:
            return
        i, (lhs, rhs) = found
        tok = self.tokens[i]
        op = tok.spelling
        at = tok.extent.start.offset
        if op in RELATIONAL:
            self.add_token_swap(at, op, RELATIONAL[op], "relational", fn)
        elif op in EQUALITY:
            kinds = [x.type.get_canonical().kind for x in (lhs, rhs)]
            numbers = all(k in INTEGRAL | FLOATING for k in kinds)
            neighbours = EQUALITY_NEIGHBOURS[op] if numbers else ()
            self.add_token_swap(at, op, EQUALITY[op] + tuple(
                n for n in neighbours if not self.same_unsigned(lhs, rhs, op, n, kinds[0])),
                "equality", fn)
        elif op in LOGICAL:
            self.add_token_swap(at, op, LOGICAL[op], "logical", fn)
        elif op in ARITHMETIC:
            # A pointer minus a pointer has no sum.
            pointers = [x.type.get_canonical().kind == T.POINTER for x in (lhs, rhs)]
            if all(pointers):
                return
            self.add_token_swap(at, op, ARITHMETIC[op], "arithmetic", fn)

    def same_unsigned(self, lhs, rhs, op, new, kind):
        """Whether an unsigned comparison with 0 or npos means the same with `new`: no
        unsigned value lies below 0 or above npos."""
        if kind not in UNSIGNED:
            return False
        left, right = (squeeze(self.text(*self.span(x))) for x in (lhs, rhs))
        if right == "0" or left.endswith("npos"):  # x == 0 is x <= 0; npos != x is npos > x
            return (op, new) in (("==", "<="), ("!=", ">"))
        if left == "0" or right.endswith("npos"):  # x != npos is x < npos
            return (op, new) in (("==", ">="), ("!=", "<"))
        return False

    def visit_unary(self, c, fn):
        tokens = list(c.get_tokens())
        if not tokens:
            return
        first, last = tokens[0], tokens[-1]
        if first.spelling == "!":
            start = first.extent.start.offset
            self.add(start, first.extent.end.offset, "", "not-removed",
                     f"`!` removed before {shown(self.text(first.extent.end.offset, c.extent.end.offset))}", fn)
        elif first.spelling in ("++", "--"):
            self.add_token_swap(first.extent.start.offset, first.spelling,
                                ARITHMETIC[first.spelling], "arithmetic", fn)
        elif last.spelling in ("++", "--") and len(tokens) > 1:
            self.add_token_swap(last.extent.start.offset, last.spelling,
                                ARITHMETIC[last.spelling], "arithmetic", fn)

    def visit_integer(self, c, fn):
        tok = self.token_at(c.extent.start.offset)
        if tok is None:
            return
        m = INT_LITERAL.match(tok.spelling)
        if not m:
            return
        digits, suffix = m.group(1).replace("'", ""), m.group(2)
        if digits[:2] in ("0x", "0X"):
            value, fmt = int(digits, 16), lambda v: f"0x{v:x}"
        elif digits[:2] in ("0b", "0B"):
            value, fmt = int(digits, 2), lambda v: f"0b{v:b}"
        elif len(digits) > 1 and digits[0] == "0":
            value, fmt = int(digits, 8), lambda v: f"0{v:o}"
        else:
            value, fmt = int(digits), str
        if self.in_declared_type(c):
            return
        start = tok.extent.start.offset
        # Zero only becomes one: below it, an index or count would only crash.
        for new_value in (value + 1, value - 1) if value else (1,):
            new = f"{fmt(new_value)}{suffix}"
            self.add(start, tok.extent.end.offset, new, "literal",
                     f"`{tok.spelling}` => `{new}`", fn)

    def in_declared_type(self, literal):
        """Whether a literal is part of a declared type (an array's length, a template
        argument), where one more or one less only stops the build."""
        parent, outer = self.parent(literal)
        if parent is None or parent.kind not in (K.VAR_DECL, K.FIELD_DECL, K.FUNCTION_DECL,
                                                 K.CXX_METHOD, K.PARM_DECL, K.TYPE_ALIAS_DECL,
                                                 K.TYPEDEF_DECL, K.TYPE_REF, K.TEMPLATE_REF):
            return False
        before = self.token_index(literal.extent.start.offset) - 1
        if before >= 0 and self.tokens[before].spelling == "[":
            return True
        return literal.extent.start.offset < parent.location.offset

    def visit_name(self, c, fn):
        """A name holding a size, read as a value."""
        name = c.spelling
        if not SIZE_NAME.search(name) or c.type.get_canonical().kind not in INTEGRAL:
            return
        declared = c.referenced
        if declared is not None and declared.type.is_const_qualified():
            return  # a constant: its literal is mutated where it is defined
        if self.read_as_size(c):
            self.plus_minus(c, "size", fn)

    def read_as_size(self, c):
        """Whether a size is read as a value, and not as a comparison's bound."""
        parent, outer = self.parent(c)
        if parent is None:
            return False
        if parent.kind in (K.BINARY_OPERATOR, K.COMPOUND_ASSIGNMENT_OPERATOR):
            found = self.binary_operator_token(parent)
            if not found:
                return False
            op = self.tokens[found[0]].spelling
            if op in ASSIGNMENTS and self.span(found[1][0]) == self.span(outer):
                return False  # written, not read
            if op in RELATIONAL or op in EQUALITY:
                return False  # a bound: the comparison's own operators move it
        if parent.kind == K.CALL_EXPR:
            called = self.operator_of_call(parent)
            if called is not None and (called[0] in RELATIONAL or called[0] in EQUALITY):
                return False
            if called is None and self.binds_to_reference(parent, outer):
                return False  # an argument the call writes to
        if parent.kind == K.UNARY_OPERATOR:
            toks = [t.spelling for t in parent.get_tokens()]
            if toks and (toks[0] in ("++", "--", "&") or toks[-1] in ("++", "--")):
                return False
        return parent.kind != K.MEMBER_REF_EXPR  # not the object of a member access

    def binds_to_reference(self, call, arg):
        try:
            args = list(call.get_arguments())
        except Exception:
            return False
        callee = call.referenced
        if callee is None:
            return False
        params = list(callee.get_arguments()) if callee.kind in FUNCTIONS else []
        for a, p in zip(args, params):
            if self.span(a) == self.span(arg):
                k = p.type.kind
                return k == T.LVALUEREFERENCE and not p.type.get_pointee().is_const_qualified()
        return False

    def visit_call(self, c, fn):
        called = self.operator_of_call(c)
        if called is not None:
            op, ref, operands = called
            tok = self.token_at(ref.extent.start.offset)
            if tok is None:
                return
            at = tok.extent.start.offset
            if op in RELATIONAL and len(operands) == 2:
                self.add_token_swap(at, op, RELATIONAL[op], "relational", fn)
            elif op in EQUALITY and len(operands) == 2:
                self.add_token_swap(at, op, EQUALITY[op], "equality", fn)
            elif op in ("+", "-", "+=", "-=") and len(operands) == 2:
                if "string" not in c.type.get_canonical().spelling.lower():
                    self.add_token_swap(at, op, ARITHMETIC[op], "arithmetic", fn)
            elif op == "[]" and len(operands) == 2 and self.in_file(operands[1]):
                self.plus_minus(operands[1], "index", fn)
            return
        name = c.spelling
        args = [a for a in c.get_arguments() if self.in_file(a)]
        if name in SIZE_CALLS and not args and c.type.get_canonical().kind in INTEGRAL:
            children = list(c.get_children())
            ref = self.strip(children[0]) if children else None
            if ref is not None and ref.kind == K.MEMBER_REF_EXPR and self.read_as_size(c):
                self.plus_minus(c, "size", fn)
        if name in SYMMETRIC_CALLS or len(args) < 2:
            return
        self.swaps(c, args, fn)

    def swaps(self, call, args, fn):
        spans = [self.span(a) for a in args]
        if any(spans[i][1] > spans[i + 1][0] for i in range(len(spans) - 1)):
            return  # not in order: some come from a macro
        types = [a.type.get_canonical().spelling for a in args]
        texts = [squeeze(self.text(*s)) for s in spans]
        for i in range(len(args)):
            # Each argument with the next one of its type.
            j = next((j for j in range(i + 1, len(args)) if types[j] == types[i]), None)
            if j is not None and texts[i] != texts[j]:
                (a0, a1), (b0, b1) = spans[i], spans[j]
                new = self.text(b0, b1) + self.text(a1, b0) + self.text(a0, a1)
                self.add(a0, b1, new, "argument-swap", f"`{texts[i]}` <-> `{texts[j]}`", fn)

    def condition_range(self, c):
        """The token range (first, last) of a statement's condition, or None."""
        toks_start = self.token_index(c.extent.start.offset)
        kind = c.kind
        if kind == K.DO_STMT:
            body = [x for x in c.get_children()][0]
            i = self.token_index(body.extent.end.offset)
            while i < len(self.tokens) and self.tokens[i].spelling != "while":
                i += 1
            i += 1
        else:
            i = toks_start + 1
            if kind == K.IF_STMT and i < len(self.tokens) and self.tokens[i].spelling == "constexpr":
                return None
        if i >= len(self.tokens) or self.tokens[i].spelling != "(":
            return None
        close = self.matching_paren(i)
        if close is None:
            return None
        # Top-level semicolons inside the brackets.
        depth, semis = 0, []
        for j in range(i + 1, close):
            s = self.tokens[j].spelling
            if s in "([{":
                depth += 1
            elif s in ")]}":
                depth -= 1
            elif s == ";" and depth == 0:
                semis.append(j)
        if kind == K.FOR_STMT:
            if len(semis) != 2:
                return None
            first, last = semis[0] + 1, semis[1] - 1
        else:
            first = semis[-1] + 1 if semis else i + 1
            last = close - 1
        if first > last:
            return None
        # A declaration as the condition (`if (auto *x = ...)`) stays.
        for child in c.get_children():
            if child.kind in (K.VAR_DECL, K.DECL_STMT) and \
                    child.extent.start.offset >= self.tok_start(first) and \
                    child.extent.end.offset <= self.tok_end(last):
                return None
        return first, last

    def visit_condition_statement(self, c, fn):
        found = self.condition_range(c)
        if found is None:
            return
        first, last = found
        start, end = self.tok_start(first), self.tok_end(last)
        cond = None
        for child in c.get_children():
            if self.span(child) == (start, end):
                cond = child
        self.condition_text(start, end, cond, fn)

    def condition(self, cursor, fn):
        self.condition_text(*self.span(cursor), cursor, fn)

    def condition_text(self, start, end, cursor, fn):
        original = self.text(start, end)
        written = self.strip(cursor) if cursor is not None else None
        if written is not None and written.kind == K.CXX_BOOL_LITERAL_EXPR:
            return
        for value, operator in (("true", "condition-true"), ("false", "condition-false")):
            self.add(start, end, value, operator, f"{shown(original)} => `{value}`", fn)
        if written is not None and written.kind == K.UNARY_OPERATOR and original.lstrip().startswith("!"):
            return  # removing that `!` is its own operator
        simple = written is not None and (
            written.kind in (K.DECL_REF_EXPR, K.MEMBER_REF_EXPR, K.PAREN_EXPR)
            or (written.kind == K.CALL_EXPR and self.operator_of_call(written) is None))
        new = f"!{original}" if simple else f"!({original})"
        self.add(start, end, new, "not-added", f"{shown(original)} => `{squeeze(new)}`", fn)

    def visit_return(self, c, functions, fn):
        children = [x for x in c.get_children()]
        if len(children) != 1 or not self.in_file(children[0]):
            return
        expr = children[0]
        owner = functions[-1] if functions else None
        if owner is None:
            return
        if owner.kind == K.LAMBDA_EXPR:
            rtype = expr.type
        else:
            rtype = owner.result_type
        canon = rtype.get_canonical()
        kind = canon.kind
        if kind == T.BOOL:
            constants = ("true", "false")
        elif kind in INTEGRAL or kind in FLOATING:
            constants = ("0",) if squeeze(self.text(*self.span(expr))) != "0" else ("1",)
        elif kind in (T.POINTER, T.MEMBERPOINTER, T.NULLPTR):
            constants = ("nullptr",)
        elif kind in (T.RECORD, T.ENUM, T.ELABORATED):
            constants = ("{}",)
        else:
            return  # a reference, or a type the tree does not resolve
        start, end = self.span(expr)
        original = self.text(start, end)
        if squeeze(original) in ("{}", "nullptr", "std::nullopt") or DEFAULT_VALUE.match(original):
            return  # already the constant
        for value in constants:
            if squeeze(original) == value:
                continue
            self.add(start, end, value, "return-constant",
                     f"return {shown(original)} => `{value}`", fn)

    def header_end(self, c):
        """Where the bracketed head of an if, while or for statement ends."""
        i = self.token_index(c.extent.start.offset) + 1
        if i < len(self.tokens) and self.tokens[i].spelling == "constexpr":
            i += 1
        if i >= len(self.tokens) or self.tokens[i].spelling != "(":
            return None
        close = self.matching_paren(i)
        return None if close is None else self.tok_end(close)

    def visit_statements(self, c, fn):
        """Statements that are only a call: removed."""
        in_block = c.kind == K.COMPOUND_STMT
        children = [x for x in c.get_children() if self.in_file(x)]
        if c.kind == K.DO_STMT:
            children = children[:1]
        elif not in_block:
            head = self.header_end(c)
            if head is None:
                return
            children = [x for x in children if x.extent.start.offset >= head]
        for child in children:
            call = self.strip(child)
            if call.kind != K.CALL_EXPR:
                continue
            called = self.operator_of_call(call)
            if called is not None and called[0] in ASSIGNMENTS:
                continue
            start, end = self.span(child)
            i = self.token_index(end)
            if i >= len(self.tokens) or self.tokens[i].spelling != ";":
                continue
            end = self.tok_end(i)
            statement = self.text(start, end)
            line = bisect.bisect_right(self.line_starts, start) - 1
            line_start = self.line_starts[line]
            end_line = bisect.bisect_right(self.line_starts, end) - 1
            line_end = self.line_starts[end_line] + len(self.lines[end_line])
            if in_block and not self.data[line_start:start].strip() \
                    and not self.data[end:line_end].strip():
                # Alone on its lines: the lines go, so the diff reads as a deletion.
                self.add(line_start, min(line_end + 1, len(self.data)), "", "call-removed",
                         f"{shown(statement)} removed", fn)
            else:
                # A body without braces keeps an empty statement, so the next one
                # does not become the body.
                self.add(start, end, "" if in_block else ";", "call-removed",
                         f"{shown(statement)} removed", fn)


def number_occurrences(sites):
    counts = {}
    for site in sites:
        k = (site.file, site.function, site.line_text, site.operator, site.change)
        counts[k] = counts.get(k, 0) + 1
        site.occurrence = counts[k]


def source_files(tree):
    found = []
    for folder, _, names in os.walk(os.path.join(tree, "src")):
        for name in names:
            if name.endswith((".cpp", ".h")):
                found.append(os.path.relpath(os.path.join(folder, name), tree))
    return sorted(found)


def compile_arguments(compile_commands):
    """The include and define flags of each source folder's translation units."""
    with open(compile_commands) as f:
        entries = json.load(f)
    by_folder = {}
    for entry in entries:
        words = shlex.split(entry["command"]) if "command" in entry else entry["arguments"]
        flags, it = [], iter(words[1:])
        for w in it:
            if w in ("-isystem", "-I", "-D"):
                flags += [w, next(it)]
            elif w.startswith(("-I", "-D", "-std=")):
                flags.append(w)
        source = os.path.realpath(os.path.join(entry.get("directory", ""), entry["file"]))
        by_folder.setdefault(os.path.dirname(source), flags)
    return by_folder


def clang_resource_flags():
    """libclang's own headers (stddef.h and the like), which it does not always find."""
    found = sorted(glob.glob("/usr/lib/llvm-*/lib/clang/*/include"),
                   key=lambda p: [int(n) for n in re.findall(r"\d+", p)])
    return ["-isystem", found[-1]] if found else []


def find_sites(tree, compile_commands, files=None, log=sys.stderr):
    """All sites of the sources under tree/src, in file order."""
    tree = os.path.realpath(tree)
    by_folder = compile_arguments(compile_commands)
    index = ci.Index.create()
    extra = clang_resource_flags() + ["-x", "c++", "-Wno-pragma-once-outside-header"]
    sites = []
    for relative in files or source_files(tree):
        path = os.path.join(tree, relative)
        folder = os.path.dirname(path)
        flags = by_folder.get(folder)
        if flags is None:  # a folder with headers only: its parent's flags
            flags = next((v for k, v in by_folder.items() if folder.startswith(k)), None)
        if flags is None:
            flags = next(iter(by_folder.values()))
        tu = index.parse(path, args=flags + extra,
                         options=ci.TranslationUnit.PARSE_DETAILED_PROCESSING_RECORD)
        errors = [d for d in tu.diagnostics if d.severity >= ci.Diagnostic.Error]
        if errors:
            print(f"{relative}: libclang could not parse it cleanly:", file=log)
            for d in errors[:5]:
                print(f"  {d}", file=log)
        sites += FileSites(tu, path, relative).sites
    number_occurrences(sites)
    return sites


def cached_sites(tree, compile_commands, cache):
    """find_sites, kept in a file until a source or this program changes."""
    digest = hashlib.sha256()
    for relative in source_files(tree):
        digest.update(relative.encode())
        with open(os.path.join(tree, relative), "rb") as f:
            digest.update(hashlib.sha256(f.read()).digest())
    with open(__file__, "rb") as f:
        digest.update(f.read())
    stamp = digest.hexdigest()
    try:
        with open(cache) as f:
            stored = json.load(f)
        if stored["stamp"] == stamp:
            return [Site(**s) for s in stored["sites"]]
    except (OSError, ValueError, KeyError, TypeError):
        pass
    sites = find_sites(tree, compile_commands)
    with open(cache, "w") as f:
        json.dump({"stamp": stamp, "sites": [asdict(s) for s in sites]}, f)
    return sites


def apply(data, site):
    """The file's bytes with the site's edit made."""
    return data[:site.start] + site.replacement.encode() + data[site.end:]


def print_counts(sites):
    """How many sites, by file and by operator."""
    by_file, by_op = {}, {}
    for s in sites:
        by_file[s.file] = by_file.get(s.file, 0) + 1
        by_op[s.operator] = by_op.get(s.operator, 0) + 1
    for name, count in sorted(by_file.items()):
        print(f"{count:6d}  {name}")
    print()
    for name, what in OPERATORS.items():
        print(f"{by_op.get(name, 0):6d}  {name}: {what}")
    print(f"\n{len(sites):6d}  sites in all")


def print_list(sites):
    """Every site: where it is, and its key."""
    for s in sites:
        print(f"{s.file}:{s.line}\n{s.key_block()}\n")
