#!/usr/bin/env python3
"""The Windows link of the module without the host's SDK or a Windows Qt: the import libraries
to link against, and what the linked DLL must hold. scripts/check-windows-compile runs both.

  windows_module.py stubs --out DIR --nm NM --dlltool DLLTOOL --qt-lib Qt5Core.dll=LIB ...
                          --sdk-include DIR --sdk-dll NAME OBJECT...
      Writes one import library per Qt DLL and one for the SDK (lib<name>.a and its .def in
      DIR), each exporting exactly what the objects need of it:
        - of Qt, what this machine's Qt libraries export. GCC mangles C++ alike for MinGW and
          for Linux but for the types whose width differs: size_t and ptrdiff_t are
          `unsigned long long` and `long long` on Win64, `unsigned long` and `long` here. A name
          is looked up as it is, then with those two read the Linux way;
        - of the SDK, what its headers declare (hostsdk/include, less the stand-in's own
          hostsdk/ folder): a header holds every part of the qualified name. The headers declare
          the SDK dllimport, so a C name counts only where it is imported that way.
      The rest is left to the linker: the MinGW runtime and the Windows libraries resolve what
      they have, and --no-undefined fails on anything else. C++ names that are imported, or
      name a Qt class, but are neither Qt's nor the SDK's are listed first, as the likely cause.

  windows_module.py check --dll DLL --rc RC --sdk-dll NAME --allowed-dll NAME ...
                          --imports-out FILE
      Fails unless DLL is a 64-bit DLL exporting exactly the host's six functions at their
      ordinals under the module's name, its string table holds exactly the strings of RC
      (among them ids 1-3, which the host reads), and every DLL it imports from is the SDK's or
      allowed (Qt's and the system's). Writes to FILE what the DLL imports from the SDK,
      demangled, one a line.
"""

import argparse
import re
import struct
import subprocess
import sys
from pathlib import Path

# The ordinals the host's loader knows the module's functions by: fixed here, not read from the
# .def file, so that a changed .def file fails as well.
EXPECTED_EXPORTS = {
    1: "LibDescription",
    2: "LibNumberClasses",
    3: "LibClassDesc",
    4: "LibVersion",
    6: "LibInitialize",
    7: "LibShutdown",
}
MODULE_NAME = "ColorDorvoPicker.dlu"
# The string ids the host reads (PluginModule::StringId).
REQUIRED_STRINGS = {1, 2, 3}

IMP = "__imp_"
RT_STRING = 6


def run(command, stdin=None):
    return subprocess.run(command, input=stdin, capture_output=True, text=True, check=True).stdout


def demangle(names):
    """The demangled forms of names, in order (a C name stays as it is)."""
    if not names:
        return []
    out = run(["c++filt"], "\n".join(names) + "\n").splitlines()
    if len(out) != len(names):
        sys.exit("windows_module: c++filt gave %d lines for %d names" % (len(out), len(names)))
    return out


def read_the_linux_way(signature):
    """The demangled signature with Win64's size_t and ptrdiff_t spelled as on Linux."""
    signature = re.sub(r"\bunsigned long long\b", "unsigned long", signature)
    return re.sub(r"(?<!unsigned )\blong long\b", "long", signature)


def needed_symbols(nm, objects):
    """What the objects refer to and none of them defines."""
    undefined, defined = set(), set()
    for line in run([nm, "-P"] + objects).splitlines():
        fields = line.split()
        if len(fields) < 2 or line.endswith(":"):
            continue
        (undefined if fields[1] in ("U", "w") else defined).add(fields[0])
    return undefined - defined


def linux_exports(library):
    """{name: is data} of what a Linux shared library exports."""
    exports = {}
    for line in run(["nm", "-D", "-P", "--defined-only", library]).splitlines():
        fields = line.split()
        if len(fields) >= 2:
            exports[fields[0].split("@")[0]] = fields[1] in "BDGRSVu"
    return exports


def blank_comments(text):
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    text = re.sub(r"//[^\n]*", " ", text)
    return re.sub(r'"(?:[^"\\\n]|\\.)*"', '""', text)


