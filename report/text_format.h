// printf-style formatting into a std::string, for the report's sentences and tables.
#pragma once

#include <string>

// The text printf would write for `pattern` and the arguments, cut at 1023 characters.
std::string format_text(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// A share (0 .. 1) as a percentage.
inline double percent(double share) { return 100.0 * share; }
