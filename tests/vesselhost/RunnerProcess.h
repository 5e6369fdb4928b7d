// The built vesselhost as a child process the tests can signal: started in
// a folder with its standard output and error going to files (or standard
// output to a pipe the test holds), SIGINT and SIGTERM at their default
// disposition whatever the test process has.
#ifndef VESSELHOST_TESTS_RUNNERPROCESS_H
#define VESSELHOST_TESTS_RUNNERPROCESS_H

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace runnertest {

namespace fs = std::filesystem;

inline std::string slurp(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void spit(const fs::path &p, const std::string &text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

// Class files of the passive classes the runner tests fly (every class
// needs one, as in the simulator).
inline void writePassiveClasses(const fs::path &config) {
  fs::create_directories(config);
  for (const char *name : {"ProbeClass", "RockClass"})
    std::ofstream(config / (std::string(name) + ".cfg")) << "; passive\n";
}

// An empty folder of this test and process (ctest runs tests side by side,
// and several builds' suites may run at once), with a "config" folder in
// it that holds the passive classes.
inline fs::path testFolder(const std::string &prefix) {
  const fs::path dir = fs::temp_directory_path() /
                       (prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                        std::to_string(getpid()));
  fs::remove_all(dir);
  writePassiveClasses(dir / "config");
  return dir;
}

// The names in a folder, hidden ones included, sorted.
inline std::vector<std::string> listing(const fs::path &dir) {
  std::vector<std::string> names;
  for (const auto &e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class RunnerProcess {
public:
  // stdoutFd -1: standard output to "stdout.txt" in dir; standard error
  // always to "stderr.txt". TMPDIR is dir, so that scratch folders are
  // found there.
  RunnerProcess(const fs::path &dir, const std::vector<std::string> &args, int stdoutFd = -1) {
    std::vector<std::string> argv = {VH_BIN_DIR "/vesselhost"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char *> cargv;
    for (std::string &a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    std::vector<std::string> env = {"TMPDIR=" + dir.string()};
    for (char **e = environ; *e; ++e)
      if (std::strncmp(*e, "TMPDIR=", 7) != 0) env.push_back(*e);
    std::vector<char *> cenv;
    for (std::string &e : env) cenv.push_back(e.data());
    cenv.push_back(nullptr);
    const std::string dirName = dir.string();
    pid_ = fork();
    if (pid_ == 0) {
      // Only async-signal-safe calls between fork and exec.
      ::signal(SIGINT, SIG_DFL);
      ::signal(SIGTERM, SIG_DFL);
      sigset_t none;
      sigemptyset(&none);
      sigprocmask(SIG_SETMASK, &none, nullptr);
      if (chdir(dirName.c_str()) != 0) _exit(127);
      const int out = stdoutFd >= 0 ? stdoutFd : open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (out < 0 || err < 0) _exit(127);
      dup2(out, STDOUT_FILENO);
      dup2(err, STDERR_FILENO);
      execve(cargv[0], cargv.data(), cenv.data());
      _exit(127);
    }
  }
  ~RunnerProcess() {
    if (pid_ > 0 && !done_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status_, 0);
    }
  }
  RunnerProcess(const RunnerProcess &) = delete;
  RunnerProcess &operator=(const RunnerProcess &) = delete;

  bool started() const { return pid_ > 0; }
  void signal(int sig) { kill(pid_, sig); }
  // Whether it ended within the time; its wait status in status().
  bool waitFor(std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done_) {
      const pid_t r = waitpid(pid_, &status_, WNOHANG);
      if (r == pid_) {
        done_ = true;
        break;
      }
      if (std::chrono::steady_clock::now() >= end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }
  int status() const { return status_; }

private:
  pid_t pid_ = -1;
  int status_ = 0;
  bool done_ = false;
};

// Waits until pred() holds or the time is up; whether it held.
template <class Pred>
bool eventually(Pred pred, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!pred()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace runnertest

#endif  // VESSELHOST_TESTS_RUNNERPROCESS_H
