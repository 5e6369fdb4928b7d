// The SDK's free functions for modules: announcing a module while it is
// loaded, reading a build date.
#include <cctype>
#include <cstddef>
#include <cstring>

#include "HostCore.h"

using vhost::Simulation;
using vhost::detail::enterFree;

void InitLib(HINSTANCE hModule) {
  Simulation::Impl *s = enterFree("InitLib", vhost::TraceValue());
  if (!s || s->loadingModule < 0) return;
  s->moduleInfos[std::size_t(s->loadingModule)].announced = true;
  s->initLibCalled = true;
  s->initLibHandle = hModule;
}

int Date2Int(char *date) {
  enterFree("Date2Int", date);
  if (!date) return 0;
  static const char *const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  int month = 0;
  for (int i = 0; i < 12; ++i)
    if (std::strncmp(date, months[i], 3) == 0) month = i + 1;
  if (!month || date[3] != ' ') return 0;
  const char *p = date + 4;
  if (*p == ' ') ++p;  // a one-digit day is padded with a blank
  int day = 0, digits = 0;
  while (std::isdigit((unsigned char)*p) && digits < 2) {
    day = day * 10 + (*p++ - '0');
    ++digits;
  }
  if (!digits || day < 1 || day > 31 || *p != ' ') return 0;
  ++p;
  int year = 0;
  for (int i = 0; i < 4; ++i) {
    if (!std::isdigit((unsigned char)p[i])) return 0;
    year = year * 10 + (p[i] - '0');
  }
  if (p[4] != 0) return 0;
  return year * 10000 + month * 100 + day;
}
