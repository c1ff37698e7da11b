#!/usr/bin/env python3
"""Times `hanaki --find` as a whole process over a century of full months
(1,200 ledger files of 1000 items) against `cat` reading the same files, in
turn, and prints the medians and the median of the ratios pair by pair.

    bench/find_vs_cat.py build-release/src/app/hanaki [runs]
"""
import pathlib
import random
import statistics
import subprocess
import sys
import tempfile
import time

MASTER = ("+給料\r\n月給,賞与\r\n+副収入\r\n\r\n+利息\r\n\r\n+臨時収入\r\n\r\n+繰越\r\n\r\n"
          "-食費\r\n朝食,夕食\r\n-住居\r\n\r\n-光熱費\r\n\r\n-通信費\r\n\r\n-交通費\r\n\r\n"
          "-医療費\r\n\r\n-娯楽費\r\n\r\n-教育費\r\n\r\n-衣料費\r\n\r\n-日用品\r\n\r\n"
          "-交際費\r\n\r\n-雑費\r\n\r\n")
NAMES = ["給料", "副収入", "利息", "臨時収入", "繰越", "食費", "住居", "光熱費", "通信費",
         "交通費", "医療費", "娯楽費", "教育費", "衣料費", "日用品", "交際費", "雑費"]
REMARKS = ["駅前の店で夕食の材料", "ガソリン代", "ｶﾞｿﾘﾝ", "電気代 3月分", "", "ＡＢＣマート",
           "定期券", "本屋で雑誌", "自動車保険の更新", "薬局 かぜ薬", "Amazon 日用品"]
# What the timed searches look for: a name, a rare remark, a half-width
# spelling of a common one, an amount, and a description every item has, as
# text and as CSV.
SEARCHES = [["保険"], ["ｶﾞｿﾘﾝ"], ["ｘｙｚ"], ["12345"], ["スーパー"], ["スーパー", "--csv"]]


def field(text: str, width: int) -> bytes:
    data = text.encode("cp932")
    return (data + b" " * width)[:width]


def write_century(folder: pathlib.Path) -> list:
    (folder / "VERADIV.DAT").write_bytes(MASTER.encode("cp932"))
    rng = random.Random(1)
    paths = []
    for year in range(1950, 2050):
        for month in range(1, 13):
            out = bytearray()
            for i in range(1000):
                c = 1 + i % 17
                out += field(f"{year % 100:02d}{month:02d}{1 + i * 28 // 1000:02d}", 6)
                out += field(f"{c:02d}", 2) + field(NAMES[c - 1], 12)
                out += field(f"{1 + i % 3:02d}", 2) + field("スーパー", 12)
                out += field(("+" if c <= 5 else "-") + str(100 + rng.randrange(50000)), 10)
                out += field(rng.choice(REMARKS) + " " + str(rng.randrange(1000)), 60)
            path = folder / f"{year}{month:02d}.DAT"
            path.write_bytes(bytes(out))
            paths.append(str(path))
    return paths


def seconds(command: list) -> float:
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=False)
    return time.perf_counter() - start


def main() -> None:
    hanaki = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    with tempfile.TemporaryDirectory() as temp:
        folder = pathlib.Path(temp)
        paths = write_century(folder)
        cat = ["cat", *paths]
        seconds(cat)
        for search in SEARCHES:
            find = [hanaki, "--data-dir", temp, "--find", *search]
            seconds(find)
            pairs = [(seconds(find), seconds(cat)) for _ in range(runs)]
            print(f"--find {' '.join(search)}: find {statistics.median(p[0] for p in pairs):.3f} s, "
                  f"cat {statistics.median(p[1] for p in pairs):.3f} s, "
                  f"ratio {statistics.median(p[0] / p[1] for p in pairs):.2f}")


if __name__ == "__main__":
    main()