def sdk_headers(include_dir):
    """[(identifiers, text)] of each SDK header, comments and strings blanked."""
    root = Path(include_dir)
    standin_only = root / "hostsdk"
    headers = []
    for header in sorted(root.rglob("*.h")):
        if standin_only in header.parents:
            continue
        text = blank_comments(header.read_text(encoding="utf-8", errors="replace"))
        headers.append((set(re.findall(r"~?[A-Za-z_][A-Za-z0-9_]*", text)), text))
    return headers


def split_top_level(text, separator):
    parts, depth, start, i = [], 0, 0, 0
    while i < len(text):
        if text[i] in "<(":
            depth += 1
        elif text[i] in ">)":
            depth -= 1
        elif depth == 0 and text.startswith(separator, i):
            parts.append(text[start:i])
            i = start = i + len(separator)
            continue
        i += 1
    parts.append(text[start:])
    return parts


def name_parts(signature):
    """The identifiers a declaration of the demangled name holds: its qualified name without
    parameters and template arguments, `vtable for` and the like taken off."""
    text = re.sub(r"^(?:(?:non-)?virtual thunk to |(?:vtable|typeinfo(?: name)?|VTT) for )", "",
                  signature)
    # The qualified name ends at the parameter list (an operator()'s own parentheses aside).
    depth, end = 0, len(text)
    for i, c in enumerate(text):
        if c == "<":
            depth += 1
        elif c == ">":
            depth -= 1
        elif c == "(" and depth == 0 and not text[:i].endswith("operator"):
            end = i
            break
    words = []
    for part in split_top_level(text[:end], "::"):
        part = re.sub(r"<.*>", "", part).strip()
        words += part.split()[:2] if part.startswith("operator") else [part] if part else []
    # The global operators new and delete are the C++ runtime's.
    return [] if words[:1] == ["operator"] else words


def declared_by(headers, words):
    return bool(words) and any(all(w in ids for w in words) for ids, _ in headers)


def is_variable(headers, name, signature):
    """Whether an SDK name is data: a C++ name without parameters, a vtable or a typeinfo, or a
    C name that a header declares as a variable."""
    if name.startswith("_Z"):
        return "(" not in signature or signature.startswith(("vtable for", "typeinfo"))
    declaration = re.compile(r"\b%s\s*(?:\[[^\]]*\]\s*)?[;=]" % re.escape(name))
    return any(declaration.search(text) for _, text in headers)


def write_import_library(out_dir, dlltool, dll, symbols):
    """lib<dll without extension>.a, importing symbols ({name: is data}) from dll."""
    stem = dll.rsplit(".", 1)[0]
    definition = out_dir / (stem + ".def")
    lines = ["LIBRARY %s" % dll, "EXPORTS"]
    lines += ["    %s%s" % (name, " DATA" if data else "")
              for name, data in sorted(symbols.items())]
    definition.write_text("\n".join(lines) + "\n")
    library = out_dir / ("lib%s.a" % stem)
    run([dlltool, "--input-def", str(definition), "--output-lib", str(library)])


def stubs(args):
    out_dir = Path(args.out)
    out_dir.mkdir(parents=True, exist_ok=True)
    needed = needed_symbols(args.nm, args.objects)
    names = sorted({n[len(IMP):] if n.startswith(IMP) else n for n in needed})
    imported = {n[len(IMP):] for n in needed if n.startswith(IMP)}
    signatures = dict(zip(names, demangle(names)))

    qt = {}  # Linux name, and signature read the Linux way -> (dll, is data)
    for spec in args.qt_lib:
        dll, library = spec.split("=", 1)
        exports = linux_exports(library)
        for name, signature in zip(exports, demangle(list(exports))):
            qt.setdefault(name, (dll, exports[name]))
            qt.setdefault(read_the_linux_way(signature), (dll, exports[name]))

    headers = sdk_headers(args.sdk_include)
    libraries = {spec.split("=", 1)[0]: {} for spec in args.qt_lib}
    libraries[args.sdk_dll] = {}
    suspects = []
    for name in names:
        signature = signatures[name]
        found = qt.get(name) or qt.get(read_the_linux_way(signature))
        if found:
            libraries[found[0]][name] = found[1]
            continue
        cpp = name.startswith("_Z")
        parts = name_parts(signature)
        if (cpp or name in imported) and declared_by(headers, parts):
            libraries[args.sdk_dll][name] = is_variable(headers, name, signature)
        elif cpp and (name in imported or parts[:1] and re.match(r"Q[A-Z]", parts[0])):
            suspects.append(signature)

    for dll, symbols in libraries.items():
        write_import_library(out_dir, args.dlltool, dll, symbols)
    print("windows_module: import libraries: "
          + ", ".join("%s %d" % (dll, len(s)) for dll, s in libraries.items()))
    if suspects:
        print("windows_module: neither exported by this machine's Qt nor declared by the SDK:")
        for signature in sorted(suspects):
            print("    " + signature)


