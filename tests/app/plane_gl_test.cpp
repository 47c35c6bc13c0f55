// The plane's display list on the real driver, seen through GL feedback mode: 256 quads of
// 2 x 2 units in z = 0, their corners and texture coordinates, and the units that get them.
#include "app/plane.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "gl_test_window.h"
#include "glh/glh_extensions.h"

namespace {

// One vertex as feedback reports it: window position and unit 0's (s, t).
struct Vertex {
  float x, y, z, s, t;
  bool operator==(const Vertex& other) const {
    return x == other.x && y == other.y && z == other.z && s == other.s && t == other.t;
  }
};

std::ostream& operator<<(std::ostream& out, const Vertex& v) {
  return out << "(" << v.x << ", " << v.y << ", " << v.z << " | " << v.s << ", " << v.t << ")";
}

using Triangle = std::array<Vertex, 3>;

constexpr int window_size = 64;

// A plane coordinate in window coordinates under the scale of replay_in_feedback.
float window(float plane) { return plane + window_size / 2; }

// Replays `list` in feedback mode, the plane scaled by 1/32 so that all of it lies inside the
// 64 x 64 viewport: plane coordinate c lands on window coordinate c + 32. Returns the
// triangles the driver reports; a quad arrives as two of them.
std::vector<Triangle> replay_in_feedback(const DisplayList& list) {
  glViewport(0, 0, window_size, window_size);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glScalef(2.0f / window_size, 2.0f / window_size, 1.0f);
  std::vector<GLfloat> buffer(1 << 16);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  list.call_list();
  const GLint count = glRenderMode(GL_RENDER);
  std::vector<Triangle> triangles;
  constexpr int floats_per_vertex = 3 + 4 + 4;  // position, colour, texture coordinates
  for (GLint i = 0; i < count;) {
    EXPECT_EQ(buffer[i], GL_POLYGON_TOKEN) << "at " << i;
    EXPECT_EQ(buffer[i + 1], 3.0f) << "the driver reports polygons as triangles";
    if (buffer[i] != GL_POLYGON_TOKEN || buffer[i + 1] != 3.0f) break;
    Triangle triangle;
    for (int v = 0; v < 3; ++v) {
      const GLfloat* f = &buffer[i + 2 + v * floats_per_vertex];
      triangle[v] = {f[0], f[1], f[2], f[7], f[8]};
    }
    triangles.push_back(triangle);
    i += 2 + 3 * floats_per_vertex;
  }
  return triangles;
}

// Twice the signed area: negative for clockwise triangles.
float signed_area(const Triangle& t) {
  return (t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[2].x - t[0].x) * (t[1].y - t[0].y);
}

bool contains(const std::vector<Vertex>& vertices, const Vertex& v) {
  for (const Vertex& w : vertices)
    if (w == v) return true;
  return false;
}

// The four corners of the quad centred on plane coordinates (x, y), in their drawing order.
std::vector<Vertex> corners(int x, int y) {
  const float left = window(x - 1), right = window(x + 1);
  const float bottom = window(y - 1), top = window(y + 1);
  return {{left, bottom, 0.5f, 0, 0}, {left, top, 0.5f, 0, 1}, {right, top, 0.5f, 1, 1},
          {right, bottom, 0.5f, 1, 0}};
}

// The distinct vertices of the quad whose two triangles start at `first`.
std::vector<Vertex> quad_vertices(const std::vector<Triangle>& triangles, std::size_t first) {
  std::vector<Vertex> vertices;
  for (std::size_t t = first; t < first + 2; ++t)
    for (const Vertex& v : triangles[t])
      if (!contains(vertices, v)) vertices.push_back(v);
  return vertices;
}

void expect_quad(const std::vector<Triangle>& triangles, int index, int x, int y) {
  const std::vector<Vertex> vertices = quad_vertices(triangles, 2 * index);
  const std::vector<Vertex> expected = corners(x, y);
  ASSERT_EQ(vertices.size(), 4u) << "quad " << index;
  for (const Vertex& v : expected) EXPECT_TRUE(contains(vertices, v)) << "quad " << index << v;
  // The corners go (x-1, y-1), (x-1, y+1), (x+1, y+1), (x+1, y-1): clockwise, which both
  // triangles keep. This driver opens a quad's first triangle with the quad's first vertex.
  EXPECT_LT(signed_area(triangles[2 * index]), 0.0f) << "quad " << index;
  EXPECT_LT(signed_area(triangles[2 * index + 1]), 0.0f) << "quad " << index;
  EXPECT_EQ(triangles[2 * index][0], expected[0]) << "quad " << index;
}

// Sets every unit's current texture coordinates to a value the plane never issues.
void mark_texture_coordinates() {
  for (int unit = 0; unit < 8; ++unit)
    glh::glMultiTexCoord2fARB(GL_TEXTURE0_ARB + unit, 0.5f, 0.25f);
}

std::array<GLfloat, 4> texture_coordinates(int unit) {
  glh::glActiveTextureARB(GL_TEXTURE0_ARB + unit);
  std::array<GLfloat, 4> coordinates{};
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, coordinates.data());
  glh::glActiveTextureARB(GL_TEXTURE0_ARB);
  return coordinates;
}

