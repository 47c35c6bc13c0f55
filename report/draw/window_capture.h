// The test's window as the report shows it in panels.png: drawn on the driver and read back.
#pragma once

#include "app/overlay_text.h"
#include "image/rgb_image.h"

// The test's window at start-up: draw_panels in `font` over the window's size at the lower left
// corner of the render target, read back whole. Needs the test's scene set up.
RgbImage capture_test_window(OverlayFont font);

