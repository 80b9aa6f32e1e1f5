"""Runs one tool under /usr/bin/time: wall time, peak memory, exit code."""

import dataclasses
import os
import shutil
import subprocess
import tempfile
from pathlib import Path


@dataclasses.dataclass
class Measurement:
    seconds: float
    peak_kib: int
    exit_code: int
    stdout: str


def fresh_folder(path: Path) -> Path:
    shutil.rmtree(path, ignore_errors=True)
    path.mkdir(parents=True)
    return path


def measure(command, cwd: Path = None, repeat: int = 1, before=None) -> Measurement:
    """Best wall time of `repeat` runs (throughput figures want the warm-cache best);
    `before` runs ahead of each, e.g. to empty an output folder."""
    runs = []
    for _ in range(repeat):
        if before:
            before()
        runs.append(_measure_once(command, cwd))
    return min(runs, key=lambda m: m.seconds)


def _measure_once(command, cwd: Path) -> Measurement:
    with tempfile.NamedTemporaryFile("r", suffix=".time") as timing:
        result = subprocess.run(["/usr/bin/time", "-f", "%e %M", "-o", timing.name] + [str(c) for c in command],
                                cwd=cwd, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                text=True, errors="replace", env=dict(os.environ, LC_ALL="C.UTF-8"))
        fields = timing.read().split()
    # /usr/bin/time writes "Command exited with non-zero status N" before the figures.
    seconds, peak = float(fields[-2]), int(fields[-1])
    return Measurement(seconds, peak, result.returncode, result.stdout)


def sequential_read(image: Path) -> Measurement:
    """Plain sequential reading of the image: the physical limit, on a warm cache."""
    read = ["sh", "-c", f"cat '{image}' > /dev/null"]
    measure(read)  # warm the page cache
    return measure(read, repeat=3)
