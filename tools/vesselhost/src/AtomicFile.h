// Output files written whole or not at all: the text goes to a temporary
// file beside the target, which replaces the target only once it is
// complete. A run that fails never leaves a half-written file, nor replaces
// a good one. A link is followed to its file, which keeps its permissions;
// a device or a pipe is written to directly.
#ifndef VESSELHOST_ATOMICFILE_H
#define VESSELHOST_ATOMICFILE_H

#include <fstream>
#include <string>

namespace vesselhost {

class AtomicFile {
public:
  AtomicFile() = default;
  ~AtomicFile();  // discards the temporary file unless committed
  AtomicFile(const AtomicFile &) = delete;
  AtomicFile &operator=(const AtomicFile &) = delete;

  // Opens a temporary file in the target's directory; false, with the
  // reason in *error, when that cannot be done.
  bool open(const std::string &path, std::string *error);
  // Whether open would work, leaving nothing behind and taking no pipe's
  // reader.
  static bool probe(const std::string &path, std::string *error);
  bool isOpen() const { return stream_.is_open(); }
  std::ostream &stream() { return stream_; }
  // The temporary file while open, "" otherwise (and for a device or pipe).
  const std::string &tempPath() const { return temp_; }
  // Flushes, closes and renames the temporary file onto the target.
  bool commit(std::string *error);
  // Drops the temporary file; the target stays as it was.
  void discard();

private:
  std::string path_, target_, temp_;  // target_: path_ with links followed
  std::ofstream stream_;
};

// The whole content at once.
bool writeFileAtomically(const std::string &path, const std::string &content, std::string *error);

// True when a and b, neither empty, name one file, links and relative
// paths followed; the file need not exist yet.
bool sameFile(const std::string &a, const std::string &b);

// The whole file; false, with the reason, when it cannot be read.
bool readFile(const std::string &path, std::string &content, std::string *error);

}  // namespace vesselhost

#endif  // VESSELHOST_ATOMICFILE_H
