// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A blocking call that has no time limit of its own (a host-name lookup) bounded by one:
// the call runs on a thread of its own and the caller waits at most the limit for it.

#include <chrono>
#include <future>
#include <optional>
#include <thread>
#include <utility>

namespace qel {

// The result of `work()`, or nullopt when it took longer than `limit`. A late call runs
// to its end on its own; its result is then destroyed unseen (a resource it holds is
// released by the result's own destructor).
template <class Work>
auto RunWithin(Work work, std::chrono::milliseconds limit) -> std::optional<decltype(work())> {
  std::packaged_task<decltype(work())()> task(std::move(work));
  auto future = task.get_future();
  std::thread(std::move(task)).detach();
  if (future.wait_for(limit) != std::future_status::ready) return std::nullopt;
  return future.get();
}

}  // namespace qel
