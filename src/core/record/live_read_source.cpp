// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/live_read_source.h"

#include <algorithm>

namespace qel {
namespace {

// A running beat's next tick comes one interval after its tick's read has ended (or
// sooner); this much more is allowed before it counts as stopped.
constexpr std::chrono::milliseconds kTickSlack{250};

}  // namespace

int LiveReadSource::AddClient(Observer observer) {
  clients_.push_back({nextId_, std::move(observer), std::nullopt, {}});
  return nextId_++;
}

void LiveReadSource::RemoveClient(int id) {
  std::erase_if(clients_, [id](const Client& c) { return c.id == id; });
}

bool LiveReadSource::IsRunning(const Client& client, MonotonicTime now) const {
  return client.interval && now - client.lastTick <= *client.interval + lastReadTook_ + kTickSlack;
}

bool LiveReadSource::Leads(int id, std::chrono::milliseconds interval) {
  const MonotonicTime now = clock_.MonotonicNow();
  bool leads = true;
  for (const Client& other : clients_) {
    if (other.id == id || !IsRunning(other, now)) continue;
    if (*other.interval < interval || (*other.interval == interval && other.id < id)) {
      leads = false;
    }
  }
  for (Client& me : clients_) {
    if (me.id != id) continue;
    me.interval = interval;
    me.lastTick = now;
  }
  return leads;
}

void LiveReadSource::Stop(int id) {
  for (Client& client : clients_) {
    if (client.id == id) client.interval.reset();
  }
}

bool LiveReadSource::Running(int id) const {
  const MonotonicTime now = clock_.MonotonicNow();
  return std::any_of(clients_.begin(), clients_.end(),
                     [&](const Client& c) { return c.id == id && IsRunning(c, now); });
}

std::optional<std::chrono::milliseconds> LiveReadSource::ShortestInterval() const {
  const MonotonicTime now = clock_.MonotonicNow();
  std::optional<std::chrono::milliseconds> shortest;
  for (const Client& client : clients_) {
    if (IsRunning(client, now) && (!shortest || *client.interval < *shortest)) {
      shortest = client.interval;
    }
  }
  return shortest;
}

const TimedReading& LiveReadSource::ReadNow() {
  latest_ = ReadTimed(session_, clock_);
  lastReadTook_ = clock_.MonotonicNow() - latest_->at;
  // A copy: an observer may add or remove clients.
  const std::vector<Client> clients = clients_;
  for (const Client& client : clients) {
    if (client.observer) client.observer(*latest_);
  }
  return *latest_;
}

}  // namespace qel
