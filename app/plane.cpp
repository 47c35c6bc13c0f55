// The receding ground plane every panel draws, compiled once into a display list.
#include "app/plane.h"

#include "glh/glh_genext.h"

namespace {

void textured_vertex(int tmu_count, float s, float t, float x, float y) {
  for (int unit = 0; unit < tmu_count; ++unit)
    glh::glMultiTexCoord2fARB(GL_TEXTURE0_ARB + unit, s, t);
  glVertex3f(x, y, 0.0f);
}

}  // namespace

void compile_plane(DisplayList& list, int tmu_count) {
  list.new_list(GL_COMPILE);
  glBegin(GL_QUADS);
  for (int y = -plane_half_extent; y < plane_half_extent; y += plane_quad_size) {
    for (int x = -plane_half_extent; x < plane_half_extent; x += plane_quad_size) {
      // Each quad spans its centre +-1, so the plane covers -17..15 on both axes.
      const float left = static_cast<float>(x - 1), right = static_cast<float>(x + 1);
      const float bottom = static_cast<float>(y - 1), top = static_cast<float>(y + 1);
      textured_vertex(tmu_count, 0.0f, 0.0f, left, bottom);
      textured_vertex(tmu_count, 0.0f, 1.0f, left, top);
      textured_vertex(tmu_count, 1.0f, 1.0f, right, top);
      textured_vertex(tmu_count, 1.0f, 0.0f, right, bottom);
    }
  }
  glEnd();
  glEndList();
}
