#include "StatusLine.h"

#include <algorithm>
#include <cstring>

#include "Platform.h"

namespace vesselhost {
namespace {

constexpr auto kFirstDraw = std::chrono::seconds(1);
constexpr auto kRedraw = std::chrono::milliseconds(250);

}  // namespace

StatusLine::StatusLine(std::ostream &err, std::ostream &out, bool enabled)
    : err_(err), out_(out), enabled_(enabled), started_(Clock::now()), nextDraw_(started_ + kFirstDraw) {
  // A line longer than the terminal is wide would wrap, and the carriage
  // return would then rewrite only its last row.
  const std::size_t columns = enabled_ ? terminalColumns() : 0;
  if (columns > 1) width_ = std::min<std::size_t>(columns - 1, sizeof text_ - 1);
}

StatusLine::~StatusLine() { clear(); }

void StatusLine::draw(const char *text, Clock::time_point now) {
  if (!enabled_) return;
  nextDraw_ = now + kRedraw;
  erase();
  length_ = std::min(std::strlen(text), width_);
  std::memcpy(text_, text, length_);
  show();
}

void StatusLine::hide() {
  if (shown_) erase();
}

void StatusLine::show() {
  if (!enabled_ || shown_ || length_ == 0) return;
  out_.flush();
  err_.write(text_, static_cast<std::streamsize>(length_));
  err_.flush();
  shown_ = true;
}

void StatusLine::clear() {
  hide();
  length_ = 0;
}

void StatusLine::erase() {
  if (!shown_) return;
  // Blanks over the old text rather than a terminal control sequence: any
  // terminal understands them. Two more for the "^C" that a terminal echoes
  // after the text when Ctrl-C stops the command.
  const std::size_t blanks = std::min(length_ + 2, width_);
  char line[sizeof text_ + 2];
  line[0] = '\r';
  std::memset(line + 1, ' ', blanks);
  line[blanks + 1] = '\r';
  err_.write(line, static_cast<std::streamsize>(blanks + 2));
  err_.flush();
  shown_ = false;
}

}  // namespace vesselhost
