#include "platform/script/script.h"

#include <deque>

namespace platform::script {
namespace {
struct State {
  bool active = false;
  std::deque<Answer> queue;
  std::vector<Shown> log;
  std::function<void(const Shown&)> unscripted;
};
State& state() {
  static State s;
  return s;
}
}  // namespace

void SetActive(bool active) { state().active = active; }
bool Active() { return state().active; }
void Queue(Answer answer) { state().queue.push_back(std::move(answer)); }
void ClearQueue() { state().queue.clear(); }
std::size_t Pending() { return state().queue.size(); }
std::vector<Shown>& Log() { return state().log; }
void SetUnscriptedHandler(std::function<void(const Shown&)> handler) { state().unscripted = std::move(handler); }

std::optional<Answer> Take(const Shown& shown) {
  State& s = state();
  if (!s.active) return std::nullopt;
  s.log.push_back(shown);
  if (s.queue.empty() || s.queue.front().kind != shown.kind) {
    if (s.unscripted) s.unscripted(shown);
    Answer cancel;
    cancel.kind = shown.kind;
    cancel.result = shown.kind == Kind::MessageBox ? 2 : 0;
    return cancel;
  }
  Answer a = s.queue.front();
  s.queue.pop_front();
  return a;
}

}  // namespace platform::script
