// The test panels: the same textured plane drawn once per filter set-up (trilinear and
// bilinear, isotropic and anisotropy 2, 4, 8), each labelled with its set-up and the status.
#pragma once

#include <string>

#include "app/overlay_text.h"
#include "interact/pose.h"
#include "scene/panel_config.h"
#include "scene/panel_layout.h"
#include "scene/scene.h"

class TextureObject2D;
struct TestState;

// The display callback: draw_panels through GLUT's font, then the buffer swap.
void display_panels();

// Draws one frame into the back buffer without swapping: clears it, splits the current viewport
// into panels (4 × 2, or 1 × 2 with "-noaf"), draws and labels each in `font`, and restores the
// viewport.
void draw_panels(OverlayFont font);

// What the report draws in a panel besides the test's own pictures: its own settings, other
// textures, the plane seen in another view, and the picture moved by a fraction of a pixel.
struct PanelDrawing {
  const TestState* state = nullptr;          // replaces test_state when given
  TextureObject2D* selected_unit = nullptr;  // replaces the colour-mipmap texture when given
  TextureObject2D* other_units = nullptr;    // replaces the other units' pictures when given
  const SceneView* view = nullptr;           // replaces the navigators' view when given
  double shift_x = 0.0, shift_y = 0.0;       // in pixels of the current viewport
};

// Loads the panel projection, the picture moved by (shift_x, shift_y) pixels of the current
// viewport, and pushes the model-view matrix with the transforms of `view` (the navigators',
// navigators_view(), in the test): the plane's matrices in every panel. The caller pops the
// model-view matrix when done.
void push_panel_matrices(const SceneView& view, double shift_x = 0.0, double shift_y = 0.0);

// Draws the plane into the current viewport with every unit in use filtered as given, then
// disables texturing on every unit again, with the replacements and the move of `drawing`.
// Without a view of its own the plane is seen through the navigators: the inverse transform of
// camera_navigator, then the transform of object_navigator.
void draw_panel(float anisotropy, int trilinear, const PanelDrawing& drawing = {});

// Makes unit `unit` active and textured for one panel: the colour-mipmap texture of the current
// colour delta on the selected unit, on the others their own picture, unless `drawing` replaces
// them; with the panel's minification filter and (unless "-noaf") anisotropy.
void setup_texture_unit(int unit, float anisotropy, int trilinear,
                        const PanelDrawing& drawing = {});
