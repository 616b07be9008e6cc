#!/usr/bin/env python3
"""check_help.py <WqzHelp.chm> <app.rc> - checks the built help file.

The file is a CHM that Debian's chmlib (extract_chmLib) unpacks; its contents tree and
its index name every page and only pages it holds; every link and picture of every page
resolves inside the file; the keyboard page lists each accelerator of the resource
script with the command and the keys its menu item shows.
"""

import html.parser
import os
import posixpath
import re
import struct
import subprocess
import sys
import tempfile

failures = []


def check(ok, text):
    print(("ok: " if ok else "FAILED: ") + text)
    if not ok:
        failures.append(text)
    return ok


class Links(html.parser.HTMLParser):
    """href and src of a page, the Local params of a sitemap, and the text of table rows."""

    def __init__(self):
        super().__init__()
        self.targets, self.locals, self.rows, self._row, self._cell = [], [], [], None, None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag in ("a", "link") and a.get("href"):
            self.targets.append(a["href"])
        if tag in ("img", "script", "frame", "iframe") and a.get("src"):
            self.targets.append(a["src"])
        if tag == "param" and (a.get("name") or "").lower() == "local":
            self.locals.append(a.get("value"))
        if tag == "tr":
            self._row = []
        if tag in ("td", "th") and self._row is not None:
            self._cell = []

    def handle_endtag(self, tag):
        if tag in ("td", "th") and self._cell is not None:
            self._row.append(" ".join("".join(self._cell).split()))
            self._cell = None
        if tag == "tr" and self._row is not None:
            self.rows.append(self._row)
            self._row = None

    def handle_data(self, data):
        if self._cell is not None:
            self._cell.append(data)


def parse(path):
    p = Links()
    with open(path, encoding="utf-8", errors="replace") as f:
        p.feed(f.read())
    return p


def accelerators(rc_text):
    """{(key, command)} of every accelerator table and {command: (menu text, shortcut)}."""
    accs = set()
    for block in re.findall(r"^\w+\s+ACCELERATORS\s*\nBEGIN\n(.*?)^END", rc_text, re.M | re.S):
        for line in block.splitlines():
            parts = [p.strip() for p in line.split(",")]
            if len(parts) >= 2 and parts[0]:
                accs.add((parts[0], parts[1]))
    items = {}
    for text, cmd in re.findall(r'MENUITEM\s+"([^"]*)"\s*,\s*(\w+)', rc_text):
        if "\\t" in text:
            name, shortcut = text.split("\\t", 1)
            items.setdefault(cmd, (name.replace("&", ""), shortcut.replace(" ", "")))
    return accs, items


def main(out):
    chm, rc = sys.argv[1], sys.argv[2]
    if not check(os.path.isfile(chm), "the help file %s is built" % chm):
        return
    with open(chm, "rb") as f:
        head = f.read(0x38)
    check(len(head) == 0x38 and head[:4] == b"ITSF" and struct.unpack_from("<I", head, 4)[0] == 3,
          "the file starts with a version-3 ITSF header")

    run = subprocess.run(["extract_chmLib", chm, out], capture_output=True, text=True)
    files = set()
    for folder, _, names in os.walk(out):
        for n in names:
            files.add(os.path.relpath(os.path.join(folder, n), out).replace(os.sep, "/"))
    check(run.returncode == 0 and "#SYSTEM" in files, "chmlib unpacks it (%d files)" % len(files))

    strings = b""
    if "#STRINGS" in files:
        with open(os.path.join(out, "#STRINGS"), "rb") as f:
            strings = f.read()
    check("#WINDOWS" in files and b"help.hhc\0" in strings and b"help.hhk\0" in strings,
          "it defines the viewer's window with the contents and the index")

    pages = sorted(f for f in files if f.endswith(".htm"))
    check(len(pages) >= 10, "it holds the pages of the guide (%d)" % len(pages))
    for kind in ("hhc", "hhk"):
        sitemaps = [f for f in files if f.endswith("." + kind)]
        if not check(len(sitemaps) == 1, "it holds one .%s file" % kind):
            continue
        named = [posixpath.normpath(v) for v in parse(os.path.join(out, sitemaps[0])).locals]
        what = "contents" if kind == "hhc" else "index"
        missing = [p for p in pages if p not in named]
        check(not missing, "the %s names every page%s" % (what, (": missing " + ", ".join(missing)) if missing else ""))
        strays = sorted(set(n for n in named if n not in files))
        check(not strays, "the %s names only pages of the file%s" % (what, (": " + ", ".join(strays)) if strays else ""))

    broken = []
    for page in pages:
        for target in parse(os.path.join(out, page)).targets:
            path = target.split("#", 1)[0]
            if re.match(r"^[a-z][a-z0-9+.-]*:", target, re.I) or target.startswith("/"):
                broken.append("%s: %s leads out of the file" % (page, target))
            elif path and posixpath.normpath(posixpath.join(posixpath.dirname(page), path)) not in files:
                broken.append("%s: %s" % (page, target))
    check(not broken, "every link and picture resolves inside the file%s" % ("".join("\n    " + b for b in broken)))
    pictures = sorted(f for f in files if f.startswith("images/"))
    check(len(pictures) >= 5, "it holds the pictures of the program (%d)" % len(pictures))

    with open(rc, encoding="latin-1") as f:
        accs, items = accelerators(f.read())
    rows = parse(os.path.join(out, "keyboard.htm")).rows if "keyboard.htm" in files else []
    table = {(r[0].replace(" ", ""), r[1].split(" > ")[-1]) for r in rows if len(r) >= 2}
    check(len(accs) >= 10, "the resource script has accelerators (%d)" % len(accs))
    for key, cmd in sorted(accs):
        name, shortcut = items.get(cmd, ("?", "?"))
        check((shortcut, name) in table,
              "the keyboard page lists %s %s as %s, %s" % (key, cmd, shortcut, name))


if __name__ == "__main__":
    with tempfile.TemporaryDirectory(prefix="help_test_") as folder:
        main(folder)
    if failures:
        print("%d check(s) failed" % len(failures))
        sys.exit(1)
    print("help: all checks passed")
