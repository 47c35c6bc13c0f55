// report.html section by section, each from the report's records or from report.md's parts;
// compare.html from compare.md.
#include "report/text/html_pages.h"

#include "base/text_format.h"
#include "report/text/html_frame.h"
#include "report/text/markdown_html.h"
#include "report/text/provenance_text.h"
#include "report/text/regressions.h"
#include "report/text/report_writer.h"

namespace {

// What report.html shows, for its sections.
struct ReportPage {
  const Report& report;
  const std::vector<Finding>& findings;
  const std::vector<Verdict>& verdicts;
  const BaselineComparison* baseline;
  const ReportPictures& pictures;
};

// report.md's parts hold no pictures; a stray one shows as its text.
std::string picture_as_text(const std::string& alt, const std::string& /*target*/) {
  return xml_escaped(alt);
}

std::string part_html(ReportPart part, const Report& report) {
  return markdown_html(report_part(part, report, "##"), picture_as_text);
}

std::string figure_html(const std::string& picture, const std::string& caption) {
  return "<figure>" + picture + "<figcaption>" + xml_escaped(caption) + "</figcaption></figure>\n";
}

// `html` with `inserted` after its first heading, so that a picture opens its section.
std::string after_heading(const std::string& html, const std::string& inserted) {
  const std::size_t end = html.find("</h2>\n");
  if (end == std::string::npos) return inserted + html;
  return html.substr(0, end + 6) + inserted + html.substr(end + 6);
}

std::string section(const char* id, const std::string& html) {
  return std::string("<section id=\"") + id + "\">\n" + html + "</section>\n";
}

std::string driver_html(const ReportPage& page) {
  std::string provenance = "<table class=\"provenance\">\n<tbody>\n";
  for (const auto& [key, value] : provenance_entries(page.report.provenance))
    provenance += "<tr><th>" + xml_escaped(key) + "</th><td>" + xml_escaped(value) + "</td></tr>\n";
  return "<h1>Kestrel report: " + xml_escaped(page.report.driver.renderer) + "</h1>\n" +
         part_html(ReportPart::driver, page.report) +
         "<details><summary>Made by</summary>\n" + provenance + "</tbody>\n</table>\n</details>\n" +
         part_html(ReportPart::warnings, page.report);
}

// The class of a verdict's row, which colours it, and its result in words.
struct ShownOutcome {
  const char* row_class;
  const char* words;
};

ShownOutcome shown_outcome(Outcome outcome) {
  switch (outcome) {
    case Outcome::pass: return {"pass", "PASS"};
    case Outcome::fail: return {"fail", "FAIL"};
    case Outcome::expected: return {"expected", "FAIL (expected)"};
    case Outcome::fixed: return {"fixed", "FIXED (expected to fail)"};
  }
  return {"", ""};
}

// A verdict's row, coloured by its outcome.
std::string verdict_row(const Verdict& verdict) {
  const ShownOutcome shown = shown_outcome(outcome(verdict));
  return std::string("<tr class=\"") + shown.row_class + "\" data-rule=\"" +
         xml_escaped(rule_name(verdict.rule)) + "\" data-subject=\"" +
         xml_escaped(verdict.subject) + "\" data-pass=\"" + (verdict.pass ? "true" : "false") +
         "\" data-expected=\"" + (verdict.expected_fail ? "fail" : "pass") + "\"><td>" +
         xml_escaped(rule_name(verdict.rule)) + "</td><td>" + xml_escaped(verdict.subject) +
         "</td><td class=\"verdict\">" + shown.words + "</td><td><code>" +
         xml_escaped(verdict_id(verdict)) + "</code></td><td>" + xml_escaped(verdict.reason) +
         "</td></tr>\n";
}

// The ids of the `verdicts` of outcome `listed`, under `words`, in a list of class `kind`;
// nothing when there are none.
std::string id_list(const std::vector<Verdict>& verdicts, Outcome listed, const char* kind,
                    const char* words) {
  std::string items;
  for (const Verdict& verdict : verdicts)
    if (outcome(verdict) == listed)
      items += "<li><code>" + xml_escaped(verdict_id(verdict)) + "</code></li>\n";
  if (items.empty()) return "";
  return std::string("<p class=\"fail\">") + words + "</p>\n<ul class=\"" + kind + "\">\n" +
         items + "</ul>\n";
}

std::string verdicts_html(const ReportPage& page) {
  const std::size_t failed = failed_count(page.verdicts);
  const std::size_t unexpected = unexpected_count(page.verdicts);
  std::string html = format_text("<h2>Verdicts</h2>\n<p class=\"%s\">%zu of %zu pass",
                                 unexpected ? "fail" : "pass", page.verdicts.size() - failed,
                                 page.verdicts.size());
  if (expected_failure_count(page.verdicts) > 0)
    html += format_text("; %zu results other than expected", unexpected);
  html += ".</p>\n";
  html += id_list(page.verdicts, Outcome::fail, "failing", "Failing unexpectedly:");
  html += id_list(page.verdicts, Outcome::fixed, "fixed",
                  "Fixed: expected to fail, these pass; take them off the expectations file:");
  html += part_html(ReportPart::verdict_rules, page.report);
  html +=
      "<table class=\"verdicts\">\n<thead><tr><th>Rule</th><th>Subject</th><th>Verdict</th>"
      "<th>Id</th><th>Figure</th></tr></thead>\n<tbody>\n";
  for (const Verdict& verdict : page.verdicts) html += verdict_row(verdict);
  return section("verdicts", html + "</tbody>\n</table>\n");
}

std::string panels_html(const ReportPage& page) {
  return section("panels",
                 after_heading(part_html(ReportPart::panels, page.report),
                               figure_html(png_html(page.pictures.panels, "panels.png"),
                                           "panels.png: the panels as the test draws them.")));
}

std::string levels_html(const ReportPage& page) {
  return section(
      "levels",
      "<h2>Levels sampled</h2>\n<div class=\"pictures\">\n" +
          figure_html(png_html(page.pictures.levels, "lod-measured.png"),
                      "lod-measured.png: the level each pixel samples, dark violet (level 0) to "
                      "yellow (the 1 × 1 level).") +
          figure_html(png_html(page.pictures.level_errors, "lod-error.png"),
                      "lod-error.png: measured − reference level per quad: white is right, blue "
                      "sharper, red blurrier.") +
          "</div>\n" + part_html(ReportPart::bands, page.report) +
          part_html(ReportPart::units, page.report));
}

// Nothing when the image quality was not measured.
std::string quality_html(const ReportPage& page) {
  const std::string part = part_html(ReportPart::quality, page.report);
  if (part.empty()) return "";
  return section("quality",
                 after_heading(part, figure_html(png_html(page.pictures.quality, "quality.png"),
                                                 "quality.png: the ideal picture, each panel's "
                                                 "picture and its difference from the ideal.")));
}

std::string angles_html(const ReportPage& page) {
  return section("angles",
                 after_heading(part_html(ReportPart::angles, page.report),
                               "<figure>" + inline_svg(page.pictures.angles_svg) + "</figure>\n"));
}

std::string costs_html(const ReportPage& page) {
  return section("costs", part_html(ReportPart::costs, page.report));
}

std::string findings_html(const ReportPage& page) {
  std::string html = "<h2>What the driver does</h2>\n<ul>\n";
  for (const Finding& finding : page.findings)
    html += "<li>" + xml_escaped(finding.text) + "</li>\n";
  return section("findings", html + "</ul>\n");
}

std::string change_row(const Change& change) {
  const std::string moved = movement_name(change.movement);
  return "<tr class=\"" + moved + "\" data-figure=\"" + quantity_name(change.quantity) +
         "\" data-subject=\"" + xml_escaped(change.subject) + "\"><td>" +
         xml_escaped(change_subject(change)) + "</td><td>" + xml_escaped(change_figure(change)) +
         "</td><td>" + xml_escaped(change_value(change, false)) + "</td><td>" +
         xml_escaped(change_value(change, true)) + "</td><td class=\"verdict\">" + moved +
         "</td></tr>\n";
}

// The changes of `comparison` that moved as `movement`, or every change without one.
std::string changes_table(const BaselineComparison& comparison, const Movement* movement) {
  std::string html =
      "<table class=\"changes\">\n<thead><tr><th>Panel or verdict</th><th>Figure</th>"
      "<th>Baseline</th><th>This run</th><th>Moved</th></tr></thead>\n<tbody>\n";
  for (const Change& change : comparison.changes)
    if (!movement || change.movement == *movement) html += change_row(change);
  return html + "</tbody>\n</table>\n";
}

// Nothing without a baseline.
std::string regressions_html(const ReportPage& page) {
  if (!page.baseline) return "";
  const BaselineComparison& comparison = *page.baseline;
  std::string html = "<h2>Against the baseline</h2>\n<p>Baseline: " + xml_escaped(comparison.file) +
                     ", made on " + xml_escaped(comparison.baseline_renderer) + ".</p>\n";
  for (const std::string& origin : comparison.other_origin)
    html += "<p><strong>The baseline comes from elsewhere:</strong> " + xml_escaped(origin) +
            ".</p>\n";
  html += "<p class=\"" + std::string(has_regressed(comparison) ? "fail" : "pass") + "\">" +
          xml_escaped(movement_summary(comparison)) + format_text(" of %zu figures.</p>\n",
                                                                  comparison.changes.size());
  for (const MovementGroup& group : movement_groups)
    if (change_count(comparison, group.movement) > 0)
      html += std::string("<h3>") + group.heading + "</h3>\n" +
              changes_table(comparison, &group.movement);
  html +=
      format_text("<details><summary>Every figure (%zu)</summary>\n", comparison.changes.size()) +
      changes_table(comparison, nullptr) + "</details>\n";
  if (!comparison.unmatched.empty()) {
    html += "<h3>Not in the baseline</h3>\n<ul>\n";
    for (const std::string& subject : comparison.unmatched)
      html += "<li>" + xml_escaped(subject) + "</li>\n";
    html += "</ul>\n";
  }
  return section("baseline", html);
}

}  // namespace

std::string report_html(const Report& report, const std::vector<Finding>& findings,
                        const std::vector<Verdict>& verdicts, const BaselineComparison* baseline,
                        const ReportPictures& pictures) {
  // In the order a reader looks: the verdicts first, the pictures next, the words last.
  using Section = std::string (*)(const ReportPage&);
  constexpr Section sections[] = {driver_html, verdicts_html, panels_html,
                                  levels_html, quality_html,  angles_html,
                                  costs_html,  findings_html, regressions_html};
  const ReportPage page{report, findings, verdicts, baseline, pictures};
  std::string body;
  for (const Section html : sections) body += html(page);
  return html_document("Kestrel report: " + report.driver.renderer, body);
}

std::string comparison_html(const std::string& markdown, const std::string& svg) {
  const PictureHtml picture = [&svg](const std::string& alt, const std::string& target) {
    if (target == "compare.svg") return "<figure>" + inline_svg(svg) + "</figure>";
    return "<a href=\"" + xml_escaped(target) + "\">" + xml_escaped(alt) + "</a>";
  };
  return html_document("Kestrel: reports compared", markdown_html(markdown, picture));
}
