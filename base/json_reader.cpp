// The strict JSON reader: a recursive descent over the text that checks every byte, bounded in
// size, depth and values so that no input can exhaust the stack or the memory.
#include "base/json_reader.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

#include "base/text_format.h"

const JsonValue* JsonValue::member(const std::string& key) const {
  for (std::size_t i = 0; i < keys_.size(); ++i)
    if (keys_[i] == key) return &elements_[i];
  return nullptr;
}

namespace {

// strtod reads the decimal point of the thread's locale: a program that set a locale with a
// comma would misread "0.5". The C locale is put in place for this thread while it lives.
class CNumericLocale {
 public:
  CNumericLocale()
      : c_(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr))),
        previous_(c_ ? uselocale(c_) : static_cast<locale_t>(nullptr)) {}
  ~CNumericLocale() {
    if (!c_) return;
    uselocale(previous_);
    freelocale(c_);
  }
  CNumericLocale(const CNumericLocale&) = delete;
  CNumericLocale& operator=(const CNumericLocale&) = delete;
  bool in_place() const { return c_ != static_cast<locale_t>(nullptr); }

 private:
  locale_t c_;
  locale_t previous_;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The length of the UTF-8 sequence at text[at] if it is a whole, shortest-form encoding of a
// character other than a surrogate, else 0.
std::size_t utf8_length(const std::string& text, std::size_t at) {
  const auto byte = [&](std::size_t i) {
    return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
  };
  const unsigned first = byte(0);
  const std::size_t length = first < 0x80                     ? 1
                             : first >= 0xc2 && first <= 0xdf ? 2
                             : first >= 0xe0 && first <= 0xef ? 3
                             : first >= 0xf0 && first <= 0xf4 ? 4
                                                              : 0;
  for (std::size_t i = 1; i < length; ++i)
    if ((byte(i) & 0xc0) != 0x80) return 0;
  // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
  const unsigned second = byte(1);
  if ((first == 0xe0 && second < 0xa0) || (first == 0xed && second > 0x9f) ||
      (first == 0xf0 && second < 0x90) || (first == 0xf4 && second > 0x8f))
    return 0;
  return length;
}

void append_utf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xc0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3f));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xe0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3f));
    out += static_cast<char>(0x80 | (code & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3f));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3f));
    out += static_cast<char>(0x80 | (code & 0x3f));
  }
}

}  // namespace

// Each parse function reads one piece at at_ and moves past it, or records the first error
// and returns false; nothing is read after an error.
class JsonParser {
 public:
  explicit JsonParser(const std::string& text) : text_(text) {}

  bool parse(JsonValue& value, JsonError& error) {
    const bool ok = text_.size() <= max_json_size
                        ? (skip_space(), parse_value(value, 0)) &&
                              (skip_space(), at_ == text_.size() || fail("text after the value"))
                        : fail(format_text("more than %zu bytes", max_json_size));
    if (!ok) {
      error.message = message_;
      error.line = 1;
      error.column = 1;
      for (std::size_t i = 0; i < error_at_ && i < text_.size(); ++i) {
        const bool newline = text_[i] == '\n';
        error.line += newline;
        error.column = newline ? 1 : error.column + 1;
      }
    }
    return ok;
  }

 private:
  bool fail(const std::string& message) {
    message_ = message;
    error_at_ = at_;
    return false;
  }

  bool at_end() const { return at_ >= text_.size(); }
  char peek() const { return at_end() ? '\0' : text_[at_]; }

  void skip_space() {
    while (!at_end() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
      ++at_;
  }

  bool literal(const char* word) {
    const std::string expected = word;
    if (text_.compare(at_, expected.size(), expected) != 0) return fail("not a JSON value");
    at_ += expected.size();
    return true;
  }

  bool parse_value(JsonValue& value, int depth) {
    if (++values_ > max_json_values)
      return fail(format_text("more than %zu values", max_json_values));
    switch (peek()) {
      case '{': return parse_container(value, depth, true);
      case '[': return parse_container(value, depth, false);
      case '"': value.type_ = JsonValue::Type::string; return parse_string(value.string_);
      case 't':
      case 'f':
        value.type_ = JsonValue::Type::boolean;
        value.boolean_ = peek() == 't';
        return literal(value.boolean_ ? "true" : "false");
      case 'n': return literal("null");
      case '\0':
        if (at_end()) return fail("the text ends where a value should follow");
        return fail("not a JSON value");
      default: value.type_ = JsonValue::Type::number; return parse_number(value.number_);
    }
  }

  // An array, or an object when `object`: elements separated by commas, each member a key, a
  // colon and a value.
  bool parse_container(JsonValue& value, int depth, bool object) {
    if (depth >= max_json_depth)
      return fail(format_text("arrays and objects nested more than %d deep", max_json_depth));
    value.type_ = object ? JsonValue::Type::object : JsonValue::Type::array;
    const char close = object ? '}' : ']';
    ++at_;
    skip_space();
    if (peek() == close) {
      ++at_;
      return true;
    }
    std::set<std::string> keys;
    for (;;) {
      if (object) {
        std::string key;
        if (peek() != '"') return fail(at_end() ? "the text ends inside an object" : "no key");
        const std::size_t key_at = at_;
        if (!parse_string(key)) return false;
        if (!keys.insert(key).second) {
          at_ = key_at;
          return fail("a key that the object holds already");
        }
        skip_space();
        if (peek() != ':') return fail("no colon after the key");
        ++at_;
        skip_space();
        value.keys_.push_back(std::move(key));
      }
      value.elements_.emplace_back();
      if (!parse_value(value.elements_.back(), depth + 1)) return false;
      skip_space();
      if (peek() == close) {
        ++at_;
        return true;
      }
      if (peek() != ',')
        return fail(at_end()
                        ? std::string("the text ends inside an ") + (object ? "object" : "array")
                        : std::string("no comma or '") + close + "'");
      ++at_;
      skip_space();
    }
  }

  bool parse_hex4(unsigned& code) {
    code = 0;
    for (int i = 0; i < 4; ++i, ++at_) {
      const char c = peek();
      const int digit = is_digit(c)            ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) return fail("\\u without four hexadecimal digits");
      code = code * 16 + unsigned(digit);
    }
    return true;
  }

