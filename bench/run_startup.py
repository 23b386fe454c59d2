#!/usr/bin/env python3
"""Times Quillbrook's start-up against a bare Qt window with 30 buttons, both to the first window
on screen, and writes the medians, the peak memory and the ratios to STARTUP.md beside this script.

Each run starts the program on a private Xvfb display, in a fresh runtime and configuration folder
(so that no other instance and no remembered choice takes part), and stops it as soon as the X
server reports its window mapped (xev watches the root window). The two programs take turns, so
that a change in the machine's load falls on both.

    bench/run_startup.py [--program PATH] [--peer PATH] [--runs N]

Needs Xvfb and xev (Debian: xvfb, x11-utils); the peer is built with the program (bench/).
"""
import argparse
import os
import queue
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
BUILD = HERE.parent / "build" / "release"
TIME_LIMIT = 20.0  # seconds; a program that shows nothing by then has failed


class Display:
    """A private X server, with xev reporting every window mapped on it."""

    def __init__(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                       pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.name = ":" + f.readline().strip()
        self.events = queue.Queue()
        self.watcher = subprocess.Popen(["stdbuf", "-oL", "xev", "-display", self.name, "-root", "-event", "substructure"],
                                        stdout=subprocess.PIPE, text=True)
        threading.Thread(target=self._read, daemon=True).start()
        time.sleep(0.5)  # xev selects its events before the first program starts

    def _read(self):
        for line in self.watcher.stdout:
            if line.startswith("MapNotify"):
                self.events.put(time.perf_counter())

    def close(self):
        self.watcher.terminate()
        self.server.terminate()


def start_once(display, program):
    """Seconds from the start to the first window mapped, and the peak memory in KiB."""
    while not display.events.empty():
        display.events.get_nowait()
    with tempfile.TemporaryDirectory() as home:
        runtime = Path(home) / "runtime"
        runtime.mkdir(mode=0o700)
        env = dict(os.environ, DISPLAY=display.name, HOME=home, XDG_RUNTIME_DIR=str(runtime),
                   XDG_CONFIG_HOME=str(Path(home) / "config"), QT_QPA_PLATFORM="xcb")
        start = time.perf_counter()
        process = subprocess.Popen([str(program)], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            shown = display.events.get(timeout=TIME_LIMIT)
        except queue.Empty:
            process.kill()
            process.wait()
            sys.exit(f"{program} showed no window within {TIME_LIMIT:.0f} s")
        process.terminate()
        _, _, usage = os.wait4(process.pid, 0)
        return shown - start, usage.ru_maxrss


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", type=Path, default=BUILD / "bin" / "quillbrook")
    parser.add_argument("--peer", type=Path, default=BUILD / "bench" / "bare_window")
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()
    for tool in ("Xvfb", "xev", "stdbuf"):
        if not shutil.which(tool):
            sys.exit(f"{tool} is missing (Debian: apt-get install xvfb x11-utils coreutils)")
    for path in (args.program, args.peer):
        if not path.is_file():
            sys.exit(f"{path} is missing: build with cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release")

    display = Display()
    try:
        start_once(display, args.program)  # the first start reads the libraries from disk
        start_once(display, args.peer)
        times = {"program": [], "peer": []}
        memory = {"program": [], "peer": []}
        for _ in range(args.runs):
            for name, path in (("program", args.program), ("peer", args.peer)):
                seconds, kib = start_once(display, path)
                times[name].append(seconds)
                memory[name].append(kib)
    finally:
        display.close()

    ms = {name: statistics.median(values) * 1000 for name, values in times.items()}
    mib = {name: statistics.median(values) / 1024 for name, values in memory.items()}
    rows = [
        "# Start-up",
        "",
        f"From the start to the first window mapped on a private Xvfb display; median of {args.runs} runs each,",
        f"the two in turn; {time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}, {os.cpu_count()} cores.",
        "Written by `bench/run_startup.py`.",
        "",
        "| | Time | Peak memory |",
        "|---|---|---|",
        f"| Quillbrook | {ms['program']:.0f} ms | {mib['program']:.1f} MiB |",
        f"| Bare Qt window, 30 buttons | {ms['peer']:.0f} ms | {mib['peer']:.1f} MiB |",
        f"| Ratio | {ms['program'] / ms['peer']:.2f} | {mib['program'] / mib['peer']:.2f} |",
        "",
        "Every run, in ms: Quillbrook " + ", ".join(f"{t * 1000:.0f}" for t in times["program"]) + "; bare window " +
        ", ".join(f"{t * 1000:.0f}" for t in times["peer"]) + ".",
        "",
    ]
    (HERE / "STARTUP.md").write_text("\n".join(rows))
    print("\n".join(rows))


if __name__ == "__main__":
    main()
