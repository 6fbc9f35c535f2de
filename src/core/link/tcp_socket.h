// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few socket calls the report stream needs, the same on every system: POSIX sockets
// on Linux (tcp_socket_posix.cpp), Winsock on Windows (tcp_socket_winsock.cpp). Both
// ends use it: the tool's report-stream backend (the client) and qel11-sim's server.
// Only the system calls differ; the protocol code above stays one copy.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace qel::net {

#ifdef _WIN32
using NativeSocket = std::uintptr_t;  // SOCKET
inline constexpr NativeSocket kNoSocket = ~NativeSocket{0};
#else
using NativeSocket = int;  // file descriptor
inline constexpr NativeSocket kNoSocket = -1;
#endif

// Receive: the peer closed the connection in order.
inline constexpr std::ptrdiff_t kPeerClosed = 0;
// Receive: the connection failed.
inline constexpr std::ptrdiff_t kReceiveFailed = -1;
// Receive: nothing there after all; try again.
inline constexpr std::ptrdiff_t kTryAgain = -2;

// WaitReadable's answers besides the index of a ready handle.
inline constexpr int kTimedOut = -1;
inline constexpr int kWaitFailed = -2;
inline constexpr int kInterrupted = -3;  // a signal came; nothing is known

// Closes the socket (or descriptor) and sets it to kNoSocket; nothing when there is none.
void Close(NativeSocket& socket);

// Connects to HOST:PORT (a name or a numeric IPv4 or IPv6 address), trying each address
// the name resolves to, each within timeoutMs. The socket blocks again once connected.
// kNoSocket and the reason in `error` when none answered.
NativeSocket ConnectWithTimeout(const std::string& host, int port, int timeoutMs,
                                std::string& error);

// Sends every byte; false when the connection failed (never raises SIGPIPE).
bool SendAll(NativeSocket socket, const std::uint8_t* data, std::size_t length);

// Receives what has arrived, at most `capacity` bytes: the count, or kPeerClosed,
// kReceiveFailed, kTryAgain.
std::ptrdiff_t Receive(NativeSocket socket, std::uint8_t* buffer, std::size_t capacity);

// Waits until one of `sockets` can be read (data, an orderly close or a broken connection)
// for at most timeoutMs (negative: no limit). The index of the first ready one, or
// kTimedOut, kWaitFailed, kInterrupted.
int WaitReadable(std::initializer_list<NativeSocket> sockets, int timeoutMs);

// Without waiting: what has arrived (as Receive), or kTryAgain when nothing is there.
// A peer that closed behind unread bytes gives those bytes first, then kPeerClosed.
std::ptrdiff_t ReceiveWaiting(NativeSocket socket, std::uint8_t* buffer, std::size_t capacity);

// A listening TCP socket on 127.0.0.1 (port 0: a free one), never reachable from other
// machines. kNoSocket and the reason in `error` when it cannot be had.
NativeSocket ListenOnLoopback(std::uint16_t port, std::string& error);
// The port a socket is bound to; 0 when unknown.
std::uint16_t LocalPort(NativeSocket socket);
// The next connection on a listening socket; kNoSocket when none could be taken.
NativeSocket Accept(NativeSocket listening);

// Wakes a WaitReadable from another thread or from a signal handler: its ReadEnd() takes
// part in the wait and becomes readable after Wake(). A pipe on Linux; on Windows, where
// only sockets can be waited for together, a loopback datagram socket that sends to itself.
class Waker {
 public:
  Waker();
  ~Waker();
  Waker(const Waker&) = delete;
  Waker& operator=(const Waker&) = delete;

  bool Ok() const { return readEnd_ != kNoSocket; }
  NativeSocket ReadEnd() const { return readEnd_; }
  // Async-signal-safe on Linux.
  void Wake();

 private:
  NativeSocket readEnd_ = kNoSocket;
  NativeSocket writeEnd_ = kNoSocket;
};

}  // namespace qel::net
