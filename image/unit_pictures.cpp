// The units' pictures and their stand-ins.
#include "image/unit_pictures.h"

#include "image/read_png.h"

namespace {

// What a unit shows instead of its picture: the picture read last, or the black texel.
std::string stand_in(int unit, int last_read) {
  return last_read < 0 ? "unit " + std::to_string(unit) + " is black"
                       : "unit " + std::to_string(unit) + " shows the picture of unit " +
                             std::to_string(last_read);
}

}  // namespace

std::vector<RgbImage> read_unit_pictures(std::vector<std::string>* unread) {
  std::vector<RgbImage> pictures;
  RgbImage image(1, 1);
  int last_read = -1;
  for (int unit = 0; unit < unit_picture_count; ++unit) {
    const std::string file = "tmu" + std::to_string(unit) + ".png";
    // A file that cannot be read leaves `image` as it was: the picture read last, or black.
    const PngRead outcome = read_png(file.c_str(), image, unread != nullptr);
    if (outcome == PngRead::read) {
      last_read = unit;
    } else if (unread) {
      unread->push_back("\"" + file + "\" " +
                        (outcome == PngRead::not_found ? "is in none of the data folders"
                                                       : "is no PNG picture that can be read") +
                        ": " + stand_in(unit, last_read));
    }
    pictures.push_back(image);
  }
  return pictures;
}
