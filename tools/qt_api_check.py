#!/usr/bin/env python3
"""Fails on Qt API newer than the host's Qt (5.11) used outside a QT_VERSION guard.

The host ships Qt 5.11.2, while this machine builds against a newer Qt 5, so a call added in a
later release compiles here and breaks the Windows build. This check reads Qt's HTML reference
(Debian package qtbase5-doc-html, /usr/share/qt5/doc) and reports, for every use it can tie to
a documented name, the file, the line, the name and the Qt version that introduced it.

Where the reference says what is new
  - items (functions, properties, enums, typedefs, macros, variables, aliases, structs): the
    paragraph "This <kind> was introduced [or modified] in Qt X.Y." of the item. An enum's
    "introduced or modified" note is taken as "introduced" (in qtbase 5.15 every such enum is
    new as a whole);
  - classes, namespaces and header pages: "This class was introduced in Qt X.Y." or the
    "Since: Qt X.Y" row; an item without a note of its own inherits its page's version;
  - enum values: the value's description cell ("This enum value was added in Qt X.Y",
    "This value was introduced in X.Y", "(added in Qt X.Y)", "Introduced in Qt X.Y",
    "Since Qt X.Y", "[since X.Y]"...); a value without one inherits its enum's version;
  - property access functions (the block's "Access functions" and notifier) inherit the
    property's version.
  The "Obsolete Members" pages count too: an old obsolete overload makes a name old.

What in the code is checked (comments and string literals are blanked first)
  - class-qualified names, "QFoo::bar", "&QFoo::bar", "Qt::ElideRight", "QFoo<T>::bar",
    "QColorSpace::NamedColorSpace::SRgb": flagged when every documented item of that name in
    that class (or, when the class has none, in its nearest documented base) is newer;
  - class, namespace and global typedef names anywhere ("QColorConstants", "QStringView");
  - global functions and macros called or named ("qExchange(", "Q_DISABLE_COPY_MOVE("):
    flagged when every documented item of that name is newer;
  - member calls without a class in sight ("x.name(", "x->name(", "name("): flagged only when
    every documented Qt function or property of that name, in every class, is newer, no
    function of this project is declared with that name, and the name is not a standard
    library member. Such a call is then new whatever the type of x;
  - .ui forms: widget and layout properties (against the element's class and its bases) and
    "Qt::..." / "QFoo::..." values.
  A use is allowed inside "#if QT_VERSION >= QT_VERSION_CHECK(5, N, 0)" (or "> ", or a hex
  0x05NN00) up to Qt 5.N, and in the #else/#elif branches of "#if QT_VERSION < ..." or "<=";
  conditions joined with "||" or negated with "!" grant nothing.

Known limits (what it cannot see)
  - what the reference does not date: QSpinBox::stepType and QAbstractSpinBox::StepType came in
    5.12 but carry no note, so they count as old; operators and undocumented classes are not
    read at all;
  - an overload added to an old name ("QString::arg(QStringView)", a new "QMultiMap::insert"
    overload, a new default argument): the name is old, so it is never flagged;
  - a member call whose name also exists, older, in any class ("x.screen()" on a QWidget
    (5.14) is not flagged since QWindow::screen is 5.0), unless spelled "QWidget::screen";
  - inherited members spelled with the derived class are found only through the reference's
    "Inherits" chain; members reached through a typedef or "auto" are seen only by name;
  - modules outside qtbase (Qt SVG) are not in that package and are not checked;
  - .ui signal/slot connections and string-based SIGNAL()/SLOT() signatures are not checked
    beyond their names;
  - macros defined away by the preprocessor and code in other #if branches are checked as
    written: every branch is read, only QT_VERSION conditions change what is allowed.

Usage: qt_api_check.py [--docs DIR] [--cache FILE] [--max 5.11] [--root DIR] [--expect] [PATH...]
PATHs (files or folders, default: plugin hostsdk under --root) are scanned for .h, .hpp, .cpp,
.cc, .cxx, .inl and .ui files. Exit status: 0 clean, 1 findings, 2 the reference is missing.
Reading the reference takes a few seconds; --cache keeps what was read (rebuilt when the
reference or this file changes). --expect is the self-test: the findings must be exactly the
lines marked "expect-qt-api: NAME X.Y" (tests/qtapi).
"""

