// Real child processes for the tests that need them: writers running at
// once, writers killed in the middle of a write, calls that might block, and
// calls made as another user.
#ifndef TRALVEX_TESTS_SUPPORT_POSIX_CHILDPROCESS_H
#define TRALVEX_TESTS_SUPPORT_POSIX_CHILDPROCESS_H

#include <grp.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

namespace tralvex::testing {

// Runs work in a new process whose exit status is work's result. The child
// leaves with _exit: nothing of the test program's own state is torn down
// twice.
inline pid_t StartChild(const std::function<int()>& work) {
  pid_t pid = ::fork();
  if (pid != 0) return pid;
  int status = 125;
  try {
    status = work();
  } catch (...) {
  }
  ::_exit(status);
}

// The child's exit status; -1 when it did not end within the limit (it is
// killed then) or ended by a signal.
inline int WaitForChild(pid_t pid, std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  for (;;) {
    pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0) return -1;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline int RunInChild(const std::function<int()>& work,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  pid_t pid = StartChild(work);
  if (pid < 0) return -1;
  return WaitForChild(pid, limit);
}

// Kills a child at once and reaps it.
inline void KillChild(pid_t pid) {
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
}

inline bool IsPrivileged() { return ::geteuid() == 0; }

// Runs work in a child that has given up every privilege for the user and
// group given (only a privileged process can do that).
inline int RunAsUser(uid_t user, gid_t group, const std::function<int()>& work) {
  return RunInChild([&] {
    if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(user) != 0) return 124;
    return work();
  });
}

}  // namespace tralvex::testing

#endif
