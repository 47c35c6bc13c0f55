// Finds a data file by trying each directory of a DataPath in turn.
#include "image/data_path.h"

#include <filesystem>
#include <iterator>
#include <system_error>

DataPath data_path;

std::FILE* DataPath::open_file(std::string file_name, const char* mode) const {
  // The open itself is the existence test: a file that is there but cannot be opened counts as
  // absent, and there is no window between a check and the open.
  for (const std::string& directory : directories)
    if (std::FILE* stream = std::fopen((directory + "/" + file_name).c_str(), mode)) return stream;
  return nullptr;
}

std::vector<std::string> program_data_directories(const std::string& program) {
  if (program.empty()) return {};
  const std::filesystem::path prefix = std::filesystem::path(program).parent_path().parent_path();
  return {(prefix / "data" / "images").string(),
          (prefix / "share" / "kestrel" / "images").string()};
}

std::string running_program() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : program.string();
}

void DataPath::append_default_directories() {
  static const char* const relative[] = {
      ".",
      "../../data/images",
      "../../../data/images",
      "../../../../data/images",
      "../../data/cubemaps",
      "../../../data/cubemaps",
      "../../../../data/cubemaps",
  };
  directories.insert(directories.end(), std::begin(relative), std::end(relative));
  // After the folders relative to the current one, so that a picture there wins over the copy
  // the program was built or installed with.
  const std::vector<std::string> beside_program = program_data_directories(running_program());
  directories.insert(directories.end(), beside_program.begin(), beside_program.end());
}
