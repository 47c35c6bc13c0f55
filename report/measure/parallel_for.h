// Work shared among the cores: the analysis of many rows or panels, each independent of the
// others, so that the result does not depend on which thread took which.
#pragma once

#include <functional>

// Runs task(i) once for each i in 0 .. count - 1 on `threads` threads, one per core when 0,
// handing the indices out one at a time in increasing order, as later ones may cost more; returns
// when every task is done. Tasks must not write to what another task reads or writes.
void parallel_for(int count, const std::function<void(int)>& task, int threads = 0);