class PeImage:
    """The parts of a PE32+ image the check reads."""

    def __init__(self, path):
        self.data = d = Path(path).read_bytes()
        pe = struct.unpack_from("<I", d, 0x3C)[0] if d[:2] == b"MZ" else 0
        if not pe or d[pe:pe + 4] != b"PE\0\0":
            raise SystemExit("windows_module: %s is no PE image" % path)
        self.machine, sections, _, _, _, optional_size, self.characteristics = struct.unpack_from(
            "<HHIIIHH", d, pe + 4)
        optional = pe + 24
        if struct.unpack_from("<H", d, optional)[0] != 0x20B:
            raise SystemExit("windows_module: %s is no 64-bit image" % path)
        count = struct.unpack_from("<I", d, optional + 108)[0]
        self.directories = [struct.unpack_from("<II", d, optional + 112 + 8 * i)
                            for i in range(count)] + [(0, 0)] * 3
        table = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", d, table + 40 * i + 8)
                         for i in range(sections)]

    def offset(self, rva):
        for size, va, raw_size, raw in self.sections:
            if va <= rva < va + max(size, raw_size):
                return raw + rva - va
        raise SystemExit("windows_module: RVA %#x outside every section" % rva)

    def unpack(self, layout, rva):
        return struct.unpack_from(layout, self.data, self.offset(rva))

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii", "replace")

    def exports(self):
        """(the module's name, {ordinal: name, or None for an export by ordinal only})"""
        rva, size = self.directories[0]
        if not size:
            return None, {}
        name, base, functions, names, addresses, name_table, ordinals = self.unpack("<7I", rva + 12)
        result = {base + i: None for i in range(functions)
                  if self.unpack("<I", addresses + 4 * i)[0]}
        for i in range(names):
            ordinal = base + self.unpack("<H", ordinals + 2 * i)[0]
            result[ordinal] = self.cstring(self.unpack("<I", name_table + 4 * i)[0])
        return self.cstring(name), result

    def imports(self):
        """{dll: [names]}"""
        rva, size = self.directories[1]
        result = {}
        while size:
            lookup, _, _, name, first = self.unpack("<5I", rva)
            if not name:
                break
            entries, thunk = [], lookup or first
            while True:
                entry = self.unpack("<Q", thunk)[0]
                if not entry:
                    break
                by_ordinal = entry >> 63
                entries.append("#%d" % (entry & 0xFFFF) if by_ordinal
                               else self.cstring((entry & 0x7FFFFFFF) + 2))
                thunk += 8
            result.setdefault(self.cstring(name), []).extend(entries)
            rva += 20
        return result

    def strings(self):
        """{id: text} of the string table, in every language it has."""
        root, size = self.directories[2]
        if not size:
            return {}

        def entries(directory):
            named, ids = self.unpack("<HH", directory + 12)
            for i in range(named + ids):
                yield self.unpack("<II", directory + 16 + 8 * i)

        result = {}
        for kind, types in entries(root):
            if kind != RT_STRING or not types & 0x80000000:
                continue
            for block, languages in entries(root + (types & 0x7FFFFFFF)):
                for _, leaf in entries(root + (languages & 0x7FFFFFFF)):
                    data, data_size = self.unpack("<II", root + leaf)
                    at = self.offset(data)
                    end = at + data_size
                    for i in range(16):  # a block holds ids (block - 1) * 16 to that + 15
                        length = struct.unpack_from("<H", self.data, at)[0]
                        if length:
                            text = self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
                            result[(block - 1) * 16 + i] = text
                        at += 2 + 2 * length
                    if at > end:
                        raise SystemExit("windows_module: string block %d overruns" % block)
        return result


