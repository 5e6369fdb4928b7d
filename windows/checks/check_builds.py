#!/usr/bin/env python3
"""Compares Windows builds of the modules made against our SDK headers with
builds made against the simulator's own headers (scripts/check-real-sdk).

  check_builds.py --host-sdk DIR --ours ARCH=BUILD ... --real ARCH:FOLDER=BUILD ...

ARCH is x86 or x64, FOLDER a header folder of the real SDK (include-2021,
include-current), BUILD a configured and built Windows build directory.
Each check prints one line, PASS or FAIL, with the differences under a
failure; the exit status is 1 when any check fails.
"""

import argparse
import json
import os
import re
import shlex
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no cache files in the source tree
import declarations  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
PROBE = os.path.join(HERE, "AbiProbe.cpp")
PROBE_SOURCE_DIR = "spotlight"  # a module source whose command the checks borrow

failures = 0


def report(ok, title, details=()):
    global failures
    print(("PASS  " if ok else "FAIL  ") + title)
    if not ok:
        failures += 1
        for line in details:
            print("      " + line)


# --- compiling with a build's command ------------------------------------------


def module_command(build):
    """The compile command of a module source in BUILD, as a list."""
    with open(os.path.join(build, "compile_commands.json")) as f:
        entries = json.load(f)
    for e in entries:
        if "/%s/" % PROBE_SOURCE_DIR in e["file"]:
            return e["directory"], shlex.split(e["command"]), e["file"]
    raise SystemExit("no %s source in %s/compile_commands.json" % (PROBE_SOURCE_DIR, build))


def compile_command(build, edition=None):
    """The modules' compile command of BUILD without its source and output;
    with our headers, for the host edition given (2016 or current)."""
    directory, args, source = module_command(build)
    cmd = []
    skip = False
    for a in args:
        if skip:
            skip = False
            continue
        if a == "-o":
            skip = True
            continue
        if a in ("-c", source):
            continue
        cmd.append(a)
    if edition == "2016":
        cmd.append("-DORBITER_EDITION_2016")
    elif edition == "current":
        cmd.append("-UORBITER_EDITION_2016")
    return directory, cmd


def probe_assembly(build, edition=None):
    """AbiProbe.cpp compiled to assembly with the modules' command of BUILD."""
    directory, cmd = compile_command(build, edition)
    out = tempfile.NamedTemporaryFile(suffix=".s", delete=False)
    out.close()
    cmd = cmd + ["-Wno-invalid-offsetof", "-fno-function-sections", "-fno-data-sections", "-S", "-o", out.name, PROBE]
    try:
        result = subprocess.run(cmd, cwd=directory, capture_output=True, text=True)
        if result.returncode != 0:
            raise SystemExit("the probe does not compile in %s:\n%s" % (build, result.stderr))
        with open(out.name) as f:
            return f.read()
    finally:
        os.unlink(out.name)


DATA_LINE = re.compile(r'^\s*\.(long|quad)\s+"?([^"\s]+)"?\s*(#.*)?$')
LABEL = re.compile(r'^"?([^":\s]+)"?:\s*(#.*)?$')


def parse_assembly(text):
    """{label: [values...]} for every label followed by .long/.quad lines."""
    tables = {}
    current = None
    for line in text.splitlines():
        m = LABEL.match(line)
        if m:
            current = m.group(1)
            tables[current] = []
            continue
        m = DATA_LINE.match(line)
        if m and current is not None:
            tables[current].append(m.group(2))
        elif line.strip() and not line.strip().startswith((".", "#")):
            current = None
    return tables


def vtable(tables, cls):
    for name, values in tables.items():
        if name.startswith("??_7%s@@6B" % cls):
            return values
    return None


def layouts(tables):
    out = {}
    for name, values in tables.items():
        m = re.match(r"^_?layout_(\w+)$", name)
        if m and len(values) == 1:
            out[m.group(1)] = int(values[0], 0)
    return out


def undname(names):
    if not names:
        return []
    result = subprocess.run(["llvm-undname"], input="\n".join(names) + "\n", capture_output=True, text=True)
    lines = [l for l in result.stdout.splitlines() if l.strip()]
    # llvm-undname echoes each input line before its demangled form.
    demangled = [l for l in lines if not l.startswith("?")]
    return demangled if len(demangled) == len(names) else names


