// The test's GL objects and their release. They are defined together, textures first, so that
// destruction at exit, should it find them still named, gives them back in the same order.
#include "app/test_objects.h"

std::array<TextureObject2D, png_texture_count + color_mip_texture_count> test_textures;
DisplayList plane_list;

void release_test_objects() {
  plane_list.release();
  for (auto texture = test_textures.rbegin(); texture != test_textures.rend(); ++texture)
    texture->release();
}
