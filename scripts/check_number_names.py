#!/usr/bin/env python3
"""Fails when a source outside the tests gives a public number a second name.

The public headers (include/gui, app/include/app, app/<library>/include/app) name the message numbers
(MSG_*, the controls' *M_* messages), the notifications (*N_*), the
device's answers, the dialog codes (DLGC_*), the dialog's buttons and
answers (IDOK, IDCANCEL, ...), the panel's keys and the control ids every
page shares (PAGE_ID_*). A constant elsewhere with the same value and a name
or use of the same kind is a second name for one of them; each is reported
as file:line. The application's public headers name no toolkit number again
either (a PAGE_ID_CANCEL beside IDCANCEL). The page control ids and the
dialog's buttons are the application's to name once: its sources and its
tests use the public names, the toolkit's tests are free.
Usage: check_number_names.py [source root]
"""

import os
import re
import sys

PUBLIC_DIRS = ("include/gui", "app/include/app")


def public_dirs(root):
    """The toolkit's public headers and each application library's own."""
    found = [d for d in PUBLIC_DIRS if os.path.isdir(os.path.join(root, d))]
    app = os.path.join(root, "app")
    if os.path.isdir(app):
        for lib in sorted(os.listdir(app)):
            if os.path.isdir(os.path.join(app, lib, "include", "app")):
                found.append(os.path.join("app", lib, "include", "app"))
    return found
SOURCE_DIRS = ("toolkit", "app")
SOURCE_EXT = (".h", ".hpp", ".cpp", ".cc", ".c")

INT = r"\(?\s*(0[xX][0-9a-fA-F]+|\d+)[uUlL]*\s*\)?"
DEFINE = re.compile(r"^[ \t]*#[ \t]*define[ \t]+(\w+)[ \t]+" + INT + r"[ \t]*(?:/[/*].*)?$", re.M)
ENUM = re.compile(r"\benum\b(?:\s+class)?(?:\s+\w+)?(?:\s*:\s*[\w:]+)?\s*\{([^{}]*)\}")
ENUM_ENTRY = re.compile(r"(\w+)\s*=\s*" + INT + r"\s*$")
CONSTANT = re.compile(r"\b(?:constexpr|const)\s+(?:(?:static|inline|unsigned|signed|std::)\s*)*"
                      r"(?:u?int(?:8|16|32|64)?_t|int|long|short|unsigned|WParam|LParam|LResult)\s+([^;(){}]+);")
DECLARATOR = re.compile(r"^\s*(\w+)\s*(?:=\s*" + INT + r"|\{\s*" + INT + r"\s*\})\s*$")

# Kinds of public number, by the public name. A notification's prefix is a
# control's: the control also names messages (XM_) or styles (XS_).
def public_kind(name, value, controls):
    if name.startswith("MSG_"):
        return "message"
    if re.match(r"^[A-Z]+M_", name) and value >= 0xF000:
        return "message"
    if re.match(r"^(CB|LB)_", name) and value >= 0xF000:
        return "message"
    prefix = re.match(r"^([A-Z]+)N_[A-Z]", name)
    if prefix and prefix.group(1) in controls:
        return "notification"
    if re.search(r"_(ERR|ANSWER|OK)_", name) and value >= 0x10000:
        return "answer"
    if name.startswith("DLGC_"):
        return "dialog code"
    if re.match(r"^ID[A-Z]+$", name) and value < 0x100:
        return "dialog button"
    if re.match(r"^[A-Z]+_KEY_[A-Z]", name) and 100 <= value < 0x200:
        return "key"
    if name.startswith("PAGE_ID_"):
        return "control id"
    return None


def strip_comments(text):
    def blank(m):
        return re.sub(r"[^\n]", " ", m.group(0))
    text = re.sub(r"/\*.*?\*/", blank, text, flags=re.S)
    text = re.sub(r"//[^\n]*", blank, text)
    return re.sub(r'"(?:\\.|[^"\\\n])*"', blank, text)


def line_of(text, pos):
    return text.count("\n", 0, pos) + 1


def definitions(text):
    """(name, value, line) of every integer constant the text defines."""
    for m in DEFINE.finditer(text):
        yield m.group(1), int(m.group(2), 0), line_of(text, m.start())
    for m in ENUM.finditer(text):
        offset = m.start(1)
        for entry in m.group(1).split(","):
            e = ENUM_ENTRY.match(entry.strip())
            if e:
                yield e.group(1), int(e.group(2), 0), line_of(text, offset + entry.find(e.group(1)))
            offset += len(entry) + 1
    for m in CONSTANT.finditer(text):
        offset = m.start(1)
        for part in m.group(1).split(","):
            d = DECLARATOR.match(part)
            if d:
                literal = d.group(2) or d.group(3)
                yield d.group(1), int(literal, 0), line_of(text, offset + part.find(d.group(1)))
            offset += len(part) + 1


