// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/chart_svg.h"

#include "display/chart_look.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <variant>

namespace cykl::layout {

namespace {

// SVG text in an attribute or an element: the five characters XML reserves escaped.
void Escaped(std::string &out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
}

// A coordinate to a hundredth of a pixel, without trailing zeros.
void Number(std::string &out, double value)
{
    const auto hundredths = static_cast<std::int64_t>(std::llround(value * 100));
    if (hundredths < 0)
        out += '-';
    const std::uint64_t magnitude
        = hundredths < 0 ? 0 - static_cast<std::uint64_t>(hundredths) : hundredths;
    std::array<char, 24> digits {};
    out.append(digits.data(),
               std::to_chars(digits.data(), digits.data() + digits.size(), magnitude / 100).ptr);
    const auto fraction = static_cast<int>(magnitude % 100);
    if (fraction != 0) {
        out += '.';
        out += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0)
            out += static_cast<char>('0' + fraction % 10);
    }
}

class Writer {
public:
    Writer(std::string &out, std::string_view clip) : out_(out), clip_(clip) { }

    void operator()(const Line &line) const
    {
        static constexpr std::array<std::string_view, 5> Classes { "grid", "tick", "axis", "zero",
                                                                   "zero-bar" };
        Open("line", Classes[static_cast<std::size_t>(line.Role)],
             line.Role == LineRole::ZeroBar ? line.Set : -1);
        Attribute("x1", line.From.X).Attribute("y1", line.From.Y);
        Attribute("x2", line.To.X).Attribute("y2", line.To.Y);
        if (line.Ends == Cap::Square)
            out_ += " stroke-linecap=\"square\"";
        out_ += "/>";
    }
    void operator()(const Text &text) const
    {
        const bool onBar = text.Role == TextRole::ValueOnBar;
        Open("text", onBar ? "value" : "label", onBar ? text.Set : -1);
        const bool end = text.Stand == Anchor::End;
        Attribute("x", end ? text.Area.Right - 1 : (text.Area.Left + text.Area.Right) / 2);
        Attribute("y", text.Baseline);
        out_ += end ? " text-anchor=\"end\">" : " text-anchor=\"middle\">";
        Escaped(out_, text.Content);
        out_ += "</text>";
    }
    void operator()(const Curve &curve) const
    {
        Open("polyline", "curve", curve.Set);
        out_ += " points=\"";
        for (const Point &point : curve.Points) {
            Number(out_, point.X);
            out_ += ',';
            Number(out_, point.Y);
            out_ += ' ';
        }
        out_.back() = '"';
        Attribute("stroke-width", look::CurveWidth);
        out_ += " fill=\"none\" stroke-linejoin=\"round\"";
        Clipped();
    }
    void operator()(const Bar &bar) const
    {
        Open("rect", "bar", bar.Set);
        Attribute("x", bar.Area.Left).Attribute("y", std::min(bar.Area.Top, bar.Area.Bottom));
        Attribute("width", bar.Area.Right - bar.Area.Left);
        Attribute("height", std::abs(bar.Area.Bottom - bar.Area.Top));
        out_ += "/>";
    }
    void operator()(const Mark &mark) const
    {
        Open("circle", "mark", mark.Set);
        Attribute("cx", mark.Centre.X).Attribute("cy", mark.Centre.Y);
        Attribute("r", mark.Radius);
        Clipped();
    }

    void ClipPath(const Box &area) const
    {
        out_ += "<clipPath id=\"";
        out_ += clip_;
        out_ += "\"><rect";
        Attribute("x", area.Left).Attribute("y", area.Top);
        Attribute("width", area.Right - area.Left).Attribute("height", area.Bottom - area.Top);
        out_ += "/></clipPath>";
    }

private:
    // The start of an element with its class, and the set's class where set is one.
    void Open(std::string_view name, std::string_view kind, int set) const
    {
        out_ += '<';
        out_ += name;
        out_ += " class=\"";
        out_ += kind;
        if (set >= 0)
            out_ += " set" + std::to_string(set + 1);
        out_ += '"';
    }
    const Writer &Attribute(std::string_view name, double value) const
    {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
        Number(out_, value);
        out_ += '"';
        return *this;
    }
    void Clipped() const
    {
        out_ += " clip-path=\"url(#";
        out_ += clip_;
        out_ += ")\"/>";
    }

    std::string &out_;
    std::string_view clip_;
};

} // namespace

std::string SvgElements(const Chart &chart, const SvgOptions &options)
{
    const std::string clip = std::string(options.Id) + "-clip";
    std::string out;
    const Writer writer(out, clip);
    writer.ClipPath(chart.Clip);
    out += "<g";
    if (!options.Class.empty()) {
        out += " class=\"";
        Escaped(out, options.Class);
        out += '"';
    }
    out += " font-size=\"";
    Number(out, options.FontPixels);
    out += "\" stroke-width=\"1\">";
    for (const Element &element : chart.Elements) {
        if (!options.CurvesOnly || std::holds_alternative<Curve>(element)
            || std::holds_alternative<Mark>(element))
            std::visit(writer, element);
    }
    out += "</g>";
    return out;
}

} // namespace cykl::layout
