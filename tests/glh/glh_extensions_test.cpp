// The support check against injected extension strings and a driver played through the lookup
// seam: the matching rule, the separators, and what lands in unsupported_extensions.
#include "glh/glh_extensions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "fake_driver.h"

namespace {

// Stands in for the driver's strings: request_extensions builds its combined string only when
// none exists yet, so an injected one is what every test of this process sees.
void inject_combined_string(const char* text) {
  glh::combined_extension_string = static_cast<char*>(std::malloc(std::strlen(text) + 1));
  std::strcpy(glh::combined_extension_string, text);
}

std::string unsupported() {
  return glh::unsupported_extensions != nullptr ? glh::unsupported_extensions : "(null)";
}

constexpr const char* driver_strings =
    "GL_ARB_multitexture GL_EXT_bgra GL_NV_register_combiners2 GL_EXT_blend_color "
    "GL_EXT_texture_filter_anisotropic GL_ARB_texture_compression GL_ARB_imaging  "
    "GLX_ARB_get_proc_address WGL_ARB_pbuffer ";

class RequestExtensions : public ::testing::Test {
 protected:
  void SetUp() override {
    inject_combined_string(driver_strings);
    fake_driver::install();
  }
};

}  // namespace

TEST(SkipSeparators, StopsAtTheFirstNameByteOrTheTerminator) {
  const char text[] = " \t\n\rname";
  EXPECT_EQ(glh::skip_separators(text), text + 3);  // a carriage return is part of a name
  const char blank[] = "  \t";
  EXPECT_EQ(glh::skip_separators(blank), blank + 3);
  EXPECT_EQ(glh::skip_name(text + 3), text + 8);
  const char names[] = "GL_A\tGL_B";
  EXPECT_EQ(glh::skip_name(names), names + 4);
}

TEST(ExtensionAdvertised, MatchesWholeNamesFollowedByASpace) {
  const char* const combined = "GL_NV_register_combiners2 GL_EXT_bgra WGL_ARB_pbuffer  ";
  EXPECT_EQ(glh::extension_advertised("GL_EXT_bgra", combined), 1);
  EXPECT_EQ(glh::extension_advertised("GL_NV_register_combiners2", combined), 1);
  // Never the head of a longer name...
  EXPECT_EQ(glh::extension_advertised("GL_NV_register_combiners", combined), 0);
  EXPECT_EQ(glh::extension_advertised("GL_EXT_bgr", combined), 0);
  // ...but the tail of one, as the rule has always been.
  EXPECT_EQ(glh::extension_advertised("GL_ARB_pbuffer", combined), 1);
  EXPECT_EQ(glh::extension_advertised("gl_ext_bgra", combined), 0);
  // The last GL name, followed only by the two appended spaces, is found.
  EXPECT_EQ(glh::extension_advertised("GL_EXT_last", "GL_A GL_EXT_last  "), 1);
  EXPECT_EQ(glh::extension_advertised("GL_EXT_bgra", nullptr), 0);
  // An empty name matches nothing, even in a string without a space to stop at.
  const std::string no_space = "GL_EXT_bgra";
  EXPECT_EQ(glh::extension_advertised("", no_space.c_str()), 0);
  EXPECT_EQ(glh::extension_advertised("", combined), 0);
}

TEST_F(RequestExtensions, NullListOnlyKeepsTheCombinedString) {
  const char* const combined = glh::combined_extension_string;
  EXPECT_EQ(glh::request_extensions(nullptr), 1);
  EXPECT_EQ(glh::combined_extension_string, combined);
  EXPECT_EQ(glh::unsupported_extensions, nullptr);

  ASSERT_EQ(glh::request_extensions("GL_EXT_missing"), 0);
  EXPECT_EQ(glh::request_extensions(nullptr), 1);
  EXPECT_EQ(unsupported(), "GL_EXT_missing ");  // untouched by the null list
}

TEST_F(RequestExtensions, EmptyOrBlankListsPassAndEmptyTheFailures) {
  ASSERT_EQ(glh::request_extensions("GL_EXT_missing"), 0);
  EXPECT_EQ(glh::request_extensions(""), 1);
  EXPECT_EQ(unsupported(), "");
  ASSERT_EQ(glh::request_extensions("GL_EXT_missing"), 0);
  EXPECT_EQ(glh::request_extensions(" \t\n "), 1);
  EXPECT_EQ(unsupported(), "");
  EXPECT_TRUE(fake_driver::lookups.empty());
}

