// The report folder replaced whole, on real folders, by runs of both kinds and runs cut short,
// checked byte for byte with hidden entries. Full runs and SIGINT or SIGTERM cuts: end to end.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "image/file_output.h"
#include "report/run/report_folder.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The entries of a folder by name: a file's bytes, or "<folder>" for a folder.
using Entries = std::map<std::string, std::string>;

Entries entries(const fs::path& folder) {
  Entries found;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    found[entry.path().filename().string()] =
        entry.is_directory() ? "<folder>" : read_file(entry.path());
  return found;
}

Entries visible(const Entries& all) {
  Entries shown;
  for (const auto& [name, bytes] : all)
    if (name[0] != '.') shown[name] = bytes;
  return shown;
}

bool has_hidden(const fs::path& folder) {
  return visible(entries(folder)).size() < entries(folder).size();
}

void write_entries(const fs::path& folder, const Entries& files) {
  for (const auto& [name, bytes] : files) write_file(folder / name, bytes);
}

// The entries of `a`, and those of `b` in their place where both have a name.
Entries operator+(Entries a, const Entries& b) {
  for (const auto& [name, bytes] : b) a[name] = bytes;
  return a;
}

Entries files(const std::vector<std::string>& names, const std::string& run) {
  Entries made;
  for (const std::string& name : names) made[name] = run + " " + name;
  return made;
}

const std::vector<std::string> measured_without_baseline = {
    "panels.png", "lod-measured.png", "lod-error.png", "quality.png", "angles.svg",
    "report.json", "report.md",       "summary.md",    "report.html"};
const Entries old_report =
    files(measured_without_baseline, "old") + Entries{{"regressions.md", "old"}};
const Entries new_report = files(measured_without_baseline, "new");
const Entries old_comparison = files({"compare.md", "compare.svg", "compare.html"}, "old");
const Entries new_comparison = files({"compare.md", "compare.svg", "compare.html"}, "new");
// Files of the user's beside the report, one named after a report file.
const Entries users_files = {{"notes.txt", "the user's notes"}, {"report.md.orig", "kept"}};
// The JUnit file's folder, with another tool's file.
const Entries old_ci = {{"results.xml", "old junit"}, {"other.xml", "another tool's"}};

// An output folder and a JUnit file in a folder of their own, in a fresh temporary folder.
struct Places {
  TempDir temp;
  const fs::path out = temp.path() / "out";
  const fs::path ci = temp.path() / "ci";
  const fs::path junit = ci / "results.xml";
};

// Stages `files` in `out` and `junit` as the JUnit file unless empty; true if all were staged.
bool stage_all(ReportFolder& folder, const fs::path& out, const Entries& files,
               const std::string& junit, const fs::path& junit_path) {
  const auto writing = [](const std::string& bytes) {
    return [&bytes](const std::string& path) { return write_text_file(path, bytes); };
  };
  bool staged = junit.empty() || folder.stage(junit_path, writing(junit));
  for (const auto& [name, bytes] : files)
    staged = folder.stage(out / name, writing(bytes)) && staged;
  return staged;
}

struct RunCase {
  const char* what;
  ReportKind kind;
  std::optional<Entries> earlier;  // the folder before the run; none: there is none
  Entries staged;
  std::string junit;  // the JUnit file the run writes; empty: none
  bool commits;
  std::optional<Entries> after;  // the folder after the run; none: there is none
};

const RunCase runs[] = {
    {"a run without a commit leaves the earlier report", ReportKind::measured,
     old_report + users_files, files({"panels.png", "report.md"}, "new"), "new junit", false,
     old_report + users_files},
    {"a comparison replaces only a comparison", ReportKind::comparison,
     old_report + old_comparison + users_files, new_comparison, "", true,
     old_report + new_comparison + users_files},
    {"a measured report leaves a comparison alone", ReportKind::measured,
     old_comparison + users_files, new_report, "", true,
     old_comparison + new_report + users_files},
    {"a first run makes the folder", ReportKind::comparison, std::nullopt, new_comparison, "",
     true, new_comparison},
    {"a run that ends before it writes leaves no new folder", ReportKind::measured, std::nullopt,
     {}, "", false, std::nullopt},
};

