// Where the test's eight panels sit in its window and how each filters: the layout every drawing
// path shares.
#pragma once

// The window's size at start-up: four panels of 256 × 256 side by side, two rows (one column
// with "-noaf").
inline constexpr int test_window_width = 1024;
inline constexpr int test_window_height = 512;

// One panel of the test: where it sits and how its textures are filtered.
struct Panel {
  int column, row;  // in panel units from the lower left corner of the window
  bool trilinear;   // mipmap levels blended (GL_LINEAR_MIPMAP_LINEAR), else the nearest
  float anisotropy;
  bool drawn_without_af;  // one of the two panels of "-noaf"
};

// The eight panels, in drawing order: trilinear below, bilinear above, anisotropy growing to
// the right.
extern const Panel panels[8];

// Where a panel is drawn, in window coordinates, origin at the lower left.
struct PanelViewport {
  int x, y, width, height;
};

// The viewport of `panel` in a window area of width × height pixels split into `columns` × 2
// panels: each panel width / columns × height / 2 pixels (truncated), origin at the lower left.
PanelViewport panel_viewport(const Panel& panel, int columns, int width, int height);
