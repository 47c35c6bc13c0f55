// A report folder replaced as a whole: a run's files are written into a hidden folder inside
// the output folder and take their places there together at the end, so that the folder holds
// the earlier report or the new one, never a mix of both, however the run ends. The run's JUnit
// file, which may lie anywhere, is replaced at the same moment. One run at a time writes into a
// folder: each locks the folders it writes into from before it stages anything until it ends.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// What a run writes into its folder: a measured report (panels.png, lod-measured.png,
// lod-error.png, quality.png, angles.svg, report.json, report.md, summary.md, regressions.md and
// report.html) or a comparison of reports (compare.md, compare.svg and compare.html). The files
// of the kind's set found in the folder are the earlier report's; no other file there is touched.
enum class ReportKind { measured, comparison };

// Writes the file at the path it is handed, whole; returns whether it did.
using FileWriter = std::function<bool(const std::string& path)>;

// How open waits while another process holds a folder it locks: at most `seconds` (0: not at
// all), calling `waiting` with the folder once when it starts to wait.
struct LockWait {
  double seconds = 0.0;
  std::function<void(const std::filesystem::path& folder)> waiting;
};

// The files of one run, staged and then put in their places at once. Only one object may be
// open in a process at a time (it owns the handlers of the signals below), and only the thread
// that opened it may call it.
class ReportFolder {
 public:
  // The report of `kind` in `folder`, and the JUnit file `junit` unless it is empty; `also`, a
  // file the run writes itself while the object lives (the expectations it writes), is locked
  // with them. Nothing is touched before open.
  ReportFolder(std::filesystem::path folder, ReportKind kind, std::filesystem::path junit = {},
               std::filesystem::path also = {});
  // Without a commit, removes the staged files and the staging folder, and the output folder
  // too where open created it and it is empty: the earlier report stays as it was. Then gives
  // the signals below back to the handlers they had before open.
  ~ReportFolder();
  ReportFolder(const ReportFolder&) = delete;
  ReportFolder& operator=(const ReportFolder&) = delete;

  // Creates the folder with its parents where missing; locks it, and the folders of the JUnit
  // file and of `also` where they exist, against every other process that locks them, waiting
  // as `wait` says while one does (flock(2) on each folder, in one order, so that runs never wait
  // for each other in a circle; the kernel gives a lock up when its process ends, killed or
  // not); finishes the commit of an earlier run that ended during it, discards the staged files
  // of an earlier run that ended before its commit, and makes the staging folder. From then
  // until the object ends SIGINT, SIGTERM, SIGHUP and SIGQUIT first remove the staged files, the
  // staging folder and a folder open made, and then end the process as their default actions
  // do; one the process ignores stays ignored. Returns false, with `error` saying what failed
  // and naming it, when any of this fails; what it made goes when the object ends.
  bool open(std::string& error, const LockWait& wait = {});

  // Writes `file` through `write`, handed a hidden path to write it at; `file` is the folder's
  // path joined with a name of the kind's set, or the JUnit file. A file staged again is
  // replaced. A signal that arrives during `write` takes effect once it returns. Returns false
  // when `write` does, or when `file` is neither of those or the folder is not open.
  bool stage(const std::filesystem::path& file, const FileWriter& write);

  // Puts the staged files in their places at once: each replaces its namesake in the folder,
  // the names of the kind's set that were not staged are removed there, and a staged JUnit file
  // replaces the JUnit file. A signal that arrives meanwhile takes effect after it. Returns
  // false, with `error` naming what failed, when the folder is not open or any step fails: one
  // that fails before the new report takes over leaves the earlier report, and the staged files
  // go when the object ends; one that fails after that is finished by the next open.
  bool commit(std::string& error);

  // The files staged so far, by the paths they have once committed, in the order they were
  // first staged.
  const std::vector<std::filesystem::path>& files() const { return files_; }

 private:
  struct Target {
    std::filesystem::path file;    // where it ends up
    std::filesystem::path staged;  // where it is written first
  };

  // Descriptors of the folders locked, each given up when the object ends.
  class Locks {
   public:
    Locks() = default;
    ~Locks();
    Locks(const Locks&) = delete;
    Locks& operator=(const Locks&) = delete;
    // Locks `folder`, which exists, as open says. Returns false, with `error` naming it, where it
    // cannot or gives up waiting.
    bool take(const std::filesystem::path& folder, const LockWait& wait, std::string& error);

   private:
    std::vector<int> descriptors_;
  };

  std::filesystem::path folder_;
  std::filesystem::path staging_;
  std::filesystem::path also_;
  Locks locks_;
  std::filesystem::path junit_link_;  // in the staging folder, where there is a JUnit file
  std::vector<Target> targets_;       // the kind's set, then the JUnit file where there is one
  std::size_t set_size_;              // how many of targets_ are the kind's set
  std::vector<std::filesystem::path> files_;
  bool open_ = false;
  bool created_ = false;  // open made the folder
  bool committed_ = false;
  bool locked_ = false;  // open holds the locks of every folder
};
