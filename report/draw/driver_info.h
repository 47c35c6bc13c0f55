// What the report says about the driver it measured: its strings and the limits it advertises.
#pragma once

#include <string>

struct DriverInfo {
  std::string vendor, renderer, version;  // GL_VENDOR, GL_RENDERER, GL_VERSION
  float max_anisotropy = 1.0f;            // GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT
  int tmu_count = 1;                      // the texture units the test uses (at most four)
};

// Asks the current GL context; tmu_count comes from test_state. Needs the test started.
DriverInfo query_driver_info();
