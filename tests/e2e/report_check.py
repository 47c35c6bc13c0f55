#!/usr/bin/env python3
"""Checks folders written by kestrel-report: every file parses, and the numbers hold up.
Usage: report_check.py [--bias B] DIR (a report made with --lod-bias B, default 0),
report_check.py --same DIR DIR (two reports of the same measurements),
report_check.py --alike DIR DIR (the same scene measured through two paths to one driver), or
report_check.py --junit FILE DIR (the JUnit file written with the report in DIR)."""
import json
import math
import os
import re
import shlex
import socket
import struct
import sys
import xml.etree.ElementTree as ElementTree


def expect(condition, message):
    if not condition:
        sys.exit("FAIL: " + message)


def png_size(path):
    """(width, height) of an 8-bit RGB PNG."""
    data = open(path, "rb").read(26)
    expect(data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR" and
           data[24:26] == b"\x08\x02", path + ": not an 8-bit RGB PNG")
    return struct.unpack(">II", data[16:24])


def check_files(folder, report, bias):
    """The pictures' sizes and curves; report.md and summary.md say what report.json holds."""
    levels, driver = report["settings"]["anisotropy_levels"], report["driver"]
    expect(len(report["panels"]) == 2 * len(levels), "panels for levels %s" % levels)
    expect(png_size(folder + "/panels.png") == (1024, 512), "panels.png is not the window")
    for name in ("lod-measured.png", "lod-error.png"):
        width, height = png_size(folder + "/" + name)
        expect(width == 256 * len(levels) and height >= 512, "%s is %dx%d" % (name, width, height))
    curves = ElementTree.parse(folder + "/angles.svg").findall(
        ".//{http://www.w3.org/2000/svg}polyline")
    expect(len(curves) == 3 * len(report["angle_sweeps"]), "angles.svg: %d curves" % len(curves))
    expect(len(report["units"]) == driver["texture_units"] and report["findings"],
           "units or findings missing")
    md = open(folder + "/report.md").read()
    for text in [driver["renderer"], driver["version"], report["platform"]] + report["findings"] + [
            "| %s |" % p["label"] for p in report["panels"]] + ["\n## %s\n" % h for h in (
                "What the driver does", "Texture units", "Angle dependence", "What AF costs",
                "Image quality against the ideal filter")]:
        expect(text in md, "report.md lacks " + repr(text))
    expect(any("GL_TEXTURE_LOD_BIAS" in line and line.endswith(" %g" % bias)
               for line in md.splitlines()), "report.md does not state the LOD bias %g" % bias)
    summary = open(folder + "/summary.md").read()
    expect(summary.startswith("## " + driver["renderer"] + "\n") and "### Panels" in summary,
           "summary.md is not the driver's section")


