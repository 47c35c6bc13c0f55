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
  // two, three and four levels up, then the absolute folder the pictures are installed into
  // (share/kestrel/images under the installation prefix chosen when the build was configured).
  void append_default_directories();
};

// The program's data path; empty until the first image read fills in the defaults.
extern DataPath data_path;
