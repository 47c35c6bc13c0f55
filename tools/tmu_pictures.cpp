// Paints the four texture-unit pictures: every edge is hard and every line one or two pixels
// wide, so that any filtering shows.
#include "tools/tmu_pictures.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "interact/angles.h"

namespace {

constexpr int size = tmu_picture_size;

struct Colour {
  unsigned char red, green, blue;
};

constexpr Colour black{0, 0, 0};
constexpr Colour white{255, 255, 255};

// A small pixel font: five rows per glyph, three pixels wide (five for M and W), '1' for ink.
struct Glyph {
  char character;
  const char* rows;
};
constexpr Glyph font[] = {
    {'0', "111101101101111"}, {'1', "010110010010111"}, {'2', "111001111100111"},
    {'3', "111001111001111"}, {'4', "101101111001001"}, {'5', "111100111001111"},
    {'6', "111100111101111"}, {'7', "111001010010010"}, {'8', "111101111101111"},
    {'9', "111101111001111"}, {'A', "010101111101101"}, {'B', "110101110101110"},
    {'C', "011100100100011"}, {'D', "110101101101110"}, {'E', "111100110100111"},
    {'F', "111100110100100"}, {'G', "011100101101011"}, {'H', "101101111101101"},
    {'I', "111010010010111"}, {'J', "001001001101010"}, {'K', "101101110101101"},
    {'L', "100100100100111"}, {'M', "1000111011101011000110001"}, {'N', "110101101101101"},
    {'O', "010101101101010"}, {'P', "110101110100100"}, {'Q', "010101101110011"},
    {'R', "110101110101101"}, {'S', "011100010001110"}, {'T', "111010010010010"},
    {'U', "101101101101111"}, {'V', "101101101101010"}, {'W', "1000110001101011101101010"},
    {'X', "101101010101101"}, {'Y', "101101010010010"}, {'Z', "111001010100111"},
};
constexpr int glyph_height = 5;
constexpr int space_width = 3;

// The glyph of `character`; null for a space or anything else without one.
const char* glyph_rows(char character) {
  for (const Glyph& glyph : font)
    if (glyph.character == character) return glyph.rows;
  return nullptr;
}

int glyph_width(const char* rows) {
  return rows ? static_cast<int>(std::strlen(rows)) / glyph_height : space_width;
}

// Width of `text` in font pixels, with one pixel between glyphs.
int text_width(const char* text) {
  int width = -1;
  for (; *text; ++text) width += glyph_width(glyph_rows(*text)) + 1;
  return width;
}

// The same pseudo-random sequence on every run, so that the pictures are reproducible.
class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : state_(seed) {}
  int next(int bound) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 16) % static_cast<std::uint32_t>(bound));
  }

 private:
  std::uint32_t state_;
};

// An RGB picture, row 0 at the top as the PNG file stores it; drawing clips at the border.
class Canvas {
 public:
  explicit Canvas(Colour background) : pixels_(static_cast<std::size_t>(size) * size * 3) {
    fill(0, 0, size, size, background);
  }

  void put(int x, int y, Colour colour) {
    if (x < 0 || y < 0 || x >= size || y >= size) return;
    unsigned char* const pixel = &pixels_[(static_cast<std::size_t>(y) * size + x) * 3];
    pixel[0] = colour.red;
    pixel[1] = colour.green;
    pixel[2] = colour.blue;
  }

  void fill(int x, int y, int width, int height, Colour colour) {
    for (int row = y; row < y + height; ++row)
      for (int column = x; column < x + width; ++column) put(column, row, colour);
  }

  // Draws `text` with its top left corner at (x, y), each font pixel `scale` pixels square.
  void text(int x, int y, int scale, const char* text, Colour ink) {
    for (; *text; ++text) {
      const char* const rows = glyph_rows(*text);
      const int width = glyph_width(rows);
      for (int row = 0; rows && row < glyph_height; ++row)
        for (int column = 0; column < width; ++column)
          if (rows[row * width + column] == '1')
            fill(x + column * scale, y + row * scale, scale, scale, ink);
      x += (width + 1) * scale;
    }
  }

  PngPicture picture() const {
    PngPicture picture;
    picture.width = size;
    picture.height = size;
    picture.rows = pixels_;
    return picture;
  }

 private:
  std::vector<unsigned char> pixels_;
};

// The unit's name in a framed box at the top left corner.
void draw_unit_name(Canvas& canvas, int unit, Colour ink, Colour paper) {
  const char name[] = {'T', 'M', 'U', static_cast<char>('0' + unit), '\0'};
  constexpr int scale = 6;
  constexpr int margin = 8;
  const int width = text_width(name) * scale + 2 * margin;
  const int height = glyph_height * scale + 2 * margin;
  canvas.fill(12, 12, width + 4, height + 4, ink);
  canvas.fill(14, 14, width, height, paper);
  canvas.text(14 + margin, 14 + margin, scale, name, ink);
}

