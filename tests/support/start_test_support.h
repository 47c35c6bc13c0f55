// Runs the test's real start-up inside a test process, with the switches a command line would
// give, so that tests see the window, GL state and objects that the program itself has.
#pragma once

#include <vector>

#include "app/platform.h"
#include "app/startup.h"

// Runs start_test with "kestrel" and `switches` as the command line; false when the driver
// lacks a required extension.
inline bool start_with_switches(std::vector<const char*> switches) {
  static std::vector<char*> argv;  // the start-up may keep pointers into it
  argv.clear();
  argv.push_back(const_cast<char*>("kestrel"));
  for (const char* s : switches) argv.push_back(const_cast<char*>(s));
  argv.push_back(nullptr);
  return start_test(static_cast<int>(argv.size()) - 1, argv.data(), false);
}
