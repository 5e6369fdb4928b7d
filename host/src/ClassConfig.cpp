#include "ClassConfig.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <strings.h>

#include "Motion.h"
#include "vhost/Simulation.h"

namespace vhost {
namespace detail {

namespace {

std::string trim(const std::string &s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace((unsigned char)s[b])) ++b;
  while (e > b && std::isspace((unsigned char)s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string lower(std::string s) {
  for (char &c : s) c = char(std::tolower((unsigned char)c));
  return s;
}

// Reads count numbers from p on; p moves past them.
bool readDoubles(const char *&p, double *out, int count) {
  for (int i = 0; i < count; ++i) {
    char *end = nullptr;
    errno = 0;
    double d = std::strtod(p, &end);
    if (end == p || errno == ERANGE || !std::isfinite(d)) return false;
    out[i] = d;
    p = end;
  }
  return true;
}

// Reads count numbers from p on as strtod reads them, whatever they are.
bool scanDoubles(const char *p, double *out, int count) {
  for (int i = 0; i < count; ++i) {
    char *end = nullptr;
    const double d = std::strtod(p, &end);
    if (end == p) return false;
    out[i] = d;
    p = end;
  }
  return true;
}

bool onlyBlanks(const char *p) {
  while (*p && std::isspace((unsigned char)*p)) ++p;
  return *p == 0;
}

}  // namespace

const std::string *ClassConfig::find(const char *key) const {
  if (!key) return nullptr;
  for (const auto &item : items)
    if (strcasecmp(item.first.c_str(), key) == 0) return &item.second;
  return nullptr;
}

std::string ClassConfig::module() const {
  const std::string *m = find("Module");
  return m ? *m : std::string();
}

bool usableClassName(const std::string &c) {
  if (c.empty() || c.size() > 255 || c[0] == '/' || c[0] == '\\') return false;
  if (c.find("..") != std::string::npos) return false;
  for (char ch : c)
    if ((unsigned char)ch < 0x20) return false;
  return true;
}

ClassConfig readClassConfig(const std::string &dir, const std::string &className) {
  ClassConfig cfg;
  cfg.path = dir + "/" + className + ".cfg";
  std::ifstream in(cfg.path);
  if (!in) return cfg;
  cfg.exists = true;
  std::string raw;
  int lineNo = 0;
  bool inAttachments = false;
  while (std::getline(in, raw)) {
    ++lineNo;
    std::size_t semicolon = raw.find(';');
    std::string line = trim(semicolon == std::string::npos ? raw : raw.substr(0, semicolon));
    if (line.empty()) continue;
    if (inAttachments) {
      if (line == "END_ATTACHMENT") {
        inAttachments = false;
        continue;
      }
      ConfigAttachment a;
      const char *p = line.c_str();
      if ((*p != 'C' && *p != 'P') || !std::isspace((unsigned char)p[1]))
        throw ScenarioError(cfg.path, lineNo, "attachment line must start with C or P");
      a.toParent = *p == 'P';
      ++p;
      double n[9];
      if (!readDoubles(p, n, 9))
        throw ScenarioError(cfg.path, lineNo, "attachment line needs position, direction and rotation (9 numbers)");
      a.pos = _V(n[0], n[1], n[2]);
      a.dir = _V(n[3], n[4], n[5]);
      a.rot = _V(n[6], n[7], n[8]);
      // The same test as CreateAttachment's: a vector whose squared length
      // overflows would place a child at infinity.
      if (!isUsableVector(a.pos) || !isUsableVector(a.dir) || !isUsableVector(a.rot))
        throw ScenarioError(cfg.path, lineNo, "attachment line has a vector too long to place a vessel on");
      std::istringstream words(p);
      std::string id, flag;
      if (!(words >> id)) throw ScenarioError(cfg.path, lineNo, "attachment line needs an id");
      if (words >> flag) {
        if (strcasecmp(flag.c_str(), "LOOSE") != 0)
          throw ScenarioError(cfg.path, lineNo, "unexpected \"" + flag + "\" after the attachment id");
        a.loose = true;
      }
      a.id = id;
      cfg.attachments.push_back(a);
      continue;
    }
    if (line == "BEGIN_ATTACHMENT") {
      inAttachments = true;
      continue;
    }
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;  // not an item: read past
    std::string key = trim(line.substr(0, eq));
    if (key.empty()) continue;
    cfg.items.emplace_back(lower(key), trim(line.substr(eq + 1)));
  }
  if (inAttachments) throw ScenarioError(cfg.path, lineNo, "BEGIN_ATTACHMENT has no END_ATTACHMENT");
  return cfg;
}

bool readVectorValue(const std::string &text, VECTOR3 &v) {
  const char *p = text.c_str();
  double n[3];
  if (!readDoubles(p, n, 3) || !onlyBlanks(p)) return false;
  v = _V(n[0], n[1], n[2]);
  return true;
}

bool readDoubleValue(const std::string &text, double &d) {
  const char *p = text.c_str();
  double n;
  if (!readDoubles(p, &n, 1) || !onlyBlanks(p)) return false;
  d = n;
  return true;
}

bool scanVectorValue(const std::string &text, VECTOR3 &v) {
  double n[3];
  if (!scanDoubles(text.c_str(), n, 3)) return false;
  v = _V(n[0], n[1], n[2]);
  return true;
}

bool scanDoubleValue(const std::string &text, double &d) { return scanDoubles(text.c_str(), &d, 1); }

bool readIntValue(const std::string &text, int &i) {
  const char *p = text.c_str();
  char *end = nullptr;
  errno = 0;
  long l = std::strtol(p, &end, 10);
  if (end == p || errno == ERANGE || l < -2147483647L - 1 || l > 2147483647L || !onlyBlanks(end)) return false;
  i = int(l);
  return true;
}

bool readBoolValue(const std::string &text, bool &b) {
  if (strcasecmp(text.c_str(), "TRUE") == 0 || text == "1") {
    b = true;
    return true;
  }
  if (strcasecmp(text.c_str(), "FALSE") == 0 || text == "0") {
    b = false;
    return true;
  }
  return false;
}

}  // namespace detail
}  // namespace vhost
