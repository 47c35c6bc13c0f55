// printf-style formatting into a std::string, for the report's sentences and tables.
#pragma once

#include <string>
#include <vector>

// The text printf would write for `pattern` and the arguments, whatever its length.
std::string format_text(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// The numbers as printf's %g writes them, joined by ", ": "1, 2, 4"; empty for none.
std::string number_list(const std::vector<double>& numbers);

// The words joined as a person lists them: "a", "a and b", "a, b and c".
std::string join_words(const std::vector<std::string>& words);

// `text` for XML (and SVG): the five characters XML reserves replaced, and control characters
// other than tab, line feed and carriage return, which XML 1.0 cannot hold, dropped.
std::string xml_escaped(const std::string& text);

// `text` as one cell of a Markdown table, whatever it holds: "|" and the backslash escaped, so
// that neither ends the cell, and line breaks, which would end the row, as spaces.
std::string markdown_cell(const std::string& text);

// `value` with `decimals` decimals; "∞" when it is +infinity, as a PSNR of equal pictures is, and
// "–" when it is NaN, as a figure that was not measured is.
std::string decimals_text(double value, int decimals);

// A share (0 .. 1) as a percentage.
inline double percent(double share) { return 100.0 * share; }
