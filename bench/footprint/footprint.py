#!/usr/bin/env python3
"""Footprint bench: the bare Qt program and domora, started alternately, each start in an
X server, tray host and home folders of its own.

Measures, for both programs: the time from the exec to the first non-uniform content of the
main window (footprint-probe), memory after a minute with the window shown, CPU time and
voluntary context switches (wake-ups) per minute with the window shown, minimised and in the
tray, the threads and the shared libraries at idle. Writes a Markdown table to stdout and to
the results folder, with the raw numbers beside it (raw.json) and the libraries one program
loads and the other does not.

Started by run.sh, which builds the programs first.
"""

import argparse
import datetime
import json
import os
import platform
import re
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
SETTINGS_TEMPLATE = ROOT / "tests" / "data" / "registry-defaults.reg"
SCREEN = "1024x768x24"


class BenchError(Exception):
    pass


class Program:
    def __init__(self, key, label, executable, tray_arguments, settings):
        self.key = key
        self.label = label
        self.executable = Path(executable)
        self.tray_arguments = tray_arguments
        self.settings = settings  # None, or a function (tray) -> settings file text

    def command(self, tray):
        return [str(self.executable)] + (self.tray_arguments if tray else [])

    def prepare_home(self, session, tray):
        """Domora: the build tree's Data folder and a settings file, so that no first-run
        message appears and the start mode is the one wanted."""
        if self.settings is None:
            return
        app = Path(session.env["DOMORA_HOME"])
        shutil.copytree(self.executable.parent / "Data", app / "Data")
        registry = Path(session.env["XDG_CONFIG_HOME"]) / "domora" / "registry.reg"
        registry.parent.mkdir(parents=True)
        with open(registry, "w", encoding="utf-8", newline="") as f:
            f.write(self.settings(tray))


def domora_settings(tray):
    """The first-run settings with the start mode set (StartHow1 window, StartHow2 tray),
    no autostart and no time synchronisation, so that the bench never leaves the machine."""
    with open(SETTINGS_TEMPLATE, encoding="utf-8", newline="") as f:
        text = f.read()
    values = {"StartHow1": not tray, "StartHow2": tray, "StartHow3": False, "AutoStart": False,
              "Synchronization": False}
    for name, on in values.items():
        text, count = re.subn(rf'"{name}"=dword:0000000[01]', f'"{name}"=dword:0000000{int(on)}', text)
        if count != 1:
            raise BenchError(f"{SETTINGS_TEMPLATE} has no single {name} value")
    return text


