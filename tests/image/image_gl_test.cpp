// The image subsystem on Mesa: uploaded levels read back, and lazily named GL objects.
#include <gtest/gtest.h>

#include <GL/glx.h>  // after gtest, whose names its X11 macros would clash with

#include <tuple>
#include <vector>

#include "gl_call_log.h"
#include "gl_read_back.h"
#include "gl_test_window.h"
#include "image/box_filter.h"
#include "image/display_list.h"
#include "image/texture_object.h"
#include "image/upload_image.h"
#include "image_compare.h"

namespace {

// Rows of three texels skew under the default unpack alignment of 4; levels halve to 1 x 1.
TEST(UploadImage, LevelsReadBackWithTheirSizesAndTheAlignmentIsRestored) {
  REQUIRE_GL_WINDOW();
  using Sizes = std::vector<std::pair<int, int>>;
  const std::tuple<RgbImage, bool, GLint, Sizes> cases[] = {
      {patterned_image(3, 5), false, GL_RGB, {{3, 5}}},
      {patterned_image(4, 2), true, GL_RGB8, {{4, 2}, {2, 1}, {1, 1}}},
      {RgbImage(1, 1), true, GL_RGB8, {{1, 1}}}};
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  for (const auto& [image, mipmaps, format, level_sizes] : cases) {
    TextureObject2D texture;
    texture.bind();
    upload_image(image, mipmaps);
    EXPECT_EQ(gl_integer(GL_UNPACK_ALIGNMENT), 8);
    EXPECT_EQ(level_parameter(0, GL_TEXTURE_INTERNAL_FORMAT), format);
    EXPECT_TRUE(same_image(read_level(0), image));
    Sizes sizes;
    for (GLint level = 0; level_parameter(level, GL_TEXTURE_WIDTH) > 0; ++level)
      sizes.emplace_back(level_parameter(level, GL_TEXTURE_WIDTH),
                         level_parameter(level, GL_TEXTURE_HEIGHT));
    EXPECT_EQ(sizes, level_sizes);
  }
  // A chain of the box filter's, level by level.
  const std::vector<RgbImage> chain = mip_chain(patterned_image(8, 2));
  TextureObject2D texture;
  texture.bind();
  upload_mip_chain(chain);
  EXPECT_EQ(gl_integer(GL_UNPACK_ALIGNMENT), 8);
  for (std::size_t level = 0; level < chain.size(); ++level)
    EXPECT_TRUE(same_image(read_level(GLint(level)), chain[level])) << "level " << level;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

// A lazily named kind: its make, use and delete calls, a use, and whether the driver shows it.
template <class Object>
struct Kind;

template <>
struct Kind<TextureObject2D> {
  static inline const char* const calls[] = {"GenTextures", "BindTexture", "DeleteTextures"};
  static void use(TextureObject2D& texture) { texture.bind(); }
  static bool exists(GLuint name) { return glIsTexture(name); }
  static bool shows(TextureObject2D& texture) {
    return gl_integer(GL_TEXTURE_BINDING_2D) == GLint(texture.name());
  }
};

// Each use compiles the list anew with another red; calling the list sets the latest.
template <>
struct Kind<DisplayList> {
  static inline const char* const calls[] = {"GenLists", "NewList", "DeleteLists"};
  static inline float red = 0.0f;
  static void use(DisplayList& list) {
    list.new_list(GL_COMPILE);
    glColor3f(red += 0.125f, 0.0f, 0.0f);
    glEndList();
  }
  static bool exists(GLuint name) { return glIsList(name); }
  static bool shows(DisplayList& list) {
    GLfloat colour[4] = {};
    glColor3f(0.0f, 0.0f, 0.0f);
    list.call_list();
    glGetFloatv(GL_CURRENT_COLOR, colour);
    return colour[0] == red;
  }
};

template <class Object>
class LazyName : public testing::Test {
 protected:
  void SetUp() override {
    if (!open_test_window()) GTEST_SKIP() << "no X display for a GL context";
    clear_gl_calls();
  }
  // The calls of the functions `which` (0 make, 1 use, 2 delete) with `name`, in that order.
  static std::vector<GlCall> calls(std::vector<int> which, GLuint name) {
    std::vector<GlCall> made;
    for (const int i : which) made.push_back({Kind<Object>::calls[i], name, true});
    return made;
  }
};

using Kinds = testing::Types<TextureObject2D, DisplayList>;
TYPED_TEST_SUITE(LazyName, Kinds);

// A release deletes the name once and the next use makes a fresh one; no name, no GL call. Objects
// live until the process exits, so destruction deletes only while a GL context is current.
TYPED_TEST(LazyName, IsMadeOnFirstUseKeptForLaterUsesAndDeletedOnce) {
  using K = Kind<TypeParam>;
  TypeParam object;
  object.release();
  K::shows(object);
  EXPECT_EQ(gl_calls(), this->calls({}, 0));
  for (int round = 0; round < 2; ++round, clear_gl_calls()) {
    K::use(object);
    K::use(object);
    const GLuint name = object.name();
    EXPECT_EQ(gl_calls(), this->calls({0, 1, 1}, name));
    EXPECT_TRUE(object.valid() && K::exists(name) && K::shows(object));
    clear_gl_calls();
    object.release();
    object.release();
    EXPECT_FALSE(object.valid() || K::exists(name) || K::shows(object));
    EXPECT_EQ(gl_calls(), this->calls({2}, name));
  }
  Display* const display = glXGetCurrentDisplay();
  const GLXDrawable drawable = glXGetCurrentDrawable();
  const GLXContext context = glXGetCurrentContext();
  for (const bool current : {true, false}) {
    GLuint name = 0;
    {
      TypeParam destroyed;
      K::use(destroyed);
      name = destroyed.name();
      ASSERT_TRUE(current || glXMakeCurrent(display, None, nullptr));
      clear_gl_calls();
    }
    EXPECT_EQ(gl_calls(), this->calls(current ? std::vector<int>{2} : std::vector<int>{}, name));
    ASSERT_TRUE(glXMakeCurrent(display, drawable, context));
    EXPECT_EQ(K::exists(name), !current);
  }
}

}  // namespace
