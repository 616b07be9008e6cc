#!/usr/bin/env python3
"""make_help.py <stage folder> - lays out the help project in <stage folder>.

Copies the pages, the style sheet and the pictures of resources/help, writes the
keyboard page from the accelerator tables of resources/app.rc, and writes the
contents tree (help.hhc), the index (help.hhk) and the project (WqzHelp.hhp) that
chmcmd compiles. Stops with a message when a page of the contents is missing, a page
is not in the contents, or an accelerator names a command that no menu shows.
"""

import html
import os
import re
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
RC = os.path.join(ROOT, "resources", "app.rc")
PAGES = os.path.join(HERE, "pages")
IMAGES = os.path.join(HERE, "images")
KEYBOARD_MARK = "<!-- accelerator table -->"


def fail(text):
    sys.exit("make_help: " + text)


def rc_blocks(text, kind):
    """(name, body lines) of each 'NAME KIND ... BEGIN ... END' block, nesting counted."""
    lines = text.splitlines()
    blocks = []
    i = 0
    while i < len(lines):
        m = re.match(r"^(\w+)\s+" + kind + r"\b", lines[i])
        i += 1
        if not m:
            continue
        body, depth = [], 0
        while i < len(lines):
            word = lines[i].strip()
            i += 1
            if word == "BEGIN":
                depth += 1
                if depth == 1:
                    continue
            elif word == "END":
                depth -= 1
                if depth == 0:
                    break
            body.append(lines[i - 1])
        blocks.append((m.group(1), body))
    return blocks


def menu_paths(body):
    """Command id -> 'File > Save' for each item of a menu block."""
    paths, stack = {}, []
    for line in body:
        word = line.strip()
        m = re.match(r'POPUP\s+"([^"]*)"', word)
        if m:
            stack.append(m.group(1))
            continue
        if word == "END":
            stack.pop()
            continue
        m = re.match(r'MENUITEM\s+"((?:[^"]|"")*)"\s*,\s*(\w+)', word)
        if m:
            text = m.group(1).split("\\t")[0].replace("&&", "\0").replace("&", "").replace("\0", "&")
            paths.setdefault(m.group(2), " > ".join([s.replace("&", "") for s in stack] + [text]))
    return paths


def prompts(text):
    """Command id -> its status-bar prompt from the string tables."""
    out = {}
    for m in re.finditer(r'^\s*(ID_\w+)\s+"((?:[^"]|"")*)"', text, re.M):
        out.setdefault(m.group(1), m.group(2).split("\\n")[0].replace('""', '"'))
    return out


KEY_NAMES = {
    "VK_F1": "F1", "VK_DELETE": "Del", "VK_OEM_PLUS": "=", "VK_OEM_MINUS": "-",
    "VK_INSERT": "Ins", "VK_ESCAPE": "Esc", "VK_RETURN": "Enter", "VK_BACK": "Backspace",
}


def key_text(key, flags):
    if key.startswith('"'):
        name = key.strip('"')
    elif key in KEY_NAMES:
        name = KEY_NAMES[key]
    elif re.match(r"VK_F\d+$", key):
        name = key[3:]
    else:
        fail("no name for the key %s in %s" % (key, RC))
    mods = [label for flag, label in (("CONTROL", "Ctrl"), ("SHIFT", "Shift"), ("ALT", "Alt"))
            if flag in flags]
    return "+".join(mods + [name])


def accelerator_rows(text):
    """(keys, menu path, prompt, with a publication only) for each accelerator."""
    menus = dict(rc_blocks(text, "MENU"))
    doc_paths = menu_paths(menus["IDR_LABELTYPE"])
    main_paths = menu_paths(menus["IDR_MAINFRAME"])
    says = prompts(text)
    tables = dict(rc_blocks(text, "ACCELERATORS"))
    keys_of = {}
    for table in ("IDR_LABELTYPE", "IDR_MAINFRAME"):
        for line in tables[table]:
            parts = [p.strip() for p in line.split("//")[0].split(",")]
            if len(parts) < 2 or not parts[0]:
                continue
            keys_of.setdefault((parts[0], parts[1]), (parts[0], parts[1], parts[2:], set()))[3].add(table)
    rows = []
    for key, cmd, flags, tables_in in keys_of.values():
        path = doc_paths.get(cmd) or main_paths.get(cmd)
        if path is None:
            fail("the accelerator %s names %s, which no menu shows" % (key, cmd))
        rows.append((key_text(key, flags), path, says.get(cmd, ""), "IDR_MAINFRAME" not in tables_in))
    return rows


def keyboard_table(rows):
    out = ['<table class="keys">',
           "<tr><th>Keys</th><th>Command</th><th>What it does</th></tr>"]
    for keys, path, prompt, doc_only in rows:
        note = prompt + (" (with a publication open)" if doc_only else "")
        out.append("<tr><td><kbd>%s</kbd></td><td>%s</td><td>%s</td></tr>"
                   % (html.escape(keys), html.escape(path), html.escape(note)))
    out.append("</table>")
    return "\n".join(out)


