// Writes the texture-unit pictures "tmu0.png" to "tmu3.png" into the directory given as the only
// argument (the repository keeps them in data/images).
#include <cstdio>
#include <string>

#include "tools/tmu_pictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
    return 2;
  }
  for (int unit = 0; unit < tmu_picture_count; ++unit) {
    const std::string path = std::string(argv[1]) + "/tmu" + std::to_string(unit) + ".png";
    if (!write_png(path, paint_tmu_picture(unit))) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
