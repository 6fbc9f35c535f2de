// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one source of live reads in the window program. The live readout ("Refresh", the
// service tab's continuous read) and the trend window each read on their own beat; when
// both run, only the one with the shorter interval reads, and every read goes to both,
// so the instrument never gets a second stream of the same queries.

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "core/record/recorder.h"

namespace qel {

class LiveReadSource {
 public:
  using Observer = std::function<void(const TimedReading&)>;

  LiveReadSource(ScpiSession& session, const RecordClock& clock)
      : session_(session), clock_(clock) {}

  // A client sees every read from now on; the id names it in the calls below.
  int AddClient(Observer observer);
  void RemoveClient(int id);

  // Called by a client on each tick of its own beat (it then counts as running until a
  // little over one interval after the tick). True when this tick should read: no other
  // running client reads more often (a shorter interval, or the same one and added
  // earlier). When false, the other client's reads reach this one through its observer.
  bool Leads(int id, std::chrono::milliseconds interval);
  // The client no longer reads on a beat.
  void Stop(int id);
  // Whether the client's beat is running (its ticks keep coming).
  bool Running(int id) const;
  // The shortest interval among running clients; nullopt when none runs.
  std::optional<std::chrono::milliseconds> ShortestInterval() const;

  // Reads now (the live readout's lines) and hands the read to every client.
  const TimedReading& ReadNow();
  const std::optional<TimedReading>& Latest() const { return latest_; }

  ScpiSession& Session() { return session_; }
  const RecordClock& Clock() const { return clock_; }

 private:
  struct Client {
    int id = 0;
    Observer observer;
    std::optional<std::chrono::milliseconds> interval;  // set while the beat runs
    MonotonicTime lastTick{};
  };
  bool IsRunning(const Client& client, MonotonicTime now) const;

  ScpiSession& session_;
  const RecordClock& clock_;
  std::vector<Client> clients_;
  int nextId_ = 1;
  std::optional<TimedReading> latest_;
  std::chrono::nanoseconds lastReadTook_{};
};

}  // namespace qel
