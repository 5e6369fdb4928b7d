#include "AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>
#include <system_error>

namespace vesselhost {
namespace fs = std::filesystem;

namespace {

std::string reason() { return errno ? std::strerror(errno) : "input/output error"; }

// The file that path names, a link followed: a link is written through, it
// is its target that gets the new text and the link stays.
fs::path resolve(const std::string &path, fs::file_status &status) {
  std::error_code ec;
  fs::path target(path);
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  status = fs::status(target, ec);
  return target;
}

}  // namespace

bool AtomicFile::probe(const std::string &path, std::string *error) {
  fs::file_status status;
  resolve(path, status);
  // Opening a pipe would take its reader's one read; a device that exists
  // is taken as it is.
  if (fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status)) return true;
  AtomicFile file;
  return file.open(path, error);  // dropped again on the way out
}

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::open(const std::string &path, std::string *error) {
  discard();
  if (path.empty()) {
    if (error) *error = "empty file name";
    return false;
  }
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    if (error) *error = path + ": is a directory";
    return false;
  }
  path_ = path;
  fs::file_status existing;
  const fs::path target = resolve(path, existing);
  if (fs::exists(existing) && !fs::is_regular_file(existing)) {
    // A device or a pipe cannot be replaced, only written to.
    errno = 0;
    stream_.open(target, std::ios::binary);
    if (!stream_) {
      if (error) *error = path + ": cannot write: " + reason();
      return false;
    }
    return true;
  }
  std::random_device rd;
  std::ostringstream name;
  name << "." << target.filename().string() << ".tmp" << std::hex << rd() << rd();
  temp_ = (target.parent_path() / name.str()).string();
  errno = 0;
  stream_.open(temp_, std::ios::binary | std::ios::trunc);
  if (!stream_) {
    if (error) *error = path + ": cannot write: " + reason();
    temp_.clear();
    return false;
  }
  target_ = target.string();
  // The file that is replaced keeps its permissions.
  if (fs::exists(existing)) fs::permissions(temp_, existing.permissions(), ec);
  return true;
}

bool AtomicFile::commit(std::string *error) {
  if (!stream_.is_open()) {
    if (error) *error = path_ + ": not open for writing";
    return false;
  }
  errno = 0;
  stream_.flush();
  const bool written = static_cast<bool>(stream_);
  stream_.close();
  if (!written || stream_.fail()) {
    if (error) *error = path_ + ": cannot write: " + reason();
    discard();
    return false;
  }
  if (temp_.empty()) return true;  // written in place
  std::error_code ec;
  fs::rename(temp_, target_, ec);
  if (ec) {
    if (error) *error = path_ + ": cannot replace: " + ec.message();
    discard();
    return false;
  }
  temp_.clear();
  return true;
}

void AtomicFile::discard() {
  if (stream_.is_open()) stream_.close();
  if (!temp_.empty()) {
    std::error_code ec;
    fs::remove(temp_, ec);
    temp_.clear();
  }
}

bool writeFileAtomically(const std::string &path, const std::string &content, std::string *error) {
  AtomicFile file;
  if (!file.open(path, error)) return false;
  file.stream().write(content.data(), static_cast<std::streamsize>(content.size()));
  return file.commit(error);
}

bool sameFile(const std::string &a, const std::string &b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ea, eb;
  // Absolute first: a relative path whose file does not exist yet is left
  // as written, and "x" and "./x" would differ.
  const fs::path pa = fs::weakly_canonical(fs::absolute(a, ea), ea);
  const fs::path pb = fs::weakly_canonical(fs::absolute(b, eb), eb);
  return ea || eb ? a == b : pa == pb;
}

bool readFile(const std::string &path, std::string &content, std::string *error) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    if (error) *error = path + ": is a directory";
    return false;
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = path + ": cannot open: " + reason();
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    if (error) *error = path + ": cannot read: " + reason();
    return false;
  }
  content = text.str();
  return true;
}

}  // namespace vesselhost
