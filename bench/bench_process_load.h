// A program started for a benchmark and left running: exec, wait for its
// window to map on the X server, read its CPU time and context switches
// from /proc, move the X pointer over its window, end it.
#pragma once

#include <X11/Xlib.h>
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace benchload {

using Clock = std::chrono::steady_clock;

// CPU time (ns, all threads) and context switches (voluntary and not, all
// threads) of a process so far.
struct Load {
  double cpuNs = 0;
  double switches = 0;
};

inline Load ReadLoad(pid_t pid) {
  Load load;
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  DIR* dir = opendir(tasks.c_str());
  if (!dir) return load;
  while (dirent* e = readdir(dir)) {
    if (e->d_name[0] == '.') continue;
    const std::string task = tasks + "/" + e->d_name;
    std::ifstream sched(task + "/schedstat");
    double runNs = 0;
    if (sched >> runNs) load.cpuNs += runNs;
    std::ifstream status(task + "/status");
    std::string key;
    double value = 0;
    while (status >> key) {
      if (key == "voluntary_ctxt_switches:" || key == "nonvoluntary_ctxt_switches:") {
        if (status >> value) load.switches += value;
      } else {
        status.ignore(1 << 16, '\n');
      }
    }
  }
  closedir(dir);
  return load;
}

// A connection to the X server. A server still busy with a client that just
// went away can refuse a new one for a moment (EAGAIN): tried again for up
// to 5 s.
inline Display* OpenDisplay() {
  const auto start = Clock::now();
  Display* x = XOpenDisplay(nullptr);
  while (!x && Clock::now() - start < std::chrono::seconds(5)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    x = XOpenDisplay(nullptr);
  }
  return x;
}

// A running program with a mapped top-level window.
class Program {
 public:
  // Starts `args` (a path and its arguments) and waits up to 20 s for its
  // window; ok() tells whether it came.
  // With `input`, its standard input is a pipe that Send writes to.
  explicit Program(const std::vector<std::string>& args, bool input = false) : x_(OpenDisplay()) {
    if (!x_) return;
    const Window root = DefaultRootWindow(x_);
    XSelectInput(x_, root, SubstructureNotifyMask);
    XSync(x_, False);
    // Made before the fork: the child of a threaded process only execs.
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    if (input && pipe(pipeFds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      if (input) dup2(pipeFds[0], 0);
      execv(argv[0], argv.data());
      _exit(127);
    }
    if (input) {
      close(pipeFds[0]);
      input_ = pipeFds[1];
    }
    const auto start = Clock::now();
    while (pid_ > 0 && !window_ && Clock::now() - start < std::chrono::seconds(20)) {
      if (!XPending(x_)) {
        pollfd fd{ConnectionNumber(x_), POLLIN, 0};
        poll(&fd, 1, 50);
        continue;
      }
      XEvent e;
      XNextEvent(x_, &e);
      if (e.type == MapNotify && e.xmap.event == root) window_ = e.xmap.window;
    }
  }
  ~Program() {
    if (input_ >= 0) close(input_);
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      for (int i = 0; i < 200 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i) usleep(10000);
      if (waitpid(pid_, nullptr, WNOHANG) == 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
      }
    }
    if (x_) XCloseDisplay(x_);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool ok() const { return window_ != 0; }
  Window window() const { return window_; }
  bool Send(char c) const { return input_ >= 0 && write(input_, &c, 1) == 1; }
  Load load() const { return ReadLoad(pid_); }
  // Moves the X pointer over the window at `hz` for `seconds`, on a circle
  // around (cx, cy) of the window.
  void MovePointer(int hz, double seconds, int cx, int cy) {
    const auto period = std::chrono::nanoseconds(static_cast<long>(1e9 / hz));
    auto next = Clock::now();
    const int moves = static_cast<int>(hz * seconds);
    for (int i = 0; i < moves; ++i) {
      const int dx = (i % 40) < 20 ? i % 20 : 20 - i % 20;
      XWarpPointer(x_, None, window_, 0, 0, 0, 0, cx + 5 * dx, cy + 3 * dx);
      XFlush(x_);
      next += period;
      std::this_thread::sleep_until(next);
    }
  }

 private:
  Display* x_;
  pid_t pid_ = -1;
  int input_ = -1;
  Window window_ = 0;
};

// Load per second of a program over `seconds`, after `before` runs
// (waiting out start-up, or driving input).
template <typename During>
Load LoadPerSecond(const Program& p, During during) {
  const Load a = p.load();
  const auto start = Clock::now();
  during();
  const Load b = p.load();
  const double s = std::chrono::duration<double>(Clock::now() - start).count();
  return Load{(b.cpuNs - a.cpuNs) / s, (b.switches - a.switches) / s};
}

}  // namespace benchload
