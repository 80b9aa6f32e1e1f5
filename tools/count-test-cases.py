#!/usr/bin/env python3
"""Totals the GoogleTest XML reports of the suites that run as one process each,
so a run says how many cases ran, not only how many processes."""
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

folder = Path(sys.argv[1])
reports = sorted(folder.glob("*.xml")) if folder.is_dir() else []
cases = failed = skipped = 0
for report in reports:
    try:
        root = ElementTree.parse(report).getroot()
    except ElementTree.ParseError:
        print(f"count-test-cases: {report.name} is not a complete report")
        failed += 1
        continue
    for case in root.iter("testcase"):
        if case.get("result", "completed") == "skipped" or case.find("skipped") is not None:
            skipped += 1
        elif case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        else:
            cases += 1
print(f"unit suites: {cases} cases passed, {failed} failed, {skipped} skipped, in {len(reports)} processes")