class Session:
    """One start of one program: a fresh X server with a tray host, fresh home folders, and
    the probe, which starts the program and reports on its window. Everything started here
    ends when the session is left, also on an error or an interruption."""

    def __init__(self, program, tray, probe):
        self.program = program
        self.tray = tray
        self.probe_path = probe
        self.processes = []
        self.lines = {}
        self.changed = threading.Condition()
        self.pid = None

    def __enter__(self):
        self.work = Path(tempfile.mkdtemp(prefix="footprint-"))
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        env = {k: v for k, v in os.environ.items()
               if k not in ("SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY")}
        for name, folder in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                             ("XDG_CACHE_HOME", "cache"), ("XDG_RUNTIME_DIR", "runtime"),
                             ("DOMORA_HOME", "app")):
            path = self.work / folder
            path.mkdir(mode=0o700)
            env[name] = str(path)
        env["QT_QPA_PLATFORM"] = "xcb"
        env["LC_ALL"] = "C.UTF-8"
        self.env = env
        self.program.prepare_home(self, self.tray)
        self._start_x()
        self._spawn(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                     "--height", "24"], "trayer.log")
        time.sleep(1.0)  # the tray host up, the server quiet again
        self.probe = self._spawn([str(self.probe_path), "--timeout", "30", "--"] + self.program.command(self.tray),
                                 "probe.log", stdout=subprocess.PIPE)
        threading.Thread(target=self._read_probe, daemon=True).start()
        self.pid = int(self.wait_for("pid", 5))

    def _spawn(self, command, log, stdout=None, pass_fds=()):
        with open(self.work / log, "w") as log_file:
            process = subprocess.Popen(command, env=self.env, stdout=stdout or log_file, stderr=log_file,
                                       stdin=subprocess.DEVNULL, pass_fds=pass_fds, start_new_session=True,
                                       text=True)
        self.processes.append(process)
        return process

    def _start_x(self):
        # Two servers started at once by other jobs can race for a display number: the loser
        # exits and is started again.
        for _ in range(3):
            read_end, write_end = os.pipe()
            server = self._spawn(["Xvfb", "-displayfd", str(write_end), "-br", "-screen", "0", SCREEN,
                                  "-nolisten", "tcp"], "xvfb.log", pass_fds=(write_end,))
            os.close(write_end)
            number = b""
            deadline = time.monotonic() + 10
            while not number.endswith(b"\n") and time.monotonic() < deadline:
                ready, _, _ = select.select([read_end], [], [], 0.2)
                if ready:
                    chunk = os.read(read_end, 16)
                    if not chunk:
                        break
                    number += chunk
            os.close(read_end)
            if number.strip():
                self.env["DISPLAY"] = ":" + number.decode().strip()
                return
            self._stop(server)
            time.sleep(0.5)
        raise BenchError("Xvfb did not start: " + (self.work / "xvfb.log").read_text()[-300:])

    def _read_probe(self):
        for line in self.probe.stdout:
            key, _, value = line.strip().partition(" ")
            with self.changed:
                self.lines.setdefault(key, value)
                self.changed.notify_all()
        with self.changed:
            self.lines.setdefault("ended", "")
            self.changed.notify_all()

    def wait_for(self, key, timeout):
        """The value of the probe's first line starting with key."""
        deadline = time.monotonic() + timeout
        with self.changed:
            while key not in self.lines:
                if "ended" in self.lines or ("timeout" in self.lines and key == "paint"):
                    break
                left = deadline - time.monotonic()
                if left <= 0:
                    break
                self.changed.wait(left)
            if key not in self.lines:
                log = (self.work / "probe.log").read_text()[-500:]
                raise BenchError(f"{self.program.label}: no '{key}' from the probe ({self.lines}); log: {log}")
            return self.lines[key]

    def x(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=10).stdout

    def window_mapped(self):
        window = self.lines.get("window")
        return bool(window) and "IsViewable" in self.x("xwininfo", "-id", window)

    def minimise(self):
        window = self.wait_for("window", 1)
        self.x("xdotool", "windowminimize", window)
        deadline = time.monotonic() + 5
        while self.window_mapped():
            if time.monotonic() > deadline:
                raise BenchError(f"{self.program.label}: the window did not minimise")
            time.sleep(0.1)

    def alive(self):
        if not Path(f"/proc/{self.pid}").exists():
            raise BenchError(f"{self.program.label} ended; probe log: " + (self.work / "probe.log").read_text()[-500:])

    @staticmethod
    def _stop(process, signal_number=signal.SIGTERM):
        try:
            os.killpg(process.pid, signal_number)
        except ProcessLookupError:
            pass
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()

    def __exit__(self, *_):
        # The probe (and with it the program) first, then the tray host, the X server last.
        for process in reversed(self.processes):
            self._stop(process)
            # The group of a process that has ended may still hold its children.
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except (ProcessLookupError, PermissionError):
                pass
        shutil.rmtree(self.work, ignore_errors=True)
        return False


# --- Readings from /proc ---------------------------------------------------------------

def thread_counters(pid):
    """Per thread: nanoseconds on a CPU and voluntary context switches."""
    counters = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                cpu_ns = int(f.read().split()[0])
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                switches = int(re.search(r"^voluntary_ctxt_switches:\s+(\d+)", f.read(), re.M).group(1))
        except (FileNotFoundError, ProcessLookupError):
            continue  # a thread that has just ended
        counters[tid] = (cpu_ns, switches)
    return time.monotonic(), counters


def per_minute(before, after):
    """CPU ms and wake-ups per minute between two readings, summed over the threads; a
    thread started in between counts from zero, one ended in between is missed."""
    t0, first = before
    t1, second = after
    cpu_ns = sum(cpu - first.get(tid, (0, 0))[0] for tid, (cpu, _) in second.items())
    switches = sum(sw - first.get(tid, (0, 0))[1] for tid, (_, sw) in second.items())
    minutes = (t1 - t0) / 60
    return {"cpu_ms": cpu_ns / 1e6 / minutes, "wakeups": switches / minutes}


def measure_phase(session, seconds):
    before = thread_counters(session.pid)
    time.sleep(seconds)
    after = thread_counters(session.pid)
    session.alive()
    return per_minute(before, after)


def memory(pid):
    with open(f"/proc/{pid}/status") as f:
        status = f.read()
    with open(f"/proc/{pid}/smaps_rollup") as f:
        rollup = f.read()

    def kib(text, field):
        return int(re.search(rf"^{field}:\s+(\d+) kB", text, re.M).group(1))

    return {"hwm_kib": kib(status, "VmHWM"), "rss_kib": kib(status, "VmRSS"), "pss_kib": kib(rollup, "Pss")}


