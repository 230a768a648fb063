// Kills a piece of work in a child process at a chosen system call, as a user's kill -9 or a crash
// would, to test what the work leaves behind at every step.
#pragma once

#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace qmtest {

namespace detail {
inline pid_t heldChild = 0;
inline bool heldChildFinished = false;
}  // namespace detail

// The child that KillAtSystemCall holds stopped while its `whileStopped` runs.
inline pid_t HeldChild() { return detail::heldChild; }

// Lets the held child run on to its end, as if it had never been stopped, and waits until it has
// ended; it is then not killed. For `whileStopped` (or what it starts).
inline void FinishHeldChild() {
  const pid_t child = detail::heldChild;
  if (child == 0 || detail::heldChildFinished) return;
  detail::heldChildFinished = true;
  ::ptrace(PTRACE_DETACH, child, nullptr, nullptr);
  int status = 0;
  while (::waitpid(child, &status, 0) == child && !WIFEXITED(status) && !WIFSIGNALED(status)) {
  }
}

// Runs `work` in a child process that this one traces, and sends it SIGKILL as it enters the first
// system call for which `stopHere(n)` is true (n counts the calls from 1; the call is not made), or,
// with `insideMicros` > 0, that long after that call began (so a long write is cut in the middle).
// Returns the number of system calls the child entered, all of them when it ran to its end. -1 when
// the child could not be traced. `whileStopped`, when given, runs while the child is held at that
// call, just before the kill (so a test sees what the work holds at that moment); it may let the
// child finish instead (FinishHeldChild).
inline int KillAtSystemCallWhere(const std::function<void()>& work, const std::function<bool(int)>& stopHere,
                                 int insideMicros = 0, const std::function<void()>& whileStopped = {}) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) ::_exit(3);
    ::raise(SIGSTOP);
    work();
    ::_exit(0);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFSTOPPED(status)) return -1;
  ::ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
  int entered = 0;
  bool entering = true;
  long signal = 0;
  for (;;) {
    if (::ptrace(PTRACE_SYSCALL, child, nullptr, reinterpret_cast<void*>(signal)) != 0) break;
    signal = 0;
    if (::waitpid(child, &status, 0) != child || WIFEXITED(status) || WIFSIGNALED(status)) return entered;
    if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
      signal = WSTOPSIG(status);  // an ordinary signal: handed on
      continue;
    }
    if (entering && stopHere(++entered)) {
      if (insideMicros > 0) {
        ::ptrace(PTRACE_SYSCALL, child, nullptr, nullptr);
        ::usleep(static_cast<useconds_t>(insideMicros));
      }
      if (whileStopped) {
        detail::heldChild = child;
        detail::heldChildFinished = false;
        whileStopped();
        detail::heldChild = 0;
        if (detail::heldChildFinished) return entered;
      }
      ::kill(child, SIGKILL);
      while (::waitpid(child, &status, 0) == child && !WIFEXITED(status) && !WIFSIGNALED(status)) {
      }
      return entered;
    }
    entering = !entering;
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, &status, 0);
  return entered;
}

// The same, stopped as the child enters its `at`-th system call (`at` 0 never stops).
inline int KillAtSystemCall(const std::function<void()>& work, int at, int insideMicros = 0,
                            const std::function<void()>& whileStopped = {}) {
  return KillAtSystemCallWhere(work, [at](int n) { return n == at; }, insideMicros, whileStopped);
}

}  // namespace qmtest
