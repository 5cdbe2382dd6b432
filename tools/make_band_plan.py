#!/usr/bin/env python3
"""Writes data/BandPlan.txt from the United States amateur frequency privileges below 30 MHz.

Source: 47 CFR Part 97, section 97.301 (privileges by licence class), 97.305(c) (emissions
authorised in each segment) and 97.303(h) (the 60 m channels), as amended by FCC 11-171
(ET Docket 10-98, effective 5 March 2012), the last change to these privileges.

A segment where phone is authorised is "PH"; one limited to CW, RTTY and data is "CW". On 60 m
only the five channels are written (2.8 kHz centred on 5332, 5348, 5358.5, 5373 and 5405 kHz),
where phone is upper sideband only: "USB". The rules no longer name a Technician Plus class (its
holders operate as Technicians), so the "P" rows repeat the "T" rows.
"""
import sys

EFFECTIVE = "03/05/2012"

CHANNELS = [5.3320, 5.3480, 5.3585, 5.3730, 5.4050]
SIXTY = [("USB", round(c - 0.0014, 4), round(c + 0.0014, 4)) for c in CHANNELS]

# band: (outline, {class: [(mode, low, high), ...]}) in MHz.
NOVICE_TECH = {
    "80": [("CW", 3.525, 3.600)],
    "40": [("CW", 7.025, 7.125)],
    "15": [("CW", 21.025, 21.200)],
    "10": [("CW", 28.000, 28.300), ("PH", 28.300, 28.500)],
}
PLAN = [
    ("160", (1.800, 2.000), {
        "E": [("PH", 1.800, 2.000)],
        "A": [("PH", 1.800, 2.000)],
        "G": [("PH", 1.800, 2.000)],
    }),
    ("80", (3.500, 4.000), {
        "E": [("CW", 3.500, 3.600), ("PH", 3.600, 4.000)],
        "A": [("CW", 3.525, 3.600), ("PH", 3.700, 4.000)],
        "G": [("CW", 3.525, 3.600), ("PH", 3.800, 4.000)],
    }),
    ("60", (SIXTY[0][1], SIXTY[-1][2]), {"E": SIXTY, "A": SIXTY, "G": SIXTY}),
    ("40", (7.000, 7.300), {
        "E": [("CW", 7.000, 7.125), ("PH", 7.125, 7.300)],
        "A": [("CW", 7.025, 7.125), ("PH", 7.125, 7.300)],
        "G": [("CW", 7.025, 7.125), ("PH", 7.175, 7.300)],
    }),
    ("30", (10.100, 10.150), {
        "E": [("CW", 10.100, 10.150)],
        "A": [("CW", 10.100, 10.150)],
        "G": [("CW", 10.100, 10.150)],
    }),
    ("20", (14.000, 14.350), {
        "E": [("CW", 14.000, 14.150), ("PH", 14.150, 14.350)],
        "A": [("CW", 14.025, 14.150), ("PH", 14.175, 14.350)],
        "G": [("CW", 14.025, 14.150), ("PH", 14.225, 14.350)],
    }),
    ("17", (18.068, 18.168), {
        c: [("CW", 18.068, 18.110), ("PH", 18.110, 18.168)] for c in "EAG"
    }),
    ("15", (21.000, 21.450), {
        "E": [("CW", 21.000, 21.200), ("PH", 21.200, 21.450)],
        "A": [("CW", 21.025, 21.200), ("PH", 21.225, 21.450)],
        "G": [("CW", 21.025, 21.200), ("PH", 21.275, 21.450)],
    }),
    ("12", (24.890, 24.990), {
        c: [("CW", 24.890, 24.930), ("PH", 24.930, 24.990)] for c in "EAG"
    }),
    ("10", (28.000, 29.700), {
        c: [("CW", 28.000, 28.300), ("PH", 28.300, 29.700)] for c in "EAG"
    }),
]


def number(mhz):
    return "%.7g" % mhz


def main(path):
    lines = ['"%s"' % EFFECTIVE]
    for band, (low, high), classes in PLAN:
        lines.append('"%s","O","PH",%s,%s' % (band, number(low), number(high)))
        rows = dict(classes)
        if band in NOVICE_TECH:
            for cls in "NTP":
                rows[cls] = NOVICE_TECH[band]
        for cls in "NTPGAE":
            for mode, lo, hi in rows.get(cls, []):
                lines.append('"%s","%s","%s",%s,%s' % (band, cls, mode, number(lo), number(hi)))
    assert len(lines) - 1 <= 200
    with open(path, "wb") as out:
        out.write(("\r\n".join(lines) + "\r\n").encode("ascii"))
    print("%d records" % (len(lines) - 1))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "data/BandPlan.txt")
