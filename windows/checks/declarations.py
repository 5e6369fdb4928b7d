"""The functions an SDK header folder declares for the vessel classes, the
lights, the animation components, the sketchpad and the free oapi functions,
read from clang's syntax tree (compiled for an MSVC target, so each one comes
with its MSVC name), with what a caller relies on beyond the name: whether it
is virtual, whether its body is in the header, and its default arguments."""

import json
import re
import subprocess

# clang dumps the declarations whose qualified names contain one of these.
FILTERS = ("VESSEL", "LightEmitter", "PointLight", "SpotLight", "MGROUP_", "oapi")
CLASSES = ("VESSEL", "VESSEL2", "VESSEL3", "LightEmitter", "PointLight", "SpotLight", "MGROUP_TRANSFORM",
           "MGROUP_ROTATE", "MGROUP_TRANSLATE", "MGROUP_SCALE", "Sketchpad")
FUNCTION_KINDS = ("FunctionDecl", "CXXMethodDecl", "CXXConstructorDecl", "CXXDestructorDecl")
PASS_THROUGH = ("ImplicitCastExpr", "CStyleCastExpr", "ParenExpr", "CXXFunctionalCastExpr", "ConstantExpr",
                "MaterializeTemporaryExpr", "CXXStaticCastExpr")


def default_value(expr):
    """A default argument as a comparable text: numbers by value, null
    pointers as 0, constants by name."""
    kind = expr.get("kind")
    if kind in PASS_THROUGH and expr.get("inner"):
        return default_value(expr["inner"][0])
    if kind in ("IntegerLiteral", "FloatingLiteral"):
        return repr(float(expr["value"]))
    if kind == "CXXBoolLiteralExpr":
        return repr(float(expr["value"]))
    if kind in ("GNUNullExpr", "CXXNullPtrLiteralExpr"):
        return repr(0.0)
    if kind == "UnaryOperator" and expr.get("opcode") == "-" and expr.get("inner"):
        value = default_value(expr["inner"][0])
        try:
            return repr(-float(value))
        except ValueError:
            return "-" + value
    if kind == "DeclRefExpr":
        return expr.get("referencedDecl", {}).get("name", "?")
    if kind == "BinaryOperator" and expr.get("inner"):
        return "(%s %s %s)" % (default_value(expr["inner"][0]), expr.get("opcode"), default_value(expr["inner"][1]))
    return kind or "?"


def describe(node):
    params = [p for p in node.get("inner", []) if p.get("kind") == "ParmVarDecl"]
    defaults = [default_value(p["inner"][0]) if p.get("init") and p.get("inner") else None for p in params]
    return {
        "virtual": bool(node.get("virtual")),
        "inline": any(i.get("kind") == "CompoundStmt" for i in node.get("inner", [])),
        "defaults": defaults,
    }


MEMBER = re.compile(r"^\?[^?@]+@(\w+)@")   # ?Name@Class@...
SPECIAL = re.compile(r"^\?\?[0-9](\w+)@")   # ??0Class@ (constructor), ??1Class@ (destructor)


def wanted(mangled):
    m = MEMBER.match(mangled) or SPECIAL.match(mangled)
    if m and m.group(1) in CLASSES:
        return True
    return mangled.startswith("?oapi") and re.match(r"^\?oapi\w+@@Y", mangled) is not None


def collect(node, out):
    if node.get("kind") in FUNCTION_KINDS and node.get("mangledName") and not node.get("isImplicit"):
        name = node["mangledName"]
        if wanted(name):
            info = describe(node)
            seen = out.get(name)
            if seen:  # declared again (an out-of-line body): keep what either says
                info["inline"] = info["inline"] or seen["inline"]
                info["virtual"] = info["virtual"] or seen["virtual"]
                info["defaults"] = [a or b for a, b in zip(seen["defaults"], info["defaults"])]
            out[name] = info
    for child in node.get("inner", []):
        collect(child, out)


def declared(command, cwd, source):
    """{MSVC name: {virtual, inline, defaults}} for the SDK that the compile
    command (a list, without its source and output) sees, via a source that
    includes Orbitersdk.h."""
    out = {}
    decoder = json.JSONDecoder()
    for f in FILTERS:
        result = subprocess.run(command + ["-fsyntax-only", "-Xclang", "-ast-dump=json", "-Xclang",
                                           "-ast-dump-filter=" + f, source],
                                cwd=cwd, capture_output=True, text=True)
        if result.returncode != 0:
            raise SystemExit("the SDK does not compile:\n" + result.stderr)
        text, pos = result.stdout, 0
        while True:
            while pos < len(text) and text[pos].isspace():
                pos += 1
            if pos >= len(text):
                break
            node, pos = decoder.raw_decode(text, pos)
            collect(node, out)
    return out
