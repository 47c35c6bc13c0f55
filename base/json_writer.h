// A small writer of indented JSON text, for report.json.
#pragma once

#include <string>
#include <vector>

// Appends one JSON value to a string, built call by call: containers are opened and closed in
// order, and inside an object every value follows its key. Two spaces indent each level.
class JsonWriter {
 public:
  void begin_object();
  void end_object();
  void begin_array();
  void end_array();

  // The key of the next value in the current object.
  void key(const std::string& name);

  // A string, escaped as JSON requires.
  void value(const std::string& text);
  void value(const char* text) { value(std::string(text)); }
  // A number with six significant digits; null when it is not finite, which JSON cannot hold.
  void value(double number);
  void value(int number);
  void value(bool flag);

  // A key and its value in one call.
  template <typename Value>
  void field(const std::string& name, const Value& v) {
    key(name);
    value(v);
  }

  // The text so far; complete once every container is closed.
  const std::string& text() const { return text_; }

 private:
  void before_value();
  void open(char bracket);
  void close(char bracket);

  std::string text_;
  std::vector<bool> first_;  // per open container: no element written yet
  bool after_key_ = false;
};
