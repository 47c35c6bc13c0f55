// The command-line switches: letter case, combinations, and what is ignored.
#include <gtest/gtest.h>

#include <vector>

#include "app/startup.h"

namespace {

TestState parse(std::vector<const char*> args) {
  args.insert(args.begin(), "kestrel");
  TestState state;
  parse_switches(static_cast<int>(args.size()), args.data(), state);
  return state;
}

bool flags_equal(const TestState& s, bool no_af, bool tc, bool no_af_trick, bool no_mt) {
  return s.no_af == no_af && s.tc == tc && s.no_af_trick == no_af_trick && s.no_mt == no_mt;
}

}  // namespace

TEST(Switches, NoneLeaveTheDefaults) {
  const TestState s = parse({});
  EXPECT_TRUE(flags_equal(s, false, false, false, false));
  EXPECT_EQ(s.tmu_count, 1);
  EXPECT_EQ(s.current_tmu, 0);
  EXPECT_EQ(s.threshold_index, 0);
  EXPECT_EQ(s.zoom, 3.5f);
}

TEST(Switches, EachSetsItsOwnFlag) {
  EXPECT_TRUE(flags_equal(parse({"-noaf"}), true, false, false, false));
  EXPECT_TRUE(flags_equal(parse({"-tc"}), false, true, false, false));
  EXPECT_TRUE(flags_equal(parse({"-noaftrick"}), false, false, true, false));
  EXPECT_TRUE(flags_equal(parse({"-nomt"}), false, false, false, true));
}

TEST(Switches, LetterCaseIsIgnored) {
  EXPECT_TRUE(flags_equal(parse({"-NOAF", "-Tc", "-NoAfTrick", "-nOmT"}), true, true, true, true));
}

TEST(Switches, OrderAndRepetitionDoNotMatter) {
  EXPECT_TRUE(flags_equal(parse({"-nomt", "-tc", "-noaf"}), true, true, false, true));
  EXPECT_TRUE(flags_equal(parse({"-tc", "-TC", "-tc"}), false, true, false, false));
}

TEST(Switches, AnythingElseIsIgnored) {
  // Joined, abbreviated, prefixed or padded switches match nothing; neither does the program
  // name, whatever it is.
  EXPECT_TRUE(flags_equal(parse({"-noaf,-tc", "-no", "--tc", "noaf", "-tc ", " -tc", "", "-t"}),
                          false, false, false, false));
  const char* const argv[] = {"-tc"};
  TestState state;
  parse_switches(1, argv, state);
  EXPECT_FALSE(state.tc);
}
