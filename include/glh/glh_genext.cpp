// The extension entry-point table: the 209 pointers, the 46 rows and the loader that fills
// the pointers of one row through the window system's entry-point lookup.
#include "glh/glh_genext.h"

#include <cstring>
#include <iterator>
#include <type_traits>

#include "glh/glh_platform.h"

namespace glh {

#define GLH_DEFINE_ENTRY_POINT(type, name) type name = nullptr;
GLH_ALL_ENTRY_POINTS(GLH_DEFINE_ENTRY_POINT)
#undef GLH_DEFINE_ENTRY_POINT

namespace {

template <auto& pointer>
void store(GenericProc address) {
  pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(address);
}

#define GLH_ENTRY(type, name) {#name, &store<name>},
#define GLH_ROW_ENTRIES(ext) const EntryPoint ext##_entry_points[] = {GLH_ROW_##ext(GLH_ENTRY)};
GLH_ROW_ENTRIES(GL_ARB_multitexture)
GLH_ROW_ENTRIES(GL_ARB_texture_compression)
GLH_ROW_ENTRIES(GL_ARB_transpose_matrix)
GLH_ROW_ENTRIES(GL_EXT_blend_color)
GLH_ROW_ENTRIES(GL_EXT_blend_minmax)
GLH_ROW_ENTRIES(GL_EXT_compiled_vertex_array)
GLH_ROW_ENTRIES(GL_EXT_fog_coord)
GLH_ROW_ENTRIES(GL_EXT_paletted_texture)
GLH_ROW_ENTRIES(GL_EXT_point_parameters)
GLH_ROW_ENTRIES(GL_EXT_secondary_color)
GLH_ROW_ENTRIES(GL_EXT_texture_object)
GLH_ROW_ENTRIES(GL_EXT_vertex_array)
GLH_ROW_ENTRIES(GL_EXT_vertex_weighting)
GLH_ROW_ENTRIES(GL_NV_evaluators)
GLH_ROW_ENTRIES(GL_NV_register_combiners)
GLH_ROW_ENTRIES(GL_NV_register_combiners2)
GLH_ROW_ENTRIES(GL_NV_vertex_array_range)
GLH_ROW_ENTRIES(GL_NV_vertex_program)
GLH_ROW_ENTRIES(GL_VERSION_1_2)
GLH_ROW_ENTRIES(GL_WIN_swap_hint)
GLH_ROW_ENTRIES(WGL_ARB_pbuffer)
GLH_ROW_ENTRIES(WGL_ARB_pixel_format)
#undef GLH_ROW_ENTRIES
#undef GLH_ENTRY

// Some drivers export this entry point without the v that the extension gives its name.
constexpr const char* vertex_attrib_pointer_name = "glGetVertexAttribPointervNV";
constexpr const char* vertex_attrib_pointer_fallback = "glGetVertexAttribPointerNV";

}  // namespace

#define GLH_ROW(ext) {#ext, ext##_entry_points, static_cast<int>(std::size(ext##_entry_points))}
#define GLH_EMPTY_ROW(ext) {#ext, nullptr, 0}
const ExtensionRow extension_table[] = {
    GLH_ROW(GL_ARB_multitexture),
    GLH_EMPTY_ROW(GL_ARB_texture_border_clamp),
    GLH_ROW(GL_ARB_texture_compression),
    GLH_EMPTY_ROW(GL_ARB_texture_cube_map),
    GLH_ROW(GL_ARB_transpose_matrix),
    GLH_EMPTY_ROW(GL_EXT_abgr),
    GLH_EMPTY_ROW(GL_EXT_bgra),
    GLH_ROW(GL_EXT_blend_color),
    GLH_ROW(GL_EXT_blend_minmax),
    GLH_EMPTY_ROW(GL_EXT_blend_subtract),
    GLH_ROW(GL_EXT_compiled_vertex_array),
    GLH_ROW(GL_EXT_fog_coord),
    GLH_EMPTY_ROW(GL_EXT_packed_pixels),
    GLH_ROW(GL_EXT_paletted_texture),
    GLH_ROW(GL_EXT_point_parameters),
    GLH_EMPTY_ROW(GL_EXT_rescale_normal),
    GLH_ROW(GL_EXT_secondary_color),
    GLH_EMPTY_ROW(GL_EXT_separate_specular_color),
    GLH_EMPTY_ROW(GL_EXT_shared_texture_palette),
    GLH_EMPTY_ROW(GL_EXT_stencil_wrap),
    GLH_EMPTY_ROW(GL_EXT_texture_env_add),
    GLH_EMPTY_ROW(GL_EXT_texture_env_combine),
    GLH_EMPTY_ROW(GL_EXT_texture_filter_anisotropic),
    GLH_EMPTY_ROW(GL_EXT_texture_lod_bias),
    GLH_ROW(GL_EXT_texture_object),
    GLH_ROW(GL_EXT_vertex_array),
    GLH_ROW(GL_EXT_vertex_weighting),
    GLH_EMPTY_ROW(GL_NV_blend_square),
    GLH_ROW(GL_NV_evaluators),
    GLH_EMPTY_ROW(GL_NV_fog_distance),
    GLH_EMPTY_ROW(GL_NV_packed_depth_stencil),
    GLH_ROW(GL_NV_register_combiners),
    GLH_ROW(GL_NV_register_combiners2),
    GLH_EMPTY_ROW(GL_NV_texgen_reflection),
    GLH_EMPTY_ROW(GL_NV_texture_env_combine4),
    GLH_EMPTY_ROW(GL_NV_texture_rectangle),
    GLH_EMPTY_ROW(GL_NV_texture_shader),
    GLH_ROW(GL_NV_vertex_array_range),
    GLH_ROW(GL_NV_vertex_program),
    GLH_EMPTY_ROW(GL_SGIS_texture_lod),
    GLH_EMPTY_ROW(GL_SGIX_depth_texture),
    GLH_EMPTY_ROW(GL_SGIX_shadow),
    GLH_ROW(GL_VERSION_1_2),
    GLH_ROW(GL_WIN_swap_hint),
    GLH_ROW(WGL_ARB_pbuffer),
    GLH_ROW(WGL_ARB_pixel_format),
};
#undef GLH_EMPTY_ROW
#undef GLH_ROW
const int extension_table_size = static_cast<int>(std::size(extension_table));

int load_extension_entry_points(const char* name) {
  if (name == nullptr) return 0;
  for (const ExtensionRow& row : extension_table) {
    if (std::strcmp(row.name, name) != 0) continue;
    for (int i = 0; i < row.entry_point_count; ++i) {
      const EntryPoint& entry = row.entry_points[i];
      GenericProc address = lookup_entry_point(entry.name);
      if (address == nullptr && std::strcmp(entry.name, vertex_attrib_pointer_name) == 0)
        address = lookup_entry_point(vertex_attrib_pointer_fallback);
      entry.store(address);
      if (address == nullptr) return 0;
    }
    return 1;
  }
  return 0;
}

}  // namespace glh
