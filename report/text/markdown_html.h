// The Markdown that this program writes (report.md's parts, summary.md, compare.md) as HTML for
// report.html and compare.html, so that the pages and the Markdown files state the same facts in
// the same words. A summary.md is read from disk: whatever it holds comes out as text.
#pragma once

#include <functional>
#include <string>

// What a Markdown picture ![alt](target) becomes in the page, as HTML; `alt` and `target` are
// plain text, not yet escaped.
using PictureHtml = std::function<std::string(const std::string& alt, const std::string& target)>;

// `markdown` as HTML, every character of its text escaped. Understands headings ("#" to
// "######"), lists of "- " items, tables (a header row, a rule row of dashes, then rows; "\|" is
// a bar within a cell), paragraphs of the other lines, **strong** and *emphasis*, backslash
// escapes, links [text](target) and pictures ![alt](target) through `picture`, both as their
// text alone where the target names a scheme (as "javascript:" does). Anything else stays text.
std::string markdown_html(const std::string& markdown, const PictureHtml& picture);
