#!/usr/bin/python3
"""Writes the example instrument disk, or one large archive for the load benchmark.

    gen_examples.py                      examples/instrument/ARCHIVE/ with both archives
    gen_examples.py --bench FILE [--records N]
                                         one basic archive of N records (100000) in Windows-1251

The output depends only on the seed, so the committed examples can be written again byte for
byte. Records look like the instrument's: a date and time, velocities of 3500-4700 m/s, travel
times that match the base length, strengths of 15-60 MPa that follow the velocity, and 0 to 15
readings around the strength, among them blank readings (five spaces) and a few negative ones.
"""

import argparse
import datetime
import os
import random
import sys

SEED = 7
BLANK_READING = " " * 5

BASIC_HEADER = "Основной архив v003"
INDIVIDUAL_HEADER = "Индивид. архив v003"

BASIC_CAPTIONS = [
    "Дата", "Время", "Зав-сть", "Вид прозвуч.", "Тип изделия", "Материал", "Кс",
    "Корректировка Т", "КУ", "P", "V, м/с", "T, мкc", "L, мм", "T0, мкc", "T1, мкc",
    "h, мм", "R, МПа", "А, дБ", "Коррекция по W", "W, %", "E, Гпа",
]
# The individual record lacks these three fields of the basic one.
BASIC_ONLY = {"Корректировка Т", "КУ", "P"}

DEPENDENCIES = ["Общая", "Гр.1", "Гр.2", "Польз.1"]
METHODS = ["Поверхн.", "Сквозное"]
PRODUCTS = ["Плита", "Балка", "Колонна", "Стена", "Ригель", "Фундамент"]
MATERIALS = ["Тяжелый бетон", "Мелкозерн. бетон", "Легкий бетон"]


def decimal(value, places):
    """The instrument writes numbers with a decimal comma."""
    return f"{value:.{places}f}".replace(".", ",")


def reading_count(rng):
    """Mostly none, seven or a full fifteen readings; now and then another count."""
    roll = rng.random()
    if roll < 0.25:
        return 0
    if roll < 0.5:
        return 7
    if roll < 0.8:
        return 15
    return rng.randint(1, 14)


def readings(rng, strength, count):
    """The readings taken, then five blanks in every place the instrument has no reading for."""
    values = []
    for _ in range(count):
        if rng.random() < 0.04:
            values.append(decimal(-rng.uniform(0.5, 5.0), 1))
        else:
            values.append(decimal(strength * rng.uniform(0.85, 1.15), 1))
    return values + [BLANK_READING] * (15 - count)


def record(rng, moment, basic):
    velocity = rng.randint(3500, 4700)
    base_mm = rng.choice([100, 150, 200, 300])
    time_us = base_mm / velocity * 1000.0
    zero_us = rng.choice([0.0, 1.8, 2.1, 2.4])
    strength = min(60.0, max(15.0, 15.0 + (velocity - 3500) / 1200.0 * 45.0 + rng.gauss(0, 3)))
    modulus = 20.0 + (velocity - 3500) / 1200.0 * 25.0 + rng.gauss(0, 1.5)
    humidity_corrected = rng.random() < 0.2
    fields = {
        "Дата": moment.strftime("%d.%m.%Y"),
        "Время": moment.strftime("%H:%M:%S"),
        "Зав-сть": rng.choice(DEPENDENCIES),
        "Вид прозвуч.": rng.choice(METHODS),
        "Тип изделия": rng.choice(PRODUCTS),
        "Материал": rng.choice(MATERIALS),
        "Кс": decimal(rng.choice([1.0, 0.98, 1.02, 1.05]), 2),
        "Корректировка Т": decimal(rng.choice([0.0, 0.0, 0.5, 1.2]), 1),
        "КУ": decimal(rng.choice([1.0, 1.1, 1.2]), 1),
        "P": str(rng.choice([0, 0, 1])),
        "V, м/с": str(velocity),
        "T, мкc": decimal(time_us, 1),
        "L, мм": str(base_mm),
        "T0, мкc": decimal(zero_us, 1),
        "T1, мкc": decimal(time_us + zero_us, 1),
        "h, мм": str(rng.choice([0, 150, 200, 250, 400])),
        "R, МПа": decimal(strength, 1),
        "А, дБ": str(rng.randint(30, 62)),
        "Коррекция по W": "Да" if humidity_corrected else "Нет",
        "W, %": decimal(rng.uniform(1.5, 6.0), 1) if humidity_corrected else "0",
        "E, Гпа": decimal(modulus, 1),
    }
    names = [c for c in BASIC_CAPTIONS if basic or c not in BASIC_ONLY]
    return [fields[name] for name in names] + readings(rng, strength, reading_count(rng))


def archive_lines(rng, count, basic):
    captions = [c for c in BASIC_CAPTIONS if basic or c not in BASIC_ONLY]
    lines = [BASIC_HEADER if basic else INDIVIDUAL_HEADER, ";".join(captions)]
    moment = datetime.datetime(2019, 3, 15, 9, 0, 0)
    for _ in range(count):
        moment += datetime.timedelta(seconds=rng.randint(20, 900))
        if moment.hour >= 18:
            moment = moment.replace(hour=8, minute=30) + datetime.timedelta(days=1)
        lines.append(";".join(record(rng, moment, basic)))
    return lines


def write(path, lines, encoding):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "w", encoding=encoding, newline="") as out:
        for line in lines:
            out.write(line + "\r\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bench", metavar="FILE", help="write one large basic archive here")
    parser.add_argument("--records", type=int, default=100000)
    parser.add_argument("--out", default=os.path.join(os.path.dirname(__file__), "..",
                                                      "examples", "instrument"))
    args = parser.parse_args()

    rng = random.Random(SEED)
    if args.bench:
        write(args.bench, archive_lines(rng, args.records, basic=True), "cp1251")
        return 0
    folder = os.path.join(args.out, "ARCHIVE")
    write(os.path.join(folder, "archive_basic.csv"), archive_lines(rng, 50, basic=True),
          "cp1251")
    write(os.path.join(folder, "archive_individual.csv"), archive_lines(rng, 45, basic=False),
          "utf-8-sig")
    return 0


if __name__ == "__main__":
    sys.exit(main())
