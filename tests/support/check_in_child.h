// Checks that need a process of their own, such as a second run of the test's start-up, which
// can start the toolkit only once per process: run them as a death test that must exit with 0.
#pragma once

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

// The statement of EXPECT_EXIT(check_in_child(checks), testing::ExitedWithCode(0), ""): runs
// `checks`, a function of gtest expectations, and ends the child process with status 0 when
// they all held, else with 1 after printing the failures, which EXPECT_EXIT then shows. Set
// the death_test_style flag to "threadsafe" first where the parent process has started the
// toolkit or other threads: the child is then this program run afresh.
[[noreturn]] inline void check_in_child(void (*checks)()) {
  testing::TestPartResultArray results;
  {
    const testing::ScopedFakeTestPartResultReporter intercept(&results);
    checks();
  }
  bool failed = false;
  for (int i = 0; i < results.size(); ++i) {
    const testing::TestPartResult& result = results.GetTestPartResult(i);
    failed |= result.failed();
    std::fprintf(stderr, "%s:%d: %s\n", result.file_name(), result.line_number(),
                 result.message());
  }
  std::exit(failed ? 1 : 0);
}
