// Minimal JSON writing for the driver's output: one object per line, UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace driver {

std::string utf8(std::wstring_view text);
// A JSON string literal, quotes included.
std::string jsonString(std::string_view utf8Text);

}  // namespace driver
