// A small writer of indented JSON text.
#include "base/json_writer.h"

#include <cmath>
#include <cstdio>

void JsonWriter::before_value() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (first_.empty()) return;
  if (!first_.back()) text_ += ',';
  first_.back() = false;
  text_ += '\n';
  text_.append(2 * first_.size(), ' ');
}

void JsonWriter::open(char bracket) {
  before_value();
  text_ += bracket;
  first_.push_back(true);
}

void JsonWriter::close(char bracket) {
  const bool empty = first_.back();
  first_.pop_back();
  if (!empty) {
    text_ += '\n';
    text_.append(2 * first_.size(), ' ');
  }
  text_ += bracket;
}

void JsonWriter::begin_object() { open('{'); }
void JsonWriter::end_object() { close('}'); }
void JsonWriter::begin_array() { open('['); }
void JsonWriter::end_array() { close(']'); }

void JsonWriter::key(const std::string& name) {
  value(name);
  text_ += ": ";
  after_key_ = true;
}

void JsonWriter::value(const std::string& text) {
  before_value();
  text_ += '"';
  for (const char c : text) {
    switch (c) {
      case '"': text_ += "\\\""; break;
      case '\\': text_ += "\\\\"; break;
      case '\n': text_ += "\\n"; break;
      case '\t': text_ += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          text_ += escaped;
        } else {
          text_ += c;
        }
    }
  }
  text_ += '"';
}

void JsonWriter::value(double number) {
  before_value();
  if (!std::isfinite(number)) {
    text_ += "null";
    return;
  }
  char digits[32];
  // %g never writes a trailing dot or a leading "+", both of which JSON forbids; -0 reads as 0.
  std::snprintf(digits, sizeof digits, "%.6g", number == 0.0 ? 0.0 : number);
  text_ += digits;
}

void JsonWriter::value(int number) {
  before_value();
  text_ += std::to_string(number);
}

void JsonWriter::value(bool flag) {
  before_value();
  text_ += flag ? "true" : "false";
}
