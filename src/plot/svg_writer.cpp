#include "plot/svg_writer.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "model/number_format.h"

namespace vx {

namespace {

// Size of the placeholder for the start picture.
constexpr int kPictureWidth = 360;
constexpr int kPictureHeight = 180;

std::string Colour(PlotColor c) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string s = "#";
    for (uint8_t v : {c.red, c.green, c.blue}) {
        s += kHex[v >> 4];
        s += kHex[v & 15];
    }
    return s;
}

std::string Escape(const std::string& text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                s += "&amp;";
                break;
            case '<':
                s += "&lt;";
                break;
            case '>':
                s += "&gt;";
                break;
            case '"':
                s += "&quot;";
                break;
            default:
                s += c;
        }
    }
    return s;
}

double Tenth(double v) {
    return std::round(v * 10.0) / 10.0;
}

std::string Num(double v) {
    return FormatG(v, 10);
}
std::string Num(int v) {
    return FormatInt(v);
}

class SvgBuilder {
  public:
    SvgBuilder(const PlotRect& page, const SvgOptions& options) : page_(page), options_(options) {}

    void operator()(const PlotFill& fill) {
        out_ += "<rect x=\"" + Num(fill.rect.left) + "\" y=\"" + Num(fill.rect.top) +
                "\" width=\"" + Num(fill.rect.Width()) + "\" height=\"" + Num(fill.rect.Height()) +
                "\" fill=\"" + Colour(fill.color) + "\"/>\n";
    }

    void operator()(const PlotPolyline& line) {
        if (line.points.size() < 2) {
            return;
        }
        // A one-unit device line covers the pixel right of and below its coordinate.
        const double shift = line.pen.width % 2 == 1 ? 0.5 : 0.0;
        std::string points;
        for (const PlotPoint& p : line.points) {
            if (!points.empty()) {
                points += ' ';
            }
            points += Num(p.x + shift) + "," + Num(p.y + shift);
        }
        Polyline(points, line.pen);
    }

    void operator()(const PlotCurve& curve) {
        if (curve.points.size() >= 2) {
            Polyline(Points(curve.points), curve.pen);
        }
    }

    void operator()(const PlotPolygon& polygon) {
        if (polygon.points.size() < 3) {
            return;
        }
        out_ += "<polygon points=\"" + Points(polygon.points) + "\" fill=\"" +
                Colour(polygon.color) + "\" stroke=\"none\"/>\n";
    }

    void operator()(const PlotText& text) {
        const char* anchor = text.halign == HAlign::LEFT    ? "start"
                             : text.halign == HAlign::RIGHT ? "end"
                                                            : "middle";
        // The baseline is shifted by dy rather than dominant-baseline, which librsvg ignores.
        const char* shift = text.valign == VAlign::TOP ? "0.9em" : "0.35em";
        out_ += "<text x=\"" + Num(text.anchor.x) + "\" y=\"" + Num(text.anchor.y) +
                "\" text-anchor=\"" + anchor + "\" dy=\"" + shift + "\" fill=\"" +
                Colour(text.color) + "\">" + Escape(text.text) + "</text>\n";
    }

    void operator()(const PlotStartPicture& picture) {
        const PlotRect& r = picture.page;
        const int x = r.left + std::max(0, (r.Width() - kPictureWidth) / 2);
        const int y = r.top + std::max(0, (r.Height() - kPictureHeight) / 2);
        out_ += "<g transform=\"translate(" + Num(x) + "," + Num(y) + ")\">\n";
        out_ += "<rect x=\"0.5\" y=\"0.5\" width=\"" + Num(kPictureWidth - 1) + "\" height=\"" +
                Num(kPictureHeight - 1) + "\" fill=\"#f2f5fa\" stroke=\"#8796b0\"/>\n";
        out_ +=
            "<path d=\"M30,60 L170,60 C220,60 240,70 260,110 L300,150\" fill=\"none\" "
            "stroke=\"#0000ff\" stroke-width=\"3\"/>\n";
        out_ += "<text x=\"30\" y=\"40\" font-size=\"" + Num(2.0 * options_.fontSize) +
                "\" fill=\"#203050\">Veltranix</text>\n";
        out_ += "</g>\n";
    }

    std::string Finish() {
        const std::string w = Num(page_.Width());
        const std::string h = Num(page_.Height());
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
               w + "\" height=\"" + h + "\" viewBox=\"" + Num(page_.left) + " " + Num(page_.top) +
               " " + w + " " + h + "\" font-family=\"sans-serif\" font-size=\"" +
               Num(options_.fontSize) + "\">\n" + out_ + "</svg>\n";
    }

  private:
    // Curves keep a tenth of a unit: finer steps do not show, and the file stays small.
    static std::string Points(const std::vector<PlotPointF>& points) {
        std::string text;
        for (const PlotPointF& p : points) {
            if (!text.empty()) {
                text += ' ';
            }
            text += Num(Tenth(p.x)) + "," + Num(Tenth(p.y));
        }
        return text;
    }

    void Polyline(const std::string& points, const PlotPen& pen) {
        out_ += "<polyline points=\"" + points + "\" fill=\"none\" stroke=\"" + Colour(pen.color) +
                "\" stroke-width=\"" + Num(pen.width) + "\"";
        if (pen.style == PenStyle::DASHED) {
            out_ += " stroke-dasharray=\"8,4\"";
        }
        out_ += "/>\n";
    }

    PlotRect page_;
    SvgOptions options_;
    std::string out_;
};

}  // namespace

std::string WriteSvg(const std::vector<PlotPrimitive>& primitives, const PlotRect& page,
                     const SvgOptions& options) {
    SvgBuilder builder(page, options);
    for (const PlotPrimitive& p : primitives) {
        std::visit(builder, p);
    }
    return builder.Finish();
}

}  // namespace vx
