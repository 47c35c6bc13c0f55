// The test's window as the drawing paths without GLUT lay it out: each panel's place, its
// filtering and its labels, printed on the CPU.
#pragma once

#include <vector>

#include "image/picture_text.h"
#include "scene/panel_config.h"
#include "scene/panel_layout.h"

// One panel of the test's window at start-up.
struct WindowPanel {
  PanelConfig config;     // unit 0 shows the colour-mipmap texture, `units` units in use
  PanelViewport place;    // in the window, origin at the lower left
  int top = 0;            // the panel's upper edge, in rows from the window's top
  std::vector<PlacedText> texts;  // its label and status lines, from the window's upper left
};

// The eight panels of the test's window of test_window_width × test_window_height pixels with
// `units` units in use, in drawing order, each labelled as the test labels it.
std::vector<WindowPanel> window_panels(int units);
