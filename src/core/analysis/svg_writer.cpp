#include "analysis/svg_writer.h"

#include "analysis/plot_data.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

// Length of the UTF-8 sequence starting at text[i], or 0 when the bytes
// there are not a valid one.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    return length;
}

std::string XmlText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        const char c = text[i];
        if (length == 0) {
            out += '?';
            ++i;
            continue;
        }
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else if (length == 1 && static_cast<unsigned char>(c) < 0x20)
            out += ' ';  // no control characters in XML
        else
            out.append(text, i, length);
        i += length;
    }
    return out;
}

std::string Colour(const PlotColour& colour) {
    return Format("#%02x%02x%02x", colour.red, colour.green, colour.blue);
}

std::string Stroke(const PlotPen& pen) {
    std::string text = Format(" stroke=\"%s\" stroke-width=\"%d\"", Colour(pen.colour), pen.width);
    if (pen.dotted) text += " stroke-dasharray=\"1 2\"";
    return text;
}

std::string LineElement(const PlotLine& line) {
    return Format("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\"%s/>\n", line.from.x, line.from.y, line.to.x, line.to.y,
                  Stroke(line.pen));
}

std::string PolylineElement(const PlotPolyline& polyline) {
    std::string points;
    for (const PlotPoint& p : polyline.points) {
        if (!points.empty()) points += ' ';
        points += Format("%d,%d", p.x, p.y);
    }
    return Format("<polyline points=\"%s\"%s/>\n", points, Stroke(polyline.pen));
}

// Font sizes are tenths of a point; the text hangs from its top-left corner.
std::string TextElement(const PlotText& text) {
    return Format("<text x=\"%d\" y=\"%d\" font-size=\"%gpt\" fill=\"%s\" dominant-baseline=\"hanging\">%s</text>\n",
                  text.topLeft.x, text.topLeft.y, text.fontSize / 10.0, Colour(text.colour), XmlText(text.text));
}

}  // namespace

std::string PlotSvgText(const PlotPicture& picture) {
    const int width = picture.right - picture.left;
    const int height = picture.bottom - picture.top;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += Format("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"%d %d %d %d\">\n",
                  width, height, picture.left, picture.top, width, height);
    svg += Format("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"#ffffff\"/>\n", picture.left, picture.top,
                  width, height);
    svg += "<g fill=\"none\" stroke-linecap=\"square\" stroke-linejoin=\"round\">\n";
    for (const PlotLine& line : picture.lines) svg += LineElement(line);
    for (const PlotPolyline& curve : picture.curves) svg += PolylineElement(curve);
    svg += "</g>\n<g font-family=\"Arial, Helvetica, sans-serif\">\n";
    for (const PlotText& text : picture.texts) svg += TextElement(text);
    svg += "</g>\n</svg>\n";
    return svg;
}

bool WritePlotSvg(const CPlotData& plot, const std::string& path, int width, int height, std::string& error) {
    if (width <= 0 || height <= 0) {
        error = Format("A picture of %d x %d pixels cannot be drawn.", width, height);
        return false;
    }
    CPlotData copy = plot;  // the automatic limits are found on the copy
    const PlotPicture picture = LayOutPlot(copy, PlotRect{0, 0, width, height});
    if (!WriteFileAtomically(path, PlotSvgText(picture))) {
        error = Format("Unable to save file '%s'.", path);
        return false;
    }
    return true;
}

}  // namespace elix
