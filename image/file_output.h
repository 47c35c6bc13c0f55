// Writing files whole or not at all: the data go to a temporary file in the same folder, which
// takes the file's name only once it was written, flushed and closed without error.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Creates a new temporary file beside `path`, hands `write` a stream open on it for writing,
// then flushes and closes it and renames it to `path`, replacing any file there. Returns true
// on success. Returns false when the temporary file cannot be created, `write` returns false,
// or flushing, closing or renaming fails (a full disk, a size limit, an I/O error): the
// temporary file is then removed and whatever was at `path` is left untouched. The new file
// gets the permissions of any new file (0666 less the umask).
bool replace_file(const std::string& path, const std::function<bool(std::FILE*)>& write);

// Writes `text` byte for byte as the file at `path`, through replace_file.
bool write_text_file(const std::string& path, const std::string& text);
