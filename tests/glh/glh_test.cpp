// The extension layer's name rules, support check and loader, on injected strings and fake_driver.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "fake_driver.h"
#include "glh/glh_extensions.h"
#include "glh_state.h"

static const char* driver_version = nullptr;

// Plays GL_VERSION, the only string the layer asks the driver for beside the combined one.
extern "C" const GLubyte* glGetString(GLenum name) {
  return reinterpret_cast<const GLubyte*>(name == GL_VERSION ? driver_version : nullptr);
}

namespace {

// The entry-point names of `rows`, one row after the other, in the table's order of lookup.
std::vector<std::string> entry_points_of(const std::vector<std::string>& rows) {
  std::vector<std::string> names;
  for (const std::string& name : rows)
    for (int r = 0; r < glh::extension_table_size; ++r)
      for (int i = 0; name == glh::extension_table[r].name &&
                      i < glh::extension_table[r].entry_point_count; ++i)
        names.emplace_back(glh::extension_table[r].entry_points[i].name);
  return names;
}

class ExtensionLayer : public testing::Test {
 protected:
  void SetUp() override { start_afresh(); }

  // No entry point loaded, these extension strings, and a driver that lacks `lacking`.
  static void start_afresh(std::set<std::string> lacking = {}) {
    reset_extension_layer(
        "GL_ARB_multitexture GL_EXT_bgra GL_NV_register_combiners2 GL_EXT_blend_color "
        "GL_EXT_texture_filter_anisotropic GL_ARB_texture_compression GL_ARB_imaging  "
        "GLX_ARB_get_proc_address WGL_ARB_pbuffer ");
    fake_driver::install(std::move(lacking));
  }
};

}  // namespace

TEST_F(ExtensionLayer, AdvertisedNamesAreWholeNamesFollowedByASpaceOrAVersionFrom12On) {
  const char* const combined = "GL_NV_register_combiners2 GL_EXT_bgra WGL_ARB_pbuffer  ";
  const char no_space[] = "GL_EXT_bgra";  // an empty name must not read past the end
  const struct {
    const char* name;
    const char* combined;
    const char* version;
    int advertised;
  } cases[] = {{"GL_EXT_bgra", combined, "", 1}, {"GL_NV_register_combiners2", combined, "", 1},
               {"GL_NV_register_combiners", combined, "", 0}, {"GL_EXT_bgr", combined, "", 0},
               {"GL_ARB_pbuffer", combined, "", 1}, {"gl_ext_bgra", combined, "", 0},
               {"GL_EXT_last", "GL_A GL_EXT_last  ", "", 1}, {"GL_EXT_bgra", nullptr, "", 0},
               {"", no_space, "", 0}, {"", combined, "", 0}, {"GL_VERSION_1_2", "", "1.2", 1},
               {"GL_VERSION_1_2", "", "2.1 Mesa 9.0", 1}, {"GL_VERSION_1_2", "", nullptr, 0},
               {"GL_VERSION_1_2", "GL_VERSION_1_2 ", "1.0 Mesa", 0},
               {"GL_VERSION_1_2", "GL_VERSION_1_2 ", "1.1", 0}};
  for (const auto& c : cases) {
    driver_version = c.version;
    EXPECT_EQ(glh::extension_advertised(c.name, c.combined), c.advertised)
        << '"' << c.name << "\" on version " << (c.version ? c.version : "(none)");
  }
}

TEST_F(ExtensionLayer, RequestTestsEveryNameAndListsEachFailureInOrder) {
  const struct {
    const char* list;
    int result;
    const char* unsupported;
    std::vector<std::string> loaded_rows;
    std::set<std::string> lacking = {};
  } cases[] = {
      {"GL_X_no\tGL_X_no", 0, "GL_X_no GL_X_no ", {}},
      {" \t\n ", 1, "", {}},
      {"  GL_ARB_multitexture\tGL_EXT_bgra\n", 1, "", {"GL_ARB_multitexture"}},
      {"GL_ARB_multitexture\tGL_EXT_bgra\r\n", 0, "GL_EXT_bgra\r ", {"GL_ARB_multitexture"}},
      {"GL_EXT_bgra GL_X_no GL_EXT_blend_color", 0, "GL_X_no ", {"GL_EXT_blend_color"}},
      // The head of an advertised name, the tail of one (no row), unknown, not advertised.
      {"GL_NV_register_combiners GL_ARB_pbuffer GL_ARB_imaging GL_EXT_texture_object", 0,
       "GL_NV_register_combiners GL_ARB_pbuffer GL_ARB_imaging GL_EXT_texture_object ", {}},
      {"GL_EXT_blend_color GL_EXT_blend_color", 1, "",
       {"GL_EXT_blend_color", "GL_EXT_blend_color"}},
      {"GL_EXT_texture_filter_anisotropic GL_ARB_multitexture GL_ARB_texture_compression", 0,
       "GL_ARB_multitexture ", {"GL_ARB_multitexture", "GL_ARB_texture_compression"},
       {"glClientActiveTextureARB"}},
  };
  for (const auto& c : cases) {
    fake_driver::install(c.lacking);
    const std::string list = c.list;
    EXPECT_EQ(glh::request_extensions(list.c_str()), c.result) << list;
    EXPECT_STREQ(glh::unsupported_extensions, c.unsupported) << list;
    EXPECT_EQ(fake_driver::lookups, entry_points_of(c.loaded_rows)) << list;
    EXPECT_EQ(list, c.list);  // the caller's list is left as it was
  }
}

