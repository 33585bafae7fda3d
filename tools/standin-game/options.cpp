#include "options.h"

#include <cerrno>
#include <cwchar>

namespace standin {
namespace {

constexpr long kMaxCoordinate = 32767;  // window positions are 16-bit on the wire
constexpr long kMaxSize = 8192;

// Whole decimal number in [low, high], nothing before or after it.
std::optional<int> parseInt(const std::wstring& text, long low, long high) {
  if (text.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  errno = 0;
  const long value = std::wcstol(text.c_str(), &end, 10);
  if (errno != 0 || end != text.c_str() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

}  // namespace

ParseResult parseOptions(const std::vector<std::wstring>& args) {
  Options options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& name = args[i];
    if (i + 1 >= args.size()) return {std::nullopt, L"missing value after " + name};
    const std::wstring& value = args[++i];
    std::optional<int> number;
    if (name == L"--x" || name == L"--y") {
      number = parseInt(value, -kMaxCoordinate, kMaxCoordinate);
      if (!number) return {std::nullopt, L"bad position " + value + L" for " + name};
      (name == L"--x" ? options.x : options.y) = *number;
    } else if (name == L"--width" || name == L"--height") {
      number = parseInt(value, 1, kMaxSize);
      if (!number) return {std::nullopt, L"bad size " + value + L" for " + name};
      (name == L"--width" ? options.width : options.height) = *number;
    } else if (name == L"--clicks") {
      if (value.empty()) return {std::nullopt, L"empty path for --clicks"};
      options.clicksPath = value;
    } else if (name == L"--title") {
      options.title = value;
    } else if (name == L"--dpi") {
      if (value != L"unaware" && value != L"per-monitor") {
        return {std::nullopt, L"bad DPI awareness " + value};
      }
      options.perMonitorAware = value == L"per-monitor";
    } else if (name == L"--ruler") {
      number = parseInt(value, 0, kMaxSize);
      if (!number) return {std::nullopt, L"bad ruler spacing " + value};
      options.ruler = *number;
    } else {
      return {std::nullopt, L"unknown option " + name};
    }
  }
  return {options, L""};
}

}  // namespace standin