def libraries(pid):
    paths = set()
    with open(f"/proc/{pid}/maps") as f:
        for line in f:
            parts = line.split(None, 5)
            if len(parts) == 6 and re.search(r"\.so(\.[0-9]+)*$", parts[5].strip()):
                paths.add(parts[5].strip())
    return sorted(paths)


# --- The runs -----------------------------------------------------------------------------

def first_paint(program, args):
    with Session(program, False, args.probe) as session:
        return float(session.wait_for("paint", 40))


def idle_round(program, args, log):
    """One start with the window shown then minimised, one start in the tray."""
    result = {}
    with Session(program, False, args.probe) as session:
        session.wait_for("paint", 40)
        time.sleep(args.settle)
        result["shown"] = measure_phase(session, args.phase)
        result.update(memory(session.pid))
        result["threads"] = len(os.listdir(f"/proc/{session.pid}/task"))
        result["libraries"] = libraries(session.pid)
        session.minimise()
        time.sleep(min(args.settle, 2))
        result["minimised"] = measure_phase(session, args.phase)
        if session.window_mapped():
            raise BenchError(f"{program.label}: the window came back during the minimised phase")
    with Session(program, True, args.probe) as session:
        time.sleep(args.settle)
        if session.window_mapped():
            log(f"  note: {program.label}'s window is on the screen in tray mode")
        result["tray"] = measure_phase(session, args.phase)
        result["tray_rss_kib"] = memory(session.pid)["rss_kib"]
    return result


# --- Report -------------------------------------------------------------------------------

def machine():
    cpu = "unknown"
    with open("/proc/cpuinfo") as f:
        match = re.search(r"^model name\s*:\s*(.+)$", f.read(), re.M)
        if match:
            cpu = match.group(1).strip()
    with open("/proc/meminfo") as f:
        total_kib = int(re.search(r"^MemTotal:\s+(\d+)", f.read(), re.M).group(1))
    qt = subprocess.run(["pkg-config", "--modversion", "Qt6Core"], capture_output=True, text=True).stdout.strip()
    return {
        "cpu": cpu,
        "cores": os.cpu_count(),
        "memory_gib": round(total_kib / 1024 / 1024, 1),
        "kernel": platform.release(),
        "qt": qt or "unknown",
        "load": " ".join(f"{x:.2f}" for x in os.getloadavg()),
        "date": datetime.datetime.now().astimezone().strftime("%Y-%m-%d %H:%M %Z"),
    }


def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else None


