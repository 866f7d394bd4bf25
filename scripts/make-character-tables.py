#!/usr/bin/env python3
"""Writes engine/CharacterTables.cpp: the JIS cells' characters and the characters' cells.

Run from the repository root: python3 scripts/make-character-tables.py
The tables come from Python's cp932 and euc_jp codecs and are checked here against glibc's
iconv (CP932 and EUC-JP) before anything is written: where glibc decodes a cell, it must
decode it to the same character.

Plane 1 has 120 rows: 1-94 are JIS X 0208 with the NEC and NEC-selected IBM rows Windows
has, 95-114 the user-defined area (Shift-JIS F0-F9) and 115-120 the IBM extensions
(Shift-JIS FA-FC), numbered as the Shift-JIS arithmetic numbers them. Plane 2 is JIS X 0212.
"""

import subprocess
import sys

ROWS = 120
CELLS = 94

# The seven cells whose character depends on the mapping: Windows, then JIS (Unix).
MAPPING_PAIRS = {
    (1, 29): (0x2015, 0x2015),
    (1, 33): (0xFF5E, 0x301C),
    (1, 34): (0x2225, 0x2016),
    (1, 61): (0xFF0D, 0x2212),
    (1, 81): (0xFFE0, 0x00A2),
    (1, 82): (0xFFE1, 0x00A3),
    (2, 44): (0xFFE2, 0x00AC),
}
# Written as the cell of its look-alike too.
EXTRA_LOOKALIKES = {0x2014: (1, 29)}
LOOKALIKE_CODE_POINTS = {cp for pair in MAPPING_PAIRS.values() for cp in pair} | set(EXTRA_LOOKALIKES)


def shift_jis_pair(row, cell):
    """The Shift-JIS bytes of a plane-1 cell, rows beyond 94 included."""
    lead = (row + 1) // 2 + (0x80 if row <= 62 else 0xC0)
    if row % 2:
        trail = cell + 0x3F + (1 if cell >= 64 else 0)
    else:
        trail = cell + 0x9E
    return bytes([lead, trail])


def decode(data, codec):
    try:
        text = data.decode(codec)
    except UnicodeDecodeError:
        return 0
    return ord(text) if len(text) == 1 else 0


def plane1_windows():
    table = [[decode(shift_jis_pair(row, cell), "cp932") for cell in range(1, CELLS + 1)]
             for row in range(1, ROWS + 1)]
    return table


def plane1_jis(windows):
    table = [list(row) for row in windows]
    for (row, cell), (_, jis) in MAPPING_PAIRS.items():
        table[row - 1][cell - 1] = jis
    return table


# Python decodes the JIS X 0212 tilde as the ASCII one, which must stay byte 7E; glibc's
# full-width tilde keeps the two apart.
PLANE2_FIXES = {(2, 23): 0xFF5E}


def plane2():
    table = [[decode(bytes([0x8F, 0xA0 + row, 0xA0 + cell]), "euc_jp")
              for cell in range(1, CELLS + 1)] for row in range(1, CELLS + 1)]
    for (row, cell), cp in PLANE2_FIXES.items():
        table[row - 1][cell - 1] = cp
    return table


def check_against_iconv(windows, jis, supplementary):
    """glibc must agree wherever it decodes a cell."""
    every = [(row, cell) for row in range(1, ROWS + 1) for cell in range(1, CELLS + 1)]
    rows_94 = [(row, cell) for row, cell in every if row <= CELLS]
    checks = [
        (windows, every, shift_jis_pair, "CP932", "Shift-JIS"),
        (jis, rows_94, lambda r, c: bytes([0xA0 + r, 0xA0 + c]), "EUC-JP", "EUC"),
        (supplementary, rows_94, lambda r, c: bytes([0x8F, 0xA0 + r, 0xA0 + c]), "EUC-JP",
         "JIS X 0212"),
    ]
    found = []
    for table, cells, encode, codec, label in checks:
        found += disagreements(table, cells, encode, codec, label)
    if found:
        sys.exit("iconv disagrees at %s" % found[:20])


