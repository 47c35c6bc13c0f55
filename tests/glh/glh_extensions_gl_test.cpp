// The support check against the real driver: Mesa's strings, GLX's entry points and the version
// test, each test in a fresh process with its own GL context.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/startup.h"
#include "gl_test_window.h"
#include "glh/glh_extensions.h"
#include "glh/glh_platform.h"

namespace {

std::string gl_string(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text != nullptr ? text : "";
}

}  // namespace

TEST(ExtensionsOnTheDriver, RequiredExtensionsAreSupported) {
  REQUIRE_GL_WINDOW();
  EXPECT_EQ(glh::request_extensions(required_extensions), 1);
  ASSERT_NE(glh::unsupported_extensions, nullptr);
  EXPECT_STREQ(glh::unsupported_extensions, "");
  // The two entry points the test calls, and the compression row, are loaded and callable.
  ASSERT_NE(glh::glActiveTextureARB, nullptr);
  ASSERT_NE(glh::glMultiTexCoord2fARB, nullptr);
  EXPECT_NE(glh::glCompressedTexImage2DARB, nullptr);
  glh::glActiveTextureARB(GL_TEXTURE1_ARB);
  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
  EXPECT_EQ(active, GL_TEXTURE1_ARB);
}

TEST(ExtensionsOnTheDriver, CombinedStringJoinsGlAndGlxStringsOnce) {
  REQUIRE_GL_WINDOW();
  ASSERT_EQ(glh::request_extensions(nullptr), 1);
  const char* const window_system = glh::window_system_extensions();
  ASSERT_NE(window_system, nullptr);
  const std::string expected = gl_string(GL_EXTENSIONS) + " " + window_system + " ";
  ASSERT_NE(glh::combined_extension_string, nullptr);
  EXPECT_EQ(std::string(glh::combined_extension_string), expected);
  EXPECT_NE(std::strstr(glh::combined_extension_string, "GLX_ARB_get_proc_address "), nullptr);
  EXPECT_EQ(glh::unsupported_extensions, nullptr);

  // Built once: later calls keep the same text.
  char* const first = glh::combined_extension_string;
  EXPECT_EQ(glh::request_extensions("GL_EXT_bgra"), 1);
  EXPECT_EQ(glh::combined_extension_string, first);
  EXPECT_EQ(std::string(first), expected);
}

TEST(ExtensionsOnTheDriver, UnknownAndMistypedNamesFail) {
  REQUIRE_GL_WINDOW();
  // Mesa advertises GL_ARB_vertex_buffer_object, which the table does not know.
  EXPECT_EQ(glh::request_extensions("GL_ARB_vertex_buffer_object gl_arb_multitexture GL_EXT_bgra"),
            0);
  EXPECT_STREQ(glh::unsupported_extensions, "GL_ARB_vertex_buffer_object gl_arb_multitexture ");
}

TEST(ExtensionsOnTheDriver, Version12PassesOnAModernVersion) {
  REQUIRE_GL_WINDOW();
  ASSERT_EQ(glh::request_extensions(nullptr), 1);
  ASSERT_GE(gl_string(GL_VERSION).compare(0, 3, "1.2"), 0);
  EXPECT_EQ(glh::extension_advertised("GL_VERSION_1_2", ""), 1);
  EXPECT_EQ(glh::request_extensions("GL_VERSION_1_2"), 1);
  EXPECT_NE(glh::glTexImage3D, nullptr);
}

TEST(ExtensionsOnTheDriver, Version12FailsOnAVersion11Driver) {
  setenv("MESA_GL_VERSION_OVERRIDE", "1.1", 1);
  REQUIRE_GL_WINDOW();
  if (gl_string(GL_VERSION).compare(0, 3, "1.1") != 0)
    GTEST_SKIP() << "the driver ignores MESA_GL_VERSION_OVERRIDE: " << gl_string(GL_VERSION);
  EXPECT_EQ(glh::extension_advertised("GL_VERSION_1_2", "GL_VERSION_1_2 "), 0);
  EXPECT_EQ(glh::request_extensions("GL_VERSION_1_2"), 0);
  EXPECT_STREQ(glh::unsupported_extensions, "GL_VERSION_1_2 ");
  EXPECT_EQ(glh::glTexImage3D, nullptr);  // failed the version test: never loaded
}
