// A report folder replaced as a whole, through a staging folder inside it and one rename.
//
// The run's files are written into DIR/.kestrel-new, inside the folder so that every later
// rename stays on one file system; the JUnit file is written beside itself as .NAME.kestrel-new,
// and a symbolic link "junit" in the staging folder points at it. The commit first adds an empty
// marker NAME.gone for each name of the run's set that it did not write, then renames the
// staging folder to DIR/.kestrel-done: that rename is the moment the new report wins. The done
// folder then holds everything left to do, and each step takes its own entry away once it is
// done, so a process killed anywhere in between leaves exactly the rest, which the next open
// finishes. A staging folder found by open belongs to a run that ended before its commit, and
// is thrown away.
//
// Signals: a run that is interrupted must not leave its files behind, so SIGINT, SIGTERM,
// SIGHUP and SIGQUIT remove them, with unlink and rmdir on paths prepared before the handlers
// were installed, and end the process by the signal's default action, as the shell expects.
// The driver runs threads of its own and the kernel hands a signal to any thread that does not
// block it, so blocking signals in the writing thread would not hold off a handler on another
// one. One lock-free state shared with the handlers does instead: while the opening thread
// changes the staged files it is busy, and a signal then only leaves its number behind for
// that thread to act on once it is done.
#include "report/run/report_folder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <iterator>
#include <set>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr const char* staging_name = ".kestrel-new";
constexpr const char* done_name = ".kestrel-done";
constexpr const char* junit_link_name = "junit";
constexpr const char* gone_suffix = ".gone";

constexpr const char* measured_names[] = {
    "panels.png", "lod-measured.png", "lod-error.png", "quality.png",    "angles.svg",
    "report.json", "report.md",       "summary.md",    "regressions.md", "report.html"};
constexpr const char* comparison_names[] = {"compare.md", "compare.svg", "compare.html"};

std::vector<std::string> names_of(ReportKind kind) {
  if (kind == ReportKind::measured) return {std::begin(measured_names), std::end(measured_names)};
  return {std::begin(comparison_names), std::end(comparison_names)};
}

// Where the JUnit file `junit` is written before the commit: beside it, so that the rename that
// replaces it stays on its file system, and hidden.
fs::path junit_temporary(const fs::path& junit) {
  return junit.parent_path() / ("." + junit.filename().string() + staging_name);
}

// Creates the empty file `path`.
void create_marker(const fs::path& path) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (descriptor < 0)
    throw fs::filesystem_error("cannot create", path,
                               std::error_code(errno, std::generic_category()));
  ::close(descriptor);
}

// Finishes the commit recorded in `done`, the done folder of `folder`: the JUnit file's
// temporary replaces it, each file there replaces its namesake in `folder` and each marker
// removes its name there; then the empty done folder goes. Every step is one rename or removal
// that takes its own record away, so that a commit cut short anywhere can be finished by running
// this again. Throws fs::filesystem_error when a step fails.
void finish_commit(const fs::path& done, const fs::path& folder) {
  const fs::path link = done / junit_link_name;
  if (fs::is_symlink(link)) {
    const fs::path junit = fs::read_symlink(link);
    if (fs::exists(fs::symlink_status(junit_temporary(junit))))
      fs::rename(junit_temporary(junit), junit);
    fs::remove(link);
  }
  // Both kinds' names: the folder may have been either kind's.
  for (const ReportKind kind : {ReportKind::measured, ReportKind::comparison})
    for (const std::string& name : names_of(kind)) {
      if (fs::exists(fs::symlink_status(done / name))) fs::rename(done / name, folder / name);
      if (fs::exists(fs::symlink_status(done / (name + gone_suffix)))) {
        fs::remove(folder / name);
        fs::remove(done / (name + gone_suffix));
      }
    }
  fs::remove(done);
}

// Removes the staging folder `staging`, everything in it and the JUnit file's temporary linked
// from there. Throws fs::filesystem_error when it cannot.
void discard(const fs::path& staging) {
  const fs::path link = staging / junit_link_name;
  if (fs::is_symlink(link)) fs::remove(junit_temporary(fs::read_symlink(link)));
  fs::remove_all(staging);
}

std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

