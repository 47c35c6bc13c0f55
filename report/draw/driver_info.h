// The driver's strings and advertised limits, asked of the current GL context.
#pragma once

#include "report/model/report.h"

// Asks the current GL context; tmu_count comes from test_state. Needs the test started.
DriverInfo query_driver_info();
