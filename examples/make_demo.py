#!/usr/bin/env python3
"""Write a demo data folder for ヤセルンバ.

Usage: make_demo.py [FOLDER]   (default: demo/ next to this script)

The folder gets about three months of weighings (2026/09/01 to 2026/12/07)
plus the settings, profile, conversion table, situation list and memo files,
all as Shift-JIS (code page 932) text with CR LF line ends, exactly as the
program itself writes them.  The random generator has a fixed seed, so every
run gives byte-identical files.
"""

import datetime
import math
import random
import sys
from pathlib import Path

SEED = 20261207
FIRST_DAY = datetime.date(2026, 9, 1)
LAST_DAY = datetime.date(2026, 12, 7)
START_WEIGHT = 74.5
END_WEIGHT = 70.0

SITUATIONS = [
    "起床後", "朝食前", "朝食後", "昼食前", "昼食後", "夕食前",
    "夕食後", "入浴前", "入浴後", "就寝前", "運動後",
]

# Moments of a day in time order: label, earliest and latest minute of the
# day, and how much heavier than the morning weight one is at that moment.
SLOTS = [
    ("起床後", 6 * 60 + 15, 6 * 60 + 50, 0.0),
    ("朝食前", 6 * 60 + 55, 7 * 60 + 25, 0.1),
    ("朝食後", 7 * 60 + 35, 8 * 60 + 10, 0.6),
    ("昼食前", 11 * 60 + 40, 12 * 60 + 5, 0.4),
    ("昼食後", 12 * 60 + 40, 13 * 60 + 20, 0.9),
    ("運動後", 16 * 60 + 30, 17 * 60 + 50, 0.1),
    ("夕食前", 18 * 60 + 5, 18 * 60 + 50, 0.5),
    ("夕食後", 19 * 60 + 30, 20 * 60 + 20, 1.2),
    ("入浴前", 20 * 60 + 50, 21 * 60 + 20, 1.0),
    ("入浴後", 21 * 60 + 35, 22 * 60 + 5, 0.6),
    ("就寝前", 22 * 60 + 35, 23 * 60 + 45, 0.8),
]

GOOD_NOTES = [
    "お菓子を我慢できた！",
    "夜はサラダだけにした",
    "階段を使うようにした",
    "間食なし",
    "野菜から先に食べた",
    "よく眠れた",
    "腹八分目を守れた",
]
BAD_NOTES = [
    "飲み会で食べ過ぎた…",
    "ケーキを二つも食べてしまった",
    "ラーメンの替え玉を頼んでしまった",
    "焼肉食べ放題に行った",
    "夜中にポテトチップス…",
]
EXERCISE_NOTES = [
    "ウォーキング30分",
    "ジョギング5km",
    "プールで泳いだ",
    "縄跳び500回",
    "自転車で通勤",
]

MEMO_LINES = [
    "食事は野菜から先に食べる。よく噛んでゆっくり。",
    "夜9時以降は何も食べない。",
    "飲み会の翌日は朝夕に体重を量って水分をしっかり取る。",
    "停滞期は必ず来るので、焦らずに続けること。",
]


def weight_text(tenths):
    """Shortest decimal text of a weight held in tenths of a kilogram."""
    whole, frac = divmod(tenths, 10)
    return str(whole) if frac == 0 else "%d.%d" % (whole, frac)


def time_text(seconds):
    """Long time text: hours without a leading zero, e.g. 7:05:09."""
    h, rest = divmod(seconds, 3600)
    m, s = divmod(rest, 60)
    return "%d:%02d:%02d" % (h, m, s)


def trend(day_index, days):
    """Slowly falling body weight: quick start, a plateau in late October,
    then a steady loss again."""
    x = day_index / (days - 1)
    base = 1.0 - (1.0 - x) ** 1.3
    plateau = 0.05 * math.sin(2 * math.pi * x)  # slows the middle part a bit
    return START_WEIGHT - (START_WEIGHT - END_WEIGHT) * (base - plateau)


