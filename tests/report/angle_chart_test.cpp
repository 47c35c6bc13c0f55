// angles.svg on sweeps with known values: one chart per filter with three curves per AF level,
// each point where the polar scale puts it, a quarter chart for turns within 90 degrees and a
// whole one beyond, and a title that cannot break the SVG.
#include "report/output/angle_chart.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

AngleSweep sweep(bool trilinear, float anisotropy, std::vector<double> degrees, double measured) {
  AngleSweep s;
  s.config = {trilinear, anisotropy, 0, 1};
  for (const double d : degrees) {
    AngleSample sample;
    sample.degrees = d;
    sample.measured = measured;
    sample.formula = 2.0;
    sample.invariant = 1.0;
    s.samples.push_back(sample);
  }
  return s;
}

}  // namespace

TEST(AngleChart, EachLevelHasThreeCurvesInEachFilterAndADotPerAngle) {
  const std::vector<AngleSweep> sweeps = {
      sweep(true, 1.0f, {0, 45, 90}, 1.0), sweep(true, 8.0f, {0, 45, 90}, 8.0),
      sweep(false, 1.0f, {0, 45, 90}, 1.0), sweep(false, 8.0f, {0, 45, 90}, 4.0)};
  const std::string svg = angle_chart_svg(sweeps, "llvmpipe <LLVM> & co");
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
  EXPECT_EQ(occurrences(svg, "<polyline"), 4 * 3);
  EXPECT_EQ(occurrences(svg, "r=\"2.5\""), 4 * 3);  // the dots of the measured curves
  EXPECT_NE(svg.find("llvmpipe &lt;LLVM&gt; &amp; co"), std::string::npos);
  EXPECT_EQ(svg.find("<LLVM>"), std::string::npos);
  // Within 90 degrees a quarter: arcs, no whole circles of the rings.
  EXPECT_EQ(occurrences(svg, "<circle cx"), 12);
  EXPECT_GT(occurrences(svg, " A "), 0);
}

// Each chart is 440 units square. A quarter chart spans it with its centre at the lower left
// corner: the trilinear chart's centre at (40, 520); 8 is the rim, 440 from the centre, at 3
// of 3 powers of two, 2 a third of the way.
TEST(AngleChart, PointsLieWhereThePolarScalePutsThem) {
  const std::string svg =
      angle_chart_svg({sweep(true, 8.0f, {0, 90}, 8.0), sweep(false, 8.0f, {0}, 1.0)}, "t");
  EXPECT_NE(svg.find("points=\"480.0,520.0 40.0,80.0 \""), std::string::npos) << svg;
  EXPECT_NE(svg.find("points=\"186.7,520.0 40.0,373.3 \""), std::string::npos);  // formula: 2
  // Values of 1 and below sit at the centre: the bilinear chart's at (560, 520).
  EXPECT_NE(svg.find("points=\"560.0,520.0 \""), std::string::npos);
}

TEST(AngleChart, TurnsBeyondNinetyDegreesGetTheQuadrantsTheyReach) {
  const std::string half = angle_chart_svg({sweep(true, 4.0f, {0, 100, 180}, 4.0)}, "t");
  EXPECT_NE(half.find(">180°<"), std::string::npos);
  EXPECT_EQ(half.find(">195°<"), std::string::npos);
  const std::string whole = angle_chart_svg({sweep(true, 4.0f, {-90, 0, 200}, 4.0)}, "t");
  EXPECT_NE(whole.find(">-90°<"), std::string::npos);
  EXPECT_NE(whole.find(">255°<"), std::string::npos);
  EXPECT_EQ(whole.find(">270°<"), std::string::npos) << "the same spoke as -90";
  EXPECT_EQ(occurrences(whole, " A "), 0) << "rings are whole circles";
}
