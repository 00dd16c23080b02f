#include "platform/sdl/message_box.h"

#include <SDL_syswm.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

#include "platform/sdl/signals.h"

namespace quandel {

namespace {

constexpr int kNoBoxStatus = 3;

// In the child: make sure the box cannot outlive the game, then show it.
[[noreturn]] void RunBoxChild(pid_t game, int xConnection, const char* title, const char* text, SDL_Window* window) {
  // A group of our own holds this process and the one SDL forks for the box; whoever ends one
  // ends both.
  ::setpgid(0, 0);
  struct sigaction endGroup {};
  endGroup.sa_handler = [](int) { ::kill(0, SIGKILL); };
  sigemptyset(&endGroup.sa_mask);
  ::sigaction(SIGTERM, &endGroup, nullptr);
  for (int sig : {SIGINT, SIGHUP, SIGQUIT}) ::signal(sig, SIG_DFL);
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (::getppid() != game) ::kill(0, SIGKILL);  // the game ended before the line above
  // The copy of the game's X connection must stay untouched: SDL raises the game window and
  // shows the pointer around the box, and requests sent from here would break the game's own
  // stream. They go nowhere instead; the box opens a connection of its own.
  if (xConnection >= 0) {
    const int nowhere = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (nowhere >= 0) ::dup2(nowhere, xConnection);
  }
  const int rc = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title, text, window);
  ::_exit(rc == 0 ? 0 : kNoBoxStatus);
}

int XConnectionOf(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
    return ConnectionNumber(info.info.x11.display);
  }
#endif
  return -1;
}

}  // namespace

BoxResult ShowMessageBoxUntilStopped(const char* title, const char* text, SDL_Window* window) {
  if (StopSignal() != 0) return BoxResult::kStopped;
  const int xConnection = XConnectionOf(window);
  // Shown from here, where the game's connection is live, so the child need not change it.
  const int cursor = SDL_ShowCursor(SDL_QUERY);
  SDL_ShowCursor(SDL_ENABLE);
  const pid_t game = ::getpid();
  // SDL's box process is reparented to us if our child goes first, so closing the box can reap
  // the whole group and leave no zombie behind.
  ::prctl(PR_SET_CHILD_SUBREAPER, 1);
  const pid_t child = ::fork();
  if (child == 0) RunBoxChild(game, xConnection, title, text, window);
  if (child < 0) {
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
    SDL_ShowCursor(cursor);
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title, text, window) == 0 ? BoxResult::kDismissed
                                                                                          : BoxResult::kUnavailable;
  }
  ::setpgid(child, child);  // also here, so a signal right after the fork finds the group

  // Sleeps until the child ends or a stop signal arrives; without a process descriptor (old
  // kernels), it looks again every 50 ms.
  const int childFd = static_cast<int>(::syscall(SYS_pidfd_open, child, 0));
  BoxResult result = BoxResult::kDismissed;
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(child, &status, WNOHANG);
    if (done == child || (done < 0 && errno != EINTR)) break;
    if (StopSignal() != 0) {
      result = BoxResult::kStopped;
      break;
    }
    pollfd fds[2] = {{childFd, POLLIN, 0}, {StopSignalFd(), POLLIN, 0}};
    ::poll(fds, 2, childFd >= 0 && StopSignalFd() >= 0 ? -1 : 50);
  }
  if (childFd >= 0) ::close(childFd);
  // However the wait ended (even our child killed alone), no part of the box may stay: the group
  // goes, and every member of it is reaped.
  ::kill(-child, SIGKILL);
  int ignored = 0;
  while (::waitpid(-child, &ignored, 0) > 0 || errno == EINTR) {}
  ::prctl(PR_SET_CHILD_SUBREAPER, 0);
  if (result == BoxResult::kDismissed && WIFEXITED(status) && WEXITSTATUS(status) == kNoBoxStatus) {
    result = BoxResult::kUnavailable;
  }
  SDL_ShowCursor(cursor);
  return result;
}

}  // namespace quandel