def compare_slots(title, ours, real, prefix_only=False):
    if ours is None or real is None:
        report(False, title, ["virtual table missing: ours %s, real %s" % (ours is not None, real is not None)])
        return
    n = len(ours) if prefix_only else max(len(ours), len(real))
    diffs = []
    for i in range(n):
        a = ours[i] if i < len(ours) else "(none)"
        b = real[i] if i < len(real) else "(none)"
        if a != b:
            diffs.append("slot %d: ours %s, real %s" % (i, undname([a])[0] if a != "(none)" else a,
                                                         undname([b])[0] if b != "(none)" else b))
    if prefix_only and len(ours) > len(real):
        diffs.append("ours has %d slots, real %d" % (len(ours), len(real)))
    extent = "the first %d slots" % len(ours) if prefix_only else "%d slots" % len(real)
    report(not diffs, "%s (%s)" % (title, extent), diffs)


def compare_layouts(title, ours, real):
    diffs = []
    for key in sorted(set(ours) | set(real)):
        if ours.get(key) != real.get(key):
            diffs.append("%s: ours %s, real %s" % (key, ours.get(key), real.get(key)))
    report(not diffs, "%s (%d sizes and offsets)" % (title, len(real)), diffs)


# --- imports -------------------------------------------------------------------------


def host_imports(dll):
    """The names a DLL imports from the host executable."""
    out = subprocess.run(["llvm-readobj", "--coff-imports", dll], capture_output=True, text=True, check=True).stdout
    names, inside = [], False
    for line in out.splitlines():
        line = line.strip()
        if line.startswith("Name:"):
            inside = line.split(":", 1)[1].strip().lower() == "orbiter.exe"
        elif inside and line.startswith("Symbol:"):
            names.append(line.split()[1])
    return sorted(set(names))


def module_dlls(build):
    d = os.path.join(build, "Modules")
    return sorted(f for f in os.listdir(d) if f.endswith(".dll"))


def squeeze(text):
    return re.sub(r"\s+", "", text)


def exported_2016(exports_file):
    with open(exports_file, encoding="latin-1") as f:
        return {squeeze(l) for l in f if l.strip()}


def check_exported_slots(probe, exports_file):
    """Every host function in our 2016 virtual tables is one the 2016 host
    exports (the export list gives the names, not the order)."""
    exported = exported_2016(exports_file)
    for cls, title in (("ProbeVessel", "vessel class"), ("ProbeSketchpad", "sketchpad")):
        slots = [f for f in vtable(probe, cls) or [] if not f.startswith("??_") and "@Probe" not in f]
        missing = [d for d in undname(slots) if squeeze(d) not in exported]
        report(not missing and slots,
               "x86 %s virtual table for the 2016 host: its %d host functions are exported by it" % (title, len(slots)),
               missing or ["no host functions in the table"])


def check_2016_imports(build, exports_file):
    exported = exported_2016(exports_file)
    for dll in module_dlls(build):
        names = host_imports(os.path.join(build, "Modules", dll))
        missing = [d for d in undname(names) if squeeze(d) not in exported]
        report(not missing and names,
               "x86 %s: its %d host imports are all exported by the 2016 host" % (dll, len(names)),
               missing or ["no host imports at all"])


def check_same_imports(arch, ours_build, real_build, folder):
    ours_dlls, real_dlls = module_dlls(ours_build), module_dlls(real_build)
    if ours_dlls != real_dlls:
        report(False, "%s modules built against %s" % (arch, folder), ["ours %s, real %s" % (ours_dlls, real_dlls)])
        return
    for dll in ours_dlls:
        a = host_imports(os.path.join(ours_build, "Modules", dll))
        b = host_imports(os.path.join(real_build, "Modules", dll))
        diffs = ["only ours: " + d for d in undname(sorted(set(a) - set(b)))]
        diffs += ["only with %s: %s" % (folder, d) for d in undname(sorted(set(b) - set(a)))]
        report(not diffs and a, "%s %s: the same %d host imports as built against %s" % (arch, dll, len(b), folder),
               diffs or ["no host imports at all"])


# --- declarations -----------------------------------------------------------------------


def sdk_declarations(build, edition=None):
    directory, cmd = compile_command(build, edition)
    with tempfile.NamedTemporaryFile("w", suffix=".cpp", delete=False) as f:
        f.write('#include "Orbitersdk.h"\n')
    try:
        return declarations.declared(cmd, directory, f.name)
    finally:
        os.unlink(f.name)