def read_contents():
    """[(depth, title, page)] of contents.txt: two spaces a level, title, tab, page."""
    entries = []
    with open(os.path.join(HERE, "contents.txt"), encoding="utf-8") as f:
        for line in f:
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            depth = (len(line) - len(line.lstrip(" "))) // 2
            title, _, page = line.strip().partition("\t")
            entries.append((depth, title.strip(), page.strip()))
    return entries


def page_keywords(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    m = re.search(r'<meta name="keywords" content="([^"]*)"', text)
    return [k.strip() for k in m.group(1).split(";") if k.strip()] if m else []


def sitemap_item(name, local):
    return ('<LI> <OBJECT type="text/sitemap">\n'
            '    <param name="Name" value="%s">\n'
            '    <param name="Local" value="%s">\n'
            "    </OBJECT>" % (html.escape(name), html.escape(local)))


def write_contents(stage, entries):
    out = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">', "<HTML>", "<BODY>", "<UL>"]
    depth = 0
    for d, title, page in entries:
        while depth < d:
            out.append("<UL>")
            depth += 1
        while depth > d:
            out.append("</UL>")
            depth -= 1
        out.append(sitemap_item(title, page))
    out += ["</UL>"] * depth + ["</UL>", "</BODY>", "</HTML>"]
    with open(os.path.join(stage, "help.hhc"), "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\n".join(out) + "\n")


def write_index(stage, entries):
    """One entry a keyword (letter case aside); a keyword of several pages names each."""
    titles = {page: title for _, title, page in entries}
    words = {}
    for _, title, page in entries:
        for word in [title] + page_keywords(os.path.join(stage, page)):
            words.setdefault(word.lower(), (word, set()))[1].add(page)
    out = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">', "<HTML>", "<BODY>", "<UL>"]
    for key in sorted(words):
        word, pages = words[key]
        if len(pages) == 1:
            out.append(sitemap_item(word, pages.pop()))
            continue
        item = ['<LI> <OBJECT type="text/sitemap">', '    <param name="Name" value="%s">' % html.escape(word)]
        for page in sorted(pages, key=lambda p: titles[p]):
            item.append('    <param name="Name" value="%s">' % html.escape(titles[page]))
            item.append('    <param name="Local" value="%s">' % html.escape(page))
        out.append("\n".join(item + ["    </OBJECT>"]))
    out += ["</UL>", "</BODY>", "</HTML>"]
    with open(os.path.join(stage, "help.hhk"), "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\n".join(out) + "\n")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    stage = sys.argv[1]
    if os.path.exists(stage):
        shutil.rmtree(stage)
    os.makedirs(os.path.join(stage, "images"))

    entries = read_contents()
    listed = [page for _, _, page in entries]
    pages = sorted(p for p in os.listdir(PAGES) if p.endswith(".htm"))
    for page in listed:
        if page not in pages:
            fail("contents.txt names %s, which resources/help/pages does not have" % page)
    for page in pages:
        if page not in listed:
            fail("the page %s is not in contents.txt" % page)

    with open(RC, encoding="latin-1") as f:
        rc_text = f.read()
    files = []
    for name in sorted(os.listdir(PAGES)):
        src = os.path.join(PAGES, name)
        with open(src, encoding="utf-8") as f:
            text = f.read()
        if KEYBOARD_MARK in text:
            text = text.replace(KEYBOARD_MARK, keyboard_table(accelerator_rows(rc_text)))
        with open(os.path.join(stage, name), "w", encoding="utf-8") as f:
            f.write(text)
        files.append(name)
    for name in sorted(os.listdir(IMAGES)):
        shutil.copyfile(os.path.join(IMAGES, name), os.path.join(stage, "images", name))
        files.append("images/" + name)

    write_contents(stage, entries)
    write_index(stage, entries)
    project = ["[OPTIONS]",
               "Compatibility=1.1 or later",
               "Compiled file=WqzHelp.chm",
               "Contents file=help.hhc",
               "Index file=help.hhk",
               "Default topic=" + listed[0],
               "Default Window=main",
               "Display compile progress=No",
               "Full-text search=Yes",
               "Language=0x409 English (United States)",
               "Title=Stickwell Help",
               "",
               # the viewer's window: three panes with the contents, the index and search
               "[WINDOWS]",
               'main="Stickwell Help","help.hhc","help.hhk","%s","%s",,,,,0x22520,240,0x3046,[40,40,1000,760],,,,,,,0'
               % (listed[0], listed[0]),
               "",
               "[FILES]"] + files
    with open(os.path.join(stage, "WqzHelp.hhp"), "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\n".join(project) + "\n")


if __name__ == "__main__":
    main()
