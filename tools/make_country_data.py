#!/usr/bin/env python3
"""Build data/arrlpre2.txt and data/ADIFCnt.txt from AD1C's cty.csv.

Usage: tools/make_country_data.py /path/to/cty.csv

cty.csv (Debian package hamradio-files, /usr/share/hamradio-files/cty.csv)
has one entity per line:
  key, name, DXCC number, continent, CQ zone, ITU zone,
  latitude (north +), longitude (west +), UTC offset (west +),
  space-separated aliases ending in ';'
Keys starting with '*' are WAE/CQ-only countries that carry their parent
entity's DXCC number; ADIFCnt.txt lists them under their own names with
that number.
"""

import csv
import re
import sys
from pathlib import Path

DATA_DIR = Path(__file__).resolve().parent.parent / "data"

# Alias overrides as cty uses them: (CQ zone) [ITU zone] <lat/lon>
# {continent} ~UTC offset~.
OVERRIDE = re.compile(r"\((\d+)\)|\[(\d+)\]|<([-\d.]+)/([-\d.]+)>|\{([A-Z]{2})\}|~([-\d.]+)~")
PREFIX = re.compile(r"[A-Z0-9/]+")


def country_name(name):
    # Quotes would break the quoted-field format; the program knows the USA
    # only by this short name.
    name = name.replace('"', "")
    return "USA" if name == "United States" else name


def parse_alias(token, entity):
    """Return (prefix, fields) with any overrides applied, or None for a whole call."""
    if token.startswith("="):
        return None
    fields = dict(entity)
    prefix = OVERRIDE.sub("", token)
    for m in OVERRIDE.finditer(token):
        cq, itu, lat, lon, cont, utc = m.groups()
        if cq:
            fields["cq"] = cq
        if itu:
            fields["itu"] = itu
        if lat:
            fields["lat"], fields["lon"] = lat, lon
        if cont:
            fields["continent"] = cont
        if utc:
            fields["utc"] = utc
    if not PREFIX.fullmatch(prefix):
        sys.exit(f"unexpected alias {token!r} in {entity['key']}")
    return prefix, fields


def read_entities(path):
    with open(path, newline="", encoding="utf-8") as f:
        for row in csv.reader(f):
            if not row:
                continue
            if len(row) != 10:
                sys.exit(f"expected 10 columns, got {len(row)}: {row[:2]}")
            key, name, dxcc, continent, cq, itu, lat, lon, utc, aliases = row
            yield {
                "key": key, "name": country_name(name), "dxcc": dxcc,
                "continent": continent, "cq": cq, "itu": itu,
                "lat": lat, "lon": lon, "utc": utc,
                "aliases": aliases.strip().rstrip(";").split(),
            }


def write_lines(path, lines):
    # The loaders expect CR LF and plain ASCII; encoding fails loudly otherwise.
    path.write_bytes("".join(line + "\r\n" for line in lines).encode("ascii"))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    entities = list(read_entities(sys.argv[1]))

    records = {}
    dropped = []
    for entity in entities:
        for token in entity["aliases"]:
            parsed = parse_alias(token, entity)
            if parsed is None:
                continue
            prefix, fields = parsed
            if prefix in records:
                dropped.append(f"{prefix} ({entity['name']}; kept {records[prefix]['name']})")
                continue
            records[prefix] = fields

    prefix_lines = [
        '"{}","{}","{}","{}","{}","{}","{}","{}"'.format(
            prefix, r["name"], r["continent"], r["lon"], r["lat"], r["cq"], r["itu"], r["utc"])
        for prefix, r in sorted(records.items())
    ]

    # The program looks DXCC numbers up by country name, so a WAE/CQ-only
    # country ('*' key) is listed under its own name with its parent's number.
    dxcc_lines = []
    skipped = []
    parts = []
    seen = {}
    for entity in entities:
        number = entity["dxcc"]
        if not number.isdigit() or int(number) <= 0:
            skipped.append(f"{entity['name']} ({entity['key']}, {number})")
            continue
        if entity["key"].startswith("*"):
            parts.append(entity)
        elif number in seen:
            sys.exit(f"DXCC {number} used by both {seen[number]} and {entity['name']}")
        else:
            seen[number] = entity["name"]
        dxcc_lines.append(f'"{entity["name"]}",{int(number)}')
    names = [line.split('"')[1] for line in dxcc_lines]
    if len(set(names)) != len(names):
        sys.exit("a country name occurs twice in the DXCC table")
    for part in parts:
        if part["dxcc"] not in seen:
            sys.exit(f"{part['name']} belongs to DXCC {part['dxcc']}, which no entity has")

    write_lines(DATA_DIR / "arrlpre2.txt", prefix_lines)
    write_lines(DATA_DIR / "ADIFCnt.txt", dxcc_lines)

    print(f"arrlpre2.txt: {len(prefix_lines)} prefixes from {len(entities)} entities")
    print(f"duplicate prefixes dropped: {len(dropped)}")
    for d in dropped:
        print(f"  {d}")
    print(f"ADIFCnt.txt: {len(dxcc_lines)} entities")
    print(f"parts of a DXCC entity, listed with its number: {len(parts)}")
    for part in parts:
        print(f"  {part['name']} ({part['dxcc']}, {seen[part['dxcc']]})")
    print(f"without a DXCC number, left out: {len(skipped)}")
    for s in skipped:
        print(f"  {s}")


if __name__ == "__main__":
    main()
