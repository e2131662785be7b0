#!/usr/bin/env python3
"""Repeats the end of each failed test's output from ctest's log, after ctest's summary.

ctest prints a failed test's output where the test ends, among the others; whoever reads only
the end of a long run (a CI page, a terminal's last screen) sees the names and not why. This
prints, for each failed test, the last lines of its output, then one line per test with the
first line of that output that says what failed.

    scripts/test-failures.py build-test/Testing/Temporary/LastTest.log [lines]
"""
import re
import sys

# The telling line, most telling first: a failed check, a sanitizer's verdict, anything else.
REASONS = [re.compile(p) for p in (r"FAIL", r"SUMMARY: \w*Sanitizer", r"ERROR:", r"[Tt]imed out", r"error:")]


def failed_outputs(log_text):
    """(name, output lines) of every test the log marks failed, in the log's order."""
    results = []
    for section in re.split(r"\n-{10,}\n\n", log_text):
        name = re.search(r'^"([^"]+)" start time:', section, re.MULTILINE)
        output = re.search(r"^Output:\n-{10,}\n(.*?)<end of output>", section, re.MULTILINE | re.DOTALL)
        if not name or not output:
            continue
        if re.search(r"^Test Passed\.", section, re.MULTILINE):
            continue
        results.append((name.group(1), output.group(1).splitlines()))
    return results


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    lines = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    try:
        with open(sys.argv[1], encoding="utf-8", errors="replace") as log:
            failures = failed_outputs(log.read())
    except OSError as error:
        print(f"test-failures: {error}", file=sys.stderr)
        return 1
    for name, output in failures:
        print(f"=== the end of {name}'s output:")
        print("\n".join(output[-lines:]))
    if failures:
        print("=== why each failed:")
    for name, output in failures:
        reason = next((line for pattern in REASONS for line in output if pattern.search(line)),
                      output[-1] if output else "(no output)")
        print(f"{name}: {reason.strip()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
