// The test's window drawn by the test's own frame code into the report's render target.
#include "report/draw/window_capture.h"

#include "app/panels.h"
#include "app/scoped_viewport.h"
#include "app/startup.h"
#include "image/read_pixels.h"
#include "report/draw/render_target.h"

RgbImage capture_test_window(OverlayFont font) {
  const ScopedViewport saved;
  glViewport(0, 0, test_window_width, test_window_height);
  draw_panels(font);
  return read_pixels(render_target.buffer, 0, 0, test_window_width, test_window_height);
}

