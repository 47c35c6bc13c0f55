// Finds a data file by trying each directory of a DataPath in turn.
#include "image/data_path.h"

#include <iterator>

DataPath data_path;

std::FILE* DataPath::open_file(std::string file_name, const char* mode) const {
  // The open itself is the existence test: a file that is there but cannot be opened counts as
  // absent, and there is no window between a check and the open.
  for (const std::string& directory : directories)
    if (std::FILE* stream = std::fopen((directory + "/" + file_name).c_str(), mode)) return stream;
  return nullptr;
}

void DataPath::append_default_directories() {
  static const char* const defaults[] = {
      ".",
      "../../data/images",
      "../../../data/images",
      "../../../../data/images",
      "../../data/cubemaps",
      "../../../data/cubemaps",
      "../../../../data/cubemaps",
      // Last, so that a program run from the repository, or a picture in the current folder,
      // wins over an installed copy.
      KESTREL_INSTALLED_DATA_DIR,
  };
  directories.insert(directories.end(), std::begin(defaults), std::end(defaults));
}
