#include "devtools.hpp"

namespace vorn::pdf {

using Json = nlohmann::json;

Json DevTools::next(BrowserProcess::Clock::time_point deadline, const std::string& what) {
  const std::string text = browser_.receive(deadline, what);
  Json message = Json::parse(text, nullptr, false);
  if (message.is_discarded() || !message.is_object())
    browser_.fail("the browser sent a message that is not a JSON object while " + what);
  return message;
}

Json DevTools::call(const std::string& method, Json params, const std::string& session,
                    const std::string& what) {
  const auto deadline = BrowserProcess::Clock::now() + timeout_;
  const long long id = ++last_id_;
  Json command = {{"id", id}, {"method", method}, {"params", std::move(params)}};
  if (!session.empty()) command["sessionId"] = session;
  browser_.send(command.dump(), deadline, what);
  while (true) {
    Json message = next(deadline, what);
    if (!message.contains("id")) {
      events_.push_back(std::move(message));
      continue;
    }
    if (message["id"] != id) continue;
    if (message.contains("error")) {
      const Json& e = message["error"];
      browser_.fail("the browser refused " + method + " while " + what + ": " +
                    (e.contains("message") && e["message"].is_string()
                         ? e["message"].get<std::string>()
                         : e.dump()));
    }
    return message.contains("result") ? message["result"] : Json::object();
  }
}

void DevTools::wait_for_event(const std::string& method, const std::string& session,
                              const std::string& what) {
  const auto deadline = BrowserProcess::Clock::now() + timeout_;
  const auto matches = [&](const Json& m) {
    return m.value("method", "") == method && m.value("sessionId", "") == session;
  };
  while (!events_.empty()) {
    const bool found = matches(events_.front());
    events_.pop_front();
    if (found) return;
  }
  while (!matches(next(deadline, what))) {
  }
}

}  // namespace vorn::pdf
