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
  for (const PlaneCorner& corner : plane_corners())
    textured_vertex(tmu_count, corner.s, corner.t, corner.x, corner.y);
  glEnd();
  glEndList();
}
