// One whole run of kestrel-report: the test started in a window, the panels measured, and the
// pictures and text files written.
#pragma once

#include "report/options.h"

// Runs the report as `options` ask, `program` being argv[0]. Returns the exit status: 0 when
// every file was written, 1 when no GL context can be had, the driver lacks a required
// extension or a file cannot be written, 2 for an EGL device that is not there, 3 with
// options.check when a verdict fails. Progress and failures go to standard error, and last a line with
// the time the run took and where it went.
int run_report(const ReportOptions& options, char* program);