def report(args, info, paints, rounds, programs):
    bare, domora = programs

    def over_rounds(key, pick):
        return median([pick(r) for r in rounds[key]])

    rows = [("exec to first paint (median of {}, ms)".format(args.runs),
             lambda k: median(paints[k]), 1)]
    rows += [
        ("peak memory VmHWM (MiB)", lambda k: over_rounds(k, lambda r: r["hwm_kib"] / 1024), 1),
        ("idle RSS (MiB)", lambda k: over_rounds(k, lambda r: r["rss_kib"] / 1024), 1),
        ("idle PSS (MiB)", lambda k: over_rounds(k, lambda r: r["pss_kib"] / 1024), 1),
    ]
    for unit, field, digits in (("CPU ms/min", "cpu_ms", 1), ("wake-ups/min", "wakeups", 0)):
        for phase, caption in (("shown", "window shown"), ("minimised", "minimised"), ("tray", "in tray")):
            rows.append((f"{unit}, {caption}",
                         lambda k, p=phase, f=field: over_rounds(k, lambda r: r[p][f]), digits))
    rows += [
        ("threads at idle", lambda k: over_rounds(k, lambda r: r["threads"]), 0),
        ("shared libraries at idle", lambda k: over_rounds(k, lambda r: len(r["libraries"])), 0),
    ]

    def cell(value, digits):
        return "–" if value is None else f"{value:.{digits}f}"

    quick = " (quick run: short phases, few runs)" if args.quick else ""
    lines = [
        f"# Footprint: bare Qt program beside domora{quick}",
        "",
        f"- Date: {info['date']}",
        f"- Command: `{args.command}`",
        f"- Machine: {info['cpu']}, {info['cores']} cores, {info['memory_gib']} GiB memory, "
        f"Linux {info['kernel']}, Qt {info['qt']}; load average at the start {info['load']}",
        f"- First paint: {args.runs} starts of each program, alternately, after one unmeasured start "
        f"of each; idle figures: median of {args.rounds} round(s), phases of {args.phase:g} s "
        f"after {args.settle:g} s of settling",
        "",
        f"| metric | {bare.label} | {domora.label} | ratio |",
        "|---|---:|---:|---:|",
    ]
    for caption, pick, digits in rows:
        a, b = pick(bare.key), pick(domora.key)
        ratio = "–" if a is None or b is None or a == 0 else f"{b / a:.2f}"
        lines.append(f"| {caption} | {cell(a, digits)} | {cell(b, digits)} | {ratio} |")
    lines += [
        "",
        "Ratio: domora ÷ bare program. Memory, threads and libraries are read at the end of the",
        "phase with the window shown; CPU time and wake-ups (voluntary context switches) are",
        "summed over all threads.",
        "",
        "First paint, each start (ms):",
        "",
    ]
    for program in programs:
        values = ", ".join("timeout" if v is None else f"{v:.0f}" for v in paints[program.key])
        lines.append(f"- {program.label}: {values}")
    only = {}
    for program, other in ((bare, domora), (domora, bare)):
        mine = set(rounds[program.key][-1]["libraries"])
        theirs = set(rounds[other.key][-1]["libraries"])
        only[program.key] = sorted(mine - theirs)
    lines += [
        "",
        f"Shared libraries only in domora: {len(only[domora.key])} "
        f"(`libraries-only-in-domora.txt`); only in the bare program: {len(only[bare.key])} "
        f"(`libraries-only-in-bare.txt`).",
    ]
    return "\n".join(lines) + "\n", only


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bare", required=True, type=Path)
    parser.add_argument("--domora", required=True, type=Path)
    parser.add_argument("--probe", required=True, type=Path)
    parser.add_argument("--results", required=True, type=Path)
    parser.add_argument("--quick", action="store_true", help="short phases and few runs, for trying it out")
    parser.add_argument("--runs", type=int, help="first-paint starts of each program (10; quick: 3)")
    parser.add_argument("--rounds", type=int, help="idle rounds of each program (2; quick: 1)")
    parser.add_argument("--phase", type=float, help="seconds of each idle phase (60; quick: 5)")
    parser.add_argument("--command", default="bash bench/footprint/run.sh")
    args = parser.parse_args()
    args.runs = args.runs or (3 if args.quick else 10)
    args.rounds = args.rounds or (1 if args.quick else 2)
    args.phase = args.phase or (5.0 if args.quick else 60.0)
    args.settle = 2.0 if args.quick else 5.0

    def log(text):
        print(text, file=sys.stderr, flush=True)

    # A stop from outside unwinds like an error, so that every session cleans up.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    signal.signal(signal.SIGHUP, lambda *_: sys.exit(129))

    programs = [
        Program("bare", "bare Qt program", args.bare, ["--tray"], None),
        Program("domora", "domora", args.domora, [], domora_settings),
    ]
    info = machine()
    started = time.monotonic()

    paints = {p.key: [] for p in programs}
    for program in programs:
        log(f"warm-up start: {program.label}: {first_paint(program, args):.0f} ms")
    for run in range(args.runs):
        for program in programs:
            try:
                value = first_paint(program, args)
            except BenchError as error:
                log(f"  {error}")
                value = None
            paints[program.key].append(value)
            log(f"first paint {run + 1}/{args.runs}: {program.label}: "
                + ("timeout" if value is None else f"{value:.0f} ms"))

    rounds = {p.key: [] for p in programs}
    for number in range(args.rounds):
        for program in programs:
            log(f"idle round {number + 1}/{args.rounds}: {program.label} "
                f"(about {3 * args.phase + 2 * args.settle + 6:.0f} s)")
            rounds[program.key].append(idle_round(program, args, log))

    text, only = report(args, info, paints, rounds, programs)
    args.results.mkdir(parents=True, exist_ok=True)
    (args.results / "results.md").write_text(text)
    for program in programs:
        (args.results / f"libraries-only-in-{program.key}.txt").write_text(
            "".join(path + "\n" for path in only[program.key]))
    (args.results / "raw.json").write_text(json.dumps(
        {"machine": info, "first_paint_ms": paints, "rounds": rounds,
         "seconds": round(time.monotonic() - started)}, indent=1))
    print(text, end="")
    log(f"measured in {(time.monotonic() - started) / 60:.1f} min; results in {args.results}")


if __name__ == "__main__":
    try:
        main()
    except BenchError as error:
        print(f"footprint: {error}", file=sys.stderr)
        sys.exit(1)
