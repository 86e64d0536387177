#!/usr/bin/env python3
"""Processor time of the real program while its start screen pauses, on the real clock.

Runs build/talvena headless with a scripted user that accepts the parameter dialog, follows the
trace, and samples the process's processor time (user + system, from /proc) from 0.2 s after
each `pause` event to 4.8 s after it, inside the 5-second pause. Prints the share of one core.

    bench/pause_cpu.py [build/talvena] [seconds]
"""
import os
import subprocess
import sys
import tempfile
import time

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else "build/talvena"
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 25.0
    with tempfile.TemporaryDirectory() as folder:
        runtime = os.path.join(folder, "runtime")
        os.mkdir(runtime, 0o700)
        script = os.path.join(folder, "pause.script")
        with open(script, "w") as out:
            out.write(f"on dialog-shown id=101 dialog press 1\nat {seconds} close\n")
        trace = os.path.join(folder, "trace.txt")
        env = dict(os.environ, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=folder)
        program = os.path.abspath(program)
        process = subprocess.Popen(
            [program, "--headless", "--script", script, "--trace", trace],
            cwd=os.path.dirname(program), env=env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        started = time.monotonic()
        measured_cpu = measured_wall = 0.0
        seen = 0
        try:
            while process.poll() is None and time.monotonic() - started < seconds - 1:
                time.sleep(0.05)
                with open(trace) as lines:
                    events = lines.read().splitlines()
                pauses = [line for line in events[seen:] if " pause " in line]
                seen = len(events)
                if not pauses:
                    continue
                pause_seen = time.monotonic()
                if pause_seen + 4.8 > started + seconds - 0.5:
                    break
                time.sleep(0.2)
                cpu_before, wall_before = cpu_seconds(process.pid), time.monotonic()
                time.sleep(max(0.0, pause_seen + 4.8 - time.monotonic()))
                measured_cpu += cpu_seconds(process.pid) - cpu_before
                measured_wall += time.monotonic() - wall_before
        finally:
            process.terminate()
            process.wait()
    if measured_wall == 0:
        sys.exit("no pause was measured")
    print(f"paused {measured_wall:.1f} s, processor {measured_cpu:.2f} s, "
          f"{100 * measured_cpu / measured_wall:.1f}% of one core")


if __name__ == "__main__":
    main()