def is_single_byte_char(cp):
    return cp < 0x80 or 0xFF61 <= cp <= 0xFF9F


def iconv_decode_batch(cells, codec):
    """One character per cell through one glibc iconv run, 0 where it has none: each cell
    is followed by a newline, and iconv -c leaves out what it cannot decode."""
    joined = b"\n".join(cells) + b"\n"
    run = subprocess.run(["iconv", "-c", "-f", codec, "-t", "UTF-32LE"], input=joined,
                         capture_output=True)
    units = [int.from_bytes(run.stdout[i:i + 4], "little") for i in range(0, len(run.stdout), 4)]
    chars = []
    current = []
    for unit in units:
        if unit == 0x0A:
            # A lone ASCII or half-width katakana is the trail byte of a rejected pair.
            single = len(current) == 1 and not is_single_byte_char(current[0])
            chars.append(current[0] if single else 0)
            current = []
        else:
            current.append(unit)
    if len(chars) != len(cells):
        sys.exit("iconv %s lost the cells' order" % codec)
    return chars


def iconv_decode_alone(data, codec):
    run = subprocess.run(["iconv", "-f", codec, "-t", "UTF-32LE"], input=data,
                         capture_output=True)
    ok = run.returncode == 0 and len(run.stdout) == 4
    return int.from_bytes(run.stdout, "little") if ok else 0


def disagreements(table, cells, encode, codec, label):
    """The cells whose character glibc decodes otherwise; a cell that disagrees in the one
    run is looked at alone, since iconv -c may have read a rejected cell's tail."""
    together = iconv_decode_batch([encode(r, c) for r, c in cells], codec) if cells else []
    found = []
    for (row, cell), theirs in zip(cells, together):
        ours = table[row - 1][cell - 1]
        if theirs and theirs != ours:
            theirs = iconv_decode_alone(encode(row, cell), codec)
        if theirs and theirs != ours:
            found.append((label, row, cell))
    return found


def cell_code(row, cell, supplementary=False):
    return (0x8000 if supplementary else 0) | (row << 8) | cell


NEC_SELECTED_ROWS = range(89, 93)
IBM_ROWS = range(115, 121)


def shift_jis_encoding(windows, jis):
    """Where Shift-JIS writes each character: Windows' own choice among duplicates. Python
    writes the NEC-selected IBM kanji in their NEC rows where Windows (and glibc) take the
    IBM rows: those follow Windows."""
    ibm_cells = {}
    for row in IBM_ROWS:
        for cell in range(1, CELLS + 1):
            cp = windows[row - 1][cell - 1]
            if cp:
                ibm_cells.setdefault(cp, cell_code(row, cell))
    index = {}
    chars = {cp for table in (windows, jis) for row in table for cp in row if cp}
    for cp in sorted(chars):
        try:
            data = chr(cp).encode("cp932")
        except UnicodeEncodeError:
            continue
        if len(data) != 2:
            continue
        code = cell_of_shift_jis(data)
        if (code >> 8) in NEC_SELECTED_ROWS and cp in ibm_cells:
            code = ibm_cells[cp]
        index[cp] = code
    add_lookalikes(index)
    check_encoding_against_iconv(index)
    return index


def check_encoding_against_iconv(index):
    """glibc's CP932 must write each character it can write where the index does."""
    chars = [cp for cp in sorted(index) if cp not in LOOKALIKE_CODE_POINTS]
    text = "".join(chr(cp) + "\n" for cp in chars).encode("utf-8")
    run = subprocess.run(["iconv", "-c", "-f", "UTF-8", "-t", "CP932"], input=text,
                         capture_output=True)
    lines = run.stdout.split(b"\n")[:-1]
    if len(lines) != len(chars):
        sys.exit("iconv CP932 lost the characters' order")
    wrong = [hex(cp) for cp, data in zip(chars, lines)
             if data and shift_jis_pair(index[cp] >> 8, index[cp] & 0xFF) != data]
    if wrong:
        sys.exit("iconv CP932 writes otherwise: %s" % wrong[:20])