TEST(ReportFolder, HoldsTheEarlierReportOrTheNewOneWhole) {
  for (const RunCase& run : runs) {
    SCOPED_TRACE(run.what);
    const Places places;
    if (run.earlier) write_entries(places.out, *run.earlier);
    write_entries(places.ci, old_ci);
    {
      ReportFolder folder(places.out, run.kind, run.junit.empty() ? fs::path() : places.junit);
      std::string error;
      ASSERT_TRUE(folder.open(error)) << error;
      EXPECT_FALSE(folder.stage(places.out / "notes.txt", [](const std::string&) { return true; }));
      ASSERT_TRUE(stage_all(folder, places.out, run.staged, run.junit, places.junit));
      // Staged, nothing has changed where anyone looks.
      EXPECT_EQ(visible(entries(places.out)), run.earlier.value_or(Entries{}));
      EXPECT_EQ(visible(entries(places.ci)), old_ci);
      if (run.commits) {
        EXPECT_TRUE(folder.commit(error)) << error;
      }
    }
    ASSERT_EQ(fs::exists(places.out), run.after.has_value());
    if (run.after) {
      EXPECT_EQ(entries(places.out), *run.after);
    }
    const Entries ci_after =
        run.commits && !run.junit.empty() ? old_ci + Entries{{"results.xml", run.junit}} : old_ci;
    EXPECT_EQ(entries(places.ci), ci_after);
  }
}

// How a run is cut short after staging its files.
enum class Ending {
  signal,                // a signal arrives between two files
  signal_while_writing,  // a signal arrives while a file is written
  killed,                // SIGKILL: the next run finds the staging folder
  failure_after_commit,  // a file cannot take its place: the next run finds the done folder
};

struct Cut {
  const char* what;
  Ending ending;
  int signal;
  Entries staged;
};

const Cut cuts[] = {
    {"SIGHUP", Ending::signal, SIGHUP, new_report},
    {"SIGQUIT", Ending::signal, SIGQUIT, new_report},
    {"SIGINT while a file is written", Ending::signal_while_writing, SIGINT, new_report},
    {"SIGKILL", Ending::killed, SIGKILL, files({"regressions.md", "report.md"}, "killed")},
    {"a failure after the commit point", Ending::failure_after_commit, 0, new_report},
};

// The child process of a cut: stages `cut.staged` and the JUnit file, raises the signal between two
// files or while the last is written; exits 1 if it cannot stage, 2 if the signal does not end it.
void stage_and_raise(const Places& places, const Cut& cut) {
  ReportFolder folder(places.out, ReportKind::measured, places.junit);
  std::string error;
  if (!folder.open(error) || !stage_all(folder, places.out, cut.staged, "cut junit", places.junit))
    std::_Exit(1);
  if (cut.ending == Ending::signal_while_writing)
    folder.stage(places.out / "summary.md", [&places, &cut](const std::string& path) {
      raise(cut.signal);
      write_file(places.temp.path() / "written after the signal", "");
      return write_text_file(path, "cut summary.md");
    });
  else
    raise(cut.signal);
  std::_Exit(2);
}

TEST(ReportFolder, RunsCutShortLeaveTheEarlierReportOrTheirOwnWhole) {
  for (const Cut& cut : cuts) {
    SCOPED_TRACE(cut.what);
    const Places places;
    const Entries earlier = old_report + users_files;
    write_entries(places.out, earlier);
    write_entries(places.ci, old_ci);
    Entries expected = earlier, expected_ci = old_ci;
    if (cut.ending == Ending::failure_after_commit) {
      // A folder of the user's where summary.md goes: the commit cannot finish.
      fs::remove(places.out / "summary.md");
      write_file(places.out / "summary.md" / "mine.txt", "the user's");
      ReportFolder folder(places.out, ReportKind::measured, places.junit);
      std::string error;
      ASSERT_TRUE(folder.open(error)) << error;
      ASSERT_TRUE(stage_all(folder, places.out, cut.staged, "cut junit", places.junit));
      EXPECT_FALSE(folder.commit(error));
      EXPECT_NE(error.find((places.out / "summary.md").string()), std::string::npos) << error;
      expected = cut.staged + users_files;
      expected_ci = old_ci + Entries{{"results.xml", "cut junit"}};
    } else {
      EXPECT_EXIT({ stage_and_raise(places, cut); }, testing::KilledBySignal(cut.signal), "");
    }
    if (cut.ending == Ending::signal_while_writing) {
      EXPECT_TRUE(fs::exists(places.temp.path() / "written after the signal"));
    }
    if (cut.ending == Ending::killed) {
      // The staged files are left behind; the next run commits its own without them.
      EXPECT_TRUE(has_hidden(places.ci));
      expected = new_report + users_files;
      expected_ci = old_ci + Entries{{"results.xml", "next junit"}};
    }
    if (cut.ending == Ending::failure_after_commit) fs::remove_all(places.out / "summary.md");
    if (cut.ending == Ending::killed || cut.ending == Ending::failure_after_commit) {
      EXPECT_TRUE(has_hidden(places.out));
      ReportFolder next(places.out, ReportKind::measured, places.junit);
      std::string error;
      ASSERT_TRUE(next.open(error)) << error;
      if (cut.ending == Ending::killed) {
        ASSERT_TRUE(stage_all(next, places.out, new_report, "next junit", places.junit));
        EXPECT_TRUE(next.commit(error)) << error;
      }
    }
    EXPECT_EQ(entries(places.out), expected);
    EXPECT_EQ(entries(places.ci), expected_ci);
  }
}

}  // namespace
