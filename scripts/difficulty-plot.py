#!/usr/bin/python3
"""Draws the game's difficulty as the scripted player meets it, from the reports of
scripts/autoplay-all.sh: for each hero, the hero's level against game time, the median and
the range over the seeds, with the fall of each dungeon's boss marked; and prints, per hero,
the Markdown table of the README (ticks to the ending, deaths, level at each boss) and where
the time goes (minutes inside each dungeon up to its boss's fall, minutes gathering gold for
its entrance, deaths in it).

Usage: scripts/difficulty-plot.py [REPORT_DIR] [PNG]
  (defaults: build/autoplay and doc/difficulty.png)
Debian's python3-matplotlib draws it (scripts/setup.sh installs it)."""

import glob
import json
import os
import statistics
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

TICKS_PER_MINUTE = 20 * 60
HERO_NAMES = {0: "hero 0", 1: "hero 1", 2: "hero 2", 3: "hero 3"}
BOSS_COLOURS = ["#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd",
                "#8c564b", "#e377c2", "#7f7f7f", "#bcbd22"]


def load(folder):
    games = {}
    for path in sorted(glob.glob(os.path.join(folder, "hero*-seed*.json"))):
        try:
            with open(path, encoding="utf-8") as f:
                report = json.load(f)
        except (OSError, ValueError) as e:
            print(f"difficulty-plot: skipping {path}: {e}", file=sys.stderr)
            continue
        games.setdefault(report["hero"], []).append(report)
    return games


def level_at(report, tick):
    level = 1
    for step in report["levels"]:
        if step["tick"] > tick:
            break
        level = step["level"]
    return level


def boss_fall(report, dungeon):
    """(tick, level) at which the boss of `dungeon` fell; the final opponent's fall is the
    ending's beginning."""
    fall = report["bosses"].get(str(dungeon))
    if fall is None and dungeon == 8:
        fall = report.get("ending")
    return (fall["tick"], fall["level"]) if fall else None


def median(values):
    return statistics.median(values) if values else None


