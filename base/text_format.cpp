// printf-style formatting into a std::string.
#include "base/text_format.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

std::string format_text(const char* pattern, ...) {
  va_list arguments;
  va_start(arguments, pattern);
  va_list measuring;
  va_copy(measuring, arguments);
  const int length = std::vsnprintf(nullptr, 0, pattern, measuring);
  va_end(measuring);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<std::size_t>(length));
    // vsnprintf writes a terminating NUL too, which std::string keeps room for past size().
    std::vsnprintf(text.data(), text.size() + 1, pattern, arguments);
  }
  va_end(arguments);
  return text;
}

std::string number_list(const std::vector<double>& numbers) {
  std::string text;
  for (const double number : numbers)
    text += (text.empty() ? "" : ", ") + format_text("%g", number);
  return text;
}

std::string decimals_text(double value, int decimals) {
  if (std::isnan(value)) return "–";
  return std::isinf(value) && value > 0.0 ? std::string("∞") : format_text("%.*f", decimals, value);
}

std::string join_words(const std::vector<std::string>& words) {
  std::string text;
  for (std::size_t i = 0; i < words.size(); ++i)
    text += (i == 0 ? "" : i + 1 == words.size() ? " and " : ", ") + words[i];
  return text;
}

std::string markdown_cell(const std::string& text) {
  std::string cell;
  for (const char c : text) {
    if (c == '|' || c == '\\') cell += '\\';
    cell += c == '\n' || c == '\r' ? ' ' : c;
  }
  return cell;
}

std::string xml_escaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
          escaped += c;
    }
  }
  return escaped;
}
