#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

"""Starts the game's window and its two baselines in turn, each until its first frame is painted,
and prints the median wall time, CPU time and peak memory of each, and the ratios between them.

usage: startup.py HARNESS [ROUNDS]   (HARNESS is the tandrel-startup program; ROUNDS default 15)
"""
import os
import statistics
import subprocess
import sys
import time

harness = sys.argv[1]
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 15
env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
variants = {
    "empty window": ["empty"],
    "window without board": ["noboard"],
    "game 2x2": ["game", "2"],
    "game 6x6": ["game", "6"],
    "game 12x12": ["game", "12"],
}


def start(args):
    """One start: wall seconds, CPU seconds and peak resident memory in KiB."""
    began = time.perf_counter()
    child = subprocess.Popen([harness, *args], env=env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - began
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        sys.exit(f"{' '.join(args)} ended with {child.returncode}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


results = {name: [] for name in variants}
for name, args in variants.items():  # one start each to warm the caches first
    start(args)
for round_ in range(rounds):
    # A different order each round, so that no variant always follows the same one.
    names = list(variants)
    names = names[round_ % len(names):] + names[:round_ % len(names)]
    for name in names:
        results[name].append(start(variants[name]))

median = {name: [statistics.median(column) for column in zip(*runs)]
          for name, runs in results.items()}
print(f"{rounds} starts each, medians, on the {env['QT_QPA_PLATFORM']} platform")
print(f"{'':24} {'wall ms':>8} {'CPU ms':>8} {'peak MiB':>9}")
for name, (wall, cpu, rss) in median.items():
    print(f"{name:24} {wall * 1000:8.1f} {cpu * 1000:8.1f} {rss / 1024:9.2f}")

game, bare, empty = median["game 12x12"], median["window without board"], median["empty window"]
print()
print(f"12x12 / without board: wall {game[0] / bare[0]:.3f}, CPU {game[1] / bare[1]:.3f}")
print(f"12x12 / empty window:  wall {game[0] / empty[0]:.3f}, CPU {game[1] / empty[1]:.3f}")
print(f"12x12 - without board: peak memory {(game[2] - bare[2]) / 1024:+.2f} MiB")
