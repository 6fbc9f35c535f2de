// SPDX-License-Identifier: GPL-3.0-or-later
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "core/link/address_lookup.h"
#include "core/link/tcp_socket.h"

namespace qel::net {

void Close(NativeSocket& socket) {
  if (socket != kNoSocket) ::close(socket);
  socket = kNoSocket;
}

NativeSocket ConnectWithTimeout(const std::string& host, int port, int timeoutMs,
                                std::string& error) {
  const auto lookup = LookUpWithin(host, port, timeoutMs);
  if (!lookup) {
    error = "cannot resolve " + host + ": no answer within " + std::to_string(timeoutMs) + " ms";
    return kNoSocket;
  }
  if (lookup->rc != 0) {
    error = "cannot resolve " + host + ": " + ::gai_strerror(lookup->rc);
    return kNoSocket;
  }
  const std::string service = std::to_string(port);
  addrinfo* const found = lookup->list.get();
  int fd = -1;
  for (addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
    fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    const int flags = ::fcntl(fd, F_GETFL, 0);
    ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    int rc = ::connect(fd, a->ai_addr, a->ai_addrlen);
    if (rc < 0 && errno == EINPROGRESS) {
      pollfd p{fd, POLLOUT, 0};
      rc = ::poll(&p, 1, timeoutMs) == 1 ? 0 : -1;
      int soError = 0;
      socklen_t len = sizeof soError;
      if (rc == 0 && (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len) < 0 || soError)) {
        errno = soError;
        rc = -1;
      }
    }
    if (rc < 0) {
      error = std::string("cannot connect to ") + host + ":" + service + ": " +
              (errno ? std::strerror(errno) : "timed out");
      ::close(fd);
      fd = -1;
      continue;
    }
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  }
  return fd;
}

bool SendAll(NativeSocket socket, const std::uint8_t* data, std::size_t length) {
  std::size_t sent = 0;
  while (sent < length) {
    const ssize_t n = ::send(socket, data + sent, length - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

std::ptrdiff_t Receive(NativeSocket socket, std::uint8_t* buffer, std::size_t capacity) {
  const ssize_t got = ::recv(socket, buffer, capacity, 0);
  if (got < 0 && (errno == EINTR || errno == EAGAIN)) return kTryAgain;
  if (got < 0) return kReceiveFailed;
  return got;
}

int WaitReadable(std::initializer_list<NativeSocket> sockets, int timeoutMs) {
  std::vector<pollfd> fds;
  for (const NativeSocket socket : sockets) fds.push_back(pollfd{socket, POLLIN, 0});
  const int ready = ::poll(fds.data(), fds.size(), timeoutMs < 0 ? -1 : timeoutMs);
  if (ready < 0) return errno == EINTR ? kInterrupted : kWaitFailed;
  if (ready == 0) return kTimedOut;
  for (std::size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents != 0) return static_cast<int>(i);
  }
  return kTimedOut;
}

std::ptrdiff_t ReceiveWaiting(NativeSocket socket, std::uint8_t* buffer, std::size_t capacity) {
  for (;;) {
    const ssize_t got = ::recv(socket, buffer, capacity, MSG_DONTWAIT);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return kTryAgain;
    if (got < 0) return kReceiveFailed;
    return got;
  }
}

NativeSocket ListenOnLoopback(std::uint16_t port, std::string& error) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    return kNoSocket;
  }
  const int yes = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, 1) != 0) {
    error = "127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
    Close(fd);
  }
  return fd;
}

std::uint16_t LocalPort(NativeSocket socket) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

NativeSocket Accept(NativeSocket listening) {
  const int fd = ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
  return fd < 0 ? kNoSocket : fd;
}

Waker::Waker() {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
    readEnd_ = fds[0];
    writeEnd_ = fds[1];
  }
}

Waker::~Waker() {
  Close(readEnd_);
  Close(writeEnd_);
}

void Waker::Wake() {
  const char byte = 1;
  if (writeEnd_ != kNoSocket) {
    [[maybe_unused]] const ssize_t n = ::write(writeEnd_, &byte, 1);
  }
}

}  // namespace qel::net
