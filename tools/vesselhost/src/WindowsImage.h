// What check-install reads of a Windows executable or DLL: the machine it is
// built for, whether it is a DLL, the functions it imports by name from each
// DLL, and the names it exports. The file is read whole and every offset in
// it is checked before it is followed: a damaged or foreign file is refused
// with a reason, never read past its end.
#ifndef VESSELHOST_WINDOWSIMAGE_H
#define VESSELHOST_WINDOWSIMAGE_H

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vesselhost {

struct WindowsImage {
  std::string machine;  // "x86", "x64", or another machine's number ("0x01C4")
  bool dll = false;
  // By the imported DLL's name in lower case, as the loader matches it.
  std::map<std::string, std::vector<std::string>> imports;
  std::set<std::string> exports;
};

// Reads the image at path; false, with why, when it is not one or cannot be
// read whole.
bool readWindowsImage(const std::string &path, WindowsImage &image, std::string &why);
// The same of an image's bytes.
bool readWindowsImage(std::vector<unsigned char> bytes, WindowsImage &image, std::string &why);

}  // namespace vesselhost

#endif  // VESSELHOST_WINDOWSIMAGE_H
