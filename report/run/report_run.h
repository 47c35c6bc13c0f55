// One whole run of kestrel-report: the test started in a window or the scene set up on a Vulkan
// device, the panels measured, and the pictures and text files written; or reports already
// written compared side by side.
#pragma once

#include "report/run/options.h"

// Runs the report as `options` ask, through GL or Vulkan (options.api), argv (argc arguments,
// the program first) being the command line that gave them, for the test's start-up and the
// report's provenance. A baseline and an expectations file are read before any GL context or
// Vulkan device is made, and the baseline's settings checked against the run's once the driver's
// AF levels are known, before anything is measured or written; one from another renderer, driver
// version or Kestrel version is a warning. Returns the exit status: 0 when every file was
// written, 1 when no GL context or Vulkan device can be had, the driver lacks a required
// extension, a Vulkan call fails, a file cannot be written, the baseline cannot be read as a
// report (or is of a later schema), the expectations file cannot be read or names no verdict of
// the run, or kestrel-report was built without Vulkan, 2 for an EGL or Vulkan device that is not
// there or a baseline made with other settings, and with options.check 4 when a figure regressed
// against its baseline, else 3 when a verdict comes out other than expected (figures that
// improved or changed alone leave it 0). Progress and failures go to standard error, and last a
// line with the time the run took and where it went.
int run_report(const ReportOptions& options, int argc, char** argv);

// Compares the reports of options.compare (folders or report.json files, two or more) without
// any GL context: writes compare.md, compare.svg and compare.html into options.out, created when
// missing, each folder linked from there, its summary.md included where it has one. Returns 0
// when all were written, 1 when a report cannot be read or a file cannot be written.
int run_comparison(const ReportOptions& options);

// Prints each device of EGL's device platform to standard output, a line each: its number (as
// --device takes it), its DRM device file or "software", and the GL_RENDERER of a context made
// on it, or why none could be made. Says on standard error when EGL lists no device. With
// Api::vulkan, each physical device of a Vulkan instance: its number, name, driver, type and
// Vulkan version. Returns 0, or 1 when there is no Vulkan instance (or no Vulkan in this build).
int list_devices(Api api);
