// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The host-name lookup of both socket layers, within the connection's time limit: a name
// server that does not answer would otherwise hold a connect for half a minute or more.

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/socket.h>
#endif

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "core/link/run_within.h"

namespace qel::net {

struct AddressList {
  struct Free {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
  };
  int rc = 0;  // getaddrinfo's result: 0 found, else the reason
  std::unique_ptr<addrinfo, Free> list;
};

// The stream addresses of HOST:PORT; nullopt when the lookup gave no answer within
// timeoutMs.
inline std::optional<AddressList> LookUpWithin(const std::string& host, int port, int timeoutMs) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  return RunWithin(
      [host, service = std::to_string(port), hints] {
        AddressList result;
        addrinfo* list = nullptr;
        result.rc = getaddrinfo(host.c_str(), service.c_str(), &hints, &list);
        if (result.rc == 0) result.list.reset(list);
        return result;
      },
      std::chrono::milliseconds(timeoutMs));
}

}  // namespace qel::net
