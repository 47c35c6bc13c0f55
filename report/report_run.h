// One whole run of kestrel-report: the test started in a window, the panels measured, and the
// pictures and text files written; or reports already written compared side by side.
#pragma once

#include "report/options.h"

// Runs the report as `options` ask, argv (argc arguments, the program first) being the command
// line that gave them, for the test's start-up and the report's provenance. A baseline is read
// before any GL context is made and its settings checked against the run's once the driver's AF
// levels are known, before anything is measured or written; one from another renderer, driver
// version or Kestrel version is a warning. Returns the exit status: 0 when every file was
// written, 1 when no GL context can be had, the driver lacks a required extension, a file cannot
// be written or the baseline cannot be read as a report (or is of a later schema), 2 for an EGL
// device that is not there or a baseline made with other settings, and with options.check 4
// when a figure regressed against its baseline, else 3 when a verdict fails (figures that
// improved or changed alone leave it 0). Progress and failures go to standard error, and last a
// line with the time the run took and where it went.
int run_report(const ReportOptions& options, int argc, char** argv);

// Compares the reports of options.compare (folders or report.json files, two or more) without
// any GL context: writes compare.md and compare.svg into options.out, created when missing,
// each folder linked from there, its summary.md included where it has one. Returns 0 when both
// were written, 1 when a report cannot be read or a file cannot be written.
int run_comparison(const ReportOptions& options);

// Prints each device of EGL's device platform to standard output, a line each: its number (as
// --device takes it), its DRM device file or "software", and the GL_RENDERER of a context made
// on it, or why none could be made. Says on standard error when EGL lists no device. Returns 0.
int list_devices();
