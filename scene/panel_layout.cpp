// The panels' layout.
#include "scene/panel_layout.h"

const Panel panels[8] = {
    {0, 0, true, 1.0f, true},   // trilinear, isotropic
    {1, 0, true, 2.0f, false},  // trilinear, AF level 2
    {2, 0, true, 4.0f, false},
    {3, 0, true, 8.0f, false},
    {0, 1, false, 1.0f, true},  // bilinear, isotropic
    {1, 1, false, 2.0f, false},
    {2, 1, false, 4.0f, false},
    {3, 1, false, 8.0f, false},
};

PanelViewport panel_viewport(const Panel& panel, int columns, int width, int height) {
  const int panel_width = width / columns;
  const int panel_height = height / 2;
  return {panel.column * panel_width, panel.row * panel_height, panel_width, panel_height};
}