def public_numbers(root, toolkit_only=False):
    texts = []
    for folder in public_dirs(root):
        if toolkit_only and folder.startswith("app"):
            continue
        base = os.path.join(root, folder)
        for name in sorted(os.listdir(base)):
            if name.endswith(".h"):
                texts.append(strip_comments(open(os.path.join(base, name), encoding="utf-8", errors="replace").read()))
    constants = [(const, value) for text in texts for const, value, _ in definitions(text)]
    controls = {m.group(1) for const, _ in constants for m in [re.match(r"^([A-Z]+)[MS]_", const)] if m}
    numbers = {}
    for const, value in constants:
        kind = public_kind(const, value, controls)
        if kind:
            numbers.setdefault((kind, value), []).append(const)
    return numbers


SEND = r"\b(?:SendMessage|PostMessage|SendNotifyMessage|PostMessageAt|SendDlgItemMessage|TellMenuTracker)\s*\("
MESSAGE_NAME = re.compile(r"(?i)msg|message|tracker")
NOTIFY_NAME = re.compile(r"(?i)chang|click|notif|dblclk")
ANSWER_NAME = re.compile(r"(?i)err|answer|saved|unchanged|declin|refus|fail")
DIALOG_CODE_NAME = re.compile(r"(?i)dlgcode|dialogcode|allkeys|wantsall")
KEY_NAME = re.compile(r"(?i)scan|key")
KINDS = ("message", "notification", "answer", "dialog code", "dialog button", "key", "control id")
# The kinds a test may not name as it likes (the toolkit's tests may), and
# those the toolkit never sees.
TEST_KINDS = ("control id", "dialog button")
APP_TEST_KINDS = ("control id", "dialog button")
APP_KINDS = ("control id",)
# The kinds an application's public header may not name again.
HEADER_KINDS = ("dialog button",)


def words(name):
    """The lower-case words of a name: kCopyOk and COPY_OK give copy, ok."""
    return [w.lower() for w in re.findall(r"[A-Z]?[a-z]+|[A-Z]+(?![a-z])|\d+", name)]


def used_as_message(text, name):
    if re.search(SEND + r"[^,;()]*,\s*" + name + r"\b", text):
        return True
    if re.search(r"\b(?:msg|message)\s*[-+]\s*" + name + r"\b|\b" + name + r"\s*\+\s*(?:msg|message)\b", text):
        return True
    for m in re.finditer(r"\bcase\s+" + name + r"\s*:", text):
        switch = text.rfind("switch", 0, m.start())
        if switch >= 0 and re.match(r"switch\s*\(\s*(?:msg|message)\s*\)", text[switch:]):
            return True
    return False


def same_kind(kind, name, value, text, public):
    plain = name.replace("_", "")
    if kind == "control id":
        # A control's own id may share a shared one's value: only a name
        # with the shared control's word (kCopy, kLoginOk) is a second one.
        return any(words(p)[-1] in words(name) for p in public)
    if kind == "dialog button":
        # The same for a dialog's button: IDCANCEL's word is "cancel".
        return any(p[2:].lower() in words(name) for p in public)
    if kind == "message":
        return value >= 0xF000 or bool(MESSAGE_NAME.search(plain)) or used_as_message(text, name)
    if kind == "notification":
        return bool(NOTIFY_NAME.search(plain))
    if kind == "dialog code":
        return bool(DIALOG_CODE_NAME.search(plain))
    if kind == "key":
        return bool(KEY_NAME.search(plain))
    return bool(ANSWER_NAME.search(plain))


def is_test(path):
    parts = path.split(os.sep)
    return "tests" in parts or "testing" in parts or os.path.basename(path).endswith("_test.cpp")


def sources(root):
    """Each source with the kinds of public number it may not name again,
    and the public numbers of its own it may: a public header of the
    application names its own numbers, never a toolkit one."""
    public = {os.path.normpath(os.path.join(root, d)) for d in public_dirs(root)}
    for folder in public_dirs(root):
        if not folder.startswith("app" + os.sep) and folder != "app":
            continue
        base = os.path.join(root, folder)
        for name in sorted(os.listdir(base)):
            if name.endswith(".h"):
                yield os.path.join(base, name), HEADER_KINDS, True
    for folder in SOURCE_DIRS:
        for dirpath, dirnames, filenames in os.walk(os.path.join(root, folder)):
            dirnames[:] = sorted(d for d in dirnames if os.path.normpath(os.path.join(dirpath, d)) not in public)
            for name in sorted(filenames):
                path = os.path.join(dirpath, name)
                if not name.endswith(SOURCE_EXT):
                    continue
                test = is_test(os.path.relpath(path, root))
                kinds = TEST_KINDS if test else KINDS
                kinds = [k for k in kinds if folder == "app" or (k not in APP_KINDS and not (test and k in APP_TEST_KINDS))]
                if kinds:
                    yield path, kinds, False


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    numbers = public_numbers(root)
    toolkit = public_numbers(root, toolkit_only=True)
    found = 0
    for path, kinds, header in sources(root):
        text = strip_comments(open(path, encoding="utf-8", errors="replace").read())
        for name, value, line in sorted(definitions(text), key=lambda d: d[2]):
            for kind in kinds:
                public = (toolkit if header else numbers).get((kind, value))
                if not public or name in public or not same_kind(kind, name, value, text, public):
                    continue
                found += 1
                print("%s:%d: %s = %#x is the %s %s" % (os.path.relpath(path, root), line, name, value, kind,
                                                         " / ".join(public)))
                break
    if found:
        print("%d second name(s) for public numbers: use the public name" % found)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
