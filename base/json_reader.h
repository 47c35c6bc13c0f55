// A small, strict reader of JSON text into a tree of values, for report.json files read back:
// any input, however hostile, gives a tree or an error with its line and column, within limits.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// The limits of what parse_json reads.
inline constexpr std::size_t max_json_size = 16u << 20;   // bytes of text
inline constexpr std::size_t max_json_values = 1u << 20;  // values in the whole tree
inline constexpr int max_json_depth = 64;                 // arrays and objects nested

// One JSON value and, for arrays and objects, the values within it.
class JsonValue {
 public:
  enum class Type { null, boolean, number, string, array, object };

  bool is(Type type) const { return type_ == type; }
  // The value of each type; false, 0 or empty for a value of another type.
  bool boolean() const { return boolean_; }
  double number() const { return number_; }
  const std::string& string() const { return string_; }
  // The elements of an array, or the members' values of an object in the order of the text.
  const std::vector<JsonValue>& elements() const { return elements_; }
  // The value of the object's member `key`; nullptr when there is none or this is no object.
  const JsonValue* member(const std::string& key) const;

 private:
  friend class JsonParser;
  Type type_ = Type::null;
  bool boolean_ = false;
  double number_ = 0.0;
  std::string string_;
  std::vector<JsonValue> elements_;
  std::vector<std::string> keys_;  // of an object, one per element
};

// Where and why text is not JSON.
struct JsonError {
  int line = 0, column = 0;  // 1-based; the column counts bytes
  std::string message;
};

// Parses `text`, which must hold exactly one JSON value (RFC 8259) with nothing but white space
// around it: UTF-8 strings with every escape, \uXXXX surrogate pairs joined into one character,
// numbers read the same whatever the C locale, no duplicate keys. Returns false, with `error` at
// the first byte that breaks the grammar, on any other text, on a number too large for a double
// (one too small reads as 0 or a subnormal), and on text beyond the limits above.
bool parse_json(const std::string& text, JsonValue& value, JsonError& error);

// Reads the file at `path` whole into `text` when it holds at most `limit` bytes. Returns false,
// with a message naming the file, when it is missing, unreadable, a folder or larger.
bool read_file_limited(const std::string& path, std::size_t limit, std::string& text,
                       std::string& error);
