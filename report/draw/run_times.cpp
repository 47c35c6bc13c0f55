// Where a run of kestrel-report spends its time: the one record of the run's phases.
#include "report/draw/run_times.h"

RunTimes run_times;
