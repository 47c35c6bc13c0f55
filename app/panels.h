// The test panels: the same textured plane drawn once per filter set-up (trilinear and
// bilinear, isotropic and anisotropy 2, 4, 8), each labelled with its set-up and the status.
#pragma once

// One panel of the test: where it sits, how its textures are filtered, and its label.
struct Panel {
  int column, row;  // in panel units from the lower left corner of the window
  bool trilinear;   // GL_LINEAR_MIPMAP_LINEAR, else GL_LINEAR_MIPMAP_NEAREST
  float anisotropy;
  const char* label;
  bool drawn_without_af;  // one of the two panels of "-noaf"
};

// The eight panels, in drawing order: trilinear below, bilinear above, anisotropy growing to
// the right.
extern const Panel panels[8];

// The display callback: draw_panels, then the buffer swap.
void display_panels();

// Draws one frame into the back buffer without swapping: clears it, splits the current viewport
// into panels (4 × 2, or 1 × 2 with "-noaf"), draws and labels each, and restores the viewport.
void draw_panels();

// Draws the plane into the current viewport with every unit in use filtered as given, then
// disables texturing on every unit again.
void draw_panel(float anisotropy, int trilinear);

// Makes unit `unit` active and textured for one panel: the colour-mipmap texture of the current
// colour delta on the selected unit, the unit's own picture on the others, with the panel's
// minification filter and (unless "-noaf") anisotropy.
void setup_texture_unit(int unit, float anisotropy, int trilinear);