def rc_strings(rc):
    text = Path(rc).read_text(encoding="utf-8")
    table = re.search(r"^STRINGTABLE\s*BEGIN(.*?)^END", text, re.S | re.M)
    if not table:
        raise SystemExit("windows_module: %s has no STRINGTABLE" % rc)
    rows = re.findall(r'^\s*(\d+)\s*,?\s*"((?:[^"]|"")*)"', table.group(1), re.M)
    return {int(i): s.replace('""', '"') for i, s in rows}


def listed(exports):
    return ", ".join("%s @%d" % (n or "(no name)", o) for o, n in sorted(exports.items()))


def check(args):
    image = PeImage(args.dll)
    problems = []
    if image.machine != 0x8664 or not image.characteristics & 0x2000:
        problems.append("no x64 DLL (machine %#x, characteristics %#x)"
                        % (image.machine, image.characteristics))

    module, exports = image.exports()
    if module != MODULE_NAME:
        problems.append("the export table names the module %r, not %r" % (module, MODULE_NAME))
    if exports != EXPECTED_EXPORTS:
        problems.append("exports %s; expected %s" % (listed(exports), listed(EXPECTED_EXPORTS)))

    wanted, found = rc_strings(args.rc), image.strings()
    if not REQUIRED_STRINGS <= set(wanted):
        missing = sorted(REQUIRED_STRINGS - set(wanted))
        problems.append("%s lacks string ids %s" % (args.rc, missing))
    if found != wanted:
        problems.append("string table %s; expected %s" % (found, wanted))

    imports = image.imports()
    allowed = {d.lower() for d in args.allowed_dll + [args.sdk_dll]}
    for dll, names in sorted(imports.items()):
        if dll.lower() not in allowed:
            problems.append("imports %s from %s, which the host's machine need not have"
                            % (", ".join(names), dll))

    sdk = sorted({n for dll, names in imports.items() if dll.lower() == args.sdk_dll.lower()
                  for n in names})
    lines = sorted(set(demangle(sdk)))
    Path(args.imports_out).write_text(
        "# What %s imports from the host's SDK, as the stand-in's headers declare it\n"
        "# (GCC's spelling: `unsigned long long` for size_t, `wchar_t const*` for const MCHAR*).\n"
        "# Each line must be among the exports of the SDK's libraries, which list\n"
        "#   dumpbin /exports core.lib maxutil.lib geom.lib gup.lib paramblk2.lib maxscrpt.lib\n"
        % MODULE_NAME + "".join(line + "\n" for line in lines))

    if problems:
        for problem in problems:
            print("windows_module: %s: %s" % (args.dll, problem), file=sys.stderr)
        sys.exit(1)
    print("windows_module: %s: exports %s; strings %s; imports from %s; %d SDK names in %s"
          % (Path(args.dll).name, listed(exports), ", ".join(str(i) for i in sorted(found)),
             ", ".join(sorted(imports)), len(lines), args.imports_out))


def main():
    parser = argparse.ArgumentParser(
        description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    s = commands.add_parser("stubs")
    s.add_argument("--out", required=True)
    s.add_argument("--nm", required=True)
    s.add_argument("--dlltool", required=True)
    s.add_argument("--qt-lib", action="append", default=[], metavar="DLL=LINUX_LIBRARY")
    s.add_argument("--sdk-include", required=True)
    s.add_argument("--sdk-dll", required=True)
    s.add_argument("objects", nargs="+")
    c = commands.add_parser("check")
    c.add_argument("--dll", required=True)
    c.add_argument("--rc", required=True)
    c.add_argument("--sdk-dll", required=True)
    c.add_argument("--allowed-dll", action="append", default=[])
    c.add_argument("--imports-out", required=True)
    args = parser.parse_args()
    stubs(args) if args.command == "stubs" else check(args)


if __name__ == "__main__":
    main()
