// A program killed from outside at a chosen point of its work, exactly: a child process
// traced by the test is killed as it enters one of its system calls, so that everything it
// asked of the system before that call is done and nothing after.
#pragma once

#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// Runs `program` in a child process, which calls `countFromHere` once it is ready; it is
// killed as it enters its `call`-th system call after that (from 1).  True when it was
// killed; false when it ended before.
inline bool KilledAtSystemCall(
    int call, const std::function<void(const std::function<void()>& countFromHere)>& program) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
    program([] { ::raise(SIGSTOP); });
    ::_exit(0);
  }
  int status;
  ::waitpid(child, &status, 0);
  if (!WIFSTOPPED(status)) return false;
  ::ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
  // Stops alternate between entering a call and leaving it; the signals the child meets
  // on the way are handed on.
  bool entering = true;
  int signal = 0;
  for (int entered = 0;;) {
    ::ptrace(PTRACE_SYSCALL, child, nullptr, signal);
    ::waitpid(child, &status, 0);
    if (!WIFSTOPPED(status)) return false;
    signal = WSTOPSIG(status) == (SIGTRAP | 0x80) ? 0 : WSTOPSIG(status);
    if (signal != 0) continue;
    if (entering && ++entered == call) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return true;
    }
    entering = !entering;
  }
}
