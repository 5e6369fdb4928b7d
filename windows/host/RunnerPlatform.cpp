// The runner's system calls on Windows (tools/vesselhost/src/Platform.h).
#include "Platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace vesselhost {
namespace fs = std::filesystem;

namespace {

// A fault nobody handles (a module's crash, a heap check that fails) ends
// the run at once with a line that says so, as a crash ends it on Linux,
// instead of waiting on a debugger or an error dialog.
LONG WINAPI onUnhandledException(EXCEPTION_POINTERS *info) {
  const EXCEPTION_RECORD *r = info ? info->ExceptionRecord : nullptr;
  std::fprintf(stderr, "vesselhost: stopped by exception %08lx at %p\n", r ? r->ExceptionCode : 0ul,
               r ? r->ExceptionAddress : nullptr);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void initPlatform() {
  // Text mode would write every line end of the timeline and the reports
  // as CR LF; a console shows LF alone just as well.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetUnhandledExceptionFilter(onUnhandledException);
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
}

std::string executablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, &path[0], DWORD(path.size()));
    if (n == 0) return "";
    if (n < path.size()) {
      path.resize(n);
      return fs::path(path).string();
    }
    path.resize(path.size() * 2);
  }
}

bool stderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

std::size_t terminalColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) return 0;
  return std::size_t(info.srWindow.Right - info.srWindow.Left + 1);
}

bool makeScratchDir(const std::string &prefix, std::string &dir) {
  std::error_code ec;
  const fs::path base = fs::temp_directory_path(ec);
  if (ec) return false;
  std::random_device entropy;
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (int i = 0; i < 6; ++i) name += kLetters[entropy() % (sizeof kLetters - 1)];
    const fs::path candidate = base / name;
    // CreateDirectory fails on a name that exists: the folder is new.
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      dir = candidate.string();
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

bool linkFile(const std::string &from, const std::string &to) {
  // Symbolic links need a privilege that ordinary users lack.
  std::error_code ec;
  return fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec) && !ec;
}

namespace {

void (*stopHandler)(int) = nullptr;

// The C runtime puts a signal back to its default before calling the
// handler; the next Ctrl-C must find the handler again.
extern "C" void onSignal(int sig) {
  std::signal(sig, onSignal);
  stopHandler(sig);
}

}  // namespace

void catchStopSignals(void (*handler)(int)) {
  stopHandler = handler;
  for (const int sig : {SIGINT, SIGTERM}) {
    void (*before)(int) = std::signal(sig, onSignal);
    if (before == SIG_IGN) std::signal(sig, SIG_IGN);
  }
}

// The runtime runs the Ctrl-C handler on a thread of its own, where the
// file functions may be used.
void removeFileInHandler(const char *path) { DeleteFileA(path); }

void endBySignal(int signal) { _exit(128 + signal); }

}  // namespace vesselhost
