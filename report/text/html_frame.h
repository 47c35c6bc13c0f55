// The frame of report.html and compare.html: a page that holds everything it shows, its style,
// its pictures as data: URIs and its charts as inline SVG, so that it opens anywhere without a
// network and without scripts. Text goes in through xml_escaped (text_format.h).
#pragma once

#include <string>

// `bytes` in base64 with padding, as data: URIs carry them.
std::string base64(const std::string& bytes);

// An <img> of the PNG file `png` (its bytes), with `alt` as its text, as a data: URI.
std::string png_html(const std::string& png, const std::string& alt);

// The SVG document `svg` for inline use in the page: its XML declaration, which HTML does not
// take, left out.
std::string inline_svg(const std::string& svg);

// A whole HTML document titled `title` around `body`, which is HTML already, with the pages'
// style: tables ruled, pictures no wider than the page and those in a div of class "pictures"
// side by side, the verdict cells of rows of class "pass" green and of class "fail" and
// "regressed" red.
std::string html_document(const std::string& title, const std::string& body);
