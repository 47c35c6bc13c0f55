// A GLUT window with a current GL context for tests that need the real driver, one per process.
#pragma once

// Opens a double-buffered RGB window with a depth buffer on the X display, once per process,
// makes its context current and brings it to width × height pixels (a later call resizes the
// same window). Returns false, opening nothing, when there is no display. A process that runs
// the test's own start-up (start_test) must not call it: GLUT starts once per process.
bool open_test_window(int width = 64, int height = 64);

// Skips the calling test when no GL window can be opened.
#define REQUIRE_GL_WINDOW(...) \
  if (!open_test_window(__VA_ARGS__)) GTEST_SKIP() << "no X display for a GL context"
