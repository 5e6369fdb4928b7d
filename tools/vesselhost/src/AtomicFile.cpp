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

}  // namespace

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
  const fs::path target(path);
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
  std::error_code ec;
  fs::rename(temp_, path_, ec);
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
