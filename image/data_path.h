// The ordered list of data directories that image files are looked for in, and the one list the
// whole program shares.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Directory names tried in order when a file is opened by its bare name. Relative names are
// relative to the current working directory.
struct DataPath {
  std::vector<std::string> directories;

  // Opens directory + "/" + file_name with std::fopen and `mode` for each directory in list
  // order and returns the first stream that opens; the caller owns and closes it. The name is
  // joined to every directory even when it carries a directory part of its own. Returns null,
  // reporting nothing, when no directory yields the file or the list is empty.
  std::FILE* open_file(std::string file_name, const char* mode) const;

  // Appends the default directories: the current one, then "data/images" and "data/cubemaps"
  // two, three and four levels up, then program_data_directories of the running program.
  void append_default_directories();
};

// The folders beside the program at `program` (a path to its executable) that hold its pictures:
// the build tree's "data/images" and an installation's "share/kestrel/images", both found from
// the folder above the executable's "bin". None for an empty path.
std::vector<std::string> program_data_directories(const std::string& program);

// The path of the running program's executable, links resolved; empty where the system does not
// tell (no /proc).
std::string running_program();

// The program's data path; empty until the first image read fills in the defaults.
extern DataPath data_path;
