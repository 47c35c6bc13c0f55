// Markdown to HTML, line by line: block by the first characters of a line, then the inline marks
// of its text.
#include "report/text/markdown_html.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "base/text_format.h"

namespace {

bool escapable(char c) { return std::ispunct(static_cast<unsigned char>(c)) != 0; }

// The end of the "[label](target)" that opens at `open`, past its ")", with the label and the
// target; 0 when there is none. A label holds no "[": each search then ends at the next "[", so
// that a file's line of brackets without links takes time as long as the line, not its square.
std::size_t bracketed(const std::string& text, std::size_t open, std::string& label,
                      std::string& target) {
  std::size_t i = open + 1;
  while (i < text.size() && text[i] != ']') {
    if (text[i] == '[') return 0;
    i += text[i] == '\\' ? 2 : 1;
  }
  if (i + 1 >= text.size() || text[i + 1] != '(') return 0;
  // Targets are paths without spaces; stopping at one keeps every search short.
  const std::size_t close = text.find_first_of(") \n(", i + 2);
  if (close == std::string::npos || text[close] != ')') return 0;
  label = text.substr(open + 1, i - open - 1);
  target = text.substr(i + 2, close - i - 2);
  return close + 1;
}

// Whether the link target `target` names a scheme, as "javascript:" does, which could run a
// script when followed; this program links files by their paths.
bool has_scheme(const std::string& target) { return target.find(':') != std::string::npos; }

// `text` without its backslash escapes.
std::string unescaped(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && escapable(text[i + 1])) ++i;
    plain += text[i];
  }
  return plain;
}

std::string inline_html(const std::string& text, const PictureHtml& picture) {
  std::string html, plain;
  const auto flush = [&] {
    html += xml_escaped(plain);
    plain.clear();
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    std::string label, target;
    std::size_t end = 0;
    if (c == '\\' && i + 1 < text.size() && escapable(text[i + 1])) {
      plain += text[i + 1];
      i += 2;
      continue;
    }
    if (c == '!' && i + 1 < text.size() && text[i + 1] == '[' &&
        (end = bracketed(text, i + 1, label, target)) != 0) {
      flush();
      html +=
          has_scheme(target) ? xml_escaped(unescaped(label)) : picture(unescaped(label), target);
    } else if (c == '[' && (end = bracketed(text, i, label, target)) != 0) {
      flush();
      html += has_scheme(target) ? inline_html(label, picture)
                                 : "<a href=\"" + xml_escaped(target) + "\">" +
                                       inline_html(label, picture) + "</a>";
    } else if (text.compare(i, 2, "**") == 0 && text.find("**", i + 2) != std::string::npos) {
      flush();
      end = text.find("**", i + 2) + 2;
      html += "<strong>" + inline_html(text.substr(i + 2, end - i - 4), picture) + "</strong>";
    } else if (c == '*' && i + 1 < text.size() && text[i + 1] != ' ' && text[i + 1] != '*' &&
               text.find('*', i + 1) != std::string::npos) {
      flush();
      end = text.find('*', i + 1) + 1;
      html += "<em>" + inline_html(text.substr(i + 1, end - i - 2), picture) + "</em>";
    } else {
      plain += c;
      end = i + 1;
    }
    i = end;
  }
  flush();
  return html;
}

// The cells of a table row "| a | b |", still with their escapes, without the spaces around.
std::vector<std::string> cells(const std::string& row) {
  std::vector<std::string> found{""};
  for (std::size_t i = row[0] == '|' ? 1 : 0; i < row.size(); ++i) {
    if (row[i] == '|') {
      found.emplace_back();
    } else {
      if (row[i] == '\\' && i + 1 < row.size()) found.back() += row[i++];
      found.back() += row[i];
    }
  }
  if (found.size() > 1 && found.back().find_first_not_of(' ') == std::string::npos)
    found.pop_back();
  for (std::string& cell : found) {
    const std::size_t first = cell.find_first_not_of(' ');
    cell = first == std::string::npos ? ""
                                      : cell.substr(first, cell.find_last_not_of(' ') - first + 1);
  }
  return found;
}

bool rule_row(const std::string& line) {
  return line.find_first_not_of("|-: ") == std::string::npos && line.find('-') != std::string::npos;
}

std::string table_row(const std::string& line, const char* cell_tag, const PictureHtml& picture) {
  std::string html = "<tr>";
  for (const std::string& cell : cells(line))
    html += std::string("<") + cell_tag + ">" + inline_html(cell, picture) + "</" + cell_tag + ">";
  return html + "</tr>\n";
}

// How many "#" open a heading line, 0 for none.
std::size_t heading_level(const std::string& line) {
  const std::size_t marks = line.find_first_not_of('#');
  return marks >= 1 && marks <= 6 && marks < line.size() && line[marks] == ' ' ? marks : 0;
}

bool list_item(const std::string& line) { return line.compare(0, 2, "- ") == 0; }

bool starts_block(const std::string& line) {
  return line.empty() || heading_level(line) > 0 || line[0] == '|' || list_item(line);
}

}  // namespace

std::string markdown_html(const std::string& markdown, const PictureHtml& picture) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= markdown.size()) {
    const std::size_t end = std::min(markdown.find('\n', start), markdown.size());
    lines.push_back(markdown.substr(start, end - start));
    start = end + 1;
  }
  std::string html;
  std::size_t i = 0;
  while (i < lines.size()) {
    const std::string& line = lines[i];
    if (line.empty()) {
      ++i;
    } else if (const std::size_t level = heading_level(line)) {
      const std::string tag = "h" + std::to_string(level);
      html += "<" + tag + ">" + inline_html(line.substr(level + 1), picture) + "</" + tag + ">\n";
      ++i;
    } else if (line[0] == '|') {
      // In a box of its own that scrolls sideways, so that a table of many columns leaves the
      // page its width.
      html += "<div class=\"scroll\"><table>\n";
      const bool head = i + 1 < lines.size() && rule_row(lines[i + 1]);
      if (head) {
        html += "<thead>" + table_row(line, "th", picture) + "</thead>\n";
        i += 2;
      }
      html += "<tbody>\n";
      for (; i < lines.size() && !lines[i].empty() && lines[i][0] == '|'; ++i)
        html += table_row(lines[i], "td", picture);
      html += "</tbody>\n</table></div>\n";
    } else if (list_item(line)) {
      html += "<ul>\n";
      for (; i < lines.size() && list_item(lines[i]); ++i)
        html += "<li>" + inline_html(lines[i].substr(2), picture) + "</li>\n";
      html += "</ul>\n";
    } else {
      std::string paragraph = line;
      for (++i; i < lines.size() && !starts_block(lines[i]); ++i) paragraph += "\n" + lines[i];
      html += "<p>" + inline_html(paragraph, picture) + "</p>\n";
    }
  }
  return html;
}
