#include "window_list.h"

#include <windows.h>
// Declares the Toolhelp process snapshot; must follow windows.h.
#include <tlhelp32.h>

#include <map>
#include <optional>
#include <vector>

#include "json_out.h"

namespace driver {
namespace {

using ProcessNames = std::map<DWORD, std::wstring>;

class SnapshotHandle {
 public:
  explicit SnapshotHandle(HANDLE handle) : handle_(handle) {}
  SnapshotHandle(const SnapshotHandle&) = delete;
  SnapshotHandle& operator=(const SnapshotHandle&) = delete;
  ~SnapshotHandle() {
    if (valid()) CloseHandle(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::optional<ProcessNames> processNames() {
  SnapshotHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.valid()) return std::nullopt;
  ProcessNames names;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  if (!Process32FirstW(snapshot.get(), &entry)) return std::nullopt;
  do {
    names[entry.th32ProcessID] = entry.szExeFile;
  } while (Process32NextW(snapshot.get(), &entry));
  return names;
}

std::wstring windowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

std::wstring className(HWND hwnd) {
  wchar_t name[256];
  const int got = GetClassNameW(hwnd, name, 256);
  return got > 0 ? std::wstring(name, static_cast<size_t>(got)) : std::wstring();
}

std::string rectJson(const RECT& r) {
  std::string out = "[";
  for (const LONG v : {r.left, r.top, r.right, r.bottom}) {
    if (out.size() > 1) out += ',';
    out += std::to_string(v);
  }
  return out + ']';
}

// Client rectangle in screen coordinates; all zero when it cannot be read.
RECT clientOnScreen(HWND hwnd) {
  RECT client{};
  if (!GetClientRect(hwnd, &client)) return RECT{};
  POINT origin{0, 0};
  if (!ClientToScreen(hwnd, &origin)) return RECT{};
  return RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

BOOL CALLBACK collectChild(HWND child, LPARAM param) {
  auto* texts = reinterpret_cast<std::vector<std::wstring>*>(param);
  std::wstring text = windowText(child);
  if (!text.empty()) texts->push_back(std::move(text));
  return TRUE;
}

BOOL CALLBACK collectTopLevel(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  reinterpret_cast<std::vector<HMONITOR>*>(param)->push_back(monitor);
  return TRUE;
}

std::string describe(HWND hwnd, HWND foreground, const ProcessNames& names) {
  DWORD pid = 0;  // stays 0 for a window that is gone meanwhile
  GetWindowThreadProcessId(hwnd, &pid);
  const auto name = names.find(pid);
  RECT rect{};
  if (!GetWindowRect(hwnd, &rect)) rect = RECT{};
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  std::vector<std::wstring> texts;
  EnumChildWindows(hwnd, collectChild, reinterpret_cast<LPARAM>(&texts));

  std::string line = "{\"hwnd\":";
  line += std::to_string(reinterpret_cast<uintptr_t>(hwnd));
  line += ",\"pid\":" + std::to_string(pid);
  line += ",\"exe\":" + jsonString(name == names.end() ? "" : utf8(name->second));
  line += ",\"class\":" + jsonString(utf8(className(hwnd)));
  line += ",\"title\":" + jsonString(utf8(windowText(hwnd)));
  line += std::string(",\"visible\":") + (IsWindowVisible(hwnd) ? "true" : "false");
  line += std::string(",\"topmost\":") + ((exStyle & WS_EX_TOPMOST) ? "true" : "false");
  line += std::string(",\"layered\":") + ((exStyle & WS_EX_LAYERED) ? "true" : "false");
  // The window whose thread takes the keyboard input of the desktop.
  line += std::string(",\"foreground\":") + (hwnd == foreground ? "true" : "false");
  line += ",\"style\":" + std::to_string(static_cast<unsigned long>(style));
  line += ",\"exstyle\":" + std::to_string(static_cast<unsigned long>(exStyle));
  line += ",\"rect\":" + rectJson(rect);
  line += ",\"client\":" + rectJson(clientOnScreen(hwnd));
  line += ",\"texts\":[";
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) line += ',';
    line += jsonString(utf8(texts[i]));
  }
  return line + "]}\n";
}

}  // namespace

std::optional<std::string> listWindows() {
  std::vector<HWND> windows;
  if (!EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&windows))) return std::nullopt;
  const std::optional<ProcessNames> names = processNames();
  if (!names) return std::nullopt;
  const HWND foreground = GetForegroundWindow();
  std::string out;
  for (HWND hwnd : windows) out += describe(hwnd, foreground, *names);
  return out;
}

std::optional<std::string> listProcesses() {
  const std::optional<ProcessNames> names = processNames();
  if (!names) return std::nullopt;
  std::string out;
  for (const auto& [pid, exe] : *names) {
    out += "{\"pid\":";
    out += std::to_string(pid);
    out += ",\"exe\":";
    out += jsonString(utf8(exe));
    out += "}\n";
  }
  return out;
}

std::optional<std::string> listMonitors() {
  std::vector<HMONITOR> monitors;
  if (!EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&monitors))) {
    return std::nullopt;
  }
  std::string out;
  for (HMONITOR monitor : monitors) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return std::nullopt;
    out += "{\"rect\":" + rectJson(info.rcMonitor) +
           ",\"primary\":" + ((info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? "true" : "false") +
           "}\n";
  }
  return out;
}

}  // namespace driver
