// A driver at the extension layer's lookup seam: records each lookup, null for names it lacks.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "glh/glh_platform.h"

namespace fake_driver {

inline void entry_point() {}
inline void other_entry_point() {}

inline std::vector<std::string> lookups;
inline std::set<std::string> missing;
inline std::set<std::string> other_address;  // names answered with other_entry_point

inline glh::GenericProc lookup(const char* name) {
  lookups.emplace_back(name);
  if (missing.count(name) != 0) return nullptr;
  return other_address.count(name) != 0 ? &other_entry_point : &entry_point;
}

// The address held by an entry-point pointer, comparable with the driver's answers.
template <class Pointer>
glh::GenericProc address(Pointer pointer) {
  return reinterpret_cast<glh::GenericProc>(pointer);
}

// Replaces the window system's lookup with this driver, which lacks `lacking`.
inline void install(std::set<std::string> lacking = {}) {
  lookups.clear();
  missing = std::move(lacking);
  other_address.clear();
  glh::proc_lookup = &lookup;
}

}  // namespace fake_driver