class Plane : public testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_GL_WINDOW(window_size, window_size);
    ASSERT_TRUE(glh::request_extensions("GL_ARB_multitexture"));
  }
  DisplayList list;
};

}  // namespace

TEST_F(Plane, HoldsSixteenRowsOfSixteenQuadsCoveringMinus17To15) {
  for (int tmu_count : {1, 4}) {
    SCOPED_TRACE(testing::Message() << tmu_count << " units");
    compile_plane(list, tmu_count);
    const std::vector<Triangle> triangles = replay_in_feedback(list);
    ASSERT_EQ(triangles.size(), 2u * 256u);
    int index = 0;
    for (int y = -16; y <= 14; y += 2)
      for (int x = -16; x <= 14; x += 2) expect_quad(triangles, index++, x, y);
  }
}

TEST_F(Plane, FirstAndLastQuadCorners) {
  compile_plane(list, 4);
  const std::vector<Triangle> triangles = replay_in_feedback(list);
  ASSERT_EQ(triangles.size(), 2u * 256u);
  const std::vector<Vertex> first = quad_vertices(triangles, 0);
  for (const Vertex& v : {Vertex{window(-17), window(-17), 0.5f, 0, 0},
                          Vertex{window(-17), window(-15), 0.5f, 0, 1},
                          Vertex{window(-15), window(-15), 0.5f, 1, 1},
                          Vertex{window(-15), window(-17), 0.5f, 1, 0}})
    EXPECT_TRUE(contains(first, v)) << v;
  const std::vector<Vertex> last = quad_vertices(triangles, 2 * 255);
  for (const Vertex& v : {Vertex{window(13), window(13), 0.5f, 0, 0},
                          Vertex{window(13), window(15), 0.5f, 0, 1},
                          Vertex{window(15), window(15), 0.5f, 1, 1},
                          Vertex{window(15), window(13), 0.5f, 1, 0}})
    EXPECT_TRUE(contains(last, v)) << v;
}

TEST_F(Plane, GivesTextureCoordinatesToTheUnitsInUseOnly) {
  for (int tmu_count : {1, 4}) {
    compile_plane(list, tmu_count);
    mark_texture_coordinates();
    list.call_list();
    // The last vertex of the plane has (s, t) = (1, 0) on every unit in use.
    for (int unit = 0; unit < 8; ++unit) {
      const std::array<GLfloat, 4> expected =
          unit < tmu_count ? std::array<GLfloat, 4>{1, 0, 0, 1}
                           : std::array<GLfloat, 4>{0.5f, 0.25f, 0, 1};
      EXPECT_EQ(texture_coordinates(unit), expected) << tmu_count << " units, unit " << unit;
    }
  }
}