// Runs `step`; when it throws fs::filesystem_error sets `error` to `what`, the reason and the
// paths concerned that `what` does not name already, and returns false.
template <typename Step>
bool attempt(const std::string& what, std::string& error, const Step& step) {
  try {
    step();
    return true;
  } catch (const fs::filesystem_error& failure) {
    std::string paths;
    for (const fs::path* path : {&failure.path1(), &failure.path2()})
      if (!path->empty() && what.find(quoted(*path)) == std::string::npos)
        paths += (paths.empty() ? " (" : ", ") + quoted(*path);
    error = what + ": " + failure.code().message() + paths + (paths.empty() ? "" : ")");
    return false;
  }
}

// What the signal handlers share with the thread that opened the folder.
enum State : int {
  closed,  // no folder is open, the handlers are not installed
  idle,    // a signal removes the staged files and ends the process
  busy,    // the opening thread changes the staged files: a signal waits for it
  dying,   // a signal is removing the staged files: the opening thread waits for the end
};
static_assert(std::atomic<int>::is_always_lock_free, "the handlers need lock-free atomics");
std::atomic<int> state{closed};
std::atomic<int> pending_signal{0};

constexpr int handled_signals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction previous_actions[std::size(handled_signals)];
bool installed[std::size(handled_signals)];

// The paths a signal removes, set before the handlers are installed and only read by them: the
// staged files (the kind's set, the JUnit file's temporary and the link to it), then the staging
// folder and the output folder where open made it. Unused entries are null.
std::array<const char*, std::size(measured_names) + 2> doomed_files;
std::array<const char*, 2> doomed_folders;

// Removes the staged files and ends the process by the pending signal's default action, unless
// the opening thread is busy with them (it calls this again when done) or another thread does
// it already. Uses async-signal-safe calls only.
void die_of_pending_signal() {
  int expected = idle;
  if (!state.compare_exchange_strong(expected, dying)) return;
  for (const char* file : doomed_files)
    if (file) unlink(file);
  for (const char* folder : doomed_folders)
    if (folder) rmdir(folder);
  const int signal = pending_signal.load();
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  sigaction(signal, &default_action, nullptr);
  // In a handler the signal is blocked until it returns, and then kills the process.
  raise(signal);
}

extern "C" void on_signal(int signal) {
  pending_signal.store(signal);
  die_of_pending_signal();
}

// Makes the opening thread busy; when a signal is already removing the staged files, waits for
// it to end the process.
void hold_signals() {
  int expected = idle;
  if (!state.compare_exchange_strong(expected, busy))
    for (;;) pause();
}

// Holds the signals off for its lifetime; a signal that arrived meanwhile takes effect at its
// end.
class SignalsHeld {
 public:
  SignalsHeld() { hold_signals(); }
  ~SignalsHeld() {
    state.store(idle);
    if (pending_signal.load() != 0) die_of_pending_signal();
  }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;
};

void install_handlers() {
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  for (const int signal : handled_signals) sigaddset(&action.sa_mask, signal);
  // A signal held off must not make the writing in progress fail.
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(handled_signals); ++i) {
    sigaction(handled_signals[i], nullptr, &previous_actions[i]);
    // A signal ignored from the start (nohup, a background job) stays ignored.
    installed[i] = previous_actions[i].sa_handler != SIG_IGN;
    if (installed[i]) sigaction(handled_signals[i], &action, nullptr);
  }
}

void restore_handlers() {
  for (std::size_t i = 0; i < std::size(handled_signals); ++i)
    if (installed[i]) sigaction(handled_signals[i], &previous_actions[i], nullptr);
}

}  // namespace

ReportFolder::Locks::~Locks() {
  for (const int descriptor : descriptors_) ::close(descriptor);
}

bool ReportFolder::Locks::take(const fs::path& folder, const LockWait& wait, std::string& error) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) {
    error = "cannot open the folder " + quoted(folder) + " to lock it: " + std::strerror(errno);
    return false;
  }
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::duration<double>(wait.seconds);
  bool told = false;
  while (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    const int cause = errno;
    if (cause != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
      ::close(descriptor);
      error = cause != EWOULDBLOCK
                  ? "cannot lock the folder " + quoted(folder) + ": " + std::strerror(cause)
              : wait.seconds > 0.0
                  ? "another kestrel-report run writes into " + quoted(folder) +
                        " and did not finish within the wait (--wait)"
                  : "another kestrel-report run writes into " + quoted(folder) +
                        " (--wait 0: not waited for)";
      return false;
    }
    if (!told && wait.waiting) wait.waiting(folder);
    told = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  descriptors_.push_back(descriptor);
  return true;
}

