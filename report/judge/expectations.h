// An expectations file: the verdicts a driver is known to fail, kept in the user's repository
// and reviewed like code, so that --check counts only the results that differ from it. One
// verdict a line, its id and its expected status, "pass" or "fail"
// ("level-honoured/trilinear-af-8 fail"); "#" starts a comment that runs to the end of the line;
// blank lines are passed over. Verdicts it does not list are expected to pass.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "report/judge/verdicts.h"

// One line that states a verdict.
struct Expectation {
  std::string id;     // the verdict's id
  bool fail = false;  // expected to fail; else to pass
  int line = 0;       // its line in the file, from 1
};

struct Expectations {
  std::string file;                  // where it was read from
  std::vector<Expectation> entries;  // in the file's order
};

// The largest expectations file read, in bytes: thousands of lines, far more than a run has
// verdicts.
inline constexpr std::size_t max_expectations_size = 256u << 10;

// Reads `text` as the expectations file `file`. Returns false, with a message that starts
// "FILE:LINE: ", on the first line that holds other than an id and a status, an id of no rule
// this program judges or with characters that no id has (letters are lower case), a status
// other than "pass" and "fail", or an id listed on an earlier line (which it names);
// `expectations` may then be partly filled.
bool parse_expectations(const std::string& text, const std::string& file,
                        Expectations& expectations, std::string& error);

// Reads the file `file` as parse_expectations does. Returns false, with a message naming the
// file, when it is missing, unreadable, larger than max_expectations_size or malformed.
bool read_expectations(const std::string& file, Expectations& expectations, std::string& error);

// Marks each of `verdicts` that `expectations` expects to fail, and no other. Returns false,
// with a message "FILE:LINE: ..." naming the first entry whose id is no verdict of `verdicts`.
bool apply_expectations(const Expectations& expectations, std::vector<Verdict>& verdicts,
                        std::string& error);

// An expectations file that expects `verdicts` as they came out: a comment naming the renderer
// and the date that made it and saying how to read it, then every verdict's id and status, one a
// line, in the verdicts' order.
std::string expectations_text(const std::vector<Verdict>& verdicts, const std::string& renderer,
                              const std::string& date);
