// The test panels: the same textured plane drawn once per filter set-up (trilinear and
// bilinear, isotropic and anisotropy 2, 4, 8), each labelled with its set-up and the status.
#pragma once

#include <array>

#include "app/overlay_text.h"
#include "app/test_state.h"
#include "image/display_list.h"
#include "image/texture_object.h"
#include "image/unit_pictures.h"
#include "interact/pose.h"
#include "scene/panel_config.h"
#include "scene/panel_layout.h"
#include "scene/scene.h"

// Everything the panels' draws read, as values: the test's settings (the units in use, the unit
// that shows the colour-mipmap texture, "-noaf", and for the labels "-tc" and the colour delta),
// the textures, the plane and the view. The test fills it from its process-wide objects
// (test_panel_setup); the report from its own.
struct PanelSetup {
  TestState state;
  TextureObject2D* colour_mip = nullptr;      // on state.current_tmu
  std::array<TextureObject2D*, unit_picture_count> pictures{};  // on each other unit in use
  const DisplayList* plane = nullptr;
  SceneView view;
};

// The test's own set-up: test_state, the colour-mipmap texture of its colour delta, the units'
// pictures, plane_list and the navigators' view.
PanelSetup test_panel_setup();

// The display callback: draw_panels of test_panel_setup through GLUT's font, then the buffer
// swap.
void display_panels();

// Draws one frame of `setup` into the back buffer without swapping: clears it, splits the current
// viewport into panels (4 × 2, or 1 × 2 with "-noaf"), draws and labels each in `font`, and
// restores the viewport.
void draw_panels(OverlayFont font, const PanelSetup& setup);

// Loads the panel projection, the picture moved by (shift_x, shift_y) pixels of the current
// viewport, and pushes the model-view matrix with the transforms of `view`: the plane's matrices
// in every panel. The caller pops the model-view matrix when done.
void push_panel_matrices(const SceneView& view, double shift_x = 0.0, double shift_y = 0.0);

// Draws the plane of `setup` into the current viewport with every unit in use filtered as given,
// the picture moved by (shift_x, shift_y) pixels, then disables texturing on every unit again.
void draw_panel(float anisotropy, bool trilinear, const PanelSetup& setup, double shift_x = 0.0,
                double shift_y = 0.0);

// Makes unit `unit` active and textured for one panel of `setup`: the colour-mipmap texture on
// the selected unit, on the others their picture; with the panel's minification filter and
// (unless "-noaf") anisotropy.
void setup_texture_unit(int unit, float anisotropy, bool trilinear, const PanelSetup& setup);
