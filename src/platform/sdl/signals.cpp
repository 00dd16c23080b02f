#include "platform/sdl/signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace quandel {

namespace {

volatile sig_atomic_t g_first = 0;
volatile sig_atomic_t g_taken = 0;
volatile sig_atomic_t g_count[NSIG] = {};
int g_pipe[2] = {-1, -1};

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};

void OnStop(int sig) {
  const int savedErrno = errno;
  if ((sig == SIGINT || sig == SIGQUIT) && g_count[sig] > 0) {
    // Delivered with its default action (and a core for SIGQUIT) once this handler returns.
    ::signal(sig, SIG_DFL);
    ::raise(sig);
  }
  g_count[sig] = g_count[sig] + 1;
  if (g_first == 0) g_first = sig;
  const char note = 1;
  if (g_pipe[1] >= 0) (void)!::write(g_pipe[1], &note, 1);  // full pipe: already readable
  errno = savedErrno;
}

}  // namespace

void InstallStopSignals() {
  if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) g_pipe[0] = g_pipe[1] = -1;
  struct sigaction stop {};
  stop.sa_handler = OnStop;
  stop.sa_flags = SA_RESTART;
  sigemptyset(&stop.sa_mask);
  for (int sig : kStopSignals) sigaddset(&stop.sa_mask, sig);
  for (int sig : kStopSignals) {
    struct sigaction old {};
    if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler != SIG_IGN) ::sigaction(sig, &stop, nullptr);
  }
  // stderr into a reader that went away (`quandel 2>&1 | head`) must not end the game mid-save.
  ::signal(SIGPIPE, SIG_IGN);
}

int StopSignal() { return g_first; }

bool TakeStopSignal() {
  if (g_first == 0 || g_taken != 0) return false;
  g_taken = 1;
  return true;
}

int StopSignalFd() { return g_pipe[0]; }

}  // namespace quandel
