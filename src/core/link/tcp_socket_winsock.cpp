// SPDX-License-Identifier: GPL-3.0-or-later
#include <winsock2.h>
#include <ws2tcpip.h>
// winsock2.h before windows.h, which would bring the old winsock.h.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/link/address_lookup.h"
#include "core/link/tcp_socket.h"
#include "core/platform/native_path.h"

namespace qel::net {
namespace {

// Winsock is started once per process, on first use, and left running until the end.
bool StartWinsock() {
  static const bool started = [] {
    WSADATA data{};
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

std::string ErrorText(int code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = length > 0 ? WideToUtf8(std::wstring_view(text, length))
                                   : "socket error " + std::to_string(code);
  if (text != nullptr) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return message;
}

SOCKET NewSocket(int family, int type, int protocol) {
  // Not inherited: a program the tool starts must not keep the connection open.
  return WSASocketW(family, type, protocol, nullptr, 0,
                    WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
}

void SetBlocking(SOCKET socket, bool blocking) {
  u_long nonBlocking = blocking ? 0 : 1;
  ioctlsocket(socket, FIONBIO, &nonBlocking);
}

}  // namespace

void Close(NativeSocket& socket) {
  if (socket != kNoSocket) closesocket(static_cast<SOCKET>(socket));
  socket = kNoSocket;
}

NativeSocket ConnectWithTimeout(const std::string& host, int port, int timeoutMs,
                                std::string& error) {
  if (!StartWinsock()) {
    error = "cannot start Winsock";
    return kNoSocket;
  }
  const auto lookup = LookUpWithin(host, port, timeoutMs);
  if (!lookup) {
    error = "cannot resolve " + host + ": no answer within " + std::to_string(timeoutMs) + " ms";
    return kNoSocket;
  }
  if (lookup->rc != 0) {
    error = "cannot resolve " + host + ": " + ErrorText(lookup->rc);
    return kNoSocket;
  }
  const std::string service = std::to_string(port);
  addrinfo* const found = lookup->list.get();
  SOCKET connected = INVALID_SOCKET;
  for (addrinfo* a = found; a != nullptr && connected == INVALID_SOCKET; a = a->ai_next) {
    SOCKET s = NewSocket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (s == INVALID_SOCKET) continue;
    SetBlocking(s, false);
    int code = 0;
    if (connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) != 0) {
      code = WSAGetLastError();
      if (code == WSAEWOULDBLOCK) {
        // select, not WSAPoll: older Windows never report a refused connect to WSAPoll.
        fd_set writable;
        fd_set failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
        const int ready = select(0, nullptr, &writable, &failed, &limit);
        code = ready == 0 ? WSAETIMEDOUT : ready < 0 ? WSAGetLastError() : 0;
        if (ready > 0 && FD_ISSET(s, &failed)) {
          int soError = 0;
          int length = sizeof soError;
          getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError), &length);
          code = soError != 0 ? soError : WSAECONNREFUSED;
        }
      }
    }
    if (code != 0) {
      error = "cannot connect to " + host + ":" + service + ": " +
              (code == WSAETIMEDOUT ? std::string("timed out") : ErrorText(code));
      closesocket(s);
      continue;
    }
    SetBlocking(s, true);
    connected = s;
  }
  freeaddrinfo(found);
  return connected == INVALID_SOCKET ? kNoSocket : static_cast<NativeSocket>(connected);
}

bool SendAll(NativeSocket socket, const std::uint8_t* data, std::size_t length) {
  std::size_t sent = 0;
  while (sent < length) {
    const int n = send(static_cast<SOCKET>(socket), reinterpret_cast<const char*>(data + sent),
                       static_cast<int>(std::min<std::size_t>(length - sent, 1 << 20)), 0);
    if (n == SOCKET_ERROR && WSAGetLastError() == WSAEINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

std::ptrdiff_t Receive(NativeSocket socket, std::uint8_t* buffer, std::size_t capacity) {
  const int got = recv(static_cast<SOCKET>(socket), reinterpret_cast<char*>(buffer),
                       static_cast<int>(std::min<std::size_t>(capacity, 1 << 20)), 0);
  if (got == SOCKET_ERROR) {
    const int code = WSAGetLastError();
    return code == WSAEINTR || code == WSAEWOULDBLOCK ? kTryAgain : kReceiveFailed;
  }
  return got;
}

int WaitReadable(std::initializer_list<NativeSocket> sockets, int timeoutMs) {
  std::vector<WSAPOLLFD> fds;
  for (const NativeSocket socket : sockets) {
    fds.push_back(WSAPOLLFD{static_cast<SOCKET>(socket), POLLRDNORM, 0});
  }
  const int ready =
      WSAPoll(fds.data(), static_cast<ULONG>(fds.size()), timeoutMs < 0 ? -1 : timeoutMs);
  if (ready == SOCKET_ERROR) return WSAGetLastError() == WSAEINTR ? kInterrupted : kWaitFailed;
  if (ready == 0) return kTimedOut;
  for (std::size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents != 0) return static_cast<int>(i);
  }
  return kTimedOut;
}

std::ptrdiff_t ReceiveWaiting(NativeSocket socket, std::uint8_t* buffer, std::size_t capacity) {
  // The socket blocks (Winsock has no per-call MSG_DONTWAIT): look first. Readable means
  // bytes, an orderly close or an error, so the recv then returns at once.
  const int ready = WaitReadable({socket}, 0);
  if (ready == kWaitFailed) return kReceiveFailed;
  if (ready != 0) return kTryAgain;
  return Receive(socket, buffer, capacity);
}

NativeSocket ListenOnLoopback(std::uint16_t port, std::string& error) {
  if (!StartWinsock()) {
    error = "cannot start Winsock";
    return kNoSocket;
  }
  SOCKET s = NewSocket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) {
    error = "socket: " + ErrorText(WSAGetLastError());
    return kNoSocket;
  }
  // Windows lets SO_REUSEADDR take over a port another program listens on; exclusive use
  // is what a listener wants here.
  const BOOL yes = TRUE;
  setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes), sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(s, 1) != 0) {
    error = "127.0.0.1:" + std::to_string(port) + ": " + ErrorText(WSAGetLastError());
    closesocket(s);
    return kNoSocket;
  }
  return static_cast<NativeSocket>(s);
}

std::uint16_t LocalPort(NativeSocket socket) {
  sockaddr_in address{};
  int length = sizeof address;
  if (getsockname(static_cast<SOCKET>(socket), reinterpret_cast<sockaddr*>(&address), &length) !=
      0) {
    return 0;
  }
  return ntohs(address.sin_port);
}

NativeSocket Accept(NativeSocket listening) {
  const SOCKET s = accept(static_cast<SOCKET>(listening), nullptr, nullptr);
  if (s == INVALID_SOCKET) return kNoSocket;
  // An accepted socket takes over the listener's settings; it should block.
  SetBlocking(s, true);
  return static_cast<NativeSocket>(s);
}

Waker::Waker() {
  if (!StartWinsock()) return;
  SOCKET s = NewSocket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (s == INVALID_SOCKET) return;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  // Bound to a free loopback port and connected to itself: Wake sends it one datagram.
  if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    closesocket(s);
    return;
  }
  SetBlocking(s, false);
  readEnd_ = static_cast<NativeSocket>(s);
  writeEnd_ = readEnd_;
}

Waker::~Waker() {
  Close(readEnd_);
  writeEnd_ = kNoSocket;
}

void Waker::Wake() {
  const char byte = 1;
  if (writeEnd_ != kNoSocket) send(static_cast<SOCKET>(writeEnd_), &byte, 1, 0);
}

}  // namespace qel::net
