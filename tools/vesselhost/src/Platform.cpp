#include "Platform.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace vesselhost {
namespace fs = std::filesystem;

void initPlatform() {}

std::string executablePath() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

bool stderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

std::size_t terminalColumns() {
  winsize size{};
  return ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}

bool makeScratchDir(const std::string &prefix, std::string &dir) {
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  if (ec) base = "/tmp";
  const std::string pattern = (base / (prefix + "XXXXXX")).string();
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) return false;
  dir = buf.data();
  return true;
}

bool linkFile(const std::string &from, const std::string &to) {
  std::error_code ec;
  fs::create_symlink(fs::absolute(from, ec), to, ec);
  return !ec;
}

void catchStopSignals(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  // Both signals blocked while either is handled, so that the first one's
  // flag is set before a second is seen.
  sigaddset(&action.sa_mask, SIGINT);
  sigaddset(&action.sa_mask, SIGTERM);
  action.sa_flags = SA_RESTART;
  for (const int sig : {SIGINT, SIGTERM}) {
    // A signal ignored from the start (a background job of a shell without
    // job control) stays ignored, as in every other command.
    struct sigaction before {};
    if (sigaction(sig, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(sig, &action, nullptr);
  }
}

void removeFileInHandler(const char *path) { unlink(path); }

void endBySignal(int sig) {
  // The raised signal is delivered with its default disposition once the
  // handler returns.
  signal(sig, SIG_DFL);
  raise(sig);
}

}  // namespace vesselhost
