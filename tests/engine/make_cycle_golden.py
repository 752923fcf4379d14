#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes cycle_golden.txt: the cycle values as the native build (GCC, glibc) gave them when
# the file was made. Run once, by hand; the tests of every build compare against the file
# and never write it. Python's floats are IEEE doubles and its math.sin is glibc's, so the
# formula below is the engine's, operation for operation.
import math
import sys

PERIODS = (23, 28, 33)
PI = 4 * math.atan(1.0)
# Every day a confirmation can reach: day 1 of a birth month after a birth on the 31st, up
# to 31 December of the 150th year after a birth on 1 January of a leap year.
FIRST, LAST = -30, 55152
WIDTH = 64


def cycle_value(t, period):
    return math.floor(100 * math.sin(((2 * PI) * t) / period))


def fnv1a64(data):
    h = 0xCBF29CE484222325
    for byte in data:
        h = ((h ^ byte) * 0x100000001B3) % (1 << 64)
    return h


def half_period_lines(period):
    step = period if period % 2 else period // 2
    days = list(range(-(-FIRST // step) * step, LAST + 1, step))
    for start in range(0, len(days), WIDTH):
        chunk = days[start:start + WIDTH]
        marks = ''.join({0: '0', -1: '-'}[cycle_value(t, period)] for t in chunk)
        yield f'half {period} {chunk[0]} {marks}'


def main(path):
    table = ''.join(f'{t} ' + ' '.join(str(cycle_value(t, p)) for p in PERIODS) + '\n'
                    for t in range(FIRST, LAST + 1))
    lines = [
        '# SPDX-License-Identifier: GPL-3.0-or-later',
        '# Cycle values floor(100 * sin(((2 * pi) * t) / T)), pi = 4 * atan(1), T = 23, 28, 33,',
        '# as the native build (GCC, glibc) gives them; written once by make_cycle_golden.py.',
        '# Every build must give them byte for byte: people have stored its results.',
        '#',
        '# "table FIRST LAST HASH": every day t from FIRST to LAST, the days a confirmation can',
        '# reach. Its text is one line "t physical emotional intellectual" per day, ascending,',
        '# each ending in a line feed; HASH is that text\'s FNV-1a 64-bit hash (offset basis',
        '# cbf29ce484222325, prime 100000001b3) in hexadecimal.',
        f'table {FIRST} {LAST} {fnv1a64(table.encode()):016x}',
        '#',
        '# "half T t MARKS": the days where the sine is zero in exact arithmetic, t a multiple',
        '# of T/2, and the computed sign decides between 0 and -1. MARKS[k] is the value at',
        '# t + k * STEP (STEP = T for odd T, T / 2 for even T): "0" for 0, "-" for -1.',
    ]
    for period in PERIODS:
        lines.extend(half_period_lines(period))
    with open(path, 'w', encoding='ascii') as out:
        out.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'cycle_golden.txt')
