// The entry-point table and its loader, against a driver played through the lookup seam.
#include "glh/glh_genext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "fake_driver.h"

using fake_driver::lookups;

TEST(ExtensionTable, Has46SortedUniqueRowsWith209EntryPoints) {
  ASSERT_EQ(glh::extension_table_size, 46);
  int total = 0, empty_rows = 0;
  std::set<std::string> entry_point_names;
  for (int i = 0; i < glh::extension_table_size; ++i) {
    const glh::ExtensionRow& row = glh::extension_table[i];
    if (i > 0) {
      EXPECT_LT(std::strcmp(glh::extension_table[i - 1].name, row.name), 0) << row.name;
    }
    EXPECT_LE(row.entry_point_count, 63) << row.name;
    total += row.entry_point_count;
    empty_rows += row.entry_point_count == 0;
    for (int e = 0; e < row.entry_point_count; ++e)
      entry_point_names.insert(row.entry_points[e].name);
  }
  EXPECT_EQ(total, 209);
  EXPECT_EQ(empty_rows, 24);
  EXPECT_EQ(entry_point_names.size(), 209u);  // every pointer belongs to exactly one row
}

TEST(ExtensionTable, RowsKeepTheirPublishedLookupOrder) {
  const glh::ExtensionRow& multitexture = glh::extension_table[0];
  ASSERT_STREQ(multitexture.name, "GL_ARB_multitexture");
  ASSERT_EQ(multitexture.entry_point_count, 34);
  EXPECT_STREQ(multitexture.entry_points[0].name, "glMultiTexCoord1dARB");
  EXPECT_STREQ(multitexture.entry_points[10].name, "glMultiTexCoord2fARB");
  EXPECT_STREQ(multitexture.entry_points[31].name, "glMultiTexCoord4svARB");
  EXPECT_STREQ(multitexture.entry_points[32].name, "glActiveTextureARB");
  EXPECT_STREQ(multitexture.entry_points[33].name, "glClientActiveTextureARB");

  const glh::ExtensionRow& version = glh::extension_table[42];
  ASSERT_STREQ(version.name, "GL_VERSION_1_2");
  ASSERT_EQ(version.entry_point_count, 13);
  EXPECT_STREQ(version.entry_points[0].name, "glBlendColor");
  EXPECT_STREQ(version.entry_points[12].name, "glCopyTexSubImage3D");

  EXPECT_STREQ(glh::extension_table[38].name, "GL_NV_vertex_program");
  EXPECT_EQ(glh::extension_table[38].entry_point_count, 63);
  EXPECT_STREQ(glh::extension_table[45].name, "WGL_ARB_pixel_format");
}

TEST(LoadEntryPoints, UnknownNamesLookNothingUp) {
  fake_driver::install();
  EXPECT_EQ(glh::load_extension_entry_points(nullptr), 0);
  EXPECT_EQ(glh::load_extension_entry_points("gl_arb_multitexture"), 0);   // letter case counts
  EXPECT_EQ(glh::load_extension_entry_points("GL_ARB_multitexture "), 0);  // whole names only
  EXPECT_EQ(glh::load_extension_entry_points("GL_ARB_multi"), 0);
  EXPECT_EQ(glh::load_extension_entry_points("GL_ARB_vertex_buffer_object"), 0);
  EXPECT_EQ(glh::load_extension_entry_points(""), 0);
  EXPECT_TRUE(lookups.empty());
  EXPECT_EQ(glh::glActiveTextureARB, nullptr);
}

TEST(LoadEntryPoints, RowsWithoutEntryPointsPassAtOnce) {
  fake_driver::install();
  EXPECT_EQ(glh::load_extension_entry_points("GL_EXT_texture_filter_anisotropic"), 1);
  EXPECT_EQ(glh::load_extension_entry_points("GL_EXT_bgra"), 1);
  EXPECT_TRUE(lookups.empty());
}

TEST(LoadEntryPoints, FullRowFillsEveryPointerInOrder) {
  fake_driver::install();
  EXPECT_EQ(glh::load_extension_entry_points("GL_ARB_multitexture"), 1);
  ASSERT_EQ(lookups.size(), 34u);
  EXPECT_EQ(lookups.front(), "glMultiTexCoord1dARB");
  EXPECT_EQ(lookups.back(), "glClientActiveTextureARB");
  EXPECT_NE(glh::glMultiTexCoord2fARB, nullptr);
  EXPECT_NE(glh::glActiveTextureARB, nullptr);
  EXPECT_NE(glh::glClientActiveTextureARB, nullptr);
  EXPECT_EQ(glh::glCompressedTexImage2DARB, nullptr);  // another row: untouched
}

TEST(LoadEntryPoints, MissingLastEntryPointFailsTheRowButKeepsTheOthers) {
  fake_driver::install({"glClientActiveTextureARB"});
  EXPECT_EQ(glh::load_extension_entry_points("GL_ARB_multitexture"), 0);
  EXPECT_EQ(lookups.size(), 34u);
  EXPECT_NE(glh::glMultiTexCoord1dARB, nullptr);
  EXPECT_NE(glh::glMultiTexCoord2fARB, nullptr);
  EXPECT_NE(glh::glMultiTexCoord4svARB, nullptr);
  EXPECT_NE(glh::glActiveTextureARB, nullptr);
  EXPECT_EQ(glh::glClientActiveTextureARB, nullptr);
}

