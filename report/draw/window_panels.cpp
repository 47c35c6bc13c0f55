// The panels of the test's window, placed and labelled as the test places and labels them.
#include "report/draw/window_panels.h"

#include "scene/scene.h"

std::vector<WindowPanel> window_panels(int units) {
  std::vector<WindowPanel> window;
  for (const Panel& panel : panels) {
    WindowPanel w;
    w.config.trilinear = panel.trilinear;
    w.config.anisotropy = panel.anisotropy;
    w.config.units = units;
    w.place = panel_viewport(panel, 4, test_window_width, test_window_height);
    w.top = test_window_height - w.place.y - w.place.height;
    const std::vector<std::string> lines =
        panel_text_lines(panel.trilinear, panel.anisotropy, 0, false, 0);
    for (std::size_t line = 0; line < lines.size(); ++line)
      w.texts.push_back({w.place.x + panel_text_x,
                         w.top + panel_label_y + static_cast<int>(line) * panel_line_spacing,
                         lines[line]});
    window.push_back(std::move(w));
  }
  return window;
}
