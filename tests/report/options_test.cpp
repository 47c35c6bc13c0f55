// kestrel-report's command line: the defaults, both forms of every option, lists and ranges of
// angles, the limits of the values, --help, and the messages of arguments it does not know or
// cannot use.
#include "report/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
  bool ok;
  ReportOptions options;
  std::string error;
};

Parsed parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "kestrel-report");
  Parsed parsed{false, {}, {}};
  parsed.ok = parse_report_options(static_cast<int>(arguments.size()), arguments.data(),
                                   parsed.options, parsed.error);
  return parsed;
}

}  // namespace

TEST(ReportOptions, DefaultsWriteIntoKestrelReportAndTurnFrom0To90InStepsOf5) {
  const Parsed parsed = parse({});
  EXPECT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.options.out, "kestrel-report");
  EXPECT_FALSE(parsed.options.help);
  ASSERT_EQ(parsed.options.angles.size(), 19u);
  EXPECT_EQ(parsed.options.angles[1], 5.0);
  EXPECT_EQ(parsed.options.angles.back(), 90.0);
  EXPECT_TRUE(parsed.options.anisotropy.empty()) << "the driver's levels";
  EXPECT_EQ(parsed.options.lod_bias, 0.0f);
  EXPECT_EQ(parsed.options.repeats, 31);
}

TEST(ReportOptions, OutTakesTheNextArgumentOrTheRestAfterTheEqualsSign) {
  EXPECT_EQ(parse({"--out", "results/llvmpipe"}).options.out, "results/llvmpipe");
  EXPECT_EQ(parse({"--out=/tmp/a b"}).options.out, "/tmp/a b");
  EXPECT_EQ(parse({"--out", "first", "--out", "second"}).options.out, "second");
  EXPECT_TRUE(parse({"-h"}).options.help);
  EXPECT_TRUE(parse({"--out", "x", "--help"}).options.help);
}

TEST(ReportOptions, BadArgumentsAreRefusedWithAMessage) {
  const Parsed missing = parse({"--out"});
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.error, "--out needs a folder name");
  EXPECT_FALSE(parse({"--out="}).ok);
  EXPECT_FALSE(parse({"--out", ""}).ok);
  const Parsed unknown = parse({"--angle", "5"});
  EXPECT_FALSE(unknown.ok);
  EXPECT_EQ(unknown.error, "unknown option \"--angle\"");
  EXPECT_FALSE(parse({"report"}).ok);
  EXPECT_EQ(parse({"--aniso"}).error, "--aniso needs a value");
}

TEST(ReportOptions, AnglesAreListsOfNumbersAndRanges) {
  EXPECT_EQ(parse({"--angles", "0,45,90"}).options.angles, (std::vector<double>{0, 45, 90}));
  EXPECT_EQ(parse({"--angles=-30:30:15,100"}).options.angles,
            (std::vector<double>{-30, -15, 0, 15, 30, 100}));
  // A step that does not divide the range stops short of its end; counting steps, not summing
  // them, keeps 0.1 steps exact at the end.
  EXPECT_EQ(parse({"--angles", "0:10:4"}).options.angles, (std::vector<double>{0, 4, 8}));
  EXPECT_EQ(parse({"--angles", "0:1:0.1"}).options.angles.size(), 11u);
  EXPECT_EQ(parse({"--angles", "0:360:1"}).options.angles.size(), 361u);
}

TEST(ReportOptions, AnisotropyBiasAndRepeatsTakeTheirValues) {
  const Parsed parsed = parse({"--aniso", "1,16,2.5", "--lod-bias=-1.5", "--repeats", "7"});
  EXPECT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(parsed.options.anisotropy, (std::vector<float>{1.0f, 16.0f, 2.5f}));
  EXPECT_EQ(parsed.options.lod_bias, -1.5f);
  EXPECT_EQ(parsed.options.repeats, 7);
}

TEST(ReportOptions, ValuesOutsideTheirLimitsAreRefusedWithAMessage) {
  EXPECT_EQ(parse({"--angles", "0,x"}).error,
            "--angles: \"x\" is no angle and no range FROM:TO:STEP");
  for (const char* bad : {"", "0:90", "0:90:0", "90:0:5", "0:90:-5", "1:2:3:4", "nan", "0,,5"})
    EXPECT_FALSE(parse({"--angles", bad}).ok) << bad;
  EXPECT_EQ(parse({"--angles", "0:361:1"}).error,
            "--angles: at most 361 angles from -360 to 360 degrees");
  EXPECT_FALSE(parse({"--angles", "400"}).ok);
  EXPECT_EQ(parse({"--aniso", "0.5"}).error, "--aniso: \"0.5\" is no AF level from 1 to 1024");
  for (const char* bad : {"", "2,", "inf", "2000", "4x"})
    EXPECT_FALSE(parse({"--aniso", bad}).ok) << bad;
  EXPECT_EQ(parse({"--lod-bias", "3"}).error, "--lod-bias: \"3\" is no bias from -2 to 2");
  EXPECT_TRUE(parse({"--lod-bias", "-2"}).ok);
  EXPECT_EQ(parse({"--repeats", "0"}).error, "--repeats: \"0\" is no count from 1 to 1000");
  for (const char* bad : {"2.5", "1001", "", "ten"})
    EXPECT_FALSE(parse({"--repeats", bad}).ok) << bad;
}
