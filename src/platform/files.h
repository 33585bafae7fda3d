// The data files beside the executable. Paths are UTF-8 text; the Win32
// implementation uses the W functions, so any folder name works.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vesk::platform {

enum class ReadStatus {
  Ok,          // bytes holds the whole file
  Missing,     // no file of that name
  Unreadable,  // it exists but could not be opened or read (locked, a folder, no permission)
  TooLarge,    // larger than the limit the caller gave; bytes is empty
};

struct ReadResult {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;
};

// How a replace of a file ended. Either way but Written, the old file is as
// it was.
enum class WriteOutcome {
  Written,
  // Another program has the file open for a moment (antivirus, the search
  // indexer, a sync client): the same write may succeed soon.
  Held,
  Failed,  // for any other reason: no folder, no permission, a full disk
};

class Files {
 public:
  virtual ~Files() = default;
  // PathFileExists: true for a file or a folder of that name.
  virtual bool exists(const std::string& path) = 0;
  // Reads a whole file of at most maxBytes bytes. Never blocks on a file that
  // another program holds open.
  virtual ReadResult read(const std::string& path, std::size_t maxBytes) = 0;
  // Replaces the file with one line of bytes followed by CR LF. The old
  // contents stay intact unless the new ones were written completely.
  virtual WriteOutcome writeLine(const std::string& path, std::string_view line) = 0;
  // Deletes the file; false when there was none or it could not be deleted.
  virtual bool remove(const std::string& path) = 0;
};

}  // namespace vesk::platform
