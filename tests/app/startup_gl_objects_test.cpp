// The GL objects start-up makes, on the real driver: the colour-mipmap textures in their slots,
// the initial anisotropy, "-tc", the plane's list and the texture matrices; and their release
// when the window closes or the process ends, list first, textures from the last slot down.
// Before GL/glx.h, whose X11 macros clash with its names.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/startup.h"
#include "start_test_support.h"
#include "app/test_objects.h"
#include "gl_call_log.h"
#include "gl_read_back.h"
#include "glh/glh_genext.h"

namespace {

float anisotropy(int slot) {
  test_textures[slot].bind();
  GLfloat value = 0;
  glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &value);
  return value;
}

// Texel (x, y) of level 0 of the texture in `slot`, its red byte.
int level0_red(int slot, int x, int y) {
  test_textures[slot].bind();
  std::vector<unsigned char> texels(256 * 256 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  return texels[(y * 256 + x) * 3];
}

std::array<GLfloat, 16> texture_matrix(int unit) {
  glh::glActiveTextureARB(GL_TEXTURE0_ARB + unit);
  return gl_matrix(GL_TEXTURE_MATRIX);
}

GLint active_unit() { return gl_integer(GL_ACTIVE_TEXTURE_ARB) - GL_TEXTURE0_ARB; }

void expect_texture_matrices(int tmu_count) {
  const int active = active_unit();
  EXPECT_EQ(active, tmu_count - 1) << "the last unit in use stays active";
  constexpr std::array<GLfloat, 16> zero_r = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  constexpr std::array<GLfloat, 16> identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  for (int unit = 0; unit < 4; ++unit)
    EXPECT_EQ(texture_matrix(unit), unit < tmu_count ? zero_r : identity) << "unit " << unit;
}

// The deletions a release in the expected order makes: the list, then slots 19 .. 0.
std::string expected_deletions() {
  std::ostringstream lines;
  lines << "deleted list " << plane_list.name() << "\n";
  for (int slot = static_cast<int>(test_textures.size()) - 1; slot >= 0; --slot)
    lines << "deleted texture " << test_textures[slot].name() << "\n";
  return lines.str();
}

// Runs `body` in a child process and returns what it wrote on standard error; `body` ends the
// process itself.
std::string run_in_child(void (*body)()) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipe_ends[1], STDERR_FILENO);
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    body();
    std::_Exit(3);
  }
  close(pipe_ends[1]);
  std::string output;
  char buffer[4096];
  for (ssize_t n; (n = read(pipe_ends[0], buffer, sizeof buffer)) > 0;) output.append(buffer, n);
  close(pipe_ends[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  return output;
}

// In the child: the start-up, then what the deletions should be, then only the deletions.
void start_and_announce_deletions() {
  if (!start_with_switches({})) std::_Exit(2);
  std::fprintf(stderr, "expect:\n%s", expected_deletions().c_str());
  std::fprintf(stderr, "then:\n");
  echo_gl_deletions();
}

// The child deleted exactly what it announced, in that order, and nothing else.
void expect_announced_deletions(const std::string& output) {
  const std::size_t expect = output.find("expect:\n");
  const std::size_t then = output.find("then:\n");
  ASSERT_NE(expect, std::string::npos) << output;
  ASSERT_NE(then, std::string::npos) << output;
  const std::string announced = output.substr(expect + 8, then - expect - 8);
  EXPECT_EQ(output.substr(then + 6), announced);
}

}  // namespace

TEST(StartUpObjects, EverySlotAndThePlaneAreNamedAndNothingStaysBound) {
  START_TEST_OR_SKIP();
  for (std::size_t slot = 0; slot < test_textures.size(); ++slot) {
    ASSERT_TRUE(test_textures[slot].valid()) << "slot " << slot;
    EXPECT_TRUE(glIsTexture(test_textures[slot].name())) << "slot " << slot;
  }
  ASSERT_TRUE(plane_list.valid());
  EXPECT_TRUE(glIsList(plane_list.name()));
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
}

