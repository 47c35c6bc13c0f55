// Checks that need their own process, such as a second start-up: the toolkit starts once a process.
#pragma once

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

// The statement of EXPECT_EXIT(check_in_child(checks), testing::ExitedWithCode(0), ""): exits 0
// when `checks` all held, else prints the failures and exits 1. Where the parent started the
// toolkit or threads, set death_test_style to "threadsafe" first, so the child runs afresh.
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
