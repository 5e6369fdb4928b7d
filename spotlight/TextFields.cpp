#include "TextFields.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace spot {

bool SameKeyNoCase(const char *text, const char *key, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const int a = std::tolower(static_cast<unsigned char>(text[i]));
    const int b = std::tolower(static_cast<unsigned char>(key[i]));
    if (a != b) return false;
    if (a == 0) return true;
  }
  return true;
}

bool NextDouble(const char **cursor, double *value) {
  char *end = 0;
  const double v = std::strtod(*cursor, &end);
  if (end == *cursor) return false;
  *cursor = end;
  *value = v;
  return true;
}

bool NextInteger(const char **cursor, long long *value) {
  char *end = 0;
  const long long v = std::strtoll(*cursor, &end, 10);
  if (end == *cursor) return false;
  *cursor = end;
  *value = v;
  return true;
}

bool NextWord(const char **cursor, char *word, std::size_t capacity) {
  const char *p = *cursor;
  while (*p != '\0' && std::isspace(static_cast<unsigned char>(*p))) ++p;
  std::size_t len = 0;
  while (p[len] != '\0' && !std::isspace(static_cast<unsigned char>(p[len]))) ++len;
  if (len == 0 || len >= capacity) return false;
  std::memcpy(word, p, len);
  word[len] = '\0';
  *cursor = p + len;
  return true;
}

}  // namespace spot
