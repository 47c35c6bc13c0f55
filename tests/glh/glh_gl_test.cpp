// The extension layer on Mesa: the combined GL and GLX string, and the support check.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/startup.h"
#include "gl_read_back.h"
#include "gl_test_window.h"
#include "glh/glh_platform.h"
#include "glh_state.h"

TEST(ExtensionsOnTheDriver, AdvertisedRowsLoadCallableEntryPointsAndOtherNamesFail) {
  REQUIRE_GL_WINDOW();
  reset_extension_layer(nullptr);
  ASSERT_EQ(glh::request_extensions(required_extensions), 1);
  const std::string combined = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)) +
                               std::string(" ") + glh::window_system_extensions() + " ";
  char* const first = glh::combined_extension_string;
  EXPECT_EQ(first, combined);
  glh::glActiveTextureARB(GL_TEXTURE1_ARB);
  EXPECT_EQ(gl_integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE1_ARB);

  int advertised = 0;
  for (int row = 0; row < glh::extension_table_size; ++row) {
    const char* const name = glh::extension_table[row].name;
    if (!glh::extension_advertised(name, first)) continue;
    ++advertised;
    EXPECT_EQ(glh::request_extensions(name), 1) << name;
  }
  EXPECT_GE(advertised, 4);  // at least the required three and GL_VERSION_1_2
  EXPECT_NE(glh::glTexImage3D, nullptr);
  // Mesa advertises GL_ARB_vertex_buffer_object, which the table does not know.
  EXPECT_EQ(glh::request_extensions("GL_ARB_vertex_buffer_object gl_arb_multitexture GL_EXT_bgra"),
            0);
  EXPECT_STREQ(glh::unsupported_extensions, "GL_ARB_vertex_buffer_object gl_arb_multitexture ");
  EXPECT_EQ(glh::combined_extension_string, first);  // built once and kept
  EXPECT_EQ(first, combined);
}
