#!/usr/bin/env python3
"""check_exports.py CLANG CFLAGS -- HEADER_DIR... -- LIBRARY...

The kit's libraries must define exactly what the public headers declare
(functions and variables, as the compiler reads them), plus `main`: the
shared libraries in their dynamic symbol table, the static ones among their
global symbols. Prints every difference and exits 1 when there is one."""
import json
import pathlib
import subprocess
import sys
import tempfile

args = sys.argv[1:]
clang, rest = args[0], args[1:]
cut = rest.index("--")
cflags, rest = rest[:cut], rest[cut + 1:]
cut = rest.index("--")
header_dirs, libraries = [pathlib.Path(d).resolve() for d in rest[:cut]], rest[cut + 1:]

headers = sorted(h for d in header_dirs for h in d.rglob("*.h"))
with tempfile.NamedTemporaryFile("w", suffix=".c") as unit:
    unit.write("".join(f'#include "{h}"\n' for h in headers))
    unit.flush()
    includes = [f"-I{d}" for d in header_dirs]
    run = subprocess.run([clang, "-fsyntax-only", "-Xclang", "-ast-dump=json", *includes, *cflags,
                          unit.name], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(run.stderr)
    dump = run.stdout

# A declaration names its file only when it differs from the previous one's.
declared, current = set(), None
for decl in json.loads(dump)["inner"]:
    loc = decl.get("loc", {})
    current = loc.get("expansionLoc", loc).get("file", current)
    if (decl.get("kind") in ("FunctionDecl", "VarDecl") and decl.get("storageClass") != "static"
            and current and any(pathlib.Path(current).resolve().is_relative_to(d) for d in header_dirs)):
        declared.add(decl["name"])
expected = declared | {"main"}

failed = False
defined_by = {}  # "shared" or "static": every name those libraries define
for library in libraries:
    kind = "shared" if ".so" in pathlib.Path(library).name else "static"
    nm = ["nm", "--defined-only", "-D" if kind == "shared" else "-g", library]
    lines = subprocess.run(nm, check=True, capture_output=True, text=True).stdout
    defined = {f[2] for f in (line.split() for line in lines.splitlines()) if len(f) == 3}
    for name in sorted(defined - expected):
        print(f"{library}: defines {name}, which no public header declares")
        failed = True
    defined_by.setdefault(kind, set()).update(defined)
for kind, defined in defined_by.items():
    for name in sorted(expected - defined):
        print(f"no {kind} library defines {name}, which a public header declares")
        failed = True
sys.exit(1 if failed else 0)
