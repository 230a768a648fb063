// Window and thread timers over Qt's timers, and messages posted through Qt's event queue.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QTimerEvent>
#include <map>
#include <vector>

#include "platform/win/dispatch.h"
#include "platform/win/window.h"

namespace platform::detail {
namespace {

using namespace win;

struct Timer {
  HWND h = 0;
  UINT_PTR id = 0;
  TIMERPROC proc = nullptr;
  int qtId = 0;
  DWORD armedAt = 0;  // GetTickCount when set
  int ms = 0;
};

// Timers shorter than the system tick all fire on one shared beat of that tick, as they do on the
// platform the program was written for (its clock ticks 64 times a second, and a 1 ms timer fires
// at the next tick): several 1 ms timers wake the program 64 times a second between them, not a
// thousand times each, and the beat runs only while one of them is set, so a program whose short
// timers are all off (or asleep until woken, vb::Timer) sleeps.
constexpr int kSystemTickMs = 16;
constexpr int kOnTheBeat = -1;

class TimerHost : public QObject {
 public:
  std::map<std::pair<HWND, UINT_PTR>, Timer> timers;
  int beatId = 0;
  int beatCount = 0;  // timers on the beat
  std::map<int, std::pair<HWND, UINT_PTR>> byQtId;
  UINT_PTR nextThreadId = 0x7FF0;
  UINT_PTR lastThreadId = 0;

  void Fire(HWND h, UINT_PTR id) {
    auto it = timers.find({h, id});
    if (it == timers.end()) return;
    const TIMERPROC proc = it->second.proc;
    if (proc != nullptr) {
      proc(h, WM_TIMER, id, GetTickCount());
    } else if (h != 0) {
      SendMessageA(h, WM_TIMER, id, 0);
    }
  }

  // Starts the timer: on the shared beat when it is shorter than a tick, else a Qt timer of its own.
  // Returns its Qt timer id, kOnTheBeat, or 0 when no timer could be made.
  int Start(int ms) {
    if (ms > kSystemTickMs) return startTimer(ms, ms < 20 ? Qt::PreciseTimer : Qt::CoarseTimer);
    if (beatCount++ == 0) beatId = startTimer(kSystemTickMs, Qt::PreciseTimer);
    return kOnTheBeat;
  }

  void Remove(std::map<std::pair<HWND, UINT_PTR>, Timer>::iterator it) {
    if (it->second.qtId == kOnTheBeat) {
      if (--beatCount == 0 && beatId != 0) {
        killTimer(beatId);
        beatId = 0;
      }
    } else {
      killTimer(it->second.qtId);
      byQtId.erase(it->second.qtId);
    }
    timers.erase(it);
  }

 protected:
  void timerEvent(QTimerEvent* e) override {
    if (e->timerId() == beatId && beatId != 0) {
      FireBeat();
      return;
    }
    auto it = byQtId.find(e->timerId());
    if (it == byQtId.end()) return;
    Fire(it->second.first, it->second.second);
  }

 private:
  // Every timer on the beat whose interval has passed since it was set fires once, in the order of
  // its window and id (so one set just before a beat waits for the next, as it would on its own
  // timer); one that a handler removes before its turn does not fire.
  void FireBeat() {
    const DWORD now = GetTickCount();
    std::vector<std::pair<HWND, UINT_PTR>> due;
    for (const auto& [key, t] : timers)
      if (t.qtId == kOnTheBeat && now - t.armedAt >= static_cast<DWORD>(t.ms)) due.push_back(key);
    for (const auto& [h, id] : due) {
      auto it = timers.find({h, id});
      if (it != timers.end() && it->second.qtId == kOnTheBeat) Fire(h, id);
    }
  }
};

TimerHost& host() {
  static TimerHost* h = new TimerHost;  // lives as long as the process
  return *h;
}

}  // namespace

void KillTimersOf(const std::vector<HWND>& windows) {
  auto& t = host().timers;
  for (HWND h : windows) {
    for (auto it = t.lower_bound({h, 0}); it != t.end() && it->first.first == h;) {
      auto next = std::next(it);
      host().Remove(it);
      it = next;
    }
  }
}

void FireTimerNow(win::HWND h, win::UINT_PTR id) { host().Fire(h, id); }

bool HasTimer(win::HWND h, win::UINT_PTR id) { return host().timers.count({h, id}) != 0; }

win::UINT_PTR LastThreadTimer() { return host().lastThreadId; }

}  // namespace platform::detail

namespace win {

UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  auto& host = platform::detail::host();
  if (h != 0 && !IsWindow(h)) return 0;
  if (h == 0) {
    // A thread timer: an identifier of an existing thread timer changes that timer, anything else
    // makes a new one.
    if (host.timers.count({0, id}) == 0) {
      id = host.nextThreadId++;
      host.lastThreadId = id;
    }
  }
  const int ms = static_cast<int>(std::max(elapse, USER_TIMER_MINIMUM));
  auto it = host.timers.find({h, id});
  if (it != host.timers.end()) host.Remove(it);
  platform::detail::Timer t;
  t.h = h;
  t.id = id;
  t.proc = proc;
  t.armedAt = GetTickCount();
  t.ms = ms;
  t.qtId = host.Start(ms);
  if (t.qtId == 0) return 0;
  if (t.qtId != platform::detail::kOnTheBeat) host.byQtId[t.qtId] = {h, id};
  host.timers[{h, id}] = t;
  return h != 0 ? (id != 0 ? id : 1) : id;
}

BOOL KillTimer(HWND h, UINT_PTR id) {
  auto& host = platform::detail::host();
  auto it = host.timers.find({h, id});
  if (it == host.timers.end()) return FALSE;
  host.Remove(it);
  return TRUE;
}

DWORD GetTickCount() {
  static QElapsedTimer clock = [] {
    QElapsedTimer c;
    c.start();
    return c;
  }();
  return static_cast<DWORD>(clock.elapsed());
}

}  // namespace win
