#!/usr/bin/env python3
"""Writes the holiday file laid down with the program, resources/Data/Celeb.DMR, and the
damaged holiday files of the core tests in tests/data/broken/ (standard library only).

A holiday file is a sequence of 404-byte records with no header: the month (1 byte), the
day (1 byte), the event and the comment (each a length byte 0..200 and 200 bytes of code
page 1251 text, zeros after the text). No year is stored: a holiday recurs every year.

Run from anywhere: python3 scripts/make_holidays.py
"""

from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
RECORD_SIZE = 404
TEXT_CHARS = 200

# (month, day, event, comment), in the order the list shows them.
HOLIDAYS = [
    (1, 1, "Новый год", "Новогодние каникулы"),
    (1, 7, "Рождество Христово", "православное"),
    (2, 23, "День защитника Отечества", "выходной день"),
    (3, 8, "Международный женский день", "выходной день"),
    (5, 1, "Праздник Весны и Труда", "выходной день"),
    (5, 9, "День Победы", "выходной день"),
    (6, 12, "День России", "выходной день"),
    (11, 4, "День народного единства", "выходной день"),
]


def text_field(text: str) -> bytes:
    data = text.encode("cp1251")[:TEXT_CHARS]
    return bytes([len(data)]) + data + bytes(TEXT_CHARS - len(data))


def record(month: int, day: int, event: str, comment: str) -> bytes:
    data = bytes([month, day]) + text_field(event) + text_field(comment)
    assert len(data) == RECORD_SIZE
    return data


def holiday_file(holidays) -> bytes:
    return b"".join(record(*h) for h in holidays)


def main() -> None:
    shipped = ROOT / "resources" / "Data" / "Celeb.DMR"
    shipped.write_bytes(holiday_file(HOLIDAYS))

    broken = ROOT / "tests" / "data" / "broken"
    three = holiday_file(HOLIDAYS[:3])
    # The last of three records cut off after 250 bytes: two whole records.
    (broken / "celeb-cut-short.DMR").write_bytes(three[: 2 * RECORD_SIZE + 250])
    # Two whole records and 100 bytes of a third.
    (broken / "celeb-two-and-a-bit.DMR").write_bytes(holiday_file(HOLIDAYS[:2]) + three[2 * RECORD_SIZE:][:100])
    # A record whose length bytes say 255, and a record of 0xFF bytes.
    first = bytearray(record(*HOLIDAYS[0]))
    first[2] = first[203] = 255
    (broken / "celeb-length-255.DMR").write_bytes(bytes(first) + b"\xff" * RECORD_SIZE)


if __name__ == "__main__":
    main()