  // \uXXXX, a surrogate pair joined into one character.
  bool parse_unicode_escape(std::string& out) {
    unsigned code = 0;
    if (!parse_hex4(code)) return false;
    if (code >= 0xdc00 && code <= 0xdfff) return fail("a low surrogate without a high one");
    if (code >= 0xd800 && code <= 0xdbff) {
      unsigned low = 0;
      if (text_.compare(at_, 2, "\\u") != 0) return fail("a high surrogate without a low one");
      at_ += 2;
      if (!parse_hex4(low)) return false;
      if (low < 0xdc00 || low > 0xdfff) return fail("a high surrogate without a low one");
      code = 0x10000 + ((code - 0xd800) << 10) + (low - 0xdc00);
    }
    append_utf8(out, code);
    return true;
  }

  bool parse_string(std::string& out) {
    ++at_;  // the opening quote
    for (;;) {
      if (at_end()) return fail("the text ends inside a string");
      const char c = peek();
      if (c == '"') {
        ++at_;
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20) return fail("a control character in a string");
      if (c != '\\') {
        const std::size_t length = utf8_length(text_, at_);
        if (length == 0) return fail("a string that is not UTF-8");
        out.append(text_, at_, length);
        at_ += length;
        continue;
      }
      if (++at_ >= text_.size()) return fail("the text ends inside a string");
      const char escaped = text_[at_++];
      switch (escaped) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u':
          if (!parse_unicode_escape(out)) return false;
          break;
        default: --at_; return fail("an unknown escape in a string");
      }
    }
  }

  // The grammar is checked here, so that strtod, which reads more (hexadecimal, "inf", "nan",
  // a leading "+"), sees only JSON numbers.
  bool parse_number(double& number) {
    const std::size_t start = at_;
    if (peek() == '-') ++at_;
    if (peek() == '0') {
      ++at_;
    } else if (is_digit(peek())) {
      while (is_digit(peek())) ++at_;
    } else {
      at_ = start;
      return fail("not a JSON value");
    }
    const auto digits = [&](const char* after) {
      if (!is_digit(peek())) return fail(std::string("no digit after ") + after);
      while (is_digit(peek())) ++at_;
      return true;
    };
    if (peek() == '.' && !(++at_, digits("the decimal point"))) return false;
    if (peek() == 'e' || peek() == 'E') {
      ++at_;
      if (peek() == '+' || peek() == '-') ++at_;
      if (!digits("the exponent")) return false;
    }
    const std::string literal = text_.substr(start, at_ - start);
    errno = 0;
    number = std::strtod(literal.c_str(), nullptr);
    if (errno == ERANGE && std::fabs(number) == HUGE_VAL) {
      at_ = start;
      return fail("a number too large for a double");
    }
    return true;
  }

  const std::string& text_;
  std::size_t at_ = 0;
  std::size_t values_ = 0;
  std::string message_;
  std::size_t error_at_ = 0;
};

bool parse_json(const std::string& text, JsonValue& value, JsonError& error) {
  const CNumericLocale c_locale;
  if (!c_locale.in_place()) {
    error = {1, 1, "no C locale to read numbers in"};
    return false;
  }
  value = JsonValue();
  return JsonParser(text).parse(value, error);
}

bool read_file_limited(const std::string& path, std::size_t limit, std::string& text,
                       std::string& error) {
  std::error_code code;
  if (std::filesystem::is_directory(path, code)) {
    error = "\"" + path + "\" is a folder, not a file";
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot read \"" + path + "\": " + std::generic_category().message(errno);
    return false;
  }
  // Read in pieces up to one byte past the limit, which tells a file that is too large
  // whatever its kind (a pipe, a device) and whatever size it claims.
  text.clear();
  char piece[1 << 16];
  while (text.size() <= limit && file.read(piece, sizeof piece).gcount() > 0)
    text.append(piece, static_cast<std::size_t>(file.gcount()));
  if (file.bad()) {
    error = "cannot read \"" + path + "\"";
    return false;
  }
  if (text.size() > limit) {
    error = format_text("\"%s\" is larger than %zu bytes", path.c_str(), limit);
    return false;
  }
  return true;
}