TEST(LoadEntryPoints, MissingFirstEntryPointStopsAfterOneLookup) {
  fake_driver::install();
  ASSERT_EQ(glh::load_extension_entry_points("GL_ARB_multitexture"), 1);
  fake_driver::install({"glMultiTexCoord1dARB"});
  EXPECT_EQ(glh::load_extension_entry_points("GL_ARB_multitexture"), 0);
  EXPECT_EQ(lookups, std::vector<std::string>{"glMultiTexCoord1dARB"});
  EXPECT_EQ(glh::glMultiTexCoord1dARB, nullptr);
  // The 33 after it were not looked up again and keep the earlier load's addresses.
  EXPECT_EQ(fake_driver::address(glh::glMultiTexCoord2fARB), &fake_driver::entry_point);
  EXPECT_EQ(fake_driver::address(glh::glClientActiveTextureARB), &fake_driver::entry_point);
}

TEST(LoadEntryPoints, EachLoadLooksUpAfresh) {
  fake_driver::install();
  ASSERT_EQ(glh::load_extension_entry_points("GL_EXT_blend_color"), 1);
  fake_driver::other_address = {"glBlendColorEXT"};
  ASSERT_EQ(glh::load_extension_entry_points("GL_EXT_blend_color"), 1);
  EXPECT_EQ(lookups.size(), 2u);
  EXPECT_EQ(fake_driver::address(glh::glBlendColorEXT), &fake_driver::other_entry_point);
}

TEST(LoadEntryPoints, RegisterCombinerRowsAreSeparate) {
  fake_driver::install();
  EXPECT_EQ(glh::load_extension_entry_points("GL_NV_register_combiners2"), 1);
  EXPECT_EQ(lookups.size(), 2u);
  EXPECT_NE(glh::glCombinerStageParameterfvNV, nullptr);
  EXPECT_EQ(glh::glCombinerParameterfvNV, nullptr);
  EXPECT_EQ(glh::load_extension_entry_points("GL_NV_register_combiners"), 1);
  EXPECT_EQ(lookups.size(), 15u);
  EXPECT_NE(glh::glCombinerParameterfvNV, nullptr);
}

TEST(LoadEntryPoints, VertexAttribPointerFallsBackToTheNameWithoutV) {
  fake_driver::install({"glGetVertexAttribPointervNV"});
  fake_driver::other_address = {"glGetVertexAttribPointerNV"};
  EXPECT_EQ(glh::load_extension_entry_points("GL_NV_vertex_program"), 1);
  EXPECT_EQ(lookups.size(), 64u);
  EXPECT_EQ(lookups[13], "glGetVertexAttribPointervNV");
  EXPECT_EQ(lookups[14], "glGetVertexAttribPointerNV");
  EXPECT_EQ(lookups[15], "glIsProgramNV");
  EXPECT_EQ(fake_driver::address(glh::glGetVertexAttribPointervNV),
            &fake_driver::other_entry_point);
  EXPECT_NE(glh::glVertexAttribs4ubvNV, nullptr);
}

TEST(LoadEntryPoints, VertexAttribPointerWithoutEitherNameFails) {
  fake_driver::install({"glGetVertexAttribPointervNV", "glGetVertexAttribPointerNV"});
  EXPECT_EQ(glh::load_extension_entry_points("GL_NV_vertex_program"), 0);
  EXPECT_EQ(lookups.size(), 15u);  // 14 lookups plus the second try
  EXPECT_EQ(glh::glGetVertexAttribPointervNV, nullptr);
  EXPECT_EQ(glh::glIsProgramNV, nullptr);
}

TEST(LoadEntryPoints, WglEntryPointsResolveToGlxCounterpartsOrNull) {
  fake_driver::install();
  EXPECT_EQ(glh::load_extension_entry_points("GL_NV_vertex_array_range"), 1);
  EXPECT_EQ(lookups, (std::vector<std::string>{"glFlushVertexArrayRangeNV",
                                               "glVertexArrayRangeNV", "glXAllocateMemoryNV",
                                               "glXFreeMemoryNV"}));
  EXPECT_NE(glh::wglAllocateMemoryNV, nullptr);

  // No GLX function means the same as these: they are null without asking the driver.
  lookups.clear();
  EXPECT_EQ(glh::load_extension_entry_points("WGL_ARB_pbuffer"), 0);
  EXPECT_EQ(glh::load_extension_entry_points("WGL_ARB_pixel_format"), 0);
  EXPECT_TRUE(lookups.empty());
  EXPECT_EQ(glh::wglCreatePbufferARB, nullptr);
  EXPECT_EQ(glh::wglChoosePixelFormatARB, nullptr);
}
