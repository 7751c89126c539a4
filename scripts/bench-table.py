#!/usr/bin/env python3
"""Prints the paired comparisons of Google Benchmark JSON files as one table.

A pair is a benchmark of ours, BM_<Thing>_Ours[_<Step>] or BM_<Thing>_Canvas,
and its peer in the same program, BM_<Thing>_<Peer> (for example
BM_Slider_QSlider or BM_Lines_QPainter). The ratio is the peer's CPU time
over ours: above 1 means ours is faster. Times are medians where the program
reported repetitions, else the single run's."""
import json
import sys
from collections import defaultdict


def cpu_times(paths):
    """{benchmark name: CPU time in microseconds}, medians preferred."""
    times, medians = {}, {}
    for path in paths:
        with open(path) as f:
            for run in json.load(f)["benchmarks"]:
                if run.get("error_occurred"):
                    continue
                scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[run.get("time_unit", "ns")]
                name = run.get("run_name", run["name"])
                value = run["cpu_time"] * scale
                if run.get("aggregate_name") == "median":
                    medians[name] = value
                elif run.get("run_type", "iteration") == "iteration":
                    times.setdefault(name, value)
    times.update(medians)
    return times


def pairs(times):
    families = defaultdict(lambda: {"ours": [], "peers": []})
    for name in times:
        parts = name.split("/")[0].split("_")
        if len(parts) < 3 or parts[0] != "BM":
            continue
        family = families[parts[1]]
        is_ours = parts[2] in ("Ours", "Canvas")
        family["ours" if is_ours else "peers"].append(name)
    for thing in sorted(families):
        family = families[thing]
        for ours in sorted(family["ours"]):
            for peer in sorted(family["peers"]):
                yield ours, peer


def main(paths):
    times = cpu_times(paths)
    rows = [(o, p, times[o], times[p]) for o, p in pairs(times)]
    width = max([len(o) for o, *_ in rows] + [len(p) for _, p, *_ in rows] + [10])
    print(f"{'ours':<{width}}  {'peer':<{width}}  {'ours µs':>10}  {'peer µs':>10}  {'ratio':>7}")
    for ours, peer, t_ours, t_peer in rows:
        ratio = t_peer / t_ours if t_ours > 0 else float("inf")
        print(f"{ours:<{width}}  {peer:<{width}}  {t_ours:>10.2f}  {t_peer:>10.2f}  {ratio:>6.2f}x")
    others = sorted(n for n in times if not any(n in (o, p) for o, p, *_ in rows))
    if others:
        print()
        print(f"{'unpaired':<{width}}  {'cpu µs':>10}")
        for name in others:
            print(f"{name:<{width}}  {times[name]:>10.2f}")


if __name__ == "__main__":
    main(sys.argv[1:])
