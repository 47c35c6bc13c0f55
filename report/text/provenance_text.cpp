// A report's provenance in words.
#include "report/text/provenance_text.h"

#include <cctype>
#include <cstring>

#include "base/text_format.h"
#include "report/schema/report_schema.h"

namespace {

// Lists the provenance's members as report_schema.h walks them, each value as text.
class EntryListing {
 public:
  static constexpr bool writes = true;

  std::vector<std::pair<std::string, std::string>> entries;

  void text(const char* key, const std::string& value) { entries.emplace_back(key, value); }
  void whole(const char* key, int value) { text(key, std::to_string(value)); }
  void version(const char* key, int value) { whole(key, value); }
  bool since(const char* /*key*/, int /*version*/) { return true; }
  template <typename Record>
  void object(const char* /*key*/, const Record& record) {
    json_fields(*this, record);
  }
};

bool needs_quotes(const std::string& argument) {
  if (argument.empty()) return true;
  for (const char c : argument)
    if (!std::isalnum(static_cast<unsigned char>(c)) && !std::strchr("_@%+=:,./-", c)) return true;
  return false;
}

}  // namespace

std::string command_line_text(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    if (!needs_quotes(argument)) {
      line += argument;
      continue;
    }
    line += '\'';
    for (const char c : argument) line += c == '\'' ? std::string("'\\''") : std::string(1, c);
    line += '\'';
  }
  return line;
}

std::string utc_time_text(std::time_t time) {
  std::tm utc{};
  char text[32] = "";
  if (gmtime_r(&time, &utc)) std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::vector<std::pair<std::string, std::string>> provenance_entries(const Provenance& provenance) {
  EntryListing listing;
  provenance_fields(listing, provenance);
  return listing.entries;
}

std::string provenance_markdown(const std::string& title, const Provenance& provenance) {
  std::string md = "- " + title + ":\n";
  for (const auto& [key, value] : provenance_entries(provenance))
    md += "  - " + key + ": " + markdown_cell(value) + "\n";
  return md;
}
