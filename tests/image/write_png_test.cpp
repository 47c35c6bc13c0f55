// write_png of an RgbImage, read back by the program's own PNG loader: the texels and their row
// order survive, and pictures that cannot be written are refused.
#include "image/write_png.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "image/file_output.h"

#include "image/read_png.h"
#include "image_compare.h"
#include "temp_dir.h"

namespace {

RgbImage read_back(const std::filesystem::path& path) {
  RgbImage image(1, 1);
  std::FILE* const stream = std::fopen(path.c_str(), "rb");
  EXPECT_NE(stream, nullptr) << path;
  if (!stream) return image;
  EXPECT_TRUE(read_png_stream(stream, image)) << path;
  std::fclose(stream);
  return image;
}

std::string contents(const std::filesystem::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// Limits the size of every file the process writes, as a full disk would, for its lifetime:
// a write past the limit fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_signal_ = signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    signal(SIGXFSZ, previous_signal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previous_signal_)(int) = nullptr;
};

}  // namespace

TEST(WritePng, RgbImageRoundTripsWithItsRowOrder) {
  TempDir directory;
  const RgbImage image = patterned_image(5, 3);
  const std::filesystem::path path = directory.path() / "pattern.png";
  ASSERT_TRUE(write_png(path.string(), image));
  EXPECT_TRUE(same_image(read_back(path), image));
}

TEST(WritePng, RefusesEmptyImagesAndUnwritablePaths) {
  TempDir directory;
  EXPECT_FALSE(write_png((directory.path() / "empty.png").string(), RgbImage(0, 4)));
  EXPECT_FALSE(std::filesystem::exists(directory.path() / "empty.png"));
  EXPECT_FALSE(write_png((directory.path() / "missing" / "x.png").string(), RgbImage(2, 2)));
}

// Text and pictures that do not fit leave no partial file and keep the file they would replace;
// those that fit replace it whole.
TEST(ReplaceFile, AFailedWriteLeavesNoPartialFileAndKeepsTheOldOne) {
  TempDir directory;
  const std::filesystem::path text_path = directory.path() / "summary.md";
  const std::filesystem::path picture_path = directory.path() / "panels.png";
  ASSERT_TRUE(write_text_file(text_path.string(), "old text"));
  ASSERT_TRUE(write_png(picture_path.string(), patterned_image(2, 2)));
  const std::string old_picture = contents(picture_path);
  RgbImage noise(64, 64);  // incompressible: far more than the limit as PNG
  std::uint32_t state = 1;
  for (int i = 0; i < 64 * 64; ++i) {
    state = state * 1664525u + 1013904223u;
    noise.texels()[i] = {std::uint8_t(state >> 24), std::uint8_t(state >> 16),
                         std::uint8_t(state >> 8)};
  }
  {
    const FileSizeLimit limit(4096);
    EXPECT_FALSE(write_text_file(text_path.string(), std::string(10000, 'x')));
    EXPECT_FALSE(write_png(picture_path.string(), noise));
    EXPECT_FALSE(write_text_file((directory.path() / "new.md").string(), std::string(5000, 'y')));
    EXPECT_TRUE(write_text_file(text_path.string(), "new text"));
  }
  EXPECT_EQ(contents(text_path), "new text");
  EXPECT_EQ(contents(picture_path), old_picture);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory.path()))
    ++files;
  EXPECT_EQ(files, 2);  // no temporary file and no new.md remain
  EXPECT_FALSE(replace_file((directory.path() / "refused").string(),
                            [](std::FILE*) { return false; }));
  EXPECT_FALSE(std::filesystem::exists(directory.path() / "refused"));
}
