#!/usr/bin/env python3
"""Checks a folder written by kestrel-report: every file parses, and the numbers hold up.

Usage: report_check.py DIR. Prints what it checked; exits 1 with the first failure.
"""
import json
import struct
import sys
import zlib


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def read_png(path):
    """Parses an 8-bit RGB PNG down to its decompressed rows; returns (width, height)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail(path + ": no PNG signature")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        (crc,) = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])
        if zlib.crc32(kind + body) != crc:
            fail("%s: bad CRC in chunk %s" % (path, kind))
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
        pos += 12 + length
    if header is None or header[2:5] != (8, 2, 0):
        fail(path + ": not an 8-bit RGB PNG")
    width, height = header[0], header[1]
    rows = zlib.decompress(idat)
    if len(rows) != height * (1 + 3 * width):
        fail("%s: %d bytes of rows for %dx%d" % (path, len(rows), width, height))
    if any(rows[y * (1 + 3 * width)] > 4 for y in range(height)):
        fail(path + ": unknown row filter")
    return width, height


def main(folder):
    for name, size in (("panels.png", (1024, 512)), ("lod-measured.png", None),
                       ("lod-error.png", None)):
        width, height = read_png(folder + "/" + name)
        if size and (width, height) != size:
            fail("%s is %dx%d, expected %dx%d" % (name, width, height, *size))
        if width != 1024 or height < 512:
            fail("%s is %dx%d: not the panel layout and a legend" % (name, width, height))
        print("ok: %s %dx%d" % (name, width, height))

    with open(folder + "/report.json") as f:
        report = json.load(f)
    driver = report["driver"]
    panels = {p["label"]: p["statistics"] for p in report["panels"]}
    if len(panels) != 8:
        fail("%d panels, expected 8" % len(panels))
    print("ok: report.json parses; %s, max anisotropy %g" % (driver["renderer"],
                                                             driver["max_anisotropy"]))

    # The isotropic trilinear panel samples the reference's levels: both Mesa drivers stay
    # within 0.1 on average with 95 % of quads within 0.07.
    iso = panels["trilinear, isotropic"]
    if abs(iso["mean_error"]) > 0.1 or iso["p95_abs_error"] > 0.15:
        fail("trilinear, isotropic strays: mean %g, 95 %% within %g" % (iso["mean_error"],
                                                                        iso["p95_abs_error"]))
    if iso["undecodable_pixels"] or iso["unresolved_pixels"]:
        fail("trilinear, isotropic has pixels without a level")
    print("ok: trilinear, isotropic mean error %+.3f, 95 %% within %.3f" % (
        iso["mean_error"], iso["p95_abs_error"]))

    # At grazing distances AF 8 samples finer levels than the isotropic panel of its filter: at
    # least one level, an effective anisotropy above 2 against about 1.
    for filter_name in ("trilinear", "bilinear"):
        bands = {}
        for label in (filter_name + ", isotropic", filter_name + ", AF level 8"):
            grazing = [b for b in panels[label]["bands"] if b["near"] == 8]
            if not grazing or grazing[0]["quads"] < 100:
                fail(label + ": no quads 8 to 16 units away")
            bands[label] = grazing[0]["measured_anisotropy"]
        iso_band, af_band = bands[filter_name + ", isotropic"], bands[filter_name + ", AF level 8"]
        if not (af_band > 2.0 * iso_band and iso_band < 1.2):
            fail("%s 8-16 units away: AF 8 effective anisotropy %g, isotropic %g" % (
                filter_name, af_band, iso_band))
        print("ok: %s 8-16 units away: AF 8 reaches %.2f, isotropic %.2f" % (
            filter_name, af_band, iso_band))

    units = report["units"]
    if len(units) != driver["texture_units"] or not report["findings"]:
        fail("units or findings missing")

    with open(folder + "/report.md") as f:
        md = f.read()
    for text in (driver["renderer"], driver["version"], "## What the driver does",
                 "| trilinear, AF level 8 |", "## Texture units", report["findings"][0]):
        if text not in md:
            fail("report.md lacks " + repr(text))
    print("ok: report.md names the driver and holds the findings and tables")


if __name__ == "__main__":
    main(sys.argv[1])