def choose_slots(rng, count, weekend):
    """Pick `count` moments of the day in time order."""
    weights = []
    for label, _, _, _ in SLOTS:
        w = {
            "起床後": 6, "朝食前": 3, "朝食後": 2, "昼食前": 1, "昼食後": 1,
            "運動後": 1, "夕食前": 2, "夕食後": 4, "入浴前": 2, "入浴後": 3,
            "就寝前": 5,
        }[label]
        if weekend and label in ("昼食前", "昼食後", "運動後"):
            w += 2
        weights.append(w)
    chosen = []
    pool = list(range(len(SLOTS)))
    for _ in range(count):
        pick = rng.choices(pool, [weights[i] for i in pool])[0]
        pool.remove(pick)
        chosen.append(pick)
    return sorted(chosen)


def make_records(rng):
    days = (LAST_DAY - FIRST_DAY).days + 1
    inner = list(range(1, days - 1))
    skipped = set(rng.sample(inner, 4))
    single = set(rng.sample([d for d in inner if d not in skipped], 5))
    bad_days = set(rng.sample([d for d in inner if d not in skipped], 7))

    records = []
    extra = 0.0  # weight carried over from a bad day, fading away
    for d in range(days):
        date = FIRST_DAY + datetime.timedelta(days=d)
        extra *= 0.5
        if d in skipped:
            continue
        weekend = date.weekday() >= 5
        bad = d in bad_days
        morning = trend(d, days) + extra + rng.gauss(0.0, 0.2)
        if d == 0:
            count = 3
        elif d in single:
            count = 1
        else:
            count = rng.choice([2, 2, 3, 3, 3, 4, 4, 5])
        slots = choose_slots(rng, count, weekend)
        if d == 0:
            slots = [0, 7, 10]  # first day: wake-up, after dinner, bedtime
        for i, slot in enumerate(slots):
            label, lo, hi, gain = SLOTS[slot]
            seconds = rng.randint(lo * 60, hi * 60 + 59)
            w = morning + gain + rng.gauss(0.0, 0.12)
            if bad and slot >= 7:  # the feast shows from dinner on
                w += rng.uniform(0.8, 1.4)
            if label == "運動後":
                w -= rng.uniform(0.2, 0.5)
            if d == 0 and i == 0:
                w = START_WEIGHT  # the diet starts from this weighing
            tenths = int(round(w * 10))

            situation = label
            if d > 0 and rng.random() < 0.08:
                situation = time_text(seconds)  # the time button was used

            diary = ""
            roll = rng.random()
            if d == 0 and i == 0:
                diary = "今日からダイエット開始！"
            elif bad and slot >= 7 and not any(
                    r[0] == date and r[3] in BAD_NOTES for r in records):
                diary = rng.choice(BAD_NOTES)
            elif label == "運動後" and roll < 0.6:
                diary = rng.choice(EXERCISE_NOTES)
            elif roll < 0.05:
                diary = rng.choice(GOOD_NOTES)
            elif roll < 0.15:
                diary = time_text(seconds + rng.randint(20, 400))  # auto time
            records.append((date, situation, tenths, diary))
        if bad:
            extra += rng.uniform(0.6, 1.0)
    return records


def write_lines(path, lines):
    data = "".join(line + "\r\n" for line in lines).encode("cp932")
    path.write_bytes(data)


def main(argv):
    folder = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent / "demo"
    folder.mkdir(parents=True, exist_ok=True)
    rng = random.Random(SEED)

    records = make_records(rng)
    write_lines(folder / "データ.txt", [
        '"%s","%s",%s,"%s","",""' % (d.strftime("%Y/%m/%d"), s, weight_text(t), note)
        for d, s, t, note in records
    ])
    write_lines(folder / "状況リスト.txt", SITUATIONS)
    write_lines(folder / "換算.txt", ['"2000/01/01",100', '"2026/11/01",150'])
    write_lines(folder / "ﾌﾟﾗｲﾍﾞｰﾄ.txt",
                ['"氏名","花子"', '"身長",158.5', '"目標体重",68'])
    write_lines(folder / "設定.TXT", ['"ヘルプツアー",0'])
    write_lines(folder / "自動時間.TXT", ["1"])
    write_lines(folder / "移動平均.TXT", ["10"])
    write_lines(folder / "傾向線.TXT", ["1"])
    write_lines(folder / "体重計刻み.txt", ["0.1"])
    write_lines(folder / "マーカー.TXT", ["1"])
    write_lines(folder / "気付きメモ.txt", MEMO_LINES)
    print("%d records written to %s" % (len(records), folder))


if __name__ == "__main__":
    main(sys.argv)
