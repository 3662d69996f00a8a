#include "agent/input/background_fetch.h"

namespace dayweave::agent {

BackgroundFetch::BackgroundFetch(std::vector<std::string> urls, FetchOptions options,
                                 std::chrono::seconds period, Deliver deliver)
    : urls_(std::move(urls)),
      options_(std::move(options)),
      period_(period),
      deliver_(std::move(deliver)),
      thread_([this](std::stop_token stop) { Loop(stop); }) {}

// The jthread asks its thread to stop (which wakes the wait and the fetch) and joins it.
BackgroundFetch::~BackgroundFetch() = default;

void BackgroundFetch::Loop(std::stop_token stop) {
  auto next = std::chrono::steady_clock::now() + period_;
  while (true) {
    {
      std::unique_lock lock(mutex_);
      wake_.wait_until(lock, stop, next, [] { return false; });
    }
    if (stop.stop_requested()) return;
    // A period from the start of one fetch to the start of the next (at once after a fetch
    // that took longer).
    next = std::chrono::steady_clock::now() + period_;
    std::vector<FetchedCalendar> fetched = FetchCalendars(urls_, std::nullopt, options_, stop);
    if (stop.stop_requested()) return;
    deliver_(std::move(fetched));
  }
}

}  // namespace dayweave::agent
