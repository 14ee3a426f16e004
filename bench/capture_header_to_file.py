#!/usr/bin/env python3
"""Header-to-file time of velsnap-capture, the Linux build and the Windows
build under Wine, measured alike: over an unthrottled pseudo-terminal, from
the acknowledgement to the printed path, each run with a picture of its own.
Prints every run and the median; sets no pass mark.

  capture_header_to_file.py LINUX_CAPTURE WINDOWS_CAPTURE_EXE [RUNS]

Run it where Wine is (scripts/debian13.sh), with WINEPREFIX set."""
import os, pty, statistics, subprocess, sys, tempfile, time, tty


def wine_port(device):
    """COM 2 becomes the device at Wine's next start."""
    subprocess.run(['wine', 'reg', 'add', r'HKLM\Software\Wine\Ports', '/v', 'COM2', '/d', device, '/f'],
                   capture_output=True)
    subprocess.run(['wineserver', '-k'], capture_output=True)
    subprocess.run(['wineserver', '-w'])
    subprocess.run('wineserver -p > /dev/null 2>&1', shell=True)


def one_run(command):
    master, slave = pty.openpty()
    tty.setraw(master)
    device = os.ttyname(slave)
    os.close(slave)
    capture = subprocess.Popen(command(device), stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    copy = b'HZAURUS'.ljust(25, b' ') + os.urandom(153600)
    os.set_blocking(master, False)
    answer = b''
    # The first byte goes out until the port is open and answers.
    while not answer.endswith(b'OK\r'):
        try:
            os.write(master, copy[:1])
        except OSError:
            pass
        until = time.time() + 0.3
        while time.time() < until and not answer.endswith(b'OK\r'):
            try:
                answer += os.read(master, 16)
            except OSError:
                time.sleep(0.002)
    start = time.perf_counter()
    rest = copy[1:]
    while rest:
        try:
            rest = rest[os.write(master, rest):]
        except BlockingIOError:
            time.sleep(0.0005)
    printed = capture.stdout.readline()
    elapsed = (time.perf_counter() - start) * 1000
    capture.wait()
    os.close(master)
    return elapsed if printed else float('nan')


def figures(name, command, runs):
    times = [one_run(command) for _ in range(runs)]
    print(f'{name:10} median {statistics.median(times):6.1f} ms  runs: ' + ' '.join(f'{t:.1f}' for t in times))


def main():
    linux, windows = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    with tempfile.TemporaryDirectory() as folder:
        figures('Linux', lambda device: [linux, '--device', device, '--count', '1', '--folder', folder], runs)

        def under_wine(device):
            wine_port(device)
            return ['wine', windows, '--port', '2', '--count', '1', '--folder', 'Z:' + folder.replace('/', '\\')]
        figures('Wine', under_wine, runs)
    subprocess.run(['wineserver', '-k'], capture_output=True)


main()
