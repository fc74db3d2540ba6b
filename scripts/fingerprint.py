#!/usr/bin/env python3
"""Fingerprints the game's behaviour: long scripted sessions through the headless runner
(every hero, two seeds, every dungeon, saves and loads, menus, fights), hashing the final
JSON state of each session and every frame it shows. Two builds that print the same lines
behave the same. A refactoring compares its output before and after:

    scripts/fingerprint.py --sim build/mirovaan-sim --data build/data > before.txt
    ... change the code, rebuild ...
    scripts/fingerprint.py --sim build/mirovaan-sim --data build/data | diff before.txt -

--frames N hashes every Nth frame (default 1: every frame); --ticks N is each dungeon
session's length. The last line sums up how many ticks and frames were compared.
"""
import argparse
import hashlib
import os
import random
import struct
import subprocess
import sys
import tempfile

# World-map entrance positions (view pixels), one per dungeon.
ENTRANCES = [(142, 75), (52, 105), (65, 3), (187, 153), (230, 133), (30, 133), (100, 80),
             (160, 51), (260, 190)]
HERO_ARROW = {0: "VK_DOWN", 1: "VK_LEFT", 2: "VK_RIGHT", 3: "VK_UP"}
ARROWS = ["VK_UP", "VK_RIGHT", "VK_DOWN", "VK_LEFT"]
MENU_KEYS = ["VK_F1", "VK_F2", "VK_F3", "VK_UP", "VK_DOWN", "VK_LEFT", "VK_RIGHT", "VK_SPACE",
             "VK_RETURN", "V", "D"]


def run(sim, data, workdir, name, keys, ticks, load=None, seed=1, every=1):
    """Runs one session; returns (state hash, frame hashes)."""
    keys_path = os.path.join(workdir, name + ".keys")
    with open(keys_path, "w") as f:
        f.write("\n".join(keys) + "\n")
    frames = os.path.join(workdir, name + "-frames")
    os.makedirs(frames, exist_ok=True)
    state = os.path.join(workdir, name + ".json")
    cmd = [sim, "--data", data, "--seed", str(seed), "--ticks", str(ticks), "--keys", keys_path,
           "--state", state, "--answer", "yes"]
    if load:
        cmd += ["--load", load]
    for t in range(every, ticks + 1, every):
        cmd += ["--shot", "%d:%s/%06d.png" % (t, frames, t)]
    out = subprocess.run(cmd, cwd=workdir, capture_output=True, text=True)
    if out.returncode != 0:
        sys.exit("%s failed (%d): %s" % (name, out.returncode, out.stderr))
    digest = hashlib.sha256()
    count = 0
    for shot in sorted(os.listdir(frames)):
        with open(os.path.join(frames, shot), "rb") as f:
            digest.update(f.read())
        count += 1
    with open(state, "rb") as f:
        # Messages name the session's files, which live in a fresh temporary folder each run.
        shown = out.stdout.replace(workdir, "WORK").encode()
        state_hash = hashlib.sha256(f.read() + shown).hexdigest()[:16]
    return state_hash, digest.hexdigest()[:16], count


def start_keys(hero, save_path):
    return ["1 press VK_RETURN", "3 press %s" % HERO_ARROW[hero], "5 press VK_SPACE",
            "9 menu save %s" % save_path]


def play_keys(rng, ticks, workdir, tag):
    """Random but plausible play: walking, running, firing, menus, a save and a load."""
    keys = ["1 press VK_RETURN"]
    t = 2
    held = None
    saved = False
    while t < ticks:
        roll = rng.random()
        if roll < 0.55:
            if held:
                keys.append("%d up %s" % (t, held))
            held = rng.choice(ARROWS)
            keys.append("%d down %s" % (t, held))
        elif roll < 0.75:
            keys.append("%d %s VK_SPACE" % (t, rng.choice(["down", "up"])))
        elif roll < 0.82:
            keys.append("%d %s VK_SHIFT" % (t, rng.choice(["down", "up"])))
        elif roll < 0.88:
            keys.append("%d press VK_ESCAPE" % t)
            for k in range(rng.randint(1, 6)):
                keys.append("%d press %s" % (t + 1 + k, rng.choice(MENU_KEYS)))
            keys.append("%d press VK_ESCAPE" % (t + 8))
            t += 8
        elif roll < 0.90:
            path = os.path.join(workdir, tag + ".sav")
            if saved and rng.random() < 0.5:
                keys.append("%d menu load %s" % (t, path))
            else:
                keys.append("%d menu save %s" % (t, path))
                saved = True
        else:
            keys.append("%d press VK_RETURN" % t)
        t += rng.randint(1, 40)
    return keys


def patched_save(base, dungeon, path):
    with open(base, "rb") as f:
        data = bytearray(f.read())
    x, y = ENTRANCES[dungeon]
    struct.pack_into("<ii", data, 0, x, y)
    struct.pack_into("<i", data, 48, 100000)
    with open(path, "wb") as f:
        f.write(data)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--sim", required=True)
    ap.add_argument("--data", required=True)
    ap.add_argument("--ticks", type=int, default=2000)
    ap.add_argument("--frames", type=int, default=1)
    args = ap.parse_args()
    sim, data = os.path.abspath(args.sim), os.path.abspath(args.data)
    total_ticks = total_frames = 0
    with tempfile.TemporaryDirectory() as workdir:
        for hero in range(4):
            for seed in (1, 7):
                base = os.path.join(workdir, "base-%d-%d.sav" % (hero, seed))
                s, fr, n = run(sim, data, workdir, "start-%d-%d" % (hero, seed),
                               start_keys(hero, base), 12, seed=seed, every=args.frames)
                print("start hero %d seed %d: state %s frames %s" % (hero, seed, s, fr))
                total_ticks += 12
                total_frames += n
                for dungeon in range(9):
                    if (dungeon + seed + hero) % 2:  # half the dungeons per hero and seed
                        continue
                    tag = "d%d-%d-%d" % (dungeon, hero, seed)
                    start = os.path.join(workdir, tag + "-start.sav")
                    patched_save(base, dungeon, start)
                    rng = random.Random("%d/%d/%d" % (hero, seed, dungeon))
                    keys = play_keys(rng, args.ticks, workdir, tag)
                    s, fr, n = run(sim, data, workdir, tag, keys, args.ticks, load=start,
                                   seed=seed, every=args.frames)
                    print("dungeon %d hero %d seed %d: state %s frames %s" %
                          (dungeon, hero, seed, s, fr))
                    total_ticks += args.ticks
                    total_frames += n
    print("compared %d ticks and %d frames" % (total_ticks, total_frames))


if __name__ == "__main__":
    main()
