// The panels as a person sees them, read back from the frame on the real driver: where they sit,
// what their labels and status lines say, and the colour bands of the mipmap levels.
#define GL_GLEXT_PROTOTYPES
#include "app/panels.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/test_objects.h"
#include "app/test_state.h"
#include "gl_read_back.h"
#include "image/read_pixels.h"
#include "image/upload_image.h"
#include "image_compare.h"
#include "interact/navigators.h"
#include "start_test_support.h"

namespace {

constexpr int panel_size = 256;
constexpr int text_rows = 45;  // the label and the two status lines, from the panel's top

RgbImage read_frame(int width, int height) { return read_pixels(GL_BACK, 0, 0, width, height); }

// Moves the plane beyond the far plane, so that a frame shows only the text.
void hide_plane() {
  test_state.zoom = 1000.0f;
  object_navigator.dolly.translation.z = -test_state.zoom;
}

// Draws `text` the plain way, in window coordinates with the baseline starting at (x, y).
void reference_text(const std::string& text, int x, int y) {
  glWindowPos2i(x, y);
  for (const char c : text) glutBitmapCharacter(GLUT_BITMAP_8_BY_13, c);
}

// The frame that the panels' texts alone should give: label and status lines at 13, 26 and 39
// pixels below the top of each panel, 4 pixels from its left edge.
RgbImage reference_texts(int columns, const std::string& tmu_line, const std::string& delta_line) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (const Panel& panel : panels) {
    if (panel.column >= columns) continue;
    const int left = panel.column * panel_size + 4;
    const int top = (panel.row + 1) * panel_size;
    reference_text(panel_label(panel.trilinear, panel.anisotropy), left, top - 13);
    reference_text(tmu_line, left, top - 26);
    reference_text(delta_line, left, top - 39);
  }
  return read_frame(columns * panel_size, 2 * panel_size);
}

int white_texels(const RgbImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.texel(x, y) == RgbTexel{255, 255, 255};
  return count;
}

void expect_texts(int columns, const std::string& tmu_line, const std::string& delta_line) {
  hide_plane();
  draw_panels();
  const RgbImage frame = read_frame(columns * panel_size, 2 * panel_size);
  const RgbImage expected = reference_texts(columns, tmu_line, delta_line);
  EXPECT_GT(white_texels(expected), columns * 2 * 300) << "the reference drew no text";
  EXPECT_TRUE(same_image(frame, expected)) << tmu_line << " / " << delta_line;
}

void press(char key, int times) {
  for (int i = 0; i < times; ++i) handle_key(static_cast<unsigned char>(key), 0, 0);
}

// The level colours of the colour-mipmap texture with colour delta 0, and the background.
enum Level { white, red, green, blue, background };
constexpr std::array<RgbTexel, 5> level_colours = {
    {{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 0, 0}}};

int distance(const RgbTexel& a, const RgbTexel& b) {
  return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
}

Level nearest_level(const RgbTexel& texel) {
  int best = 0;
  for (int i = 1; i < static_cast<int>(level_colours.size()); ++i)
    if (distance(texel, level_colours[i]) < distance(texel, level_colours[best])) best = i;
  return static_cast<Level>(best);
}

// The order in which the level colours first appear walking up the panel's middle column, from
// the near edge of the plane into the distance.
std::vector<Level> bands_up_the_middle(const RgbImage& frame, const Panel& panel) {
  std::vector<Level> bands;
  const int x = panel.column * panel_size + panel_size / 2;
  for (int y = panel.row * panel_size; y < (panel.row + 1) * panel_size - text_rows; ++y) {
    const Level level = nearest_level(frame.texel(x, y));
    if (level != background && (bands.empty() || bands.back() != level)) bands.push_back(level);
  }
  return bands;
}

// The share of the panel's plane texels that are blends of two level colours.
double blended_share(const RgbImage& frame, const Panel& panel) {
  int plane = 0, blended = 0;
  for (int y = panel.row * panel_size; y < (panel.row + 1) * panel_size - text_rows; ++y)
    for (int x = panel.column * panel_size; x < (panel.column + 1) * panel_size; ++x) {
      const RgbTexel& texel = frame.texel(x, y);
      const Level level = nearest_level(texel);
      if (level == background) continue;
      ++plane;
      blended += distance(texel, level_colours[level]) > 24;
    }
  return plane > 0 ? static_cast<double>(blended) / plane : 0.0;
}

}  // namespace

TEST(Panels, EightLabelledPanelsInTheWindow) {
  START_TEST_OR_SKIP();
  expect_texts(4, "color mipmap levels on TMU 0", "color delta threshold 0");
}

TEST(Panels, TwoPanelsWithoutAnisotropy) {
  START_TEST_OR_SKIP("-noaf");
  expect_texts(1, "color mipmap levels on TMU 0", "color delta threshold 0");
}

TEST(Panels, StatusLinesFollowTheKeys) {
  START_TEST_OR_SKIP("-tc");
  press('w', 20);
  press('e', 5);
  expect_texts(4, "color mipmap levels on TMU 3,TC", "color delta threshold 30");
  press('s', 3);
  press('d', 1);
  expect_texts(4, "color mipmap levels on TMU 2,TC", "color delta threshold 24");
}