import argparse
import glob
import html
import json
import os
import re
import sys
import time

INDEX_FORMAT = 5

# ---------------------------------------------------------------------------------------------
# Reading the reference

VERSION_RE = r"(\d+)(?:\.|&#x2e;)(\d+)(?:(?:\.|&#x2e;)\d+)?"
ITEM_NOTE_RE = re.compile(
    r"<p>This (?:[a-zA-Z]+ )?[a-zA-Z]+ (?:was|has been) (?:introduced|added)(?: or modified)? in "
    r"(?:Qt )?" + VERSION_RE + r"\s*(?:\.|&#x2e;)?\s*</p>"
)
PAGE_SINCE_RE = re.compile(r"Since:</td><td[^>]*>\s*Qt\s+" + VERSION_RE)
PAGE_CLASS_NOTE_RE = re.compile(
    r"<p>This (?:class|struct|namespace|header) was introduced in Qt " + VERSION_RE
)
INHERITS_RE = re.compile(r"Inherits:</td><td[^>]*>(.*?)</td>", re.S)
TITLE_RE = re.compile(r"<title>(.*?)\s*\|")
ITEM_RE = re.compile(r"<!-- \$\$\$(.*?) -->(.*?)<!-- @@@", re.S)
H3_RE = re.compile(r'<h3 class="(?:fn|flags)(?: fngroupitem)?" id="([^"]*)">(.*?)</h3>', re.S)
NAME_SPAN_RE = re.compile(r'([\w:~]*)<span class="name">(.*?)</span>')
ROW_RE = re.compile(r'<tr><td class="topAlign"><code>(.*?)</code></td>(.*?)</tr>', re.S)
ACCESSOR_RE = re.compile(r'<span class="name"><b>(?:<a [^>]*>)?(\w+)')
TAG_RE = re.compile(r"<[^>]+>")

# Enum value descriptions say when a value came in many ways; these are the ones the reference
# uses for an introduction ("deprecated since Qt 5.x" and "Since Qt 5.x, this value ..." are not).
VALUE_NOTE_RES = [
    re.compile(r"(?:added|introduced)\s+in\s+(?:Qt\s+)?(\d+)\.(\d+)", re.I),
    re.compile(r"(?:^|[\s(\[])since\s+(?:Qt\s+)?(\d+)\.(\d+)(?:\.\d+)?\s*(?:[.)\]]|$)", re.I),
]


def text_of(fragment):
    return html.unescape(TAG_RE.sub("", fragment))


def value_version(description):
    found = []
    for rx in VALUE_NOTE_RES:
        for m in rx.finditer(description):
            before = description[max(0, m.start() - 14) : m.start()].lower()
            if "deprecated" in before or "obsolete" in before:
                continue
            found.append((int(m.group(1)), int(m.group(2))))
    return min(found) if found else None


def page_scope(title):
    """The class or namespace a reference page documents, "" for header pages, None otherwise."""
    t = html.unescape(title)
    m = re.match(r"Obsolete Members for (\S+)$", t)
    if m:
        t = m.group(1) + " Class"
    m = re.match(r"(\S+) (Class|Struct|Namespace|Proxy Page)$", t)
    if m:
        return m.group(1)
    if t.startswith("<"):
        return ""
    return None


