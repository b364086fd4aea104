#!/usr/bin/env python3
"""The bench scripts' summary of three runs: the figures it gives and when it refuses."""
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts")
sys.path.insert(0, SCRIPTS)

import bench_summary  # noqa: E402


def run(*records):
    return "".join(f"ratio\t{value}\t{bound}\t{name}\n" for name, value, bound in records)


def summary(*texts):
    return bench_summary.summarise(
        [bench_summary.parse_run(text, index) for index, text in enumerate(texts, start=1)])


class Figures(unittest.TestCase):
    def test_minimum_median_maximum_whatever_the_order_of_the_runs(self):
        rows = summary(run(("open", "2.5", "-")), run(("open", "1.5", "-")),
                       run(("open", "3.25", "-")))
        self.assertEqual(rows, [("open", 1.5, 2.5, 3.25, "")])

    def test_other_lines_of_the_output_are_not_ratios(self):
        text = "Open 12.3 ms 2.50x parse (at most 3.0x: met)\nratio-like\n" + run(
            ("open", "2.5", "at most 3"))
        self.assertEqual([r[0] for r in bench_summary.parse_run(text, 1)], ["open"])

    def test_rows_keep_the_order_of_the_first_run(self):
        first = run(("b", "1", "-"), ("a", "1", "-"))
        second = run(("a", "1", "-"), ("b", "1", "-"))
        self.assertEqual([row[0] for row in summary(first, second, first)], ["b", "a"])

    def test_a_value_that_is_no_number_sorts_last_and_never_meets(self):
        rows = summary(run(("x", "nan", "at least 1")), run(("x", "2", "at least 1")),
                       run(("x", "3", "at least 1")))
        self.assertEqual(rows[0][1:3], (2.0, 3.0))
        self.assertEqual(rows[0][4], "at least 1: not met (2 of 3 runs met)")


class Verdicts(unittest.TestCase):
    def test_met_only_when_all_three_runs_meet_an_upper_bound(self):
        met = summary(*[run(("row", v, "at most 0.5")) for v in ("0.4", "0.5", "0.45")])
        self.assertEqual(met[0][4], "at most 0.5: met")
        once_over = summary(*[run(("row", v, "at most 0.5")) for v in ("0.4", "0.51", "0.45")])
        self.assertEqual(once_over[0][4], "at most 0.5: not met (2 of 3 runs met)")

    def test_a_lower_bound_counts_the_runs_at_or_above_it(self):
        rows = summary(*[run(("speed", v, "at least 5")) for v in ("4.9", "5", "7")])
        self.assertEqual(rows[0][4], "at least 5: not met (2 of 3 runs met)")

    def test_the_printed_table_shows_the_verdict_beside_the_figures(self):
        text = bench_summary.render(
            summary(*[run(("open", v, "at most 3")) for v in ("2", "2.5", "2.75")]), 3)
        self.assertRegex(text, r"open +2\.000 +2\.500 +2\.750  at most 3: met")


class Refusals(unittest.TestCase):
    def test_a_ratio_missing_from_a_later_run(self):
        with self.assertRaisesRegex(bench_summary.SummaryError, 'run 2 recorded no ratio "b"'):
            summary(run(("a", "1", "-"), ("b", "1", "-")), run(("a", "1", "-")))

    def test_a_ratio_only_a_later_run_recorded(self):
        with self.assertRaisesRegex(bench_summary.SummaryError, "run 3 recorded the ratio"):
            summary(run(("a", "1", "-")), run(("a", "1", "-")),
                    run(("a", "1", "-"), ("c", "1", "-")))

    def test_a_ratio_recorded_twice_in_one_run(self):
        with self.assertRaisesRegex(bench_summary.SummaryError, "twice"):
            bench_summary.parse_run(run(("a", "1", "-"), ("a", "2", "-")), 1)

    def test_a_damaged_record(self):
        with self.assertRaisesRegex(bench_summary.SummaryError, "cannot be read"):
            bench_summary.parse_run("ratio\t1.0\tabout 3\topen\n", 1)
        with self.assertRaisesRegex(bench_summary.SummaryError, "no number"):
            bench_summary.parse_run("ratio\tfast\t-\topen\n", 1)

    def test_runs_that_disagree_on_a_target(self):
        with self.assertRaisesRegex(bench_summary.SummaryError, "different targets"):
            summary(run(("a", "1", "at most 2")), run(("a", "1", "at most 3")))


class ThreeRuns(unittest.TestCase):
    """run_three_times of scripts/common.sh, with a shell command standing in for a benchmark."""

    def run_three_times(self, benchmark):
        script = f'source "{SCRIPTS}/common.sh"; run_three_times bash -c "$1"'
        return subprocess.run(["bash", "-c", script, "bench", benchmark], capture_output=True,
                              text=True, timeout=60)

    def counting_run(self, then):
        """A command that numbers its runs 1, 2, 3 in $n (kept in a file), then runs then."""
        fd, counter = tempfile.mkstemp()
        os.write(fd, b"0\n")
        os.close(fd)
        self.addCleanup(os.unlink, counter)
        return f"n=$(( $(cat {counter}) + 1 )); echo $n > {counter}; {then}"

    def test_three_runs_are_summarised_and_their_records_kept_out_of_the_output(self):
        done = self.run_three_times(
            self.counting_run('echo "run $n"; printf "ratio\\t$n\\tat most 2\\topen\\n"'))
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn("run 3", done.stdout)
        self.assertNotIn("ratio\t", done.stdout)
        self.assertRegex(done.stdout, r"open +1\.000 +2\.000 +3\.000  at most 2: not met "
                                      r"\(2 of 3 runs met\)")

    def test_a_failed_run_ends_the_runs_with_its_status(self):
        done = self.run_three_times(
            self.counting_run('printf "ratio\\t1\\t-\\topen\\n"; [ $n -lt 2 ] || exit 7'))
        self.assertEqual(done.returncode, 7)
        self.assertIn("Run 2 of 3 failed (exit status 7)", done.stderr)
        self.assertNotIn("Run 3 of 3", done.stdout)
        self.assertNotIn("minimum", done.stdout)


if __name__ == "__main__":
    unittest.main()