TEST(Panels, ColourBandsRunIntoTheDistance) {
  START_TEST_OR_SKIP("-nomt");
  draw_panels();
  const RgbImage frame = read_frame(4 * panel_size, 2 * panel_size);
  const std::vector<Level> level_order = {white, red, green, blue};
  for (const Panel& panel : panels) {
    SCOPED_TRACE(panel_label(panel.trilinear, panel.anisotropy));
    // The near edge of the plane shows level 0, and the levels follow one another into the
    // distance. Anisotropic filtering keeps the finer levels further out, so those panels may
    // reach the horizon before the blue of level 3.
    const std::vector<Level> bands = bands_up_the_middle(frame, panel);
    const std::size_t expected_bands = panel.anisotropy == 1.0f ? 4 : 3;
    ASSERT_GE(bands.size(), expected_bands);
    const std::size_t compared = std::min(bands.size(), level_order.size());
    EXPECT_EQ(std::vector<Level>(bands.begin(), bands.begin() + compared),
              std::vector<Level>(level_order.begin(), level_order.begin() + compared));
    // Bilinear filtering shows whole levels. Trilinear filtering blends neighbouring levels;
    // llvmpipe stops blending them once anisotropic filtering is on, so only the isotropic
    // panel tells the two rows apart here.
    if (!panel.trilinear) {
      EXPECT_LT(blended_share(frame, panel), 0.005);
    } else if (panel.anisotropy == 1.0f) {
      EXPECT_GT(blended_share(frame, panel), 0.2);
    }
  }
}

// The panel's projection, which the report computes from the same constants.
TEST(Panels, ProjectionIsThePanelPerspective) {
  START_TEST_OR_SKIP();
  draw_panel(1.0f, 1);
  const std::array<GLfloat, 16> drawn = gl_matrix(GL_PROJECTION_MATRIX);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(38.0, 1.0, 1.0, 100.0);
  EXPECT_EQ(drawn, gl_matrix(GL_PROJECTION_MATRIX));
  glMatrixMode(GL_MODELVIEW);
}

TEST(Panels, ViewportsSplitTheWindowAreaInColumnsAndTwoRows) {
  const PanelViewport lower_left = panel_viewport(panels[0], 4, 1023, 511);
  EXPECT_EQ(std::vector<int>({lower_left.x, lower_left.y, lower_left.width, lower_left.height}),
            std::vector<int>({0, 0, 255, 255}));
  const PanelViewport upper_right = panel_viewport(panels[7], 4, 1024, 512);
  EXPECT_EQ(std::vector<int>({upper_right.x, upper_right.y, upper_right.width,
                              upper_right.height}),
            std::vector<int>({768, 256, 256, 256}));
  const PanelViewport narrow = panel_viewport(panels[4], 1, 256, 512);
  EXPECT_EQ(std::vector<int>({narrow.x, narrow.y, narrow.width, narrow.height}),
            std::vector<int>({0, 256, 256, 256}));
}

// A white texture on every other unit leaves the selected unit's texture alone in the picture,
// whichever unit that is.
TEST(Panels, NeutralTextureOnTheOtherUnitsShowsTheSelectedUnitAlone) {
  START_TEST_OR_SKIP();
  ASSERT_EQ(test_state.tmu_count, 4) << "llvmpipe offers more than four units";
  TextureObject2D white;
  white.bind();
  RgbImage texel(1, 1);
  texel.texel(0, 0) = {255, 255, 255};
  upload_image(texel, false);
  glViewport(0, 0, panel_size, panel_size);

  test_state.tmu_count = 1;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw_panel(8.0f, 1);
  const RgbImage alone = read_frame(panel_size, panel_size);
  test_state.tmu_count = 4;
  for (int unit = 0; unit < 4; ++unit) {
    SCOPED_TRACE(unit);
    test_state.current_tmu = unit;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw_panel(8.0f, 1, &white);
    EXPECT_TRUE(same_image(read_frame(panel_size, panel_size), alone));
  }
  // Without the neutral texture the pictures of the other units show.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw_panel(8.0f, 1);
  EXPECT_FALSE(same_image(read_frame(panel_size, panel_size), alone));
}

TEST(Panels, ResizedWindowLeavesTheRemainderBlack) {
  START_TEST_OR_SKIP();
  glutReshapeWindow(1023, 511);
  GLint viewport[4] = {};
  for (int i = 0; i < 500 && viewport[2] != 1023; ++i) {
    glutMainLoopEvent();
    glGetIntegerv(GL_VIEWPORT, viewport);
  }
  ASSERT_EQ(viewport[2], 1023);
  ASSERT_EQ(viewport[3], 511);
  draw_panels();
  const RgbImage frame = read_frame(1023, 511);
  int lit = 0;
  for (int y = 0; y < 511; ++y)
    for (int x = 0; x < 1023; ++x) {
      const bool black = frame.texel(x, y) == RgbTexel{};
      if (x >= 1020 || y == 510)
        ASSERT_TRUE(black) << "(" << x << ", " << y << ") is drawn";
      else
        lit += !black;
    }
  EXPECT_GT(lit, 1020 * 510 / 4);
  // The frame restores the viewport it found.
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1023);
  EXPECT_EQ(viewport[3], 511);
}
