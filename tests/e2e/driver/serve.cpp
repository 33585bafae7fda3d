#include "serve.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdint>
#include <cwchar>
#include <optional>
#include <vector>

#include "commands.h"
#include "json_out.h"

namespace driver {
namespace {

// Bounds of a request, far above any real one; a larger one means the
// stream is out of step, and the connection is dropped.
constexpr uint32_t kMaxArguments = 256;
constexpr uint32_t kMaxArgumentBytes = 64 * 1024;

void writeError(const std::string& text) {
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  const std::string line = "driver: " + text + "\n";
  DWORD written = 0;
  if (err != nullptr && err != INVALID_HANDLE_VALUE) {
    WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
}

std::wstring wide(const std::string& text) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return L"?";
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

class Connection {
 public:
  explicit Connection(SOCKET socket) : socket_(socket) {}
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() { closesocket(socket_); }

  // False when the peer closed the connection or it failed.
  bool read(void* data, size_t size) {
    auto* at = static_cast<char*>(data);
    while (size > 0) {
      const int got = recv(socket_, at, static_cast<int>(size), 0);
      if (got <= 0) return false;
      at += got;
      size -= static_cast<size_t>(got);
    }
    return true;
  }

  std::optional<uint32_t> readNumber() {
    unsigned char bytes[4];
    if (!read(bytes, sizeof bytes)) return std::nullopt;
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  }

  bool write(const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
      const int sent = send(socket_, data.data() + done, static_cast<int>(data.size() - done), 0);
      if (sent <= 0) return false;
      done += static_cast<size_t>(sent);
    }
    return true;
  }

 private:
  SOCKET socket_;
};

void appendNumber(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void appendText(std::string& out, const std::string& text) {
  appendNumber(out, static_cast<uint32_t>(text.size()));
  out += text;
}

// One request's arguments; nullopt when the connection ended or the request
// is malformed.
std::optional<std::vector<std::wstring>> readRequest(Connection& connection) {
  const auto count = connection.readNumber();
  if (!count || *count > kMaxArguments) return std::nullopt;
  std::vector<std::wstring> args;
  for (uint32_t i = 0; i < *count; ++i) {
    const auto size = connection.readNumber();
    if (!size || *size > kMaxArgumentBytes) return std::nullopt;
    std::string bytes(*size, '\0');
    if (!connection.read(bytes.data(), bytes.size())) return std::nullopt;
    args.push_back(wide(bytes));
  }
  return args;
}

std::optional<u_short> parsePort(const std::wstring& text) {
  wchar_t* end = nullptr;
  const unsigned long value = std::wcstoul(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != L'\0' || value == 0 || value > 65535) return std::nullopt;
  return static_cast<u_short>(value);
}

int serveConnection(SOCKET socket, const std::string& token) {
  Connection connection(socket);
  std::string hello;
  appendText(hello, token);
  if (!connection.write(hello)) {
    writeError("cannot send the token, error " + std::to_string(WSAGetLastError()));
    return kFailed;
  }
  while (const auto args = readRequest(connection)) {
    const Answer answer = runCommand(*args);
    std::string reply;
    appendNumber(reply, static_cast<uint32_t>(answer.code));
    appendText(reply, answer.out);
    appendText(reply, answer.err);
    if (!connection.write(reply)) {
      writeError("cannot send an answer, error " + std::to_string(WSAGetLastError()));
      return kFailed;
    }
  }
  return 0;
}

}  // namespace

int serve(const std::wstring& portText, const std::wstring& tokenText) {
  const auto port = parsePort(portText);
  if (!port || tokenText.empty()) {
    writeError("serve needs a port (1-65535) and a token");
    return kUsage;
  }
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
    writeError("WSAStartup failed");
    return kFailed;
  }
  int code = kFailed;
  const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (socket == INVALID_SOCKET) {
    writeError("cannot create a socket, error " + std::to_string(WSAGetLastError()));
  } else {
    // One small write per request and per answer: never wait to coalesce.
    const BOOL noDelay = TRUE;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof noDelay);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(*port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      writeError("cannot connect to port " + std::to_string(*port) + ", error " +
                 std::to_string(WSAGetLastError()));
      closesocket(socket);
    } else {
      code = serveConnection(socket, utf8(tokenText));
    }
  }
  WSACleanup();
  return code;
}

}  // namespace driver
