// The frame of the HTML pages: base64, the inline pictures and the style.
#include "report/text/html_frame.h"

#include "base/text_format.h"

std::string base64(const std::string& bytes) {
  static constexpr char digits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t left = bytes.size() - i;
    const auto byte = [&](std::size_t k) {
      return k < left ? static_cast<unsigned>(static_cast<unsigned char>(bytes[i + k])) : 0u;
    };
    const unsigned group = byte(0) << 16 | byte(1) << 8 | byte(2);
    out += digits[group >> 18 & 63];
    out += digits[group >> 12 & 63];
    out += left > 1 ? digits[group >> 6 & 63] : '=';
    out += left > 2 ? digits[group & 63] : '=';
  }
  return out;
}

std::string png_html(const std::string& png, const std::string& alt) {
  return "<img alt=\"" + xml_escaped(alt) + "\" src=\"data:image/png;base64," + base64(png) + "\">";
}

std::string inline_svg(const std::string& svg) {
  const std::size_t start = svg.find("<svg");
  return start == std::string::npos ? svg : svg.substr(start);
}

std::string html_document(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
         xml_escaped(title) +
         "</title>\n<style>\n"
         "body { font-family: sans-serif; margin: 1em auto; max-width: 80em; padding: 0 1em;"
         " line-height: 1.4; }\n"
         "table { border-collapse: collapse; margin: 0.5em 0; }\n"
         "div.scroll { overflow-x: auto; }\n"
         "th, td { border: 1px solid #bbb; padding: 0.2em 0.5em; text-align: left; }\n"
         "th { background: #eee; }\n"
         "tr.pass td.verdict { background: #c8f0c8; }\n"
         "tr.fail td.verdict, tr.regressed td.verdict { background: #f4c0c0; font-weight: bold; }\n"
         "tr.improved td.verdict { background: #c4ecc4; }\n"
         "tr.expected td.verdict { background: #f4e4b0; }\n"
         "tr.fixed td.verdict { background: #b8d8f8; font-weight: bold; }\n"
         "p.pass { color: #1a6e1a; } p.fail { color: #a01818; font-weight: bold; }\n"
         "img, svg { max-width: 100%; height: auto; }\n"
         "figure { margin: 0.5em 0; } figcaption { color: #555; }\n"
         "div.pictures { display: flex; flex-wrap: wrap; gap: 1em; }\n"
         "</style>\n</head>\n<body>\n" +
         body + "</body>\n</html>\n";
}