def page_title(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        m = TITLE_RE.search(f.read(4096))
    return m.group(1) if m else ""


def parse_page(path, scope, pages, items):
    with open(path, encoding="utf-8", errors="replace") as f:
        page = f.read()
    head = page[: page.find('<h3 class="fn"')] if '<h3 class="fn"' in page else page
    info = pages.setdefault(scope, {"since": None, "bases": []})
    m = PAGE_SINCE_RE.search(head) or PAGE_CLASS_NOTE_RE.search(head)
    if m:
        info["since"] = [int(m.group(1)), int(m.group(2))]
    if "::" in scope:
        outer, inner = scope.rsplit("::", 1)
        items.append([outer, inner, "type", info["since"], scope])
    m = INHERITS_RE.search(head)
    if m:
        info["bases"] = [b.strip() for b in text_of(m.group(1)).split(",") if b.strip()]

    for m in ITEM_RE.finditer(page):
        body = m.group(2)
        # Overloads documented together share one block, one heading each.
        headings = H3_RE.findall(body)
        if not headings:
            continue
        anchor = headings[0][0]
        note = ITEM_NOTE_RE.search(body)
        version = [int(note.group(1)), int(note.group(2))] if note else None
        if anchor.endswith("-prop"):
            kind = "prop"
        elif anchor.endswith("-enum"):
            kind = "enum"
        elif anchor.endswith("-typedef") or anchor.endswith("-alias"):
            kind = "type"
        elif anchor.endswith("-var"):
            kind = "var"
        else:
            kind = "fn"
        names = [n for _, heading in headings for n in NAME_SPAN_RE.findall(heading)]
        if not names:
            continue
        for qual, name in names:
            name = text_of(name).strip()
            qual = qual.rstrip(":")
            if kind == "prop":
                qual = scope
            if not re.fullmatch(r"~?\w+", name):
                continue  # operators
            items.append([qual, name, kind, version, scope])
        if kind == "prop":
            for acc in ACCESSOR_RE.findall(body):
                items.append([scope, acc, "acc", version, scope])
        if kind == "enum":
            enum_qual = names[0][0].rstrip(":")
            enum_scope = (enum_qual + "::" if enum_qual else "") + text_of(names[0][1])
            # The item's marker lists the enum's values, which came with the enum unless the
            # table says otherwise.
            values = {}
            for value in m.group(1).split("$$$")[1:]:
                if re.fullmatch(r"\w+", value):
                    values[value] = (enum_qual, version)
            for code, rest in ROW_RE.findall(body):
                full = text_of(code).strip()
                if not re.fullmatch(r"[\w:]+", full):
                    continue
                cells = re.findall(r"<td[^>]*>(.*?)</td>", rest, re.S)
                vv = value_version(text_of(cells[-1])) if cells else None
                parts = full.split("::")
                m2 = re.fullmatch(r"Qt_(\d+)_(\d+)", parts[-1])
                if m2 and "QDataStream" in full:
                    vv = (int(m2.group(1)), int(m2.group(2)))
                values[parts[-1]] = ("::".join(parts[:-1]), list(vv) if vv else version)
            for value, (qual, vv) in values.items():
                items.append([qual, value, "value", vv, scope])
                if enum_scope != qual:
                    items.append([enum_scope, value, "value", vv, scope])


def build_index(docs):
    pages, items = {}, []
    files = sorted(glob.glob(os.path.join(docs, "*", "*.html")))
    scopes = {}
    for path in files:
        if not path.endswith("-members.html"):
            scopes[path] = page_scope(page_title(path))
    for path, scope in scopes.items():
        if scope is None:
            continue
        # A nested class's page is titled by its own name only; its file name carries the
        # outer class's (qcborarray-iterator.html).
        base = path[: -len(".html")]
        for suffix in ("-obsolete", "-proxy"):
            base = base[: -len(suffix)] if base.endswith(suffix) else base
        if "-" in os.path.basename(base) and "::" not in scope:
            outer = scopes.get(base.rsplit("-", 1)[0] + ".html")
            if outer:
                scope = outer + "::" + scope
        parse_page(path, scope, pages, items)
    return {"format": INDEX_FORMAT, "pages": pages, "items": items}


def docs_stamp(docs):
    files = glob.glob(os.path.join(docs, "*", "*.html"))
    newest = max((os.path.getmtime(f) for f in files), default=0)
    return "%s:%d:%d:%s" % (docs, len(files), int(newest), os.path.getmtime(__file__))


def load_index(docs, cache):
    stamp = docs_stamp(docs)
    if cache and os.path.exists(cache):
        try:
            with open(cache, encoding="utf-8") as f:
                data = json.load(f)
            if data.get("stamp") == stamp and data.get("format") == INDEX_FORMAT:
                return data
        except (OSError, ValueError):
            pass
    data = build_index(docs)
    data["stamp"] = stamp
    if cache:
        os.makedirs(os.path.dirname(os.path.abspath(cache)), exist_ok=True)
        tmp = cache + ".tmp"
        with open(tmp, "w", encoding="utf-8") as f:
            json.dump(data, f)
        os.replace(tmp, cache)
    return data


# ---------------------------------------------------------------------------------------------
# What the reference says, asked by name

# Standard library members whose names Qt added late to some of its classes: a call of one of
# these may well be on a std type.
STD_MEMBERS = set(
    """append assign at back begin capacity cbegin cend clear compare contains count crbegin
    crend data emplace emplace_back emplace_front emplace_hint empty end ends_with erase extract
    find first front get insert insert_or_assign key_comp last length load lock max_size merge
    pop_back pop_front push_back push_front rbegin release rend reserve reset resize
    shrink_to_fit size starts_with store substr swap try_emplace unlock value value_or
    view""".split()
)


class Reference:
    def __init__(self, data, baseline):
        self.baseline = tuple(baseline)
        self.pages = data["pages"]
        self.by_scope = {}
        self.by_name = {}
        for qual, name, kind, version, page in data["items"]:
            if version is None:
                version = self.pages.get(page, {}).get("since")
                if qual and qual != page:
                    version = self.pages.get(qual, {}).get("since") or version
            v = tuple(version) if version else (0, 0)
            self.by_scope.setdefault((qual, name), []).append((kind, v))
        # A property's access function documented on its own speaks for itself.
        for key, entries in self.by_scope.items():
            if any(k == "fn" for k, _ in entries):
                entries[:] = [e for e in entries if e[0] != "acc"]
            for kind, v in entries:
                self.by_name.setdefault(key[1], []).append((key[0], kind, v))
        # Classes, namespaces and global typedefs known by their name alone.
        self.types = {}
        for scope, info in self.pages.items():
            if scope and "::" not in scope:
                self.types[scope] = tuple(info["since"]) if info["since"] else (0, 0)
        for (qual, name), entries in self.by_scope.items():
            if qual == "" and name[:1] == "Q" and all(k == "type" for k, _ in entries):
                self.types.setdefault(name, min(v for _, v in entries))

    def newer(self, v):
        return v > self.baseline

    def qualified(self, chain, name):
        """Version of chain::name when all its documented items are newer, else None."""
        scopes = ["::".join(chain)]
        if len(chain) > 1:
            scopes += [chain[-1], chain[0]]
        for scope in scopes:
            seen = set()
            todo = [scope]
            while todo:
                s = todo.pop(0)
                if s in seen:
                    continue
                seen.add(s)
                entries = self.by_scope.get((s, name))
                if entries:
                    v = min(v for _, v in entries)
                    return v if self.newer(v) else None
                todo += self.pages.get(s, {}).get("bases", [])
        return None

    def global_name(self, name, called):
        """Version of a free name (macro, global function) when all its items are newer."""
        entries = self.by_name.get(name)
        if not entries:
            return None
        if not called and not re.fullmatch(r"Q[A-Z0-9_]+|QT_\w+|q[A-Z]\w*", name):
            return None
        if not any(q == "" for q, _, _ in entries):
            return None
        v = min(v for _, _, v in entries)
        return v if self.newer(v) else None

    def member(self, name):
        """Version of a member function name when every documented function of that name is newer."""
        entries = [e for e in self.by_name.get(name, []) if e[1] in ("fn", "prop", "acc")]
        if not entries or name in STD_MEMBERS or not name[:1].islower():
            return None
        v = min(v for _, _, v in entries)
        return v if self.newer(v) else None


# ---------------------------------------------------------------------------------------------
# Reading the code


def blank_comments_and_strings(src):
    """Comments and string/char literals become spaces; line breaks stay where they were."""
    out = []
    i, n = 0, len(src)
    keep = lambda s: re.sub(r"[^\n]", " ", s)
    while i < n:
        c = src[i]
        if src.startswith("//", i):
            j = src.find("\n", i)
            j = n if j < 0 else j
            out.append(keep(src[i:j]))
            i = j
        elif src.startswith("/*", i):
            j = src.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(keep(src[i:j]))
            i = j
        elif c == "R" and src.startswith('R"', i) and (i == 0 or not src[i - 1].isalnum()):
            m = re.match(r'R"([^(\s]*)\(', src[i:])
            if not m:
                out.append(c)
                i += 1
                continue
            end = src.find(")" + m.group(1) + '"', i)
            j = n if end < 0 else end + len(m.group(1)) + 2
            out.append('""' + keep(src[i + 2 : j]))
            i = j
        elif c in "\"'":
            if c == "'" and i > 0 and src[i - 1].isalnum():
                out.append(c)  # digit separator
                i += 1
                continue
            j = i + 1
            while j < n and src[j] != c and src[j] != "\n":
                j += 2 if src[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(c + keep(src[i + 1 : j - 1]) + c)
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def parse_version(expr):
    m = re.fullmatch(r"\s*QT_VERSION_CHECK\s*\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*\)\s*", expr)
    if m:
        return (int(m.group(1)), int(m.group(2)))
    m = re.fullmatch(r"\s*0x([0-9a-fA-F]{6})\s*", expr)
    if m:
        v = int(m.group(1), 16)
        return (v >> 16, (v >> 8) & 0xFF)
    return None


CMP_RE = re.compile(
    r"QT_VERSION\s*(>=|>|<=|<)\s*(QT_VERSION_CHECK\s*\([^)]*\)|0x[0-9a-fA-F]+)"
    r"|(QT_VERSION_CHECK\s*\([^)]*\)|0x[0-9a-fA-F]+)\s*(>=|>|<=|<)\s*QT_VERSION"
)
FLIP = {">=": "<=", ">": "<", "<=": ">=", "<": ">"}


def guard_versions(cond):
    """(version the condition implies when true, version its negation implies)."""
    if "||" in cond or re.search(r"!(?!=)", cond):
        return None, None
    when_true, when_false = None, None
    for m in CMP_RE.finditer(cond):
        if m.group(1):
            op, v = m.group(1), parse_version(m.group(2))
        else:
            op, v = FLIP[m.group(4)], parse_version(m.group(3))
        if v is None:
            continue
        if op in (">=", ">"):
            when_true = max(when_true or v, v)
        elif "&&" not in cond:
            # QT_VERSION < V: false means QT_VERSION >= V (only for a lone comparison).
            when_false = max(when_false or v, v)
    return when_true, when_false


PP_RE = re.compile(r"^\s*#\s*(if|ifdef|ifndef|elif|else|endif)\b(.*)$")
QUALIFIED_RE = re.compile(
    r"(?<![\w:])((?:[A-Za-z_]\w*\s*(?:<[^<>;(){}]*(?:<[^<>;(){}]*>[^<>;(){}]*)*>)?\s*::\s*)+)(~?[A-Za-z_]\w*)"
)
IDENT_RE = re.compile(r"[A-Za-z_]\w*")
MEMBER_CALL_RE = re.compile(r"(?:\.|->)\s*([A-Za-z_]\w*)\s*\(")
FREE_CALL_RE = re.compile(r"(?<![\w.:>~])([A-Za-z_]\w*)\s*\(")

DECL_RE = re.compile(
    r"(?:[\w>*&]\s+|[*&~])\s*([A-Za-z_]\w*)\s*\((?:[^;{}()]|\([^;{}()]*\))*\)\s*(?:const\b\s*)?(?:noexcept\b\s*)?"
    r"(?:override\b\s*|final\b\s*)*(?:;|\{|=|:|->)"
)
DEF_RE = re.compile(r"\b([A-Z]\w*)\s*::\s*(~?[A-Za-z_]\w*)\s*\(")
KEYWORDS = set("return else new delete case throw sizeof co_return co_yield typedef".split())


def project_functions(paths, ref):
    """Names of functions this project declares or defines: a call of one of them is ours."""
    names = set()
    for path in paths:
        if path.endswith(".ui"):
            continue
        with open(path, encoding="utf-8", errors="replace") as f:
            code = blank_comments_and_strings(f.read())
        for m in DECL_RE.finditer(code):
            before = code[max(0, m.start() - 12) : m.start() + 1].split()
            if before and before[-1] in KEYWORDS or re.fullmatch(r"[A-Z][A-Z0-9_]+", m.group(1)):
                continue  # a statement, or a macro such as Q_DISABLE_COPY(...)
            names.add(m.group(1))
        for m in DEF_RE.finditer(code):
            if m.group(1) not in ref.pages:
                names.add(m.group(2))
    return names


def fmt(v):
    return "%d.%d" % v


def check_code(path, ref, ours, findings):
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = blank_comments_and_strings(f.read()).split("\n")
    # Each open #if: [allowed in the current branch, allowed in later #else/#elif branches].
    stack = []
    allowed = lambda: max([ref.baseline] + [s[0] for s in stack])
    continued = ""
    for no, line in enumerate(lines, 1):
        if continued:
            continued += " " + line
            if line.rstrip().endswith("\\"):
                continue
            line, continued = continued, ""
        elif re.match(r"^\s*#", line) and line.rstrip().endswith("\\"):
            continued = line.rstrip()[:-1]
            continue
        m = PP_RE.match(line)
        if m:
            d, cond = m.group(1), m.group(2)
            if d in ("if", "ifdef", "ifndef"):
                t, f = guard_versions(cond) if d == "if" else (None, None)
                stack.append([t or ref.baseline, f or ref.baseline])
            elif d == "elif" and stack:
                t, f = guard_versions(cond)
                rest = stack[-1][1]
                stack[-1] = [max(rest, t or ref.baseline), max(rest, f or ref.baseline)]
            elif d == "else" and stack:
                stack[-1] = [stack[-1][1], stack[-1][1]]
            elif d == "endif" and stack:
                stack.pop()
            continue
        ok = allowed()
        hits = {}

        def hit(name, v):
            if v and v > ok:
                hits.setdefault(name, v)

        qualified_spans = []
        for m in QUALIFIED_RE.finditer(line):
            chain = [re.sub(r"\s*<.*$", "", c) for c in re.split(r"\s*::\s*", m.group(1).rstrip(": \t"))]
            chain = [c for c in chain if c]
            if not chain or chain[0] == "std":
                continue
            name = m.group(2)
            hit("::".join(chain + [name]), ref.qualified(chain, name))
            qualified_spans.append((m.start(2), m.end(2)))
        for m in IDENT_RE.finditer(line):
            v = ref.types.get(m.group(0))
            if v and ref.newer(v):
                hit(m.group(0), v)
        inside_qualified = lambda pos: any(a <= pos < b for a, b in qualified_spans)
        for m in MEMBER_CALL_RE.finditer(line):
            name = m.group(1)
            if name not in ours:
                hit(name, ref.member(name))
        for m in FREE_CALL_RE.finditer(line):
            name = m.group(1)
            if inside_qualified(m.start(1)) or name in ours or name in ref.types:
                continue
            # A lone lower-case word may as well be a C library function (shutdown, hex).
            member = ref.member(name) if not re.fullmatch(r"[a-z]+", name) else None
            hit(name, ref.global_name(name, True) or member)
        for m in IDENT_RE.finditer(line):
            name = m.group(0)
            if name not in ours and not inside_qualified(m.start()):
                hit(name, ref.global_name(name, False))
        for name, v in hits.items():
            findings.append((path, no, name, v))


def check_ui(path, ref, findings):
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = f.read().split("\n")
    stack = []  # element classes of open <widget>/<layout>/<spacer> elements
    depth_of_property = 0
    for no, line in enumerate(lines, 1):
        hits = {}
        for m in re.finditer(
            r'<(widget|layout)\s+class="(\w+)"[^>]*?(/?)>|<spacer\b[^>]*?(/?)>|</(widget|layout|spacer)>'
            r'|<property\s+name="(\w+)"|</property>|<(enum|set)>([^<]*)</',
            line,
        ):
            if m.group(1):
                if not m.group(3):
                    stack.append(m.group(2))
                v = ref.types.get(m.group(2))
                if v and ref.newer(v):
                    hits.setdefault(m.group(2), v)
            elif m.group(0).startswith("<spacer"):
                if not m.group(4):
                    stack.append("")
            elif m.group(5):
                if stack:
                    stack.pop()
            elif m.group(6):
                depth_of_property += 1
                if depth_of_property == 1 and stack and stack[-1]:
                    v = ref.qualified([stack[-1]], m.group(6))
                    if v and ref.newer(v):
                        hits.setdefault(stack[-1] + "::" + m.group(6), v)
            elif m.group(0) == "</property>":
                depth_of_property = max(0, depth_of_property - 1)
            elif m.group(7):
                for q in re.finditer(r"(\w+)::(\w+)", m.group(8)):
                    v = ref.qualified([q.group(1)], q.group(2))
                    if v and ref.newer(v):
                        hits.setdefault(q.group(0), v)
        for name, v in hits.items():
            findings.append((path, no, name, v))


SOURCE_EXT = (".h", ".hpp", ".cpp", ".cc", ".cxx", ".inl")


def source_files(paths):
    out = []
    for p in paths:
        if os.path.isdir(p):
            for d, _, files in os.walk(p):
                out += [os.path.join(d, f) for f in files if f.endswith(SOURCE_EXT + (".ui",))]
        else:
            out.append(p)
    return sorted(out)


def compare_with_marks(files, findings):
    expected = set()
    for path in files:
        with open(path, encoding="utf-8", errors="replace") as f:
            for no, line in enumerate(f, 1):
                for m in re.finditer(r"expect-qt-api: (\S+) (\d+)\.(\d+)", line):
                    expected.add((path, no, m.group(1), (int(m.group(2)), int(m.group(3)))))
    found = set(findings)
    for path, no, name, v in sorted(expected - found):
        print("%s:%d: missed %s (Qt %s)" % (path, no, name, fmt(v)))
    for path, no, name, v in sorted(found - expected):
        print("%s:%d: unexpected finding %s (Qt %s)" % (path, no, name, fmt(v)))
    if not expected:
        print("qt_api_check: no expect-qt-api marks in %s" % " ".join(files))
    ok = expected and expected == found
    print("qt_api_check self-test: %d expected, %d found, %s"
          % (len(expected), len(found), "passed" if ok else "FAILED"))
    return 0 if ok else 1


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--docs", default="/usr/share/qt5/doc")
    ap.add_argument("--cache", help="where to keep the index read from the reference")
    ap.add_argument("--max", default="5.11", help="newest Qt whose API may be used unguarded")
    ap.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    ap.add_argument("--names-from", action="append", default=[],
                    help="more folders whose declared functions count as ours")
    ap.add_argument("--expect", action="store_true",
                    help="self-test: the findings must be exactly the lines marked "
                         "'expect-qt-api: NAME X.Y' in the files scanned")
    ap.add_argument("paths", nargs="*")
    args = ap.parse_args(argv)

    if not glob.glob(os.path.join(args.docs, "qtcore", "qstring.html")):
        print("qt_api_check: Qt's HTML reference is missing under %s "
              "(Debian package qtbase5-doc-html; scripts/setup-deps installs it)" % args.docs,
              file=sys.stderr)
        return 2
    started = time.monotonic()
    baseline = tuple(int(x) for x in args.max.split("."))
    ref = Reference(load_index(args.docs, args.cache), baseline)

    root = os.path.abspath(args.root)
    paths = args.paths or [os.path.join(root, "plugin"), os.path.join(root, "hostsdk")]
    files = source_files(paths)
    ours = project_functions(files + source_files(args.names_from), ref)
    findings = []
    for path in files:
        if path.endswith(".ui"):
            check_ui(path, ref, findings)
        else:
            check_code(path, ref, ours, findings)
    if args.expect:
        return compare_with_marks(files, findings)
    for path, no, name, v in findings:
        rel = os.path.relpath(path, root) if path.startswith(root + os.sep) else path
        print("%s:%d: %s was introduced in Qt %s (the host has Qt %s); guard it with "
              "#if QT_VERSION >= QT_VERSION_CHECK(%d, %d, 0)" % (rel, no, name, fmt(v), args.max,
                                                                  v[0], v[1]))
    print("qt_api_check: %d file(s), %d finding(s), %.1f s"
          % (len(files), len(findings), time.monotonic() - started), file=sys.stderr)
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
