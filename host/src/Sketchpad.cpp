// The sketchpad's drawing operations that have a default built on the
// simpler ones: a host's sketchpad that draws text and lines gets boxes,
// rectangles and lists of polygons with them.
#include "Orbitersdk.h"

namespace oapi {

Sketchpad::Sketchpad(SURFHANDLE s) : surf(s) {}

Sketchpad::~Sketchpad() {}

// One Text call per line of the box (lines end at '\n'), each a character
// height below the last, as long as the line starts inside the box.
bool Sketchpad::TextBox(int x1, int y1, int x2, int y2, const char *str, int len) {
  (void)x2;
  if (!str || len <= 0) return false;
  const int lineHeight = int(GetCharSize() & 0xFFFF);
  bool drawn = true;
  int y = y1;
  int start = 0;
  for (int i = 0; i <= len; ++i) {
    if (i < len && str[i] != '\n' && str[i] != 0) continue;
    if (y > y2) break;
    drawn = Text(x1, y, str + start, i - start) && drawn;
    y += lineHeight > 0 ? lineHeight : 1;
    start = i + 1;
    if (i < len && str[i] == 0) break;
  }
  return drawn;
}

void Sketchpad::Rectangle(int x0, int y0, int x1, int y1) {
  MoveTo(x0, y0);
  LineTo(x1, y0);
  LineTo(x1, y1);
  LineTo(x0, y1);
  LineTo(x0, y0);
}

void Sketchpad::PolyPolygon(const IVECTOR2 *pt, const int *npt, const int nline) {
  if (!pt || !npt) return;
  for (int i = 0; i < nline; pt += npt[i++]) Polygon(pt, npt[i]);
}

void Sketchpad::PolyPolyline(const IVECTOR2 *pt, const int *npt, const int nline) {
  if (!pt || !npt) return;
  for (int i = 0; i < nline; pt += npt[i++]) Polyline(pt, npt[i]);
}

}  // namespace oapi
