// libFuzzer target of the JSON reader that reads baselines: any bytes must give either a tree
// within the reader's limits, whose strings are valid UTF-8, or an error placed in the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/json_reader.h"

namespace {

// The depth of `value` and the values in it, itself included, added to `values`.
int depth_of(const JsonValue& value, std::size_t& values) {
  ++values;
  int deepest = 0;
  for (const JsonValue& element : value.elements())
    deepest = std::max(deepest, depth_of(element, values));
  return deepest + (value.is(JsonValue::Type::array) || value.is(JsonValue::Type::object));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  JsonValue value;
  JsonError error;
  if (!parse_json(text, value, error)) {
    if (error.line < 1 || error.column < 1 || error.message.empty())
      __builtin_trap();  // an error that says nothing of where or why
    return 0;
  }
  std::size_t values = 0;
  if (depth_of(value, values) > max_json_depth || values > max_json_values)
    __builtin_trap();  // a tree beyond the limits the reader promises
  return 0;
}
