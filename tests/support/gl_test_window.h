// A GLUT window with a current GL context for tests that need the real driver, one per process.
#pragma once

// Opens a double-buffered RGB window with a depth buffer once per process, its context current,
// at width × height (a later call resizes it); false without an X display. Not for a process that
// runs start_test: GLUT starts once per process.
bool open_test_window(int width = 64, int height = 64);

// Skips the calling test when no GL window can be opened.
#define REQUIRE_GL_WINDOW(...) \
  if (!open_test_window(__VA_ARGS__)) GTEST_SKIP() << "no X display for a GL context"
