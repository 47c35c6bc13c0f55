// TextureObject on the real driver: no GL call until first use, one name per object, deleted
// once, and never without a GL context.
#include "image/texture_object.h"

// Before GL/glx.h, whose X11 macros clash with its names.
#include <gtest/gtest.h>

#include <GL/glx.h>

#include <vector>

#include "gl_call_log.h"
#include "gl_test_window.h"

namespace {

using Calls = std::vector<GlCall>;

GLuint bound_texture_2d() {
  GLint name = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  return static_cast<GLuint>(name);
}

}  // namespace

TEST(TextureObject, ConstructionMakesNoGlCall) {
  REQUIRE_GL_WINDOW();
  clear_gl_calls();
  {
    const TextureObject2D texture;
    EXPECT_FALSE(texture.valid());
    EXPECT_EQ(texture.target(), static_cast<GLenum>(GL_TEXTURE_2D));
  }
  EXPECT_EQ(gl_calls(), Calls{});
}

TEST(TextureObject, FirstBindNamesAndBindsLaterBindsOnlyBind) {
  REQUIRE_GL_WINDOW();
  TextureObject2D texture;
  clear_gl_calls();
  texture.bind();
  ASSERT_TRUE(texture.valid());
  const GLuint name = texture.name();
  EXPECT_EQ(gl_calls(), (Calls{{"GenTextures", name, true}, {"BindTexture", name, true}}));
  EXPECT_TRUE(glIsTexture(name));
  EXPECT_EQ(bound_texture_2d(), name);

  glBindTexture(GL_TEXTURE_2D, 0);
  clear_gl_calls();
  texture.bind();
  EXPECT_EQ(texture.name(), name);
  EXPECT_EQ(gl_calls(), (Calls{{"BindTexture", name, true}}));
  EXPECT_EQ(bound_texture_2d(), name);
}

TEST(TextureObject, ReleaseDeletesTheNameOnce) {
  REQUIRE_GL_WINDOW();
  TextureObject2D texture;
  texture.bind();
  const GLuint name = texture.name();
  clear_gl_calls();
  texture.release();
  texture.release();
  EXPECT_FALSE(texture.valid());
  EXPECT_FALSE(glIsTexture(name));
  EXPECT_EQ(gl_calls(), (Calls{{"DeleteTextures", name, true}}));
}

TEST(TextureObject, ReleaseOfAnUnnamedObjectMakesNoGlCall) {
  REQUIRE_GL_WINDOW();
  TextureObject2D texture;
  clear_gl_calls();
  texture.release();
  EXPECT_EQ(gl_calls(), Calls{});
}

TEST(TextureObject, BindAfterReleaseGeneratesAFreshName) {
  REQUIRE_GL_WINDOW();
  TextureObject2D texture;
  texture.bind();
  texture.release();
  clear_gl_calls();
  texture.bind();
  ASSERT_TRUE(texture.valid());
  EXPECT_EQ(gl_calls(), (Calls{{"GenTextures", texture.name(), true},
                               {"BindTexture", texture.name(), true}}));
  EXPECT_TRUE(glIsTexture(texture.name()));
}

TEST(TextureObject, DestructionDeletesTheNameWhileAContextIsCurrent) {
  REQUIRE_GL_WINDOW();
  GLuint name = 0;
  {
    TextureObject2D texture;
    texture.bind();
    name = texture.name();
    clear_gl_calls();
  }
  EXPECT_EQ(gl_calls(), (Calls{{"DeleteTextures", name, true}}));
  EXPECT_FALSE(glIsTexture(name));
}

TEST(TextureObject, DestructionWithoutAContextMakesNoGlCall) {
  REQUIRE_GL_WINDOW();
  Display* const display = glXGetCurrentDisplay();
  const GLXDrawable drawable = glXGetCurrentDrawable();
  const GLXContext context = glXGetCurrentContext();
  GLuint name = 0;
  {
    TextureObject2D texture;
    texture.bind();
    name = texture.name();
    ASSERT_TRUE(glXMakeCurrent(display, None, nullptr));
    clear_gl_calls();
  }
  EXPECT_EQ(gl_calls(), Calls{});
  ASSERT_TRUE(glXMakeCurrent(display, drawable, context));
  EXPECT_TRUE(glIsTexture(name)) << "the name was deleted after all";
}
