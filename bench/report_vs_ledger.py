#!/usr/bin/env python3
"""Times `hanaki --trend` and `hanaki --summary` as whole processes on twelve
full months (12,000 items) against `ledger -f J bal --monthly` over a journal
of the same items, in one run.

    bench/report_vs_ledger.py build-release/src/app/hanaki [runs]

ledger comes from Debian's package (apt-get install ledger); it is needed for
this comparison only.
"""
import pathlib
import random
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

INCOME = ["給料", "副収入", "利息", "臨時収入", "繰越"]
EXPENSE = ["食費", "住居", "光熱費", "通信費", "交通費", "医療費", "娯楽費", "教育費",
           "衣料費", "日用品", "交際費", "雑費"]
DESCRIPTIONS = ["現金", "カード", "振込"]


def write_folder(folder: pathlib.Path, journal: pathlib.Path) -> None:
    names = INCOME + EXPENSE
    master = "".join(("+" if c < len(INCOME) else "-") + name + "\r\n" + ",".join(DESCRIPTIONS)
                     + "\r\n" for c, name in enumerate(names))
    (folder / "VERADIV.DAT").write_bytes(master.encode("cp932"))
    (folder / "VERADIV.ENV").write_bytes(b" 31 \r\n0,0\r\n")
    random.seed(7)
    entries = []
    for month in range(1, 13):
        records = bytearray()
        for i in range(1000):
            c = random.randrange(len(names))
            d = random.randrange(len(DESCRIPTIONS))
            amount = random.randint(100, 30000)
            day = 1 + i * 28 // 1000
            sign = "+" if c < len(INCOME) else "-"
            record = (f"{26:02d}{month:02d}{day:02d}{c + 1:02d}".encode()
                      + names[c].encode("cp932").ljust(12) + f"{d + 1:02d}".encode()
                      + DESCRIPTIONS[d].encode("cp932").ljust(12)
                      + f"{sign}{amount}".encode().ljust(10) + "備考".encode("cp932").ljust(60))
            assert len(record) == 104
            records += record
            account = ("Income:" if c < len(INCOME) else "Expenses:") + names[c] + ":" + DESCRIPTIONS[d]
            value = -amount if c < len(INCOME) else amount
            entries.append(f"2026/{month:02d}/{day:02d} {names[c]}\n"
                           f"    {account}  {value} JPY\n    Assets:財布\n\n")
        (folder / f"2026{month:02d}.DAT").write_bytes(bytes(records))
    journal.write_text("".join(entries), encoding="utf-8")


def child_cpu_seconds() -> float:
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def measure(command, runs):
    """Median wall time and mean processor time (user + system) in ms; on a
    shared machine the processor time is the steadier of the two."""
    times = []
    cpu_before = child_cpu_seconds()
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    cpu = (child_cpu_seconds() - cpu_before) / runs
    return statistics.median(times) * 1000, cpu * 1000


def main() -> None:
    hanaki = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    ledger = shutil.which("ledger")
    with tempfile.TemporaryDirectory() as temp:
        folder = pathlib.Path(temp)
        journal = folder / "household.journal"
        write_folder(folder, journal)
        commands = {
            "hanaki --trend 2026 12": [hanaki, "--data-dir", temp, "--trend", "2026", "12"],
            "hanaki --trend --csv": [hanaki, "--data-dir", temp, "--trend", "2026", "12", "--csv"],
            "hanaki --summary 2026 12": [hanaki, "--data-dir", temp, "--summary", "2026", "12"],
        }
        if ledger:
            commands["ledger bal --monthly"] = [ledger, "-f", str(journal), "bal", "--monthly"]
        else:
            print("ledger not installed: apt-get install ledger", file=sys.stderr)
        results = {name: measure(command, runs) for name, command in commands.items()}
    print(f"{'process':28} {'wall ms':>9} {'cpu ms':>8}")
    for name, (wall, cpu) in results.items():
        print(f"{name:28} {wall:9.1f} {cpu:8.1f}")
    if ledger:
        ledger_wall, ledger_cpu = results["ledger bal --monthly"]
        for name in ("hanaki --trend 2026 12", "hanaki --summary 2026 12"):
            wall, cpu = results[name]
            print(f"{name}: {ledger_wall / wall:.1f}x faster than ledger by wall time, "
                  f"{ledger_cpu / cpu:.1f}x by processor time")


if __name__ == "__main__":
    main()
