// What the runner needs of the operating system beyond the C++ library.
// Built from Platform.cpp on Linux and from windows/host/RunnerPlatform.cpp
// in the Windows build.
#ifndef VESSELHOST_PLATFORM_H
#define VESSELHOST_PLATFORM_H

#include <cstddef>
#include <string>

namespace vesselhost {

// Called first thing in main. On Windows it puts standard output and error
// in binary mode: the runner writes the same bytes on every system.
void initPlatform();

// The running executable's full path; "" when the system does not tell.
std::string executablePath();

// Whether standard error is a terminal, and its width in columns (0 when
// that is not known).
bool stderrIsTerminal();
std::size_t terminalColumns();

// Makes a new, empty folder in the system's folder for temporary files,
// named prefix and a few random characters; false when it cannot.
bool makeScratchDir(const std::string &prefix, std::string &dir);

// Makes `to` name the file `from`: a symbolic link, or a copy on a system
// where an ordinary user cannot make links. False when neither works.
bool linkFile(const std::string &from, const std::string &to);

// Ctrl-C (SIGINT) and SIGTERM call handler from now on; a signal that the
// process was started with ignored stays ignored.
void catchStopSignals(void (*handler)(int));
// For the handler: removes a file, and ends the process at once as the
// signal would have. Both are safe to call inside a signal handler.
void removeFileInHandler(const char *path);
void endBySignal(int signal);

}  // namespace vesselhost

#endif  // VESSELHOST_PLATFORM_H
