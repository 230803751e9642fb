#!/usr/bin/env python3
"""Fails when a library's code includes a header private to another library.

Each folder below toolkit/ and app/ that holds sources is one library; its
headers in its include/ folder are public, the others its own. What a
library compiles (its sources outside the tests/ folders, and the headers of
its own they include, followed through) includes public headers and its own,
nothing else of the project; the program entry (main.cpp) and the public
headers include public headers only. An include is found as the compiler
would with the widest search path the build ever gave (the including file's
folder, include/, every public folder, toolkit/, the project root), so the
check holds however the build's folders are set. Each offending include is
reported as file:line; includes of no project file (system and generated
headers) are passed over.
Usage: check_private_includes.py [source root]
"""

import os
import re
import sys

LIBRARY_PARENTS = ("toolkit", "app")
SOURCE_EXT = (".cpp", ".c")
HEADER_EXT = (".h", ".hpp")
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*"([^"]+)"', re.M)


def is_test_path(rel):
    return "tests" in rel.split("/")


def library_folders(root):
    """Folders below toolkit/ and app/ that hold a source outside tests/."""
    found = []
    for parent in LIBRARY_PARENTS:
        top = os.path.join(root, parent)
        if not os.path.isdir(top):
            continue
        for name in sorted(os.listdir(top)):
            folder = os.path.join(parent, name)
            if os.path.isdir(os.path.join(root, folder)) and sources_of(root, folder):
                found.append(folder)
    return found


def sources_of(root, folder):
    found = []
    for dirpath, dirnames, filenames in os.walk(os.path.join(root, folder)):
        dirnames[:] = sorted(d for d in dirnames if d != "tests")
        for f in sorted(filenames):
            if f.endswith(SOURCE_EXT):
                found.append(os.path.relpath(os.path.join(dirpath, f), root))
    return found


def public_folders(root):
    folders = ["include"]
    for parent in LIBRARY_PARENTS:
        top = os.path.join(root, parent)
        if os.path.isdir(top):
            for name in sorted(os.listdir(top)):
                if os.path.isdir(os.path.join(top, name, "include")):
                    folders.append(os.path.join(parent, name, "include"))
    return folders


class Tree:
    def __init__(self, root):
        self.root = root
        self.libraries = library_folders(root)
        self.search = public_folders(root) + ["toolkit", "."]

    def resolve(self, including, name):
        """The project file an include names, relative to the root, or None."""
        for base in [os.path.dirname(including)] + self.search:
            rel = os.path.normpath(os.path.join(base, name))
            if os.path.isfile(os.path.join(self.root, rel)):
                return rel
        return None

    def owner(self, rel):
        """(library folder or None, public?) of a project file."""
        if rel.startswith("include/"):
            return None, True
        for lib in self.libraries:
            if rel.startswith(lib + "/"):
                return lib, rel.startswith(lib + "/include/")
        return None, False

    def includes(self, rel):
        with open(os.path.join(self.root, rel), encoding="utf-8", errors="replace") as f:
            text = f.read()
        for match in INCLUDE.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            target = self.resolve(rel, match.group(1))
            if target:
                yield line, target


def check_library(tree, lib, problems):
    """Walks a library's sources and the own headers they include."""
    queue = [s for s in sources_of(tree.root, lib) if os.path.basename(s) != "main.cpp"]
    seen = set(queue)
    while queue:
        current = queue.pop(0)
        for line, target in tree.includes(current):
            owner, public = tree.owner(target)
            if public:
                continue
            if owner != lib:
                problems.append((current, line, target, owner))
            elif target not in seen and not is_test_path(target):
                seen.add(target)
                queue.append(target)


def check_public_only(tree, files, problems):
    for rel in files:
        for line, target in tree.includes(rel):
            owner, public = tree.owner(target)
            if not public:
                problems.append((rel, line, target, owner))


def public_headers(tree):
    found = []
    for folder in tree.search[:-2]:
        for dirpath, _, filenames in os.walk(os.path.join(tree.root, folder)):
            found += [os.path.relpath(os.path.join(dirpath, f), tree.root)
                      for f in sorted(filenames) if f.endswith(HEADER_EXT)]
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    tree = Tree(root)
    problems = []
    for lib in tree.libraries:
        check_library(tree, lib, problems)
    entries = [s for lib in tree.libraries for s in sources_of(root, lib) if os.path.basename(s) == "main.cpp"]
    check_public_only(tree, entries + public_headers(tree), problems)
    for rel, line, target, owner in sorted(set(problems)):
        whose = "private to " + owner if owner else "no library's public header"
        print("%s:%d: includes %s, %s" % (rel, line, target, whose))
    print("%d private include(s) across libraries" % len(set(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
