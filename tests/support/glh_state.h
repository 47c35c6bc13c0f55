// Resets the extension layer's process-wide state between tests, as if nothing had been loaded.
#pragma once

#include <cstdlib>
#include <cstring>

#include "glh/glh_extensions.h"

// Nulls every entry-point pointer and sets the combined extension string to a copy of `combined`,
// or none when null, so that the next request_extensions builds it from the driver.
inline void reset_extension_layer(const char* combined) {
  for (int row = 0; row < glh::extension_table_size; ++row)
    for (int i = 0; i < glh::extension_table[row].entry_point_count; ++i)
      glh::extension_table[row].entry_points[i].store(nullptr);
  std::free(glh::combined_extension_string);
  glh::combined_extension_string = nullptr;
  if (combined == nullptr) return;
  glh::combined_extension_string = static_cast<char*>(std::malloc(std::strlen(combined) + 1));
  std::strcpy(glh::combined_extension_string, combined);
}
