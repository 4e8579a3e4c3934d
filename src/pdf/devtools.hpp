// The DevTools protocol over a browser's pipe: commands answered by id, events by name.
#pragma once

#include <chrono>
#include <deque>
#include <nlohmann/json.hpp>
#include <string>

#include "browser_process.hpp"

namespace vorn::pdf {

class DevTools {
 public:
  DevTools(BrowserProcess& browser, std::chrono::seconds timeout)
      : browser_(browser), timeout_(timeout) {}

  // The command's result, within the timeout; `session` is empty for the browser itself.
  // `what` says what it is for, in messages. Throws BrowserFailed, also on an error reply.
  nlohmann::json call(const std::string& method, nlohmann::json params, const std::string& session,
                      const std::string& what);

  // Waits, within the timeout, for the session's event; the events before it are dropped.
  void wait_for_event(const std::string& method, const std::string& session,
                      const std::string& what);

  // Forgets the events received so far.
  void drop_events() { events_.clear(); }

 private:
  nlohmann::json next(BrowserProcess::Clock::time_point deadline, const std::string& what);

  BrowserProcess& browser_;
  std::chrono::seconds timeout_;
  long long last_id_ = 0;
  std::deque<nlohmann::json> events_;  // received while waiting for a reply
};

}  // namespace vorn::pdf
