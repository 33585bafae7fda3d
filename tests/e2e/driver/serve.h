// Serve mode: one long-lived driver answers the harness's requests over a
// loopback TCP connection, so that a poll costs no Wine process start.
//
// The driver connects to 127.0.0.1:port, where the harness listens, and
// sends the token it was given. Then, until the harness closes the
// connection, it reads requests and writes one answer to each. All numbers
// are 32-bit little-endian; texts are UTF-8 and carry no terminator.
//   request: argument count, then per argument its byte length and bytes
//            (the arguments the driver takes on its command line)
//   answer:  exit code, byte length and bytes of the standard output text,
//            byte length and bytes of the standard error text
//   token:   byte length and bytes, once, right after connecting
#pragma once

#include <string>

namespace driver {

// Returns 0 once the harness has closed the connection, 1 when the
// connection fails, 2 on a bad port or token; with a reason on stderr.
int serve(const std::wstring& port, const std::wstring& token);

}  // namespace driver