TEST_F(ExtensionLayer, FailureListGrowsWithTheRequestAndANullListKeepsIt) {
  ASSERT_EQ(glh::request_extensions("GL_X"), 0);
  std::string list, expected;
  for (int i = 0; i < 200; ++i) {
    list += "GL_X_" + std::to_string(i) + "\t";
    expected += "GL_X_" + std::to_string(i) + " ";
  }
  EXPECT_EQ(glh::request_extensions(list.c_str()), 0);
  EXPECT_EQ(glh::unsupported_extensions, expected);
  const char* const combined = glh::combined_extension_string;
  EXPECT_EQ(glh::request_extensions(nullptr), 1);
  EXPECT_EQ(glh::combined_extension_string, combined);
  EXPECT_EQ(glh::unsupported_extensions, expected);
}

TEST_F(ExtensionLayer, LoaderFindsWholeNamesOnlyAndRowsWithoutEntryPointsAtOnce) {
  const std::pair<const char*, int> names[] = {{nullptr, 0}, {"gl_arb_multitexture", 0},
      {"GL_ARB_multitexture ", 0}, {"GL_ARB_multi", 0}, {"GL_X", 0}, {"", 0}, {"GL_EXT_bgra", 1}};
  for (const auto& [name, loaded] : names)
    EXPECT_EQ(glh::load_extension_entry_points(name), loaded) << (name ? name : "null");
  EXPECT_TRUE(fake_driver::lookups.empty());
}

TEST_F(ExtensionLayer, LoaderStoresEachAnswerAndStopsAtTheFirstMissingEntryPoint) {
  start_afresh({"glMultiTexCoord1dARB"});
  EXPECT_EQ(glh::load_extension_entry_points("GL_ARB_multitexture"), 0);
  EXPECT_EQ(fake_driver::lookups, std::vector<std::string>{"glMultiTexCoord1dARB"});
  EXPECT_EQ(glh::glActiveTextureARB, nullptr);
  fake_driver::install({"glClientActiveTextureARB"});
  EXPECT_EQ(glh::load_extension_entry_points("GL_ARB_multitexture"), 0);
  EXPECT_EQ(fake_driver::lookups, entry_points_of({"GL_ARB_multitexture"}));
  EXPECT_EQ(fake_driver::address(glh::glActiveTextureARB), &fake_driver::entry_point);
  EXPECT_EQ(glh::glClientActiveTextureARB, nullptr);
  EXPECT_EQ(glh::glCompressedTexImage2DARB, nullptr);  // another row: untouched
}

TEST_F(ExtensionLayer, PlatformNamesResolveThroughTheirFallbacks) {
  // The vertex-attribute pointer is also looked up under its name without the v.
  start_afresh({"glGetVertexAttribPointervNV"});
  fake_driver::other_address = {"glGetVertexAttribPointerNV"};
  EXPECT_EQ(glh::load_extension_entry_points("GL_NV_vertex_program"), 1);
  EXPECT_EQ(fake_driver::address(glh::glGetVertexAttribPointervNV),
            &fake_driver::other_entry_point);
  // WGL entry points resolve to their GLX counterparts, or to null without asking the driver.
  fake_driver::install();
  EXPECT_EQ(glh::load_extension_entry_points("GL_NV_vertex_array_range"), 1);
  EXPECT_EQ(fake_driver::lookups,
            (std::vector<std::string>{"glFlushVertexArrayRangeNV", "glVertexArrayRangeNV",
                                      "glXAllocateMemoryNV", "glXFreeMemoryNV"}));
  EXPECT_EQ(glh::load_extension_entry_points("WGL_ARB_pbuffer"), 0);
  EXPECT_EQ(fake_driver::lookups.size(), 4u);
}
