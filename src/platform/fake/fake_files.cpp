#include "platform/fake/fake_files.h"

namespace vesk::platform::fake {

bool FakeFiles::exists(const std::string& path) {
  return files_.count(path) != 0 || unreadable_.count(path) != 0;
}

ReadResult FakeFiles::read(const std::string& path, std::size_t maxBytes) {
  ++reads_;
  if (unreadable_.count(path) != 0) return {ReadStatus::Unreadable, {}};
  const auto it = files_.find(path);
  if (it == files_.end()) return {ReadStatus::Missing, {}};
  if (it->second.size() > maxBytes) return {ReadStatus::TooLarge, {}};
  return {ReadStatus::Ok, it->second};
}

WriteOutcome FakeFiles::writeLine(const std::string& path, std::string_view line) {
  ++writeCalls;
  if (heldWrites > 0) {
    --heldWrites;
    return WriteOutcome::Held;
  }
  if (readOnly_ || unreadable_.count(path) != 0) return WriteOutcome::Failed;
  files_[path] = std::string(line) + "\r\n";
  return WriteOutcome::Written;
}

bool FakeFiles::remove(const std::string& path) {
  if (readOnly_) return false;
  return files_.erase(path) != 0;
}

}  // namespace vesk::platform::fake
