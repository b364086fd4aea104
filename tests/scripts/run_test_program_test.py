#!/usr/bin/env python3
"""The test programs' launcher: when it starts a program once more, and when it never does."""
import os
import subprocess
import tempfile
import unittest

LAUNCHER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                        "run_test_program.sh")


class Launcher(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.starts = os.path.join(self.folder.name, "starts")

    def tearDown(self):
        self.folder.cleanup()

    # A stand-in for Wine: counts its starts, then runs the shell text for that start.
    def launch(self, *behaviours):
        script = os.path.join(self.folder.name, "program.sh")
        cases = "".join(f"  {n}) {text} ;;\n" for n, text in enumerate(behaviours, start=1))
        with open(script, "w") as f:
            f.write(f"echo x >> {self.starts}\nn=$(wc -l < {self.starts})\n"
                    f"case $n in\n{cases}esac\n")
        result = subprocess.run(["bash", LAUNCHER, "bash", script], capture_output=True, text=True)
        with open(self.starts) as f:
            return result, len(f.readlines())

    def test_a_program_that_printed_keeps_its_failure(self):
        result, starts = self.launch("echo '[==========] Running 1 test'; exit 1", "exit 0")
        self.assertEqual((result.returncode, starts), (1, 1))
        self.assertIn("Running 1 test", result.stdout)

    def test_a_silent_failure_is_said_and_started_once_more(self):
        result, starts = self.launch("exit 53", "echo passed; exit 0")
        self.assertEqual((result.returncode, starts), (0, 2))
        self.assertIn("status 53", result.stdout)
        self.assertIn("passed", result.stdout)

    def test_a_program_silent_twice_fails_with_its_second_status(self):
        result, starts = self.launch("exit 53", "exit 7", "exit 0")
        self.assertEqual((result.returncode, starts), (7, 2))

    def test_a_passing_program_starts_once(self):
        result, starts = self.launch("exit 0", "exit 1")
        self.assertEqual((result.returncode, starts), (0, 1))


if __name__ == "__main__":
    unittest.main()
