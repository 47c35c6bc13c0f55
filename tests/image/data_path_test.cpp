// The data path: directories tried in list order, the first that yields the file winning.
#include "image/data_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> default_directories = {
    ".",
    "../../data/images",
    "../../../data/images",
    "../../../../data/images",
    "../../data/cubemaps",
    "../../../data/cubemaps",
    "../../../../data/cubemaps",
};

// Works four levels below a temporary root, so that every default directory lies inside it.
class DataPathTest : public testing::Test {
 protected:
  TempDir root;
  const fs::path work = root.path() / "a" / "b" / "c" / "work";
  ScopedWorkingDirectory in_work{work};

  // What `path` opens for `name`: the file's contents, or "none".
  static std::string open_and_read(const DataPath& path, const std::string& name) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(path.open_file(name, "rb"),
                                                                  std::fclose);
    if (!stream) return "none";
    char contents[64] = {};
    return std::string(contents, std::fread(contents, 1, sizeof contents - 1, stream.get()));
  }
};

// The installed folder, fixed when the build was configured, comes after the seven.
TEST_F(DataPathTest, DefaultsAreTheSevenDirectoriesInOrderThenAnAbsoluteOne) {
  DataPath path;
  path.append_default_directories();
  ASSERT_EQ(path.directories.size(), default_directories.size() + 1);
  EXPECT_TRUE(std::equal(default_directories.begin(), default_directories.end(),
                         path.directories.begin()));
  EXPECT_TRUE(fs::path(path.directories.back()).is_absolute()) << path.directories.back();
}

TEST_F(DataPathTest, EveryDefaultPositionIsSearchedAndTheFirstHoldingTheFileWins) {
  DataPath path;
  path.append_default_directories();
  for (std::size_t first = 0; first < default_directories.size(); ++first) {
    for (const std::string& directory : default_directories)
      fs::remove(work / directory / "probe.png");
    // The file lies in this position and in every later one, each copy naming its position.
    for (std::size_t position = first; position < default_directories.size(); ++position)
      write_file(work / default_directories[position] / "probe.png", std::to_string(position));
    EXPECT_EQ(open_and_read(path, "probe.png"), std::to_string(first))
        << "first copy in " << default_directories[first];
  }
}

TEST_F(DataPathTest, MissingFileOpensNothing) {
  DataPath path;
  path.append_default_directories();
  write_file(root.path() / "probe.png", "above every data directory");
  EXPECT_EQ(open_and_read(path, "probe.png"), "none");
}

TEST_F(DataPathTest, EmptyListOpensNothing) {
  write_file(work / "probe.png", "in the working directory");
  EXPECT_EQ(open_and_read(DataPath{}, "probe.png"), "none");
}

TEST_F(DataPathTest, NameIsJoinedToEachDirectoryAsItIs) {
  write_file(root.path() / "images" / "sub" / "probe.png", "joined");
  DataPath path;
  path.directories = {"missing", (root.path() / "images").string()};
  EXPECT_EQ(open_and_read(path, "sub/probe.png"), "joined");
  EXPECT_EQ(open_and_read(path, "probe.png"), "none");
}

}  // namespace
