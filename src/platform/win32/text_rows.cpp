#include "platform/win32/text_rows.h"

#include <algorithm>
#include <climits>

namespace vesk::platform::win32 {

namespace {

int textWidth(HDC dc, const std::wstring& row) {
  SIZE extent{};
  if (row.empty() || row.size() > INT_MAX ||
      !GetTextExtentPoint32W(dc, row.data(), static_cast<int>(row.size()), &extent)) {
    return 0;
  }
  return extent.cx;
}

void wrapLine(HDC dc, std::wstring_view line, int width, std::vector<std::wstring>& rows) {
  while (!line.empty()) {
    int fit = 0;
    SIZE extent{};
    const int length = static_cast<int>(std::min<std::size_t>(line.size(), INT_MAX));
    if (!GetTextExtentExPointW(dc, line.data(), length, std::max(width, 0), &fit, nullptr,
                               &extent)) {
      fit = length;
    }
    std::size_t take = static_cast<std::size_t>(std::max(fit, 1));
    if (take < line.size()) {
      // Break after the last blank that fits, as the edit control does.
      const std::size_t blank = line.substr(0, take + 1).find_last_of(L' ');
      if (blank != std::wstring_view::npos && blank > 0) take = blank + 1;
    }
    rows.emplace_back(line.substr(0, take));
    line.remove_prefix(take);
  }
}

}  // namespace

std::vector<std::wstring> wrapRows(HDC dc, const std::wstring& text, int width) {
  std::vector<std::wstring> rows;
  std::wstring_view rest(text);
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of(L"\r\n");
    const std::wstring_view line = rest.substr(0, end);
    if (line.empty()) {
      rows.emplace_back();
    } else {
      wrapLine(dc, line, width, rows);
    }
    if (end == std::wstring_view::npos) break;
    // CR LF, a lone CR or a lone LF ends the line.
    const std::size_t skip = rest.compare(end, 2, L"\r\n") == 0 ? 2 : 1;
    rest.remove_prefix(end + skip);
  }
  return rows;
}

void drawRows(HDC dc, const std::vector<std::wstring>& rows, const RECT& box, bool centred) {
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(dc, &metrics) || metrics.tmHeight <= 0) return;
  const int width = box.right - box.left;
  int top = box.top;
  for (const std::wstring& row : rows) {
    if (top >= box.bottom) break;
    const int left = centred ? box.left + std::max(0, (width - textWidth(dc, row)) / 2) : box.left;
    if (!row.empty()) {
      ExtTextOutW(dc, left, top, ETO_CLIPPED, &box, row.data(), static_cast<UINT>(row.size()),
                  nullptr);
    }
    top += metrics.tmHeight;
  }
}

}  // namespace vesk::platform::win32
