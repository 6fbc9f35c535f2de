// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/run_within.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "core/link/address_lookup.h"

namespace qel {
namespace {

using namespace std::chrono_literals;

// Counts how many of its kind are alive, so a late result can be seen to go.
struct Tracked {
  static inline std::atomic<int> alive{0};
  Tracked() { ++alive; }
  Tracked(const Tracked&) { ++alive; }
  Tracked(Tracked&&) noexcept { ++alive; }
  ~Tracked() { --alive; }
  int value = 7;
};

TEST(RunWithin, AnswerInTimeLateAnswerDroppedAndReleased) {
  const auto fast = RunWithin([] { return Tracked{}; }, 2000ms);
  ASSERT_TRUE(fast.has_value());
  EXPECT_EQ(fast->value, 7);

  const auto start = std::chrono::steady_clock::now();
  const auto late = RunWithin(
      [] {
        std::this_thread::sleep_for(300ms);
        return Tracked{};
      },
      30ms);
  EXPECT_FALSE(late.has_value());
  EXPECT_LT(std::chrono::steady_clock::now() - start, 250ms);
  // the late call ends on its own and its result goes with it
  for (int i = 0; i < 100 && Tracked::alive.load() != 1; ++i) std::this_thread::sleep_for(20ms);
  EXPECT_EQ(Tracked::alive.load(), 1);  // only `fast`
}

TEST(RunWithin, LookUpOfANumericAddress) {
  const auto found = net::LookUpWithin("127.0.0.1", 5025, 5000);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->rc, 0);
  EXPECT_NE(found->list, nullptr);
}

}  // namespace
}  // namespace qel