TEST_F(RequestExtensions, SpacesTabsAndNewlinesSeparateNames) {
  const char list[] = "  GL_ARB_multitexture\tGL_EXT_bgra\n";
  EXPECT_EQ(glh::request_extensions(list), 1);
  EXPECT_EQ(unsupported(), "");
  EXPECT_EQ(fake_driver::lookups.size(), 34u);  // GL_EXT_bgra has no entry points
  EXPECT_STREQ(list, "  GL_ARB_multitexture\tGL_EXT_bgra\n");  // the caller's list is intact
  EXPECT_NE(glh::glActiveTextureARB, nullptr);
}

TEST_F(RequestExtensions, CarriageReturnBecomesPartOfAName) {
  EXPECT_EQ(glh::request_extensions("GL_ARB_multitexture\tGL_EXT_bgra\r\n"), 0);
  EXPECT_EQ(unsupported(), "GL_EXT_bgra\r ");
}

TEST_F(RequestExtensions, OneFailureStopsNeitherTestingNorLoading) {
  EXPECT_EQ(glh::request_extensions("GL_EXT_bgra GL_EXT_missing GL_EXT_blend_color"), 0);
  EXPECT_EQ(unsupported(), "GL_EXT_missing ");
  EXPECT_EQ(fake_driver::lookups, std::vector<std::string>{"glBlendColorEXT"});
  EXPECT_NE(glh::glBlendColorEXT, nullptr);
}

TEST_F(RequestExtensions, EveryFailingNameIsListedInOrder) {
  const char list[] = "GL_EXT_one GL_NV_register_combiners GL_ARB_pbuffer GL_ARB_imaging";
  EXPECT_EQ(glh::request_extensions(list), 0);
  // Not advertised; the head of an advertised name; the tail of an advertised name, which passes
  // the match but has no row; advertised but unknown to the table.
  EXPECT_EQ(unsupported(), "GL_EXT_one GL_NV_register_combiners GL_ARB_pbuffer GL_ARB_imaging ");
  EXPECT_TRUE(fake_driver::lookups.empty());
}

TEST_F(RequestExtensions, NotAdvertisedNamesAreNeverLoaded) {
  EXPECT_EQ(glh::request_extensions("GL_EXT_texture_object"), 0);
  EXPECT_TRUE(fake_driver::lookups.empty());
  EXPECT_EQ(glh::glBindTextureEXT, nullptr);
}

TEST_F(RequestExtensions, AdvertisedNameWithMissingEntryPointFails) {
  fake_driver::install({"glClientActiveTextureARB"});
  EXPECT_EQ(glh::request_extensions(
                "GL_EXT_texture_filter_anisotropic GL_ARB_multitexture GL_ARB_texture_compression"),
            0);
  EXPECT_EQ(unsupported(), "GL_ARB_multitexture ");
  EXPECT_EQ(fake_driver::lookups.size(), 34u + 7u);
}

TEST_F(RequestExtensions, NameListedTwiceIsTestedAndLoadedTwice) {
  EXPECT_EQ(glh::request_extensions("GL_EXT_blend_color GL_EXT_blend_color"), 1);
  EXPECT_EQ(fake_driver::lookups.size(), 2u);
  EXPECT_EQ(glh::request_extensions("GL_EXT_missing\tGL_EXT_missing"), 0);
  EXPECT_EQ(unsupported(), "GL_EXT_missing GL_EXT_missing ");
}

TEST_F(RequestExtensions, FailureBufferGrowsWithTheRequest) {
  ASSERT_EQ(glh::request_extensions("GL_X"), 0);
  std::string list, expected;
  for (int i = 0; i < 200; ++i) {
    const std::string name = "GL_EXT_unknown_" + std::to_string(i);
    list += name + "\t";
    expected += name + " ";
  }
  EXPECT_EQ(glh::request_extensions(list.c_str()), 0);
  EXPECT_EQ(unsupported(), expected);
  EXPECT_EQ(glh::request_extensions("GL_Y"), 0);
  EXPECT_EQ(unsupported(), "GL_Y ");
}
