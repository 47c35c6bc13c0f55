// printf-style formatting into a std::string, for the report's sentences and tables.
#pragma once

#include <string>
#include <vector>

// The text printf would write for `pattern` and the arguments, whatever its length.
std::string format_text(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// "GL_LINEAR_MIPMAP_LINEAR (trilinear)" or "GL_LINEAR_MIPMAP_NEAREST (bilinear)": a filter as the
// report's sentences and charts name it.
std::string filter_description(bool trilinear);

// The words joined as a person lists them: "a", "a and b", "a, b and c".
std::string join_words(const std::vector<std::string>& words);

// A share (0 .. 1) as a percentage.
inline double percent(double share) { return 100.0 * share; }