ReportFolder::ReportFolder(fs::path folder, ReportKind kind, fs::path junit, fs::path also)
    : folder_(std::move(folder)), staging_(folder_ / staging_name), also_(std::move(also)) {
  for (const std::string& name : names_of(kind))
    targets_.push_back({folder_ / name, staging_ / name});
  set_size_ = targets_.size();
  if (!junit.empty()) {
    junit_link_ = staging_ / junit_link_name;
    targets_.push_back({junit, junit_temporary(junit)});
  }
}

ReportFolder::~ReportFolder() {
  if (open_) hold_signals();
  if (!committed_) {
    std::string ignored;
    // A staging folder is another run's until this one holds the locks.
    if (locked_) attempt("", ignored, [this] { discard(staging_); });
    std::error_code unused;
    if (created_) fs::remove(folder_, unused);  // only when empty
  }
  if (!open_) return;
  restore_handlers();
  state.store(closed);
  if (const int signal = pending_signal.exchange(0)) raise(signal);
}

bool ReportFolder::open(std::string& error, const LockWait& wait) {
  if (!attempt("cannot create the folder " + quoted(folder_), error,
               [this] { created_ = fs::create_directories(folder_); }))
    return false;
  // The folders by their canonical paths, each once and in their order; a JUnit or expectations
  // file's missing folder is no one's to write into.
  std::vector<fs::path> folders = {folder_};
  for (const fs::path* file : {junit_link_.empty() ? nullptr : &targets_.back().file, &also_})
    if (file && !file->empty()) folders.push_back(fs::absolute(*file).parent_path());
  std::set<fs::path> locked;
  for (const fs::path& folder : folders) {
    std::error_code unused;
    if (fs::is_directory(folder, unused)) locked.insert(fs::weakly_canonical(folder, unused));
  }
  for (const fs::path& folder : locked)
    if (!locks_.take(folder, wait, error)) return false;
  locked_ = true;
  const fs::path done = folder_ / done_name;
  if (!attempt("cannot finish the report an earlier run left half replaced in " + quoted(folder_),
               error, [&done, this] {
                 if (fs::exists(fs::symlink_status(done))) finish_commit(done, folder_);
               }))
    return false;
  if (!attempt("cannot make the staging folder " + quoted(staging_), error, [this] {
        discard(staging_);
        fs::create_directory(staging_);
        if (!junit_link_.empty())
          fs::create_symlink(fs::absolute(targets_.back().file), junit_link_);
      }))
    return false;
  doomed_files.fill(nullptr);
  for (std::size_t i = 0; i < targets_.size(); ++i) doomed_files[i] = targets_[i].staged.c_str();
  if (!junit_link_.empty()) doomed_files[targets_.size()] = junit_link_.c_str();
  doomed_folders = {staging_.c_str(), created_ ? folder_.c_str() : nullptr};
  pending_signal.store(0);
  state.store(idle);
  install_handlers();
  open_ = true;
  return true;
}

bool ReportFolder::stage(const fs::path& file, const FileWriter& write) {
  const auto target = std::find_if(targets_.begin(), targets_.end(),
                                   [&file](const Target& t) { return t.file == file; });
  if (!open_ || committed_ || target == targets_.end()) return false;
  bool written = false;
  {
    const SignalsHeld held;
    written = write(target->staged.string());
  }
  if (written && std::find(files_.begin(), files_.end(), file) == files_.end())
    files_.push_back(file);
  return written;
}

bool ReportFolder::commit(std::string& error) {
  if (!open_ || committed_) {
    error = "the report in " + quoted(folder_) + " is not open for writing";
    return false;
  }
  const SignalsHeld held;
  const fs::path done = folder_ / done_name;
  if (!attempt("cannot stage the new report in " + quoted(staging_), error, [&done, this] {
        for (std::size_t i = 0; i < set_size_; ++i)
          if (!fs::exists(fs::symlink_status(targets_[i].staged)))
            create_marker(targets_[i].staged.string() + gone_suffix);
        fs::rename(staging_, done);
      }))
    return false;
  committed_ = true;
  return attempt("cannot put the new report in place in " + quoted(folder_), error,
                 [&done, this] { finish_commit(done, folder_); });
}
