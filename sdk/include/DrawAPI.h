// Drawing surfaces: the sketchpad a vessel draws its HUD text on.
#ifndef ORBITER_DRAWAPI_H
#define ORBITER_DRAWAPI_H

#include "OrbiterTypes.h"

OAPI_HEADER_BEGIN

namespace oapi {

class Font;
class Pen;
class Brush;

// A point in pixels.
union IVECTOR2 {
  long data[2];
  struct {
    long x, y;
  };
};

// A drawing surface the host hands to clbkDrawHUD for the duration of that
// call only; the plug-in must not keep the pointer. Colours are the host's
// colour words, 0xBBGGRR. The host's sketchpads override what they draw; the
// defaults draw nothing.
//
// A module calls these through the host object's virtual table, so they are
// declared in the host's slot order. The 2016 host's sketchpad ends with
// GetDC; later hosts add drawing calls after it, which are not declared here.
// (The 2021 headers had a wide-text call after Text, which neither the 2016
// host nor the current one has there.)
class OAPIFUNC Sketchpad {
public:
  Sketchpad(SURFHANDLE s);
  virtual ~Sketchpad();

#if defined(ORBITER_EDITION_2016)
  virtual Font *SetFont(Font *font) const { (void)font; return 0; }
  virtual Pen *SetPen(Pen *pen) const { (void)pen; return 0; }
  virtual Brush *SetBrush(Brush *brush) const { (void)brush; return 0; }
#else
  virtual Font *SetFont(Font *font) { (void)font; return 0; }
  virtual Pen *SetPen(Pen *pen) { (void)pen; return 0; }
  virtual Brush *SetBrush(Brush *brush) { (void)brush; return 0; }
#endif

  enum TAlign_horizontal { LEFT, CENTER, RIGHT };
  enum TAlign_vertical { TOP, BASELINE, BOTTOM };
  virtual void SetTextAlign(TAlign_horizontal tah = LEFT, TAlign_vertical tav = TOP) { (void)tah; (void)tav; }
  // Sets the text colour; returns the previous one.
  virtual DWORD SetTextColor(DWORD col) { (void)col; return 0; }
  virtual DWORD SetBackgroundColor(DWORD col) { (void)col; return 0; }
  enum BkgMode { BK_TRANSPARENT, BK_OPAQUE };
  virtual void SetBackgroundMode(BkgMode mode) { (void)mode; }
  virtual DWORD GetCharSize() { return 0; }
  virtual DWORD GetTextWidth(const char *str, int len = 0) { (void)str; (void)len; return 0; }
  virtual void SetOrigin(int x, int y) { (void)x; (void)y; }
  virtual void GetOrigin(int *x, int *y) const { *x = 0, *y = 0; }
  // Writes len characters of str with the top left corner at (x, y).
  virtual bool Text(int x, int y, const char *str, int len) { (void)x; (void)y; (void)str; (void)len; return false; }
  // Writes text wrapped into the box (x1, y1)-(x2, y2).
  virtual bool TextBox(int x1, int y1, int x2, int y2, const char *str, int len);
  virtual void Pixel(int x, int y, DWORD col) { (void)x; (void)y; (void)col; }
  virtual void MoveTo(int x, int y) { (void)x; (void)y; }
  virtual void LineTo(int x, int y) { (void)x; (void)y; }
  virtual void Line(int x0, int y0, int x1, int y1) { (void)x0; (void)y0; (void)x1; (void)y1; }
  virtual void Rectangle(int x0, int y0, int x1, int y1);
  virtual void Ellipse(int x0, int y0, int x1, int y1) { (void)x0; (void)y0; (void)x1; (void)y1; }
  virtual void Polygon(const IVECTOR2 *pt, int npt) { (void)pt; (void)npt; }
  virtual void Polyline(const IVECTOR2 *pt, int npt) { (void)pt; (void)npt; }
  virtual void PolyPolygon(const IVECTOR2 *pt, const int *npt, const int nline);
  virtual void PolyPolyline(const IVECTOR2 *pt, const int *npt, const int nline);
  SURFHANDLE GetSurface() const { return surf; }
  virtual HDC GetDC() { return 0; }

private:
  SURFHANDLE surf;
};

}  // namespace oapi

OAPI_HEADER_END

#endif  // ORBITER_DRAWAPI_H
