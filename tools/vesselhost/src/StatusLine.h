// One line at the bottom of a terminal, rewritten in place, telling how a
// long command is getting on. It appears only once the command has lasted a
// second, is redrawn at most four times a second, steps aside for any other
// line written to the terminal, and is gone when the command ends, so that
// what the command writes reads as it would without it.
#ifndef VESSELHOST_STATUSLINE_H
#define VESSELHOST_STATUSLINE_H

#include <chrono>
#include <cstddef>
#include <ostream>

namespace vesselhost {

class StatusLine {
public:
  using Clock = std::chrono::steady_clock;

  // err: where the line goes, a terminal (enabled false: nothing at all);
  // out: the command's other output, flushed before the line is drawn so
  // that the two never share a row.
  StatusLine(std::ostream &err, std::ostream &out, bool enabled);
  ~StatusLine();  // clears the line
  StatusLine(const StatusLine &) = delete;
  StatusLine &operator=(const StatusLine &) = delete;

  bool enabled() const { return enabled_; }
  Clock::time_point started() const { return started_; }
  // Whether the line is to be drawn now: a second after the start, then
  // every quarter of a second.
  bool due(Clock::time_point now) const { return enabled_ && now >= nextDraw_; }
  // Draws text (cut to the terminal's width) in place of the last line.
  void draw(const char *text, Clock::time_point now);
  // Before a line of other output on the same terminal: the line goes, to
  // come back below it at the next draw.
  void hide();
  // Takes the line away for good.
  void clear();

private:
  void show();
  void erase();

  std::ostream &err_, &out_;
  bool enabled_;
  bool shown_ = false;
  Clock::time_point started_, nextDraw_;
  std::size_t width_ = 79;  // the terminal's columns less one
  char text_[256] = {};
  std::size_t length_ = 0;
};

}  // namespace vesselhost

#endif  // VESSELHOST_STATUSLINE_H
