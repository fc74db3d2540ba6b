#!/usr/bin/env python3
"""Checks the program's Qt translation files, as a translator's work is checked before a
release: every text of the sources is in each file, none is empty or left unfinished, and
each translation keeps what the program fills in or the player must type or press.

Usage: check-translations.py [--lupdate LUPDATE --include DIR --sources LISTFILE] TS...

With --lupdate, each file is first brought up to date in a scratch copy against the sources
(LISTFILE names them, one a line), so that a text added to the program but not to the file
counts as missing, and one the program no longer has as left over.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

# What the program fills in (%1, %n, %L1) and what a player reads as a name: options and
# paths (--data, ~/mirovaan/build/data), files and patterns (title.bmp, *.sav), packages
# (fluid-soundfont-gm), keys (F11, Esc, Enter, Ctrl+S). Japanese text holds ASCII only for
# such things, so every ASCII word of a Japanese source must come through unchanged.
PLACEHOLDER = re.compile(r"%L?(?:\d{1,2}|n)")
ASCII_WORD = re.compile(r"[A-Za-z0-9$_.*/+-]*[A-Za-z0-9*][A-Za-z0-9$_.*/+-]*")
MNEMONIC = re.compile(r"&(?!&)\S")


def is_japanese(text):
    return any(ord(c) > 0x7F for c in text)


def problems_of(context, source, translation, kind):
    where = f"{context}: {source!r}"
    if kind == "unfinished" and not (translation or "").strip():
        return [f"{where}: missing (no translation yet)"]
    if kind == "unfinished":
        return [f"{where}: unfinished"]
    if kind in ("vanished", "obsolete"):
        return [f"{where}: no longer in the program (remove it)"]
    if not (translation or "").strip():
        return [f"{where}: empty translation"]
    found = []
    if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(translation)):
        found.append(f"{where}: placeholders {PLACEHOLDER.findall(source)} became "
                     f"{PLACEHOLDER.findall(translation)} in {translation!r}")
    if is_japanese(source):
        for word in ASCII_WORD.findall(PLACEHOLDER.sub(" ", source.replace("&", ""))):
            if word not in translation:
                found.append(f"{where}: {word!r} is not kept in {translation!r}")
    if len(MNEMONIC.findall(source)) != len(MNEMONIC.findall(translation)):
        found.append(f"{where}: the menu's Alt letter (&) is lost in {translation!r}")
    if source.count("\n") and not translation.count("\n"):
        found.append(f"{where}: the lines of the source are run together in {translation!r}")
    return found


def check_file(path):
    root = ET.parse(path).getroot()
    found = []
    count = 0
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            count += 1
            source = message.findtext("source") or ""
            node = message.find("translation")
            if message.get("numerus") == "yes":
                forms = [f.text or "" for f in node.iter("numerusform")] if node is not None else []
                translation = forms[0] if forms and all(f.strip() for f in forms) else ""
            else:
                translation = node.text if node is not None else ""
            kind = node.get("type") if node is not None else "unfinished"
            found += problems_of(name, source, translation or "", kind)
    if count == 0:
        found.append("holds no text at all")
    return found


def updated_copy(path, lupdate, include, sources, scratch):
    copy = os.path.join(scratch, os.path.basename(path))
    shutil.copyfile(path, copy)
    subprocess.run([lupdate, "-silent", "-locations", "none", "-I", include,
                    f"@{sources}", "-ts", copy], check=True)
    return copy


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--lupdate")
    parser.add_argument("--include")
    parser.add_argument("--sources")
    parser.add_argument("ts", nargs="+")
    args = parser.parse_args()
    failed = False
    with tempfile.TemporaryDirectory() as scratch:
        for path in args.ts:
            checked = path
            if args.lupdate:
                checked = updated_copy(path, args.lupdate, args.include, args.sources, scratch)
            for problem in check_file(checked):
                print(f"{os.path.basename(path)}: {problem}")
                failed = True
    if failed:
        print("Bring the files up to date with the sources (cmake --build build --target "
              "mv_desktop_lupdate) and translate what is new.", file=sys.stderr)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
