// Writes image/overlay_font.h: GLUT's 8 × 13 bitmap font as the driver draws it, glyph by glyph,
// so that the overlay text can be drawn the same way where there is no GLUT window.
#define GL_GLEXT_PROTOTYPES
#include <GL/freeglut.h>

#include <algorithm>

#include <cstdio>
#include <vector>

namespace {

// Each glyph is drawn at (margin, margin) of a window this size and read back whole.
constexpr int area = 32;
constexpr int margin = 12;

// The lit pixels of `code` drawn at the raster position (margin, margin), row 0 at the bottom.
std::vector<unsigned char> capture(int code, GLfloat& advance) {
  glClear(GL_COLOR_BUFFER_BIT);
  glWindowPos2i(margin, margin);
  glutBitmapCharacter(GLUT_BITMAP_8_BY_13, code);
  GLfloat after[4];
  glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
  advance = after[0] - margin;
  std::vector<unsigned char> pixels(area * area);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, area, area, GL_RED, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// Writes the header of the glyphs' rows `bottom` to `top` of their capture area; 0 when written.
int write_font(const char* path, const std::vector<std::vector<unsigned char>>& glyphs,
               int bottom, int top) {
  std::FILE* const out = std::fopen(path, "w");
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path);
    return 1;
  }
  std::fprintf(out,
               "// The overlay text's font: GLUT's 8 x 13 bitmap font, each glyph as the driver\n"
               "// draws it, captured by tools/make_overlay_font.cpp (do not edit).\n"
               "#pragma once\n\n"
               "// A glyph's cell: its rows start this far below the baseline, one byte a row.\n"
               "inline constexpr int overlay_glyph_width = 8;\n"
               "inline constexpr int overlay_glyph_height = %d;\n"
               "inline constexpr int overlay_glyph_descent = %d;\n\n"
               "// The rows of character code c, bottom row first, the leftmost pixel in the\n"
               "// high bit; code 0 is blank.\n"
               "inline constexpr unsigned char overlay_font[256][overlay_glyph_height] = {\n",
               top - bottom, margin - bottom);
  for (int code = 0; code < 256; ++code) {
    std::fprintf(out, "    {");
    for (int y = bottom; y < top; ++y) {
      unsigned bits = 0;
      for (int x = 0; x < 8; ++x)
        if (code > 0 && glyphs[code][y * area + margin + x]) bits |= 0x80u >> x;
      std::fprintf(out, "0x%02x%s", bits, y + 1 < top ? ", " : "");
    }
    std::fprintf(out, "},\n");
  }
  std::fprintf(out, "};\n");
  return std::fclose(out) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_HEADER\n", argv[0]);
    return 2;
  }
  glutInit(&argc, argv);
  glutInitWindowSize(area, area);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
  glutCreateWindow("overlay font");
  glColor3f(1.0f, 1.0f, 1.0f);

  // Every glyph's pixels, and the box that holds all of them.
  std::vector<std::vector<unsigned char>> glyphs(256);
  int left = area, right = 0, bottom = area, top = 0;
  for (int code = 1; code < 256; ++code) {
    GLfloat advance = 0.0f;
    glyphs[code] = capture(code, advance);
    if (advance != 8.0f) {
      std::fprintf(stderr, "glyph %d advances by %g, not 8\n", code, double(advance));
      return 1;
    }
    for (int y = 0; y < area; ++y)
      for (int x = 0; x < area; ++x)
        if (glyphs[code][y * area + x]) {
          left = std::min(left, x), right = std::max(right, x + 1);
          bottom = std::min(bottom, y), top = std::max(top, y + 1);
        }
  }
  if (left < margin || right > margin + 8) {
    std::fprintf(stderr, "the glyphs reach beyond their 8-pixel cell\n");
    return 1;
  }

  return write_font(argv[1], glyphs, bottom, top);
}