def draw(games, png):
    heroes = sorted(games)
    fig, axes = plt.subplots(2, 2, figsize=(13, 9), sharey=True)
    last = max((r["ticks"] for rs in games.values() for r in rs), default=1)
    for ax, hero in zip(axes.flat, range(4)):
        reports = games.get(hero, [])
        ax.set_title(f"{HERO_NAMES[hero]}: {len(reports)} games")
        ax.grid(True, alpha=0.3)
        ax.set_xlabel("game time (minutes)")
        ax.set_ylabel("level")
        if not reports:
            continue
        end = max(r["ticks"] for r in reports)
        step = max(1, end // 600)
        ticks = list(range(0, end + 1, step))
        lows, meds, highs = [], [], []
        for t in ticks:
            # A game that has ended keeps the level it ended with.
            levels = [level_at(r, t) for r in reports]
            lows.append(min(levels))
            highs.append(max(levels))
            meds.append(statistics.median(levels))
        minutes = [t / TICKS_PER_MINUTE for t in ticks]
        ax.fill_between(minutes, lows, highs, color="#9ecae1", alpha=0.6, step="post",
                        label="range over the seeds")
        ax.step(minutes, meds, where="post", color="#08306b", linewidth=2, label="median")
        for d in range(9):
            falls = [f for f in (boss_fall(r, d) for r in reports) if f]
            if not falls:
                continue
            ax.scatter([f[0] / TICKS_PER_MINUTE for f in falls], [f[1] for f in falls], s=10,
                       color=BOSS_COLOURS[d], alpha=0.5, zorder=3)
            mt = median([f[0] for f in falls]) / TICKS_PER_MINUTE
            ml = median([f[1] for f in falls])
            ax.scatter([mt], [ml], s=70, marker="D", color=BOSS_COLOURS[d], edgecolor="black",
                       zorder=4, label=(f"boss {d} falls (median)" if d < 8 else "the final opponent falls (median)") if hero == heroes[0] else None)
            ax.annotate(str(d), (mt, ml), textcoords="offset points", xytext=(-4, 7), fontsize=8)
        ax.set_xlim(0, end / TICKS_PER_MINUTE)
    handles, labels = [], []
    for ax in axes.flat:
        for h, lab in zip(*ax.get_legend_handles_labels()):
            if lab not in labels:
                handles.append(h)
                labels.append(lab)
    fig.legend(handles, labels, loc="lower center", ncol=6, fontsize=8)
    fig.suptitle("Level against game time, scripted player (small dots: each seed's boss falls)")
    fig.tight_layout(rect=(0, 0.07, 1, 0.96))
    fig.savefig(png, dpi=80)
    del last


def table(games):
    rows = ["| hero | games | ending reached | median ticks to the ending | worst | "
            "deaths (median, most) | median level at each boss (0 to 8) |",
            "|---|---|---|---|---|---|---|"]
    for hero in sorted(games):
        reports = games[hero]
        ends = [r["ending_tick"] for r in reports if r["ending_tick"] is not None]
        deaths = [len(r["deaths"]) for r in reports]
        levels = []
        for d in range(9):
            at = [f[1] for f in (boss_fall(r, d) for r in reports) if f]
            levels.append(f"{median(at):g}" if at else "-")
        worst = max(ends) if ends else None
        rows.append(f"| {hero} | {len(reports)} | {len(ends)} | "
                    f"{median(ends):g} ({median(ends) / TICKS_PER_MINUTE:.0f} min) | "
                    f"{worst} ({worst / TICKS_PER_MINUTE:.0f} min) | "
                    f"{median(deaths):g}, {max(deaths)} | {' '.join(levels)} |"
                    if ends else f"| {hero} | {len(reports)} | 0 | - | - | "
                    f"{median(deaths):g}, {max(deaths)} | {' '.join(levels)} |")
    return "\n".join(rows)


def walls(games):
    """Where each hero's time goes: per dungeon, the median minutes from first entering it to
    its boss's fall (the final opponent's: to the ending), the median minutes from the boss
    before it to entering it (gold gathered for its entrance), and the deaths in it over all
    the games. The longest stretch is the wall."""
    rows = ["| hero | | " + " | ".join(f"dungeon {d}" for d in range(9)) + " |",
            "|---|---|" + "---|" * 9]
    for hero in sorted(games):
        reports = games[hero]
        inside, before, died = [], [], []
        for d in range(9):
            spans, waits = [], []
            for r in reports:
                entered = r["dungeons"].get(str(d))
                fall = boss_fall(r, d)
                if entered and fall:
                    spans.append((fall[0] - entered["tick"]) / TICKS_PER_MINUTE)
                previous = boss_fall(r, d - 1) if 0 < d < 8 else (boss_fall(r, 7) if d == 8 else None)
                if entered and previous:
                    waits.append(max(0, entered["tick"] - previous[0]) / TICKS_PER_MINUTE)
            inside.append(f"{median(spans):.0f}" if spans else "-")
            before.append(f"{median(waits):.0f}" if waits else "-")
            died.append(str(sum(1 for r in reports for x in r["deaths"] if x["dungeon"] == d)))
        rows.append(f"| {hero} | minutes inside, to the boss | " + " | ".join(inside) + " |")
        rows.append(f"| {hero} | minutes from the last boss to entering | " + " | ".join(before) + " |")
        rows.append(f"| {hero} | deaths, all games | " + " | ".join(died) + " |")
    return "\n".join(rows)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build", "autoplay")
    png = sys.argv[2] if len(sys.argv) > 2 else os.path.join(root, "doc", "difficulty.png")
    games = load(folder)
    if not games:
        print(f"difficulty-plot: no reports (hero*-seed*.json) in {folder}", file=sys.stderr)
        return 1
    draw(games, png)
    print(table(games))
    print()
    print(walls(games))
    print(f"difficulty-plot: drew {png}", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
