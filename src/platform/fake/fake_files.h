// An in-memory file system: a map from path to bytes, plus paths that exist
// but cannot be read (locked files, folders), a switch that makes writes
// fail (a read-only folder) and a count of writes that find the file held
// by another program for a moment.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/files.h"

namespace vesk::platform::fake {

class FakeFiles : public Files {
 public:
  bool exists(const std::string& path) override;
  ReadResult read(const std::string& path, std::size_t maxBytes) override;
  WriteOutcome writeLine(const std::string& path, std::string_view line) override;
  bool remove(const std::string& path) override;

  // Test set-up and inspection.
  void put(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }
  void putUnreadable(const std::string& path) { unreadable_.insert(path); }
  void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
  bool has(const std::string& path) const { return files_.count(path) != 0; }
  const std::string& contents(const std::string& path) const { return files_.at(path); }
  int readCount() const { return reads_; }

  int heldWrites = 0;  // the next this many writes find the file held
  int writeCalls = 0;

 private:
  std::map<std::string, std::string> files_;
  std::set<std::string> unreadable_;
  bool readOnly_ = false;
  int reads_ = 0;
};

}  // namespace vesk::platform::fake