def cell_of_shift_jis(data):
    for row in range(1, ROWS + 1):
        for cell in range(1, CELLS + 1):
            if shift_jis_pair(row, cell) == data:
                return cell_code(row, cell)
    raise ValueError(data)


def euc_encoding(windows, jis, supplementary):
    """Where EUC and JIS write each character: its first cell in rows 1-94, else its cell
    in JIS X 0212."""
    index = {}
    for table in (windows, jis):
        for row in range(CELLS, 0, -1):
            for cell in range(CELLS, 0, -1):
                cp = table[row - 1][cell - 1]
                if cp:
                    index[cp] = min(index.get(cp, 0xFFFF), cell_code(row, cell))
    for row in range(CELLS, 0, -1):
        for cell in range(CELLS, 0, -1):
            cp = supplementary[row - 1][cell - 1]
            if cp and cp not in index:
                index[cp] = cell_code(row, cell, True)
    add_lookalikes(index)
    return index


def add_lookalikes(index):
    for (row, cell), pair in MAPPING_PAIRS.items():
        for cp in pair:
            index[cp] = cell_code(row, cell)
    for cp, (row, cell) in EXTRA_LOOKALIKES.items():
        index[cp] = cell_code(row, cell)
    # ASCII and half-width katakana are written by the converters themselves.
    for cp in list(index):
        if cp < 0x80 or 0xFF61 <= cp <= 0xFF9F:
            del index[cp]


BLOCK = 64


def blocks_of(index):
    """A two-level index: a block number per 64 code points, and the blocks, the first
    of them empty."""
    blocks = [[0] * BLOCK]
    block_of = []
    for start in range(0, 0x10000, BLOCK):
        block = [index.get(cp, 0) for cp in range(start, start + BLOCK)]
        if any(block):
            block_of.append(len(blocks))
            blocks.append(block)
        else:
            block_of.append(0)
    return block_of, blocks


def emit_array(out, kind, name, values):
    """Decimal, as many to a line as fit in 96 columns: the tables are mostly zeros."""
    out.append("const %s %s[%d] = {" % (kind, name, len(values)))
    line = " "
    for value in values:
        item = " %d," % value
        if len(line) + len(item) > 96:
            out.append(line)
            line = " "
        line += item
    out.append(line)
    out.append("};")
    out.append("")


def main():
    windows = plane1_windows()
    jis = plane1_jis(windows)
    supplementary = plane2()
    check_against_iconv(windows, jis, supplementary)
    out = [
        "// Made by scripts/make-character-tables.py from Python's cp932 and euc_jp codecs,",
        "// checked against glibc iconv; do not edit.",
        '#include "engine/CharacterTables.h"',
        "",
        "namespace mxt::engine::tables {",
        "",
        "// clang-format off",
    ]
    emit_array(out, "std::uint16_t", "kPlane1Windows", [cp for row in windows for cp in row])
    out.append("const LookAlikeCell kJISLookAlikes[%d] = {" % len(MAPPING_PAIRS))
    for (row, cell), (_, cp) in sorted(MAPPING_PAIRS.items()):
        out.append("    {%d, %d, 0x%04X}," % (row, cell, cp))
    out.append("};")
    out.append("")
    emit_array(out, "std::uint16_t", "kPlane2", [cp for row in supplementary for cp in row])
    for name, index in (("ShiftJIS", shift_jis_encoding(windows, jis)),
                        ("EUC", euc_encoding(windows, jis, supplementary))):
        block_of, blocks = blocks_of(index)
        emit_array(out, "std::uint16_t", "k%sBlockOf" % name, block_of)
        emit_array(out, "std::uint16_t", "k%sCells" % name, [v for b in blocks for v in b])
    out.append("// clang-format on")
    out.append("")
    out.append("}  // namespace mxt::engine::tables")
    with open("engine/CharacterTables.cpp", "w", encoding="ascii") as file:
        file.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