def check_same_declarations(arch, ours_build, real_build, folder):
    """Every function our headers declare for the current host, the real
    headers declare under the same MSVC name, as virtual or not, inline or
    not, with the same default arguments."""
    ours, real = sdk_declarations(ours_build, "current"), sdk_declarations(real_build)
    diffs = ["not declared by %s: %s" % (folder, d) for d in undname(sorted(m for m in ours if m not in real))]
    for m in sorted(m for m in ours if m in real and ours[m] != real[m]):
        a, b = ours[m], real[m]
        what = [k for k in ("virtual", "inline", "defaults") if a[k] != b[k]]
        diffs.append("%s: %s" % (undname([m])[0], ", ".join("%s ours %s, real %s" % (k, a[k], b[k]) for k in what)))
    report(not diffs and ours, "%s declarations, ours for the current host vs %s: %d functions declared alike"
           % (arch, folder, len(ours)), diffs or ["no declarations found"])


def check_declarations_exported_2016(build, exports_file):
    """Every function our headers declare for the 2016 host, and leave to the
    host to define, is exported by the 2016 host."""
    ours = sdk_declarations(build, "2016")
    outside = sorted(m for m, info in ours.items() if not info["inline"])
    exported = exported_2016(exports_file)
    missing = [d for d in undname(outside) if squeeze(d) not in exported]
    report(not missing and outside, "x86 declarations for the 2016 host: its %d host functions are exported by it"
           % len(outside), missing or ["no declarations found"])


# --- main ----------------------------------------------------------------------------


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--host-sdk", required=True)
    parser.add_argument("--ours", action="append", default=[], help="ARCH=BUILD")
    parser.add_argument("--real", action="append", default=[], help="ARCH:FOLDER=BUILD")
    args = parser.parse_args()
    ours = dict(o.split("=", 1) for o in args.ours)
    real = {}
    for r in args.real:
        key, build = r.split("=", 1)
        arch, folder = key.split(":", 1)
        real[(arch, folder)] = build

    exports_file = os.path.join(args.host_sdk, "exports-2016.txt")
    for (arch, folder), build in sorted(real.items()):
        # The 2021 headers are the closest to the 2016 host; ours are compared
        # with them as built for the 2016 host, with the current headers as
        # built for the current host.
        edition = "2016" if folder == "include-2021" else "current"
        if arch not in ours:
            continue
        mine = parse_assembly(probe_assembly(ours[arch], edition))
        theirs = parse_assembly(probe_assembly(build))
        where = "%s, ours for the %s host vs %s" % (arch, edition, folder)
        compare_slots("vessel class virtual table, " + where, vtable(mine, "ProbeVessel"), vtable(theirs, "ProbeVessel"))
        compare_slots("animation component virtual table, " + where, vtable(mine, "MGROUP_ROTATE"),
                      vtable(theirs, "MGROUP_ROTATE"))
        sketchpad = vtable(theirs, "ProbeSketchpad")
        if edition == "2016":
            # The 2021 headers put a wide-text call after Text, which the
            # 2016 host does not have (its export list names no TextW).
            sketchpad = [f for f in sketchpad or [] if not f.startswith("?TextW@Sketchpad@oapi@@")]
            compare_slots("sketchpad virtual table, " + where + " without its TextW",
                          vtable(mine, "ProbeSketchpad"), sketchpad)
            if arch == "x86":
                check_exported_slots(mine, exports_file)
        else:
            # Ours stops where the 2016 host's does; later hosts go on.
            compare_slots("sketchpad virtual table, " + where, vtable(mine, "ProbeSketchpad"), sketchpad,
                          prefix_only=True)
        compare_layouts("record layouts, " + where, layouts(mine), layouts(theirs))

    if "x64" in ours and ("x64", "include-current") in real:
        check_same_declarations("x64", ours["x64"], real[("x64", "include-current")], "include-current")
    if "x86" in ours:
        check_declarations_exported_2016(ours["x86"], exports_file)
        check_2016_imports(ours["x86"], exports_file)
    if "x64" in ours and ("x64", "include-current") in real:
        check_same_imports("x64", ours["x64"], real[("x64", "include-current")], "include-current")

    print("check-real-sdk: %s" % ("all checks pass" if failures == 0 else "%d check(s) FAILED" % failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
