// Calendars on servers fetched again and again in the background, on a thread of their own,
// so that whoever answers from them never waits on the network.
//
//   BackgroundFetch refetch(urls, options, std::chrono::seconds(300),
//                           [](std::vector<FetchedCalendar> fetched) { ... });
//   ...   // every 300 seconds, all the URLs are fetched at once (all their events) and the
//         // results handed to the callback, on the fetching thread, in the order of `urls`
//
// Destroying it stops it at once, even in the middle of a fetch: it never holds its owner
// for up to a period or a whole --timeout. A fetch that was stopped is not handed on.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "agent/input/caldav_source.h"

namespace dayweave::agent {

class BackgroundFetch {
 public:
  using Deliver = std::function<void(std::vector<FetchedCalendar> fetched)>;

  // Fetches first one `period` from now.
  BackgroundFetch(std::vector<std::string> urls, FetchOptions options, std::chrono::seconds period,
                  Deliver deliver);
  ~BackgroundFetch();
  BackgroundFetch(const BackgroundFetch&) = delete;
  BackgroundFetch& operator=(const BackgroundFetch&) = delete;

 private:
  void Loop(std::stop_token stop);

  const std::vector<std::string> urls_;
  const FetchOptions options_;
  const std::chrono::seconds period_;
  const Deliver deliver_;
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::jthread thread_;  // last: it starts once everything it uses is there
};

}  // namespace dayweave::agent
