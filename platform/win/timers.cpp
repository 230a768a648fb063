// Window and thread timers over Qt's timers, and messages posted through Qt's event queue.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QTimerEvent>
#include <map>

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
};

class TimerHost : public QObject {
 public:
  std::map<std::pair<HWND, UINT_PTR>, Timer> timers;
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

  void Remove(std::map<std::pair<HWND, UINT_PTR>, Timer>::iterator it) {
    killTimer(it->second.qtId);
    byQtId.erase(it->second.qtId);
    timers.erase(it);
  }

 protected:
  void timerEvent(QTimerEvent* e) override {
    auto it = byQtId.find(e->timerId());
    if (it == byQtId.end()) return;
    Fire(it->second.first, it->second.second);
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
  t.qtId = host.startTimer(ms, ms < 20 ? Qt::PreciseTimer : Qt::CoarseTimer);
  if (t.qtId == 0) return 0;
  host.byQtId[t.qtId] = {h, id};
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