def check_provenance(report):
    """This program, a time in UTC, its command line, this host, the platform and device."""
    provenance = report["provenance"]
    expect(provenance["kestrel_version"], "no version")
    expect(re.fullmatch(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ", provenance["time"]),
           "time " + provenance["time"])
    arguments = shlex.split(provenance["command_line"])
    expect(arguments[0].endswith("kestrel-report") and "--out" in arguments,
           "command line " + provenance["command_line"])
    expect(provenance["host"] == socket.gethostname(), "host " + provenance["host"])
    # The free text starts with the window system, or with Vulkan, which has none.
    opening = {"OpenGL": provenance["platform"] + ", ", "Vulkan": "Vulkan "}
    expect(provenance["api"] in opening and provenance["device"] == -1 and
           (provenance["api"] == "Vulkan") == (provenance["platform"] == "none") and
           report["platform"].startswith(opening[provenance["api"]]) and
           provenance["device_name"] and provenance["device_name"] in report["platform"],
           "platform: %r" % provenance)


def check_junit(path, report):
    """The provenance as properties, a case per verdict and per regression, each failing one with
    its picture attached, found from the file's folder."""
    suite = ElementTree.parse(path).getroot().find("testsuite")
    properties = {p.get("name"): p.get("value") for p in suite.find("properties")}
    expected = dict(report["provenance"], schema_version=report["schema_version"],
                    renderer=report["driver"]["renderer"])
    expect(properties == {k: str(v) for k, v in expected.items()}, "properties: %r" % properties)
    cases = suite.findall("testcase")
    regressions = [c for c in report.get("baseline", {"changes": []})["changes"]
                   if c["movement"] == "regressed"]
    expect(len(cases) == len(report["verdicts"]) + len(regressions) and
           len([c for c in cases if c.get("classname") == "kestrel.regression"]) ==
           len(regressions), "%d cases for %d verdicts and %d regressions" %
           (len(cases), len(report["verdicts"]), len(regressions)))
    expect(float(suite.get("time")) > 0 and all(float(c.get("time")) >= 0 for c in cases),
           "times")
    failing = [c for c in cases if c.find("failure") is not None]
    expect(int(suite.get("failures")) == len(failing) ==
           len([v for v in report["verdicts"] if not v["pass"]]) + len(regressions), "failures")
    for case in failing:
        out = case.find("system-out").text
        picture = re.fullmatch(r"\[\[ATTACHMENT\|(.+)\]\]", out)
        expect(picture and os.path.isfile(os.path.join(os.path.dirname(path), picture[1])),
               "%s attaches %r" % (case.get("name"), out))


def check_levels(report):
    """Without AF the trilinear panel samples the reference's levels, the bias included: the
    option reaches the driver and the reference alike. What AF samples is judged by the verdicts,
    proven on the reference renderer."""
    iso = next(p["statistics"] for p in report["panels"] if p["label"] == "trilinear, isotropic")
    expect(abs(iso["mean_error"]) <= 0.1 and iso["p95_abs_error"] <= 0.15 and not
           iso["undecodable_pixels"] and not iso["unresolved_pixels"], "isotropic: %r" % iso)


def check_angles_and_cost(report):
    """One sample per angle and level; the rotation-invariant ideal hardly moves as the plane
    turns, the extension's formula drops at 45 degrees from AF 4 up. Every configuration is
    timed in the same rounds, each ratio within its interval; the clock named."""
    for sweep in report["angle_sweeps"]:
        at = {s["degrees"]: s for s in sweep["samples"]}
        ideal = [s["invariant_anisotropy"] for s in sweep["samples"]]
        expect(list(at) == report["settings"]["angles"] and
               min(s["quads"] for s in sweep["samples"]) >= 5000, sweep["label"] + ": samples")
        expect(max(ideal) <= 1.05 * min(ideal), sweep["label"] + ": the ideal moves")
        expect(sweep["anisotropy"] < 4 or not {0, 45} <= set(at) or
               at[45]["formula_anisotropy"] < 0.7 * at[0]["formula_anisotropy"],
               sweep["label"] + ": the formula does not drop at 45 degrees")
    expect(len(report["cost"]) == len(report["panels"]), "costs missing")
    expect(report["cost_clock"] != "", "no clock named")
    for c in report["cost"]:
        expect(0 < c["median_ms"] and 0 < c["relative_low"] <= c["relative_to_isotropic"] <=
               c["relative_high"] and c["rounds"] == report["cost"][0]["rounds"] >= 1,
               "cost: %r" % c)


def check_quality(folder, report):
    """Every panel's image quality over most of the plane, its figures finite; quality.png holds
    the ideal picture's column beside a column per AF level, four rows of panels high."""
    quality, levels = report["quality"], report["settings"]["anisotropy_levels"]
    expect(quality["offsets"] == 8 and quality["taps"] > 1e6 and
           len(quality["panels"]) == len(report["panels"]), "quality: %r" %
           {k: v for k, v in quality.items() if k != "panels"})
    for panel in quality["panels"]:
        expect(panel["pixels"] > 10000 and (panel["psnr"] is None or panel["psnr"] > 15) and
               0.2 < panel["detail"] < math.inf and 0 < panel["flicker"] < math.inf and
               panel["bands"], "quality of %s: %r" % (panel["label"], panel))
    width, height = png_size(folder + "/quality.png")
    expect(width == 256 * (len(levels) + 1) and height >= 1024, "quality.png is %dx%d" %
           (width, height))


def measurements(folder):
    """report.json but the costs, the platform, the provenance, the findings (one quotes the
    costs) and the time the ideal pictures took."""
    report = json.load(open(folder + "/report.json"))
    report["quality"].pop("reference_seconds")
    return {k: v for k, v in report.items()
            if k not in ("cost", "findings", "platform", "provenance")}


def check_alike(first, second, tolerance=0.05):
    """The same panels and units, and every panel's mean error within `tolerance` levels."""
    reports = [json.load(open(folder + "/report.json")) for folder in (first, second)]
    expect([p["label"] for p in reports[0]["panels"]] == [p["label"] for p in reports[1]["panels"]]
           and len(reports[0]["units"]) == len(reports[1]["units"]), "other panels or units")
    measured = [r["panels"] + [u[f] for u in r["units"] for f in ("trilinear", "bilinear")]
                for r in reports]
    for a, b in zip(*measured):
        difference = abs(a["statistics"]["mean_error"] - b["statistics"]["mean_error"])
        expect(difference <= tolerance, "%s on unit %d: mean errors %g apart" % (
            a["label"], a["unit"], difference))
    print("ok: the same panels and units, every panel within %g level" % tolerance)


def main(arguments):
    if arguments[0] == "--alike":
        return check_alike(*arguments[1:])
    if arguments[0] == "--same":
        first, second = arguments[1:]
        expect(measurements(first) == measurements(second), "the second run measured otherwise")
        for name in ("panels.png", "lod-measured.png", "lod-error.png", "quality.png",
                     "angles.svg"):
            expect(open(first + "/" + name, "rb").read() == open(second + "/" + name, "rb").read(),
                   name + " differs between the two runs")
        return print("ok: two runs measured the same and drew the same pictures")
    if arguments[0] == "--junit":
        check_junit(arguments[1], json.load(open(arguments[2] + "/report.json")))
        return print("ok: " + arguments[1])
    bias = float(arguments[1]) if arguments[0] == "--bias" else 0.0
    report = json.load(open(arguments[-1] + "/report.json"))
    expect(report["settings"]["lod_bias"] == bias, "report.json states another LOD bias")
    check_files(arguments[-1], report, bias)
    check_provenance(report)
    check_levels(report)
    check_angles_and_cost(report)
    check_quality(arguments[-1], report)
    print("ok: %s, %d panels" % (report["driver"]["renderer"], len(report["panels"])))


if __name__ == "__main__":
    main(sys.argv[1:])
