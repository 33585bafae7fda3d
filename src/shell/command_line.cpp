#include "shell/command_line.h"

namespace vesk {

namespace {

std::int16_t modifierField(std::string_view f) {
  if (f == "0") return 8;  // Windows key
  if (f == "1") return 2;  // Ctrl
  if (f == "3") return 1;  // Alt
  return 8;                // "2" (Shift) is not offered for reading
}

std::int16_t compactField(std::string_view f) {
  if (f == "1") return 1;
  if (f == "2") return 2;
  return 0;
}

std::int16_t fontSizeField(std::string_view f) {
  if (f == "10") return 10;
  if (f == "12") return 12;
  if (f == "14") return 14;
  return 11;
}

void applyField(SettingsRecord& s, std::size_t position, std::string_view f) {
  switch (position) {
    case 0:
      s.hotkeyModifier = modifierField(f);
      break;
    case 1:
      s.compactMode = compactField(f);
      break;
    case 2:
      s.btnPos = f == "1" ? 1 : 0;
      break;
    case 3:
      s.fontSize = fontSizeField(f);
      break;
    case 4:
      s.fontBold = f == "1";
      break;
    case 5:
      s.ptLine = f == "1" ? 1 : 0;
      break;
    default:
      break;
  }
}

}  // namespace

SettingsRecord emptyCommandLineSettings() {
  SettingsRecord s = nonEmptyCommandLineSettings();
  s.ptLine = 1;
  return s;
}

SettingsRecord nonEmptyCommandLineSettings() { return SettingsRecord{8, 0, 0, 11, true, 0}; }

SettingsRecord parseCommandLine(std::string_view text) {
  if (text.empty()) return emptyCommandLineSettings();
  SettingsRecord s = nonEmptyCommandLineSettings();
  // Fields past the sixth are ignored, so there is no need to split them.
  std::size_t start = 0;
  for (std::size_t position = 0; position < 6; ++position) {
    const std::size_t comma = text.find(',', start);
    applyField(s, position, text.substr(start, comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return s;
}

std::string settingsFields(const SettingsRecord& s) {
  std::string out;
  out += s.compactMode == 1 ? ",1" : s.compactMode == 2 ? ",2" : ",0";
  out += s.btnPos == 1 ? ",1" : ",0";
  switch (s.fontSize) {
    case 10:
      out += ",10";
      break;
    case 12:
      out += ",12";
      break;
    case 14:
      out += ",14";
      break;
    default:
      out += ",11";
      break;
  }
  out += s.fontBold ? ",1" : ",0";
  out += s.ptLine == 1 ? ",1" : ",0";
  return out;
}

}  // namespace vesk
