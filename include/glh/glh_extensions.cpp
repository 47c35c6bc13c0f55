// The extension query and support check: joins the driver's extension strings once, then tests
// each requested name against them and loads its entry points from the table.
#include "glh/glh_extensions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "glh/glh_platform.h"

namespace glh {

char* combined_extension_string = nullptr;
char* unsupported_extensions = nullptr;

namespace {

// The failure message names the layer and the allocation that failed, as it always has:
// tools that watch the program's output match these exact values.
constexpr const char* layer_path = "include/glh/glh_extensions";
constexpr int combined_string_line = 99;
constexpr int request_buffers_line = 117;

std::size_t unsupported_capacity = 0;

[[noreturn]] void allocation_failed(int line) {
  std::printf("Error allocating memory in file %s, line %d\n", layer_path, line);
  std::exit(-1);
}

bool is_separator(char c) { return c == ' ' || c == '\t' || c == '\n'; }

const char* or_empty(const char* text) { return text != nullptr ? text : ""; }

void build_combined_extension_string() {
  const char* const gl = or_empty(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)));
  const char* const window_system = or_empty(window_system_extensions());
  const std::size_t gl_length = std::strlen(gl);
  const std::size_t window_system_length = std::strlen(window_system);

  char* const text = static_cast<char*>(std::malloc(gl_length + window_system_length + 3));
  if (text == nullptr) allocation_failed(combined_string_line);
  char* end = text;
  std::memcpy(end, gl, gl_length);
  end += gl_length;
  *end++ = ' ';
  std::memcpy(end, window_system, window_system_length);
  end += window_system_length;
  *end++ = ' ';
  *end = '\0';
  combined_extension_string = text;
}

// Makes unsupported_extensions empty and large enough for every name of a request of
// `request_length` bytes, each followed by one space, plus the terminator.
void reset_unsupported_extensions(std::size_t request_length) {
  const std::size_t needed = request_length + 2;
  if (unsupported_capacity < needed) {
    char* const grown = static_cast<char*>(std::realloc(unsupported_extensions, needed));
    if (grown == nullptr) allocation_failed(request_buffers_line);
    unsupported_extensions = grown;
    unsupported_capacity = needed;
  }
  unsupported_extensions[0] = '\0';
}

void append_unsupported(const char* name) {
  std::strcat(unsupported_extensions, name);
  std::strcat(unsupported_extensions, " ");
}

bool version_at_least_1_2() {
  const char* const version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version == nullptr) return false;
  return std::strncmp(version, "1.0", 3) != 0 && std::strncmp(version, "1.1", 3) != 0;
}

}  // namespace

const char* skip_separators(const char* position) {
  while (is_separator(*position)) ++position;
  return position;
}

const char* skip_name(const char* position) {
  while (*position != '\0' && !is_separator(*position)) ++position;
  return position;
}

int extension_advertised(const char* name, const char* combined) {
  if (std::strcmp(name, "GL_VERSION_1_2") == 0) return version_at_least_1_2() ? 1 : 0;
  // An empty name would match at every position, up to and past the string's end.
  if (combined == nullptr || *name == '\0') return 0;
  // The name must be followed by a space, so that it never matches the head of a longer name.
  const std::size_t length = std::strlen(name);
  for (const char* match = std::strstr(combined, name); match != nullptr;
       match = std::strstr(match + 1, name))
    if (match[length] == ' ') return 1;
  return 0;
}

int request_extensions(const char* list) {
  if (combined_extension_string == nullptr) build_combined_extension_string();
  if (list == nullptr) return 1;

  const std::size_t length = std::strlen(list);
  char* const copy = static_cast<char*>(std::malloc(length + 1));
  if (copy == nullptr) allocation_failed(request_buffers_line);
  std::memcpy(copy, list, length + 1);
  reset_unsupported_extensions(length);

  int result = 1;
  char* name = copy + (skip_separators(copy) - copy);
  while (*name != '\0') {
    char* const end = name + (skip_name(name) - name);
    const char separator = *end;
    *end = '\0';
    const bool supported = extension_advertised(name, combined_extension_string) != 0 &&
                           load_extension_entry_points(name) != 0;
    if (!supported) {
      append_unsupported(name);
      result = 0;
    }
    *end = separator;
    name = end + (skip_separators(end) - end);
  }
  std::free(copy);
  return result;
}

}  // namespace glh
