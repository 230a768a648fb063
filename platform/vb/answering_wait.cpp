#include "platform/vb/answering_wait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QThread>

#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>

namespace vb {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kTry{20};

// Refuses the window system's requests to close a window while it lives.
class CloseRefusal : public QObject {
 public:
  CloseRefusal() { QCoreApplication::instance()->installEventFilter(this); }
  ~CloseRefusal() override { QCoreApplication::instance()->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::Close || !e->spontaneous()) return false;
    e->ignore();
    return true;
  }
};

// Wakes the interface thread's event loop every try's length while it lives: a thread posts an
// empty event to an object of the interface thread.
class Waker {
 public:
  Waker() : thread_([this](std::stop_token stop) { Run(stop); }) {}

 private:
  void Run(std::stop_token stop) {
    std::mutex mutex;
    std::condition_variable_any idle;
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      idle.wait_for(lock, stop, kTry, [] { return false; });
      if (stop.stop_requested()) return;
      QCoreApplication::postEvent(&target_, new QEvent(QEvent::User));
    }
  }

  QObject target_;  // lives on the interface thread; outlives the thread below
  std::jthread thread_;
};

bool OnInterfaceThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && QThread::currentThread() == app->thread();
}

}  // namespace

namespace detail {
WaitClock& AnsweringWaitClock() {
  static WaitClock clock = [] { return Clock::now(); };
  return clock;
}
}  // namespace detail

bool WaitAnswering(const std::function<bool()>& ready, std::chrono::milliseconds bound) {
  if (ready()) return true;
  const WaitClock& now = detail::AnsweringWaitClock();
  const Clock::time_point deadline = now() + bound;
  if (!OnInterfaceThread()) {
    for (;;) {
      std::this_thread::sleep_for(kTry);
      if (ready()) return true;
      if (now() >= deadline) return false;
    }
  }
  const CloseRefusal refusal;
  const Waker waker;
  constexpr auto kAnswerOnly = QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers;
  for (;;) {
    QCoreApplication::processEvents(kAnswerOnly | QEventLoop::WaitForMoreEvents);
    if (ready()) return true;
    if (now() >= deadline) return false;
  }
}

}  // namespace vb
