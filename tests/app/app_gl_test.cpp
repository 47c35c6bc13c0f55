// The test application on the real driver: its GL objects, uploaded textures and panels read back.
// The default start-up runs once in this process; other switches and the exit run in children.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/color_mip_texture.h"
#include "app/controls.h"
#include "app/overlay_text.h"
#include "app/panels.h"
#include "app/platform.h"
#include "app/scoped_viewport.h"
#include "app/test_objects.h"
#include "glh/glh_genext.h"
#include "image/data_path.h"
#include "image/read_pixels.h"
#include "image/read_png.h"
#include "image/upload_image.h"
#include "interact/navigators.h"
#include "check_in_child.h"
#include "gl_call_log.h"
#include "gl_read_back.h"
#include "image_compare.h"
#include "start_test_support.h"
#include "x_close_message.h"

namespace {

bool start(std::vector<const char*> switches) {
  data_path.directories = {KESTREL_SOURCE_DIR "/data/images"};
  return start_with_switches(std::move(switches));
}

RgbImage read_frame() {
  return read_pixels(GL_BACK, 0, 0, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}

// With the plane out of sight, the frame equals each panel's label and status lines (colour unit,
// `tc`, colour delta) in the captured font, in `columns` panels of side height / 2, and the display
// callback sends every character, in order, through glutBitmapCharacter with the 8 × 13 font.
void expect_panel_texts(int columns, int tmu, int delta, const char* tc = "") {
  const int side = glutGet(GLUT_WINDOW_HEIGHT) / 2;
  ASSERT_EQ(glutGet(GLUT_WINDOW_WIDTH), columns * side);
  test_state.zoom = 2 * panel_z_far;
  object_navigator.dolly.translation.z = -test_state.zoom;
  clear_gl_calls();
  display_panels();
  std::string glut_characters;
  for (const GlCall& call : gl_calls()) {
    if (call.function.rfind("BitmapCharacter", 0) != 0) continue;
    EXPECT_EQ(call.function, "BitmapCharacter 8x13");
    glut_characters += char(call.name);
  }
  draw_panels(OverlayFont::glut, test_panel_setup());
  const RgbImage frame = read_frame();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const ScopedViewport window;
  std::string all_lines;
  for (const Panel& panel : panels) {
    if (panel.column >= columns) continue;
    glViewport(panel.column * side, panel.row * side, side, side);
    const std::string lines[] = {panel_label(panel.trilinear, panel.anisotropy),
                                 "color mipmap levels on TMU " + std::to_string(tmu) + tc,
                                 "color delta threshold " + std::to_string(delta)};
    for (int i = 0; i < 3; ++i) {
      draw_text(lines[i].c_str(), panel_text_x, panel_label_y + i * panel_line_spacing, side, side,
                OverlayFont::captured);
      all_lines += lines[i];
    }
  }
  const RgbImage expected = read_frame();
  EXPECT_FALSE(same_image(expected, RgbImage(expected.width(), expected.height())));
  EXPECT_TRUE(same_image(frame, expected)) << "unit " << tmu << ", colour delta " << delta;
  EXPECT_EQ(glut_characters, all_lines);
}

// The nearest level (0 to 3) at colour delta 0, or 4 for the black background, and its `distance`.
int nearest_level(const RgbTexel& texel, int& distance) {
  int nearest = 4;
  distance = texel.red + texel.green + texel.blue;
  for (int level = 0; level < 4; ++level) {
    const LevelColour& c = level_colours[level];
    const int d = std::abs(texel.red - c.red) + std::abs(texel.green - c.green) +
                  std::abs(texel.blue - c.blue);
    if (d < distance) nearest = level, distance = d;
  }
  return nearest;
}

// With only the colour texture, each middle column shows levels 0 to 3 into the distance (AF may
// end at the horizon before 3): bilinear bands are hard; llvmpipe blends trilinear only without AF.
void expect_colour_bands(int columns) {
  draw_panels(OverlayFont::glut, test_panel_setup());
  const RgbImage frame = read_frame();
  const int side = frame.height() / 2;
  const int below_texts = side - panel_label_y - 3 * panel_line_spacing;
  for (const Panel& panel : panels) {
    if (panel.column >= columns) continue;
    SCOPED_TRACE(panel_label(panel.trilinear, panel.anisotropy));
    std::vector<int> bands;
    int plane = 0, blended = 0, distance = 0;
    for (int y = panel.row * side; y < panel.row * side + below_texts; ++y) {
      const int level = nearest_level(frame.texel(panel.column * side + side / 2, y), distance);
      if (level != 4 && (bands.empty() || bands.back() != level)) bands.push_back(level);
      for (int x = panel.column * side; x < (panel.column + 1) * side; ++x) {
        if (nearest_level(frame.texel(x, y), distance) == 4) continue;
        ++plane;
        blended += distance > 24;
      }
    }
    ASSERT_GE(bands.size(), panel.anisotropy == 1.0f ? 4u : 3u);
    for (std::size_t i = 0; i < std::min<std::size_t>(bands.size(), 4); ++i)
      EXPECT_EQ(bands[i], static_cast<int>(i)) << "band " << i;
    if (!panel.trilinear) {
      EXPECT_LT(blended, plane / 200);
    } else if (panel.anisotropy == 1.0f) {
      EXPECT_GT(blended, plane / 5);
    }
  }
}

// Resizes the window and waits until its reshape has reached the viewport.
void resize_window(int width, int height) {
  glutReshapeWindow(width, height);
  const std::array<GLint, 4> whole = {0, 0, width, height};
  for (int turn = 0; turn < 2000 && gl_viewport() != whole; ++turn) {
    glutMainLoopEvent();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(gl_viewport(), whole);
}

// The default start-up, run once by the first test; each test restores the state it changes.
class Started : public testing::Test {
 protected:
  void SetUp() override {
    if (!display_available()) GTEST_SKIP() << "no X display";
    static const bool started = start({});
    ASSERT_TRUE(started) << "the driver lacks an extension";
    saved_ = test_state;
  }
  void TearDown() override {
    test_state = saved_;
    object_navigator.dolly.translation.z = -test_state.zoom;
  }

 private:
  TestState saved_;
};

TEST_F(Started, EachUnitHoldsItsPictureAsTheFileHasIt) {
  for (int unit = 0; unit < png_texture_count; ++unit) {
    RgbImage file(1, 1);
    read_png(("tmu" + std::to_string(unit) + ".png").c_str(), file);
    ASSERT_GT(file.width(), 1);
    test_textures[unit].bind();
    EXPECT_TRUE(same_image(read_level(0), file)) << "unit " << unit;
  }
}

TEST_F(Started, ColourMipTexturesHoldEveryLevelOfTheirColourDelta) {
  const ColorMipPattern pattern(color_mip_size);
  for (int k = 0; k < color_mip_texture_count; ++k) {
    test_textures[first_color_mip_slot + k].bind();
    generate_color_mip_levels(pattern, 2 * k, [&](int level, int n, const unsigned char* texels) {
      const RgbImage read = read_level(level);
      ASSERT_EQ(read.width(), n);
      EXPECT_EQ(std::memcmp(read.texels(), texels, static_cast<std::size_t>(n) * n * 3), 0)
          << "colour delta " << 2 * k << ", level " << level;
    });
  }
}

TEST_F(Started, PanelsAreLabelledWithTheirSetUpAndTheStatusTheKeysSet) {
  const struct {
    const char* keys;
    int tmu, delta;
  } steps[] = {{"", 0, 0}, {"eewww", 2, 6}, {"dwwwwwwwwwwwwwwwwwwww", 1, 30}};
  for (const auto& step : steps) {
    for (const char* key = step.keys; *key != '\0'; ++key)
      handle_key(static_cast<unsigned char>(*key), 0, 0);
    expect_panel_texts(4, step.tmu, step.delta);
  }
}

TEST_F(Started, ColourBandsRunIntoTheDistance) {
  test_state.tmu_count = 1;  // the pictures of the other units would tint the bands
  expect_colour_bands(4);
}

// The report measures each unit so: white on the other units leaves its texture alone.
TEST_F(Started, AWhiteTextureOnTheOtherUnitsShowsTheSelectedUnitAlone) {
  const int units = test_state.tmu_count;
  TextureObject2D white;
  white.bind();
  RgbImage white_texel(1, 1);
  white_texel.texel(0, 0) = {255, 255, 255};
  upload_image(white_texel, false);
  const auto draw = [](TextureObject2D* other_units) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PanelSetup setup = test_panel_setup();
    if (other_units) setup.pictures.fill(other_units);
    draw_panel(8.0f, true, setup);
    return read_frame();
  };
  test_state.tmu_count = 1;
  const RgbImage alone = draw(nullptr);
  test_state.tmu_count = units;
  for (test_state.current_tmu = 0; test_state.current_tmu < units; ++test_state.current_tmu)
    EXPECT_TRUE(same_image(draw(&white), alone)) << "unit " << test_state.current_tmu;
  test_state.current_tmu = 0;
  EXPECT_FALSE(same_image(draw(nullptr), alone)) << "the other units' pictures never showed";
}

// For any unit showing the colour mipmaps, after any panel: the report measures each unit alone.
TEST_F(Started, EveryUnitsTextureTakesThePanelsFilterAndAnisotropy) {
  const int units = test_state.tmu_count;
  ASSERT_GT(units, 1) << "the driver offers one texture unit";
  const struct {
    float anisotropy;
    int trilinear;
  } panels_drawn[] = {{8.0f, 1}, {4.0f, 0}, {2.0f, 1}, {1.0f, 0}};
  for (test_state.current_tmu = units - 1; test_state.current_tmu >= 0; --test_state.current_tmu)
    for (const auto& panel : panels_drawn) {
      draw_panel(panel.anisotropy, panel.trilinear, test_panel_setup());
      for (int unit = 0; unit < units; ++unit) {
        glh::glActiveTextureARB(GL_TEXTURE0_ARB + unit);
        GLfloat anisotropy = 0.0f;
        GLint min_filter = 0;
        glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min_filter);
        EXPECT_EQ(anisotropy, panel.anisotropy) << "unit " << unit;
        EXPECT_EQ(min_filter, panel.trilinear ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_NEAREST)
            << "unit " << unit;
      }
    }
  glh::glActiveTextureARB(GL_TEXTURE0_ARB);
}

// Panels are whole pixels: the rest of the window stays black, down to panels of no area, and at
// its start size the window is drawn whole; the viewport is left as found.
TEST_F(Started, ResizedWindowsDrawWholePanelsOnly) {
  const int width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
  const struct {
    int width, height, drawn_width, drawn_height;
  } sizes[] = {{1023, 511, 1020, 510}, {7, 3, 4, 2}, {3, 1, 0, 0}, {width, height, width, height}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
    resize_window(size.width, size.height);
    draw_panels(OverlayFont::glut, test_panel_setup());
    EXPECT_EQ(gl_viewport(), (std::array<GLint, 4>{0, 0, size.width, size.height}));
    const RgbImage frame = read_frame();
    int lit = 0, stray = 0;
    for (int y = 0; y < size.height; ++y)
      for (int x = 0; x < size.width; ++x) {
        const bool drawn = x < size.drawn_width && y < size.drawn_height;
        (drawn ? lit : stray) += frame.texel(x, y) != RgbTexel{};
      }
    EXPECT_EQ(stray, 0) << "pixels drawn outside the panels";
    EXPECT_GE(lit, size.drawn_width * size.drawn_height / 4);
  }
}

void check_narrow_start_up() {
  ASSERT_TRUE(start({"-noaf", "-tc", "-nomt", "-noaftrick"}));
  EXPECT_EQ(test_state.tmu_count, 1);
  expect_colour_bands(1);
  expect_panel_texts(1, 0, 0, ",TC");  // last: it hides the plane
  for (int slot = 0; slot < static_cast<int>(test_textures.size()); ++slot) {
    test_textures[slot].bind();
    GLfloat anisotropy = 0;
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
    EXPECT_EQ(anisotropy, 1.0f) << "slot " << slot << " got an anisotropy";
    EXPECT_EQ(level_parameter(0, GL_TEXTURE_INTERNAL_FORMAT) == GL_COMPRESSED_RGB_S3TC_DXT1_EXT,
              slot >= first_color_mip_slot) << "slot " << slot;
  }
}

std::vector<GlCall> expected_deletions;

// Registered before the start-up, so run after the toolkit's exit handler: only the start-up's
// objects were deleted, once each in a context, the list then the textures from the last slot down.
void check_deletions() {
  std::vector<GlCall> deletions;
  for (const GlCall& call : gl_calls())
    if (call.function.rfind("Delete", 0) == 0) deletions.push_back(call);
  if (deletions == expected_deletions) return;
  for (const auto* list : {&expected_deletions, &deletions}) {
    std::fputs(list == &deletions ? "\ndeleted:" : "expected:", stderr);
    for (const GlCall& call : *list)
      std::fprintf(stderr, " %s %u%s", call.function.c_str(), call.name,
                   call.context_current ? "" : " without a context");
  }
  std::_Exit(1);
}

// In a child process: the default start-up, then `end`, which ends the process.
[[noreturn]] void start_and_end(void (*end)()) {
  std::atexit(check_deletions);
  if (!start({})) std::_Exit(2);
  expected_deletions = {{"DeleteLists", plane_list.name(), true}};
  for (auto texture = test_textures.rbegin(); texture != test_textures.rend(); ++texture)
    expected_deletions.push_back({"DeleteTextures", texture->name(), true});
  clear_gl_calls();
  end();
  std::_Exit(3);
}

class InChild : public testing::Test {
 protected:
  void SetUp() override {
    if (!display_available()) GTEST_SKIP() << "no X display";
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, where GLUT can start
  }
};

TEST_F(InChild, NarrowCompressedSingleUnitWithoutTheAnisotropyTrick) {
  EXPECT_EXIT(check_in_child(check_narrow_start_up), testing::ExitedWithCode(0), "");
}

TEST_F(InChild, ClosingTheWindowOrExitingReleasesTheObjectsOnceInOrder) {
  EXPECT_EXIT(start_and_end([] {
                send_close_message(glXGetCurrentDisplay(), glXGetCurrentDrawable());
                glutMainLoop();
              }),
              testing::ExitedWithCode(0), "");
  EXPECT_EXIT(start_and_end([] { std::exit(0); }), testing::ExitedWithCode(0), "");
}

}  // namespace
