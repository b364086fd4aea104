#!/usr/bin/env python3
"""Summarises several runs of one benchmark: every ratio the runs recorded, with its minimum,
median and maximum over the runs, and for a ratio with a target "met" only when every run met it.

Each argument is the standard output of one run. A benchmark records a ratio as one line of four
tab-separated fields (bench/BenchRatio.h): "ratio", the value, the bound ("at most 3",
"at least 0.8" or "-") and the name. Every run must record the same ratios: a ratio missing from
a run, or recorded twice in one, makes the runs incomparable, and the summary fails.
"""
import math
import re
import statistics
import sys

RECORD = re.compile(r"^ratio\t(?P<value>[^\t]+)\t(?P<bound>-|at most [^\t]+|at least [^\t]+)"
                    r"\t(?P<name>[^\t]+)$")


class SummaryError(Exception):
    pass


def parse_run(text, run):
    """The ratios of one run's output, in order: a list of (name, value, bound, limit)."""
    ratios = []
    seen = set()
    for line in text.splitlines():
        line = line.rstrip("\r")
        if not line.startswith("ratio\t"):
            continue
        match = RECORD.match(line)
        if not match:
            raise SummaryError(f"run {run}: a ratio record that cannot be read: {line!r}")
        name = match["name"]
        if name in seen:
            raise SummaryError(f"run {run} recorded the ratio \"{name}\" twice")
        seen.add(name)
        try:
            value = float(match["value"])
        except ValueError:
            raise SummaryError(f"run {run}: the ratio \"{name}\" is no number: {match['value']!r}")
        bound, limit = None, None
        if match["bound"] != "-":
            bound, _, limit_text = match["bound"].rpartition(" ")
            try:
                limit = float(limit_text)
            except ValueError:
                raise SummaryError(f"run {run}: the target of \"{name}\" is no number")
        ratios.append((name, value, bound, limit))
    return ratios


def meets(value, bound, limit):
    if math.isnan(value):
        return False
    if bound == "at most":
        return value <= limit
    if bound == "at least":
        return value >= limit
    return True


def summarise(runs):
    """Rows of (name, minimum, median, maximum, verdict) over the parsed runs; the verdict is
    empty for a ratio without a target."""
    first = runs[0]
    names = [name for name, _, _, _ in first]
    for index, ratios in enumerate(runs[1:], start=2):
        others = [name for name, _, _, _ in ratios]
        missing = [name for name in names if name not in others]
        extra = [name for name in others if name not in names]
        if missing:
            raise SummaryError(f"run {index} recorded no ratio \"{missing[0]}\"")
        if extra:
            raise SummaryError(f"run {index} recorded the ratio \"{extra[0]}\" that run 1 did not")
    by_name = [{name: (value, bound, limit) for name, value, bound, limit in ratios}
               for ratios in runs]
    rows = []
    for name in names:
        values = [run[name][0] for run in by_name]
        targets = {run[name][1:] for run in by_name}
        if len(targets) != 1:
            raise SummaryError(f"the runs give the ratio \"{name}\" different targets")
        bound, limit = targets.pop()
        verdict = ""
        if bound:
            met = sum(meets(value, bound, limit) for value in values)
            outcome = "met" if met == len(values) else f"not met ({met} of {len(values)} runs met)"
            verdict = f"{bound} {limit:g}: {outcome}"
        ordered = sorted(values, key=lambda v: (math.isnan(v), v))
        rows.append((name, ordered[0], statistics.median(ordered), ordered[-1], verdict))
    return rows


def figure(value):
    if math.isnan(value) or math.isinf(value):
        return str(value)
    if abs(value) < 10:
        return f"{value:.3f}"
    if abs(value) < 1000:
        return f"{value:.2f}"
    return f"{value:.0f}"


def render(rows, run_count):
    width = max([len("ratio")] + [len(row[0]) for row in rows])
    lines = [f"Every ratio of the {run_count} runs: minimum, median, maximum",
             f"  {'ratio':<{width}} {'minimum':>9} {'median':>9} {'maximum':>9}  target"]
    for name, low, middle, high, verdict in rows:
        lines.append(f"  {name:<{width}} {figure(low):>9} {figure(middle):>9} {figure(high):>9}"
                     f"  {verdict}".rstrip())
    return "\n".join(lines)


def main(paths):
    if not paths:
        print("usage: bench_summary.py RUN_OUTPUT...", file=sys.stderr)
        return 2
    try:
        runs = []
        for index, path in enumerate(paths, start=1):
            with open(path, encoding="utf-8", errors="replace") as f:
                runs.append(parse_run(f.read(), index))
        if not runs[0]:
            print("The runs recorded no ratio (a benchmark records each with Bench::RecordRatio).")
            return 0
        print(render(summarise(runs), len(runs)))
        return 0
    except SummaryError as e:
        print(f"The runs cannot be summarised: {e}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
