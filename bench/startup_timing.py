#!/usr/bin/env python3
"""Times one step of Velmaro as its user feels it, on the X display named by DISPLAY.

    startup_timing.py start PIDFILE PROGRAM [ARG]...   exec to main window mapped; writes the pid
                                                        (the program's output goes to PIDFILE.log)
    startup_timing.py start-idle PIDFILE COST PROGRAM [ARG]...
                                                        the same, then also exec to idle
    startup_timing.py key PROGRAM COST KEYS             key sent to idle
    startup_timing.py cost PROGRAM                      what one probe costs while the program is idle
    startup_timing.py pollcost                          what one look for the window costs

Prints seconds. "Idle" is seen from outside: a start of PROGRAM without a display hands an empty
request to the running one and returns once its event loop has answered. A long operation lets the
loop turn now and then (to paint, to see Escape), so one answer proves little: probes are sent one after
the other until two in a row come back as fast as COST (the cost of a probe while idle, in seconds), and
the figure is the return of the first of those two, less COST (but not before it was sent).
With STARTUP_TIMING_TRACE=1 each probe's time goes to stderr.
Python 3 standard library only; calls xdotool.
"""

import os
import statistics
import subprocess
import sys
import time

WINDOW = ["xdotool", "search", "--onlyvisible", "--name", "(^|- )Velmaro"]
PROBE_ENV = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
FAST_IN_A_ROW = 2
TIMEOUT_S = 60
TRACE = os.environ.get("STARTUP_TIMING_TRACE") == "1"


def window_mapped():
    return subprocess.run(WINDOW, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def probe(program):
    """Seconds one probe took; fails when the running program did not take it."""
    began = time.perf_counter()
    done = subprocess.run([program], env=PROBE_ENV, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    took = time.perf_counter() - began
    if TRACE:
        print(f"probe {took * 1000:.1f} ms", file=sys.stderr)
    if done.returncode != 0:
        sys.exit(f"the probe failed ({done.returncode}): {done.stderr.strip()}")
    return took


def wait_idle(program, cost, since):
    """Seconds from `since` to the moment the program was idle."""
    # A probe counts as fast up to twice its cost: on a shared machine its own time varies that much,
    # and a busy program is seen by the next probe anyway.
    fast = max(cost * 2, cost + 0.010)
    in_a_row = 0
    idle_at = 0.0
    while time.perf_counter() - since < TIMEOUT_S:
        sent = time.perf_counter()
        took = probe(program)
        if took <= fast:
            if in_a_row == 0:
                # Never before we started looking: a probe quicker than usual says nothing earlier.
                idle_at = max(sent + took - cost, sent)
            in_a_row += 1
            if in_a_row == FAST_IN_A_ROW:
                return idle_at - since
        else:
            in_a_row = 0
    sys.exit(f"the program did not become idle within {TIMEOUT_S} s")


def start(pidfile, command):
    """Seconds from the exec to the main window on screen, and the moment of the exec."""
    # The X server may still show the window of a program that has just ended.
    waited = time.perf_counter()
    while window_mapped():
        if time.perf_counter() - waited > 10:
            sys.exit("a Velmaro window is on the display already")
        time.sleep(0.01)
    began = time.perf_counter()
    with open(pidfile + ".log", "wb") as log:
        child = subprocess.Popen(command, stdout=log, stderr=log, start_new_session=True)
    with open(pidfile, "w") as out:
        out.write(f"{child.pid}\n")
    while not window_mapped():
        if child.poll() is not None:
            with open(pidfile + ".log", errors="replace") as log:
                sys.exit(f"{command[0]} ended ({child.returncode}) before its window was on screen:\n{log.read()}")
        if time.perf_counter() - began > TIMEOUT_S:
            sys.exit(f"no window after {TIMEOUT_S} s")
    return time.perf_counter() - began, began


def median_of(count, measure):
    return statistics.median(measure() for _ in range(count))


def main(argv):
    step = argv[1] if len(argv) > 1 else ""
    if step == "start" and len(argv) >= 4:
        seconds, _ = start(argv[2], argv[3:])
    elif step == "start-idle" and len(argv) >= 5:
        mapped, began = start(argv[2], argv[4:])
        print(f"{mapped:.4f} ", end="")
        seconds = wait_idle(argv[4], float(argv[3]), began)
    elif step == "key" and len(argv) == 5:
        # Without a delay xdotool ends as soon as the key is out: its end is when the key was sent.
        subprocess.run(["xdotool", "key", "--delay", "0", argv[4]], check=True)
        seconds = wait_idle(argv[2], float(argv[3]), time.perf_counter())
    elif step == "cost" and len(argv) == 3:
        seconds = median_of(9, lambda: probe(argv[2]))
    elif step == "pollcost" and len(argv) == 2:
        def look():
            began = time.perf_counter()
            window_mapped()
            return time.perf_counter() - began
        seconds = median_of(21, look)
    else:
        sys.exit(__doc__)
    print(f"{seconds:.4f}")


if __name__ == "__main__":
    main(sys.argv)
