// Runs the real start-up in a test process, so that tests see the program's window and GL state.
#pragma once

#include <vector>

#include "app/platform.h"
#include "app/startup.h"

// start_test with "kestrel" and `switches` as command line; false if the driver lacks an extension.
inline bool start_with_switches(std::vector<const char*> switches) {
  static std::vector<char*> argv;  // the start-up may keep pointers into it
  argv.clear();
  argv.push_back(const_cast<char*>("kestrel"));
  for (const char* s : switches) argv.push_back(const_cast<char*>(s));
  argv.push_back(nullptr);
  return start_test(static_cast<int>(argv.size()) - 1, argv.data(), false);
}
