#include "WindowsImage.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace vesselhost {

namespace {

// Larger than any executable the simulator or a module could be.
constexpr std::uintmax_t kMaxImageBytes = std::uintmax_t(1) << 30;
// Bounds on the tables walked, far above what a real image holds, so that a
// damaged one cannot keep the reader going.
constexpr std::size_t kMaxImportedDlls = 4096;
constexpr std::size_t kMaxNames = 1 << 20;
constexpr std::size_t kMaxNameBytes = 4096;
// All names read together: many entries naming one long text could
// otherwise make a small file fill the memory.
constexpr std::size_t kMaxAllNameBytes = std::size_t(16) << 20;

class Reader {
public:
  explicit Reader(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

  bool u16(std::size_t at, std::uint32_t &v) const { return number(at, 2, v); }
  bool u32(std::size_t at, std::uint32_t &v) const { return number(at, 4, v); }
  bool u64(std::size_t at, std::uint64_t &v) const {
    std::uint32_t lo = 0, hi = 0;
    if (!u32(at, lo) || at > SIZE_MAX - 4 || !u32(at + 4, hi)) return false;
    v = (std::uint64_t(hi) << 32) | lo;
    return true;
  }
  // A text ending with NUL before the file does and within kMaxNameBytes,
  // while the names read so far stay within kMaxAllNameBytes.
  bool text(std::size_t at, std::string &out) {
    out.clear();
    for (std::size_t i = at; i < bytes_.size() && out.size() < kMaxNameBytes; ++i) {
      if (bytes_[i] == 0) {
        nameBytes_ += out.size();
        return nameBytes_ <= kMaxAllNameBytes;
      }
      out += char(bytes_[i]);
    }
    return false;
  }

  struct Section {
    std::uint32_t address, size, rawSize, rawAt;
  };
  std::vector<Section> sections;
  std::uint32_t headerBytes = 0;

  // Where in the file the image's address rva lies; false when nowhere.
  bool offsetOf(std::uint32_t rva, std::size_t &at) const {
    if (rva < headerBytes) {
      at = rva;
      return at < bytes_.size();
    }
    for (const Section &s : sections) {
      const std::uint32_t span = s.size > s.rawSize ? s.size : s.rawSize;
      if (rva < s.address || rva - s.address >= span) continue;
      if (rva - s.address >= s.rawSize) return false;  // in memory only: zeros the file does not hold
      const std::uint64_t offset = std::uint64_t(s.rawAt) + (rva - s.address);
      if (offset >= bytes_.size()) return false;
      at = std::size_t(offset);
      return true;
    }
    return false;
  }

private:
  bool number(std::size_t at, int n, std::uint32_t &v) const {
    if (at >= bytes_.size() || bytes_.size() - at < std::size_t(n)) return false;
    v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | bytes_[at + std::size_t(i)];
    return true;
  }

  std::vector<unsigned char> bytes_;
  std::size_t nameBytes_ = 0;
};

std::string lower(std::string s) {
  for (char &c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool readImports(Reader &r, std::uint32_t rva, bool wide, WindowsImage &image) {
  std::size_t at = 0;
  if (!r.offsetOf(rva, at)) return false;
  std::size_t names = 0;
  for (std::size_t d = 0;; ++d, at += 20) {
    if (d == kMaxImportedDlls) return false;
    std::uint32_t lookup = 0, nameRva = 0, slots = 0;
    if (!r.u32(at, lookup) || !r.u32(at + 12, nameRva) || !r.u32(at + 16, slots)) return false;
    if (nameRva == 0) return true;
    std::size_t nameAt = 0;
    std::string dll;
    if (!r.offsetOf(nameRva, nameAt) || !r.text(nameAt, dll)) return false;
    std::vector<std::string> &functions = image.imports[lower(dll)];
    std::size_t thunk = 0;
    if (!r.offsetOf(lookup ? lookup : slots, thunk)) return false;
    for (;; thunk += wide ? 8 : 4) {
      std::uint64_t entry = 0;
      std::uint32_t narrow = 0;
      if (wide ? !r.u64(thunk, entry) : !r.u32(thunk, narrow)) return false;
      if (!wide) entry = narrow;
      if (entry == 0) break;
      if (++names > kMaxNames) return false;
      const bool byOrdinal = wide ? (entry >> 63) != 0 : (entry >> 31) != 0;
      if (byOrdinal) {
        functions.push_back("#" + std::to_string(entry & 0xFFFF));
        continue;
      }
      std::size_t hint = 0;
      std::string function;
      if (!r.offsetOf(std::uint32_t(entry), hint) || !r.text(hint + 2, function)) return false;
      functions.push_back(function);
    }
  }
}

bool readExports(Reader &r, std::uint32_t rva, WindowsImage &image) {
  std::size_t at = 0;
  std::uint32_t count = 0, namesRva = 0;
  if (!r.offsetOf(rva, at) || !r.u32(at + 24, count) || !r.u32(at + 32, namesRva)) return false;
  if (count == 0) return true;
  if (count > kMaxNames) return false;
  std::size_t names = 0;
  if (!r.offsetOf(namesRva, names)) return false;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t nameRva = 0;
    std::size_t nameAt = 0;
    std::string name;
    if (!r.u32(names + 4 * std::size_t(i), nameRva) || !r.offsetOf(nameRva, nameAt) || !r.text(nameAt, name))
      return false;
    image.exports.insert(name);
  }
  return true;
}

}  // namespace

bool readWindowsImage(const std::string &path, WindowsImage &image, std::string &why) {
  image = WindowsImage();
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) {
    why = "cannot be read";
    return false;
  }
  const std::streamoff size = in.tellg();
  if (size < 0 || std::uintmax_t(size) > kMaxImageBytes) {
    why = "cannot be read whole";
    return false;
  }
  in.seekg(0);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
  if (!bytes.empty() && !in.read(reinterpret_cast<char *>(bytes.data()), size)) {
    why = "cannot be read whole";
    return false;
  }
  return readWindowsImage(std::move(bytes), image, why);
}

bool readWindowsImage(std::vector<unsigned char> bytes, WindowsImage &image, std::string &why) {
  image = WindowsImage();
  if (bytes.size() < 64 || bytes[0] != 'M' || bytes[1] != 'Z') {
    why = "not a Windows program or DLL";
    return false;
  }
  Reader r(std::move(bytes));
  std::uint32_t pe = 0, signature = 0, machine = 0, sectionCount = 0, optionalSize = 0, flags = 0, magic = 0;
  if (!r.u32(60, pe) || !r.u32(pe, signature) || signature != 0x4550 || !r.u16(pe + 4, machine) ||
      !r.u16(pe + 6, sectionCount) || !r.u16(pe + 20, optionalSize) || !r.u16(pe + 22, flags)) {
    why = "not a Windows program or DLL";
    return false;
  }
  if (machine == 0x14C)
    image.machine = "x86";
  else if (machine == 0x8664)
    image.machine = "x64";
  else {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", unsigned(machine));
    image.machine = text;
  }
  image.dll = (flags & 0x2000) != 0;

  // What follows the file header is only read where there is one: a
  // header that stops at the machine still names it.
  const std::size_t optional = std::size_t(pe) + 24;
  if (optionalSize == 0 || !r.u16(optional, magic)) return true;
  const bool wide = magic == 0x20B;
  if (magic != 0x10B && !wide) {
    why = "an image header of unknown form";
    return false;
  }
  std::uint32_t headerBytes = 0, directoryCount = 0;
  if (!r.u32(optional + 60, headerBytes) || !r.u32(optional + (wide ? 108 : 92), directoryCount)) {
    why = "a damaged image header";
    return false;
  }
  r.headerBytes = headerBytes;
  const std::size_t table = optional + optionalSize;
  for (std::uint32_t i = 0; i < sectionCount; ++i) {
    const std::size_t at = table + 40 * std::size_t(i);
    Reader::Section s{};
    if (!r.u32(at + 8, s.size) || !r.u32(at + 12, s.address) || !r.u32(at + 16, s.rawSize) ||
        !r.u32(at + 20, s.rawAt)) {
      why = "a damaged section table";
      return false;
    }
    r.sections.push_back(s);
  }
  const std::size_t directories = optional + (wide ? 112 : 96);
  std::uint32_t exportRva = 0, importRva = 0;
  if (directoryCount > 0 && !r.u32(directories, exportRva)) exportRva = 0;
  if (directoryCount > 1 && !r.u32(directories + 8, importRva)) importRva = 0;
  if (importRva && !readImports(r, importRva, wide, image)) {
    why = "a damaged import table";
    return false;
  }
  if (exportRva && !readExports(r, exportRva, image)) {
    why = "a damaged export table";
    return false;
  }
  return true;
}

}  // namespace vesselhost
