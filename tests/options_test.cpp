// kestrel-report's command line: the defaults, both forms of --out, --help, and the messages of
// arguments it does not know or cannot use.
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

TEST(ReportOptions, DefaultsWriteIntoKestrelReport) {
  const Parsed parsed = parse({});
  EXPECT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.options.out, "kestrel-report");
  EXPECT_FALSE(parsed.options.help);
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
  const Parsed unknown = parse({"--angles", "5"});
  EXPECT_FALSE(unknown.ok);
  EXPECT_EQ(unknown.error, "unknown option \"--angles\"");
  EXPECT_FALSE(parse({"report"}).ok);
}
