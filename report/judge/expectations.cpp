// Expectations files read, checked against a run's verdicts, and written.
#include "report/judge/expectations.h"

#include <algorithm>

#include "base/json_reader.h"
#include "base/text_format.h"

namespace {

// Whether `id` is the id of a verdict of a judged rule: the rule's name and "/", then a subject
// of lower case letters, digits, dots and dashes.
bool well_formed_id(const std::string& id) {
  for (const Rule rule : every_rule) {
    const std::string prefix = verdict_id({rule, "", true, 0.0, ""});  // "rule/"
    if (!judged(rule) || id.size() <= prefix.size() || id.compare(0, prefix.size(), prefix) != 0)
      continue;
    return std::all_of(id.begin() + static_cast<std::ptrdiff_t>(prefix.size()), id.end(),
                       [](char c) {
                         return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                                c == '-';
                       });
  }
  return false;
}

// The words of `line` before any "#", split at spaces, tabs and carriage returns.
std::vector<std::string> words_of(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : line.substr(0, line.find('#'))) {
    if (c == ' ' || c == '\t' || c == '\r') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// The first `limit` bytes of `text`, with a mark where it was cut, for a message.
std::string shown(const std::string& text) {
  constexpr std::size_t limit = 60;
  return text.size() <= limit ? text : text.substr(0, limit) + "…";
}

}  // namespace

bool parse_expectations(const std::string& text, const std::string& file,
                        Expectations& expectations, std::string& error) {
  expectations = Expectations{file, {}};
  std::size_t start = 0;
  for (int line = 1; start < text.size(); ++line) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::vector<std::string> words = words_of(text.substr(start, end - start));
    start = end + 1;
    if (words.empty()) continue;
    const std::string at = format_text("%s:%d: ", file.c_str(), line);
    if (words.size() != 2) {
      error = at + "expected a verdict's id and its status, pass or fail";
      return false;
    }
    const std::string& id = words[0];
    if (!well_formed_id(id)) {
      error = at + "\"" + shown(id) + "\" is no verdict id (a rule of this program, \"/\" and " +
              "its subject, in lower case)";
      return false;
    }
    if (words[1] != "pass" && words[1] != "fail") {
      error = at + "\"" + shown(words[1]) + "\" is no status: pass or fail";
      return false;
    }
    for (const Expectation& earlier : expectations.entries)
      if (earlier.id == id) {
        error = at + "\"" + id + format_text("\" is listed already on line %d", earlier.line);
        return false;
      }
    expectations.entries.push_back({id, words[1] == "fail", line});
  }
  return true;
}

bool read_expectations(const std::string& file, Expectations& expectations, std::string& error) {
  std::string text;
  return read_file_limited(file, max_expectations_size, text, error) &&
         parse_expectations(text, file, expectations, error);
}

bool apply_expectations(const Expectations& expectations, std::vector<Verdict>& verdicts,
                        std::string& error) {
  for (Verdict& verdict : verdicts) verdict.expected_fail = false;
  for (const Expectation& expectation : expectations.entries) {
    const auto verdict = std::find_if(verdicts.begin(), verdicts.end(), [&](const Verdict& v) {
      return verdict_id(v) == expectation.id;
    });
    if (verdict == verdicts.end()) {
      error = format_text("%s:%d: \"%s\" is no verdict of this run", expectations.file.c_str(),
                          expectation.line, expectation.id.c_str());
      return false;
    }
    verdict->expected_fail = expectation.fail;
  }
  return true;
}

std::string expectations_text(const std::vector<Verdict>& verdicts, const std::string& renderer,
                              const std::string& date) {
  // The renderer string is the driver's: a line break in it would end the comment.
  std::string name = renderer;
  std::replace_if(name.begin(), name.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  std::string text =
      "# The verdicts of kestrel-report expected on this driver, one a line: its id and its\n"
      "# expected status, pass or fail. Verdicts not listed are expected to pass. Read by\n"
      "# kestrel-report --expectations with --check.\n"
      "# Written by kestrel-report --write-expectations on " +
      date + ",\n# measuring " + name + ".\n\n";
  for (const Verdict& verdict : verdicts)
    text += verdict_id(verdict) + (verdict.pass ? " pass\n" : " fail\n");
  return text;
}
