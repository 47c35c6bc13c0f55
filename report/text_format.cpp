// printf-style formatting into a std::string.
#include "report/text_format.h"

#include <cstdarg>
#include <cstdio>

std::string format_text(const char* pattern, ...) {
  char text[1024];
  va_list arguments;
  va_start(arguments, pattern);
  std::vsnprintf(text, sizeof text, pattern, arguments);
  va_end(arguments);
  return text;
}
