#!/usr/bin/env python3
"""The translation check refuses each kind of fault a translator can leave, and accepts a
file without them. Usage: check_translations_test.py CHECK_SCRIPT"""
import os
import subprocess
import sys
import tempfile

HEAD = '<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n<TS version="2.1" language="en" sourcelanguage="ja">\n<context><name>MainWindow</name>\n'
TAIL = "</context>\n</TS>\n"


def message(source, translation, kind=None):
    attribute = f' type="{kind}"' if kind else ""
    return f"<message><source>{source}</source><translation{attribute}>{translation}</translation></message>\n"


GOOD = [
    message("ﾌｧｲﾙ(&amp;F)", "&amp;File"),
    message("スクリーンショットを保存しました: %1", "Screenshot saved: %1"),
    message("全画面で表示する (F11)", "Full screen (F11)"),
    message("--data で指定して\nください", "Name it with --data\nplease"),
]

FAULTS = {
    "unfinished": message("セーブ", "", "unfinished"),
    "unfinished with a draft": message("セーブ", "Save", "unfinished"),
    "empty": message("セーブ", ""),
    "left over": message("セーブ", "Save", "vanished"),
    "placeholder lost": message("保存しました: %1", "Saved"),
    "placeholder doubled": message("保存しました: %1", "Saved %1 %1"),
    "placeholder renumbered": message("%1 と %2", "%1 and %3"),
    "key name lost": message("全画面で表示する (F11)", "Full screen"),
    "option lost": message("--data で指定", "Name the folder"),
    "file pattern lost": message("ｹﾞｰﾑﾌｧｲﾙ (*.sav)", "Saved games"),
    "Alt letter lost": message("ﾌｧｲﾙ(&amp;F)", "File"),
    "lines run together": message("一行目\n二行目", "One line only"),
}


def run(check, body, folder, name):
    path = os.path.join(folder, name + ".ts")
    with open(path, "w", encoding="utf-8") as f:
        f.write(HEAD + body + TAIL)
    return subprocess.run([sys.executable, check, path], capture_output=True, text=True)


def main():
    check = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        good = run(check, "".join(GOOD), folder, "good")
        if good.returncode != 0:
            failures.append(f"a sound file was refused:\n{good.stdout}")
        for i, (fault, body) in enumerate(FAULTS.items()):
            result = run(check, "".join(GOOD) + body, folder, f"fault{i}")
            if result.returncode == 0:
                failures.append(f"not caught: {fault}")
        empty = run(check, "", folder, "empty")
        if empty.returncode == 0:
            failures.append("not caught: a file without any text")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