TEST(StartUpObjects, ColourMipSlotsHoldDeltasZeroToThirtyUncompressed) {
  START_TEST_OR_SKIP();
  // Texel (5, 3) of level 0: 255 for delta 0, 251 for delta 2, 202 for delta 30.
  EXPECT_EQ(level0_red(first_color_mip_slot, 5, 3), 255);
  EXPECT_EQ(level0_red(first_color_mip_slot + 1, 5, 3), 251);
  EXPECT_EQ(level0_red(first_color_mip_slot + 15, 5, 3), 202);
  for (int slot = first_color_mip_slot; slot < first_color_mip_slot + color_mip_texture_count;
       ++slot) {
    test_textures[slot].bind();
    EXPECT_EQ(level_parameter(0, GL_TEXTURE_WIDTH), 256) << "slot " << slot;
    EXPECT_EQ(level_parameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB8) << "slot " << slot;
  }
}

TEST(StartUpObjects, TcCompressesTheColourMipTexturesOnly) {
  START_TEST_OR_SKIP("-TC");
  for (std::size_t slot = 0; slot < test_textures.size(); ++slot) {
    test_textures[slot].bind();
    const bool color_mip = static_cast<int>(slot) >= first_color_mip_slot;
    EXPECT_EQ(level_parameter(0, GL_TEXTURE_COMPRESSED), color_mip ? GL_TRUE : GL_FALSE)
        << "slot " << slot;
    if (color_mip) {
      EXPECT_EQ(level_parameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_COMPRESSED_RGB_S3TC_DXT1_EXT)
          << "slot " << slot;
    }
  }
}

TEST(StartUpObjects, EveryTextureStartsWithAnisotropyTwo) {
  START_TEST_OR_SKIP();
  for (std::size_t slot = 0; slot < test_textures.size(); ++slot)
    EXPECT_EQ(anisotropy(static_cast<int>(slot)), 2.0f) << "slot " << slot;
}

TEST(StartUpObjects, NoAfTrickLeavesTheDefaultAnisotropy) {
  START_TEST_OR_SKIP("-noaftrick");
  for (std::size_t slot = 0; slot < test_textures.size(); ++slot)
    EXPECT_EQ(anisotropy(static_cast<int>(slot)), 1.0f) << "slot " << slot;
}

TEST(StartUpObjects, TextureMatricesZeroRForEachUnitInUse) {
  START_TEST_OR_SKIP();
  ASSERT_EQ(test_state.tmu_count, 4);
  expect_texture_matrices(4);
}

TEST(StartUpObjects, NoMultitextureSetsUnitZerosMatrixOnly) {
  START_TEST_OR_SKIP("-nomt");
  expect_texture_matrices(1);
}

TEST(StartUpObjects, ReleaseGivesBackTheListThenTheTexturesFromTheLastSlot) {
  START_TEST_OR_SKIP();
  std::vector<GlCall> expected = {{"DeleteLists", plane_list.name(), true}};
  for (int slot = static_cast<int>(test_textures.size()) - 1; slot >= 0; --slot)
    expected.push_back({"DeleteTextures", test_textures[slot].name(), true});
  clear_gl_calls();
  release_test_objects();
  EXPECT_EQ(gl_calls(), expected);
  clear_gl_calls();
  release_test_objects();
  EXPECT_TRUE(gl_calls().empty()) << "a second release deletes nothing";
}

TEST(StartUpObjects, ClosingTheWindowReleasesOnceWhileTheContextExists) {
  if (!display_available()) GTEST_SKIP() << "no X display";
  const std::string output = run_in_child([] {
    start_and_announce_deletions();
    // What the window's close button sends; the toolkit then ends the process itself.
    Display* const display = glXGetCurrentDisplay();
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = glXGetCurrentDrawable();
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XFlush(display);
    glutMainLoop();
  });
  expect_announced_deletions(output);
}

// The toolkit's exit handler destroys the window, which runs the same close hook.
TEST(StartUpObjects, ExitWithTheWindowOpenReleasesOnceInOrder) {
  if (!display_available()) GTEST_SKIP() << "no X display";
  const std::string output = run_in_child([] {
    start_and_announce_deletions();
    std::exit(0);
  });
  expect_announced_deletions(output);
}
