// A small SVG writer for the runner's pictures. Coordinates are written with
// two fixed decimals and every text is escaped, so the same picture gives
// the same bytes and any name a plug-in or a scenario chose stays well-formed.
#ifndef VESSELHOST_SVG_H
#define VESSELHOST_SVG_H

#include <string>
#include <string_view>
#include <vector>

namespace vesselhost {

// A point on the page, pixels, y downwards.
struct P {
  double x = 0, y = 0;
};
inline P operator+(P a, P b) { return {a.x + b.x, a.y + b.y}; }
inline P operator-(P a, P b) { return {a.x - b.x, a.y - b.y}; }
inline P operator*(P a, double k) { return {a.x * k, a.y * k}; }

// A number for a coordinate or a length: two fixed decimals, never "-0.00".
std::string px(double v);
// A value for a person: up to six significant digits, no exponent below a
// million ("880", "4048", "0.15", "-1.745").
std::string value(double v);
// "(x, y, z)" with value().
std::string triple(double x, double y, double z);
// Text for an element or an attribute: UTF-8 (other bytes read as Latin-1),
// markup characters escaped, control characters shown as '?'.
std::string escapeXml(std::string_view text);
// "#rrggbb" from components in 0..1 (clamped).
std::string rgb(double r, double g, double b);

class SvgWriter {
public:
  // The document's own title names what it shows; style is its CSS.
  SvgWriter(std::string_view title, std::string_view style);

  // An item: a group with a class naming its kind and a title that a
  // browser shows on hover. Every shape until endItem() belongs to it.
  void beginItem(std::string_view kind, std::string_view title);
  void endItem();
  // A plain group for shared attributes (e.g. a translation).
  void beginGroup(std::string_view attributes);
  void endGroup();

  // attributes: further attribute text, written as given (e.g.
  // class="axis" stroke="#ff0000").
  void line(P a, P b, std::string_view attributes);
  void polyline(const std::vector<P> &points, std::string_view attributes);
  void polygon(const std::vector<P> &points, std::string_view attributes);
  void circle(P centre, double radius, std::string_view attributes);
  void rect(P corner, double width, double height, std::string_view attributes);
  void text(P at, std::string_view text, std::string_view attributes);
  // An arrow in one colour from a to b with a head of that length at b,
  // filled or (hollow) open; shaft: further attributes of the shaft (e.g.
  // a dash pattern). Too short to hold a head, it is a shaft alone.
  void arrow(P a, P b, double head, std::string_view colour, std::string_view shaft = {}, bool hollow = false);

  // The whole document, of that size in pixels (known only once everything
  // is drawn); the writer is finished after it.
  std::string finish(double width, double height);

private:
  void points(const std::vector<P> &pts);
  std::string title_, style_;
  std::string out_;
  int depth_ = 0;
};

}  // namespace vesselhost

#endif  // VESSELHOST_SVG_H
