// Drawing surfaces: the sketchpad a vessel draws its HUD text on.
#ifndef ORBITER_DRAWAPI_H
#define ORBITER_DRAWAPI_H

#include "OrbiterTypes.h"

namespace oapi {

class Font;
class Pen;
class Brush;

// A drawing surface the host hands to clbkDrawHUD for the duration of that
// call only; the plug-in must not keep the pointer. Colours are the host's
// colour words, 0xBBGGRR. Every operation has a do-nothing default so that a
// host may implement only what it draws.
class OAPIFUNC Sketchpad {
public:
  enum TAlign_horizontal { LEFT, CENTER, RIGHT };
  enum TAlign_vertical { TOP, BASELINE, BOTTOM };
  enum BkgMode { BK_TRANSPARENT, BK_OPAQUE };

  explicit Sketchpad(SURFHANDLE s) : surf(s) {}
  virtual ~Sketchpad() {}

  SURFHANDLE GetSurface() const { return surf; }

  virtual Font *SetFont(Font *font) const { (void)font; return 0; }
  virtual Pen *SetPen(Pen *pen) const { (void)pen; return 0; }
  virtual Brush *SetBrush(Brush *brush) const { (void)brush; return 0; }
  virtual void SetTextAlign(TAlign_horizontal tah = LEFT, TAlign_vertical tav = TOP) { (void)tah; (void)tav; }
  // Sets the text colour; returns the previous one.
  virtual DWORD SetTextColor(DWORD col) { (void)col; return 0; }
  virtual DWORD SetBackgroundColor(DWORD col) { (void)col; return 0; }
  virtual void SetBackgroundMode(BkgMode mode) { (void)mode; }
  virtual DWORD GetCharSize() { return 0; }
  virtual DWORD GetTextWidth(const char *str, int len = 0) { (void)str; (void)len; return 0; }
  virtual void SetOrigin(int x, int y) { (void)x; (void)y; }
  // Writes len characters of str with the top left corner at (x, y).
  virtual bool Text(int x, int y, const char *str, int len) { (void)x; (void)y; (void)str; (void)len; return false; }
  virtual void Pixel(int x, int y, DWORD col) { (void)x; (void)y; (void)col; }
  virtual void MoveTo(int x, int y) { (void)x; (void)y; }
  virtual void LineTo(int x, int y) { (void)x; (void)y; }
  virtual void Line(int x0, int y0, int x1, int y1) { (void)x0; (void)y0; (void)x1; (void)y1; }
  virtual void Rectangle(int x0, int y0, int x1, int y1) { (void)x0; (void)y0; (void)x1; (void)y1; }
  virtual void Ellipse(int x0, int y0, int x1, int y1) { (void)x0; (void)y0; (void)x1; (void)y1; }

private:
  SURFHANDLE surf;
};

}  // namespace oapi

#endif  // ORBITER_DRAWAPI_H
