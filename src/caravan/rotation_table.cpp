#include "caravan/rotation_table.h"

#include "caravan/mod_vesk.h"
#include "common/data_text.h"

namespace vesk {

namespace {

bool isBlank(std::string_view line) {
  return line.find_first_not_of(' ') == std::string_view::npos;
}

RotationEntry splitFields(std::string_view line) {
  RotationEntry fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string_view::npos) break;
    fields.emplace_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  fields.emplace_back(line.substr(start));
  return fields;
}

}  // namespace

RotationTable parseRotationTable(std::string_view text) {
  RotationTable table;
  for (const std::string_view line : splitLines(text)) {
    if (!isBlank(line)) table.push_back(splitFields(line));
  }
  return table;
}

std::optional<RotationTable> readRotationTable(platform::Files& files, const std::string& path) {
  const platform::ReadResult file = files.read(path, kRotationFileLimit);
  if (file.status != platform::ReadStatus::Ok) return std::nullopt;
  RotationTable table = parseRotationTable(decodeDataText(file.bytes));
  if (table.empty()) return std::nullopt;
  return table;
}

void ModVESK::reloadTables() {
  // Each table is replaced on its own, and only by a file that could be read
  // and holds a day; otherwise the cycle in use stays.
  if (auto table = readRotationTable(files_, pathQue)) queTable_ = std::move(*table);
  if (auto table = readRotationTable(files_, pathFushi)) fushiTable_ = std::move(*table);
}

}  // namespace vesk