void paint_ruled_sheet(Canvas& canvas) {
  constexpr Colour fine_line{120, 150, 210};
  constexpr Colour bold_line{20, 40, 140};
  constexpr Colour label{170, 20, 20};
  for (int i = 0; i < size; i += 8) {
    canvas.fill(i, 0, 1, size, fine_line);
    canvas.fill(0, i, size, 1, fine_line);
  }
  for (int i = 0; i < size; i += 64) {
    canvas.fill(i, 0, 2, size, bold_line);
    canvas.fill(0, i, size, 2, bold_line);
  }
  for (int i = 0; i < size; ++i) {  // the two diagonals, one pixel wide
    canvas.put(i, i, bold_line);
    canvas.put(size - 1 - i, i, bold_line);
  }
  for (int row = 0; row < size / 64; ++row)
    for (int column = 0; column < size / 64; ++column) {
      const char cell[] = {static_cast<char>('0' + row), static_cast<char>('0' + column), '\0'};
      canvas.text(column * 64 + 12, row * 64 + 12, 2, cell, label);
      canvas.text(column * 64 + 12, row * 64 + 28, 1, "ROW", label);
      canvas.text(column * 64 + 12, row * 64 + 36, 1, "COLUMN", label);
    }
}

void paint_checkerboards(Canvas& canvas) {
  constexpr Colour red{220, 30, 30};
  constexpr Colour yellow{250, 220, 40};
  constexpr Colour blue{20, 40, 200};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const int tile = x / 64 + y / 64;
      const int square = 1 << (tile % 7);  // 1 .. 64 pixels
      const bool odd = (x / square + y / square) % 2 != 0;
      const bool in_band = (x + y) / 48 % 4 == 0;
      if (in_band)
        canvas.put(x, y, odd ? blue : yellow);
      else if (tile % 2 == 0)
        canvas.put(x, y, odd ? black : white);
      else
        canvas.put(x, y, odd ? red : white);
    }
}

void paint_star(Canvas& canvas) {
  constexpr Colour green{60, 220, 60};
  constexpr Colour magenta{200, 30, 160};
  constexpr int spokes = 72;
  const double centre = size / 2.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double dx = x + 0.5 - centre;
      const double dy = y + 0.5 - centre;
      const double radius = std::sqrt(dx * dx + dy * dy);
      if (radius < 200.0) {
        const double turn = (std::atan2(dy, dx) + pi) / (2.0 * pi);
        const int wedge = static_cast<int>(turn * 2 * spokes);
        canvas.put(x, y, wedge % 2 != 0 ? green : black);
      } else {
        const int ring_width = radius < 232.0 ? 4 : radius < 264.0 ? 2 : 1;
        const bool dark = static_cast<int>(radius) / ring_width % 2 != 0;
        canvas.put(x, y, dark ? magenta : white);
      }
    }
}

void paint_page(Canvas& canvas) {
  constexpr Colour ink{25, 20, 15};
  constexpr Colour heading{190, 20, 20};
  constexpr int column_width = 224;
  constexpr int line_height = glyph_height + 3;
  Lcg random(0x4b455354u);
  for (const int left : {16, 272}) {
    for (int y = 72, line = 0; y + glyph_height <= size - 12; y += line_height, ++line) {
      if (line % 12 == 0) {  // a heading of one or two words every twelve lines
        char title[12] = {};
        for (int i = 0, length = 3 + random.next(7); i < length; ++i)
          title[i] = i == 4 ? ' ' : static_cast<char>('A' + random.next(26));
        canvas.text(left, y, 2, title, heading);
        y += 2 * glyph_height + 4 - line_height;
        continue;
      }
      for (int x = left + (line % 12 == 1 ? 8 : 0); x < left + column_width;) {
        char word[9] = {};
        const int length = 1 + random.next(8);
        for (int i = 0; i < length; ++i) word[i] = static_cast<char>('A' + random.next(26));
        if (x + text_width(word) > left + column_width) break;
        canvas.text(x, y, 1, word, ink);
        x += text_width(word) + space_width + 2;
      }
    }
  }
  canvas.fill(size / 2 - 1, 72, 1, size - 84, heading);
}

struct Design {
  Colour background;
  void (*paint)(Canvas&);
};
constexpr Design designs[tmu_picture_count] = {
    {{245, 240, 225}, paint_ruled_sheet},
    {white, paint_checkerboards},
    {black, paint_star},
    {{255, 236, 150}, paint_page},
};

}  // namespace

PngPicture paint_tmu_picture(int unit) {
  const Design& design = designs[unit];
  Canvas canvas(design.background);
  design.paint(canvas);
  draw_unit_name(canvas, unit, black, white);
  return canvas.picture();
}
