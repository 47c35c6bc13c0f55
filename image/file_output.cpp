// Writing files whole or not at all, through a temporary file renamed into place.
#include "image/file_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Opens a new file beside `path` under a name no other writer uses, and sets `name` to it.
std::FILE* create_temporary(const std::string& path, std::string& name) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    const int descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
      if (std::FILE* const stream = fdopen(descriptor, "wb")) return stream;
      close(descriptor);
      unlink(name.c_str());
      return nullptr;
    }
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

}  // namespace

bool replace_file(const std::string& path, const std::function<bool(std::FILE*)>& write) {
  std::string temporary;
  std::FILE* const stream = create_temporary(path, temporary);
  if (!stream) return false;
  const bool written = write(stream) && std::fflush(stream) == 0 && !std::ferror(stream);
  // fclose runs whatever happened before: it releases the stream even when it fails.
  const bool closed = std::fclose(stream) == 0;
  if (written && closed && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

bool write_text_file(const std::string& path, const std::string& text) {
  return replace_file(path, [&text](std::FILE* stream) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
  });
}
