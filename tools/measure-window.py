#!/usr/bin/env python3
"""measure-window.py - start-up time, peak memory and idle CPU of a program's window under X.

Usage: DISPLAY=:N tools/measure-window.py [--runs N] [--idle S] [--env K=V]... -- PROGRAM ARGS...

For each run: the time from starting the program to the map of its first window (the backend maps
its window when it presents the first frame), the peak resident memory (VmHWM) after the idle
period, the CPU time (user + system) used over the idle period, whether an OpenGL driver was
loaded, and the exit status after SIGTERM. Prints each run and the medians. Needs only libX11.
"""
import ctypes
import ctypes.util
import os
import select
import signal
import statistics
import subprocess
import sys
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


def open_x():
    x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
    x.XConnectionNumber.argtypes = [ctypes.c_void_p]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    d = x.XOpenDisplay(None)
    if not d:
        sys.exit("measure-window: cannot open the display (set DISPLAY)")
    return x, d


def wait_for_map(x, d, timeout):
    event = (ctypes.c_long * 24)()
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        while x.XPending(d):
            x.XNextEvent(d, event)
            if ctypes.cast(event, ctypes.POINTER(ctypes.c_int))[0] == MAP_NOTIFY:
                return time.monotonic()
        select.select([x.XConnectionNumber(d)], [], [], 0.05)
    return None


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def status_kib(pid, key):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    return 0


def uses_opengl(pid):
    with open(f"/proc/{pid}/maps") as f:
        return any("_dri.so" in line or "libGLX_mesa" in line for line in f)


def one_run(command, env, idle):
    x, d = open_x()
    x.XSelectInput(d, x.XDefaultRootWindow(d), SUBSTRUCTURE_NOTIFY_MASK)
    x.XFlush(d)
    started = time.monotonic()
    app = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = wait_for_map(x, d, 20)
    x.XCloseDisplay(d)
    if mapped is None:
        app.kill()
        app.wait()
        sys.exit("measure-window: no window within 20 s")
    time.sleep(1)  # let the first paint and exposure settle
    cpu_before = cpu_seconds(app.pid)
    time.sleep(idle)
    cpu_idle = cpu_seconds(app.pid) - cpu_before
    peak = status_kib(app.pid, "VmHWM")
    gl = uses_opengl(app.pid)
    app.send_signal(signal.SIGTERM)
    rc = app.wait(timeout=10)
    return {"first_window_ms": (mapped - started) * 1000, "peak_rss_mib": peak / 1024,
            "idle_cpu_ms": cpu_idle * 1000, "opengl": gl, "exit": rc}


def main():
    args = sys.argv[1:]
    runs, idle, env = 5, 10.0, dict(os.environ)
    while args and args[0] != "--":
        if args[0] == "--runs":
            runs = int(args[1])
        elif args[0] == "--idle":
            idle = float(args[1])
        elif args[0] == "--env":
            key, value = args[1].split("=", 1)
            env[key] = value
        else:
            sys.exit(__doc__)
        args = args[2:]
    command = args[1:]
    if not command:
        sys.exit(__doc__)
    results = []
    for i in range(runs):
        r = one_run(command, env, idle)
        results.append(r)
        print(f"run {i + 1}: first window {r['first_window_ms']:.1f} ms, peak RSS {r['peak_rss_mib']:.1f} MiB, "
              f"CPU over {idle:g} idle s {r['idle_cpu_ms']:.0f} ms, OpenGL {'yes' if r['opengl'] else 'no'}, "
              f"exit {r['exit']}", flush=True)
    med = {k: statistics.median(r[k] for r in results) for k in ("first_window_ms", "peak_rss_mib", "idle_cpu_ms")}
    print(f"median of {runs}: first window {med['first_window_ms']:.1f} ms, peak RSS {med['peak_rss_mib']:.1f} MiB, "
          f"CPU over {idle:g} idle s {med['idle_cpu_ms']:.0f} ms")


if __name__ == "__main__":
    main()
