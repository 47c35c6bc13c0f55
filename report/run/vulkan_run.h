// kestrel-report through Vulkan: the run on a Vulkan device and the list of the devices.
#pragma once

#include "report/run/options.h"
#include "report/run/run_files.h"

// The run through Vulkan on device options.device (-1: the first that draws): the units'
// pictures, the renderer, the measurement and the files, its provenance's API, platform and
// device stated in `inputs`. Every message of the Vulkan layers is printed as it comes and their
// count ends the run. Returns run_report's status: 2 also for a device that is not there, which
// the message lists with the devices there are.
int run_vulkan_report(const ReportOptions& options, RunInputs& inputs);

// Prints each physical device of a Vulkan instance to standard output, a line each: its number
// (as --device takes it), name, driver, type and Vulkan version. Returns 0, or 1 when there is
// no Vulkan instance.
int print_vulkan_devices();
