#include "Svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Text.h"

namespace vesselhost {

std::string px(double v) {
  if (!std::isfinite(v)) v = 0;
  v = std::clamp(v, -1e9, 1e9);  // far off any page, and short to write
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  if (std::string_view(buf) == "-0.00") return "0.00";
  return buf;
}

std::string value(double v) {
  if (!std::isfinite(v)) return std::isnan(v) ? "nan" : v > 0 ? "inf" : "-inf";
  if (v == 0) return "0";  // also -0
  char buf[64];
  std::snprintf(buf, sizeof buf, std::fabs(v) < 1e6 ? "%.6g" : "%.4e", v);
  return buf;
}

std::string triple(double x, double y, double z) { return "(" + value(x) + ", " + value(y) + ", " + value(z) + ")"; }

std::string escapeXml(std::string_view text) {
  const std::string utf8 = toUtf8(text);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    // U+FFFE and U+FFFF are valid UTF-8 but no XML character.
    if (c == '\xEF' && i + 2 < utf8.size() && utf8[i + 1] == '\xBF' && (utf8[i + 2] == '\xBE' || utf8[i + 2] == '\xBF')) {
      out += '?';
      i += 2;
      continue;
    }
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        // XML allows no control characters but tab and line ends; a line
        // end inside an attribute would be folded into a blank anyway.
        out += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
    }
  }
  return out;
}

std::string rgb(double r, double g, double b) {
  auto byte = [](double v) {
    if (!std::isfinite(v)) v = 0;
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
  };
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", byte(r), byte(g), byte(b));
  return buf;
}

SvgWriter::SvgWriter(std::string_view title, std::string_view style) : title_(title), style_(style) {}

void SvgWriter::beginItem(std::string_view kind, std::string_view title) {
  out_ += "<g class=\"" + escapeXml(kind) + "\"><title>" + escapeXml(title) + "</title>\n";
  ++depth_;
}

void SvgWriter::endItem() { endGroup(); }

void SvgWriter::beginGroup(std::string_view attributes) {
  out_ += "<g";
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += ">\n";
  ++depth_;
}

void SvgWriter::endGroup() {
  if (depth_ == 0) return;
  --depth_;
  out_ += "</g>\n";
}

void SvgWriter::line(P a, P b, std::string_view attributes) {
  out_ += "<line x1=\"" + px(a.x) + "\" y1=\"" + px(a.y) + "\" x2=\"" + px(b.x) + "\" y2=\"" + px(b.y) + "\"";
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += "/>\n";
}

void SvgWriter::points(const std::vector<P> &pts) {
  out_ += " points=\"";
  for (std::size_t i = 0; i < pts.size(); ++i) {
    if (i) out_ += ' ';
    out_ += px(pts[i].x);
    out_ += ',';
    out_ += px(pts[i].y);
  }
  out_ += '"';
}

void SvgWriter::polyline(const std::vector<P> &pts, std::string_view attributes) {
  out_ += "<polyline";
  points(pts);
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += "/>\n";
}

void SvgWriter::polygon(const std::vector<P> &pts, std::string_view attributes) {
  out_ += "<polygon";
  points(pts);
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += "/>\n";
}

void SvgWriter::circle(P c, double r, std::string_view attributes) {
  out_ += "<circle cx=\"" + px(c.x) + "\" cy=\"" + px(c.y) + "\" r=\"" + px(r) + "\"";
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += "/>\n";
}

void SvgWriter::rect(P corner, double width, double height, std::string_view attributes) {
  out_ += "<rect x=\"" + px(corner.x) + "\" y=\"" + px(corner.y) + "\" width=\"" + px(width) + "\" height=\"" +
          px(height) + "\"";
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += "/>\n";
}

void SvgWriter::text(P at, std::string_view text, std::string_view attributes) {
  out_ += "<text x=\"" + px(at.x) + "\" y=\"" + px(at.y) + "\"";
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += ">" + escapeXml(text) + "</text>\n";
}

void SvgWriter::arrow(P a, P b, double head, std::string_view colour, std::string_view shaft, bool hollow) {
  const P d = b - a;
  const double len = std::hypot(d.x, d.y);
  const std::string stroke = "stroke=\"" + std::string(colour) + "\"";
  if (len < head * 1.2) {
    line(a, b, stroke + (shaft.empty() ? "" : " " + std::string(shaft)));
    return;
  }
  const P u = d * (1.0 / len);
  const P n{-u.y, u.x};
  const P base = b - u * head;
  line(a, hollow ? base : b - u * (head * 0.5), stroke + (shaft.empty() ? "" : " " + std::string(shaft)));
  const std::string fill =
      hollow ? "fill=\"#ffffff\" " + stroke : "fill=\"" + std::string(colour) + "\" stroke=\"none\"";
  polygon({b, base + n * (head * 0.45), base - n * (head * 0.45)}, fill);
}

std::string SvgWriter::finish(double width, double height) {
  while (depth_ > 0) endGroup();
  std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + px(width) + "\" height=\"" + px(height) +
         "\" viewBox=\"0 0 " + px(width) + " " + px(height) + "\">\n";
  doc += "<title>" + escapeXml(title_) + "</title>\n";
  // The style sheet is ours: no markup in it needs escaping.
  doc += "<style>\n" + style_ + "</style>\n";
  doc += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  doc += out_;
  doc += "</svg>\n";
  out_.clear();
  return doc;
}

}  // namespace vesselhost
