// Writing SVG: elements, attributes, numbers and text as well-formed XML, the same bytes for
// the same picture.
#pragma once

#include <string>
#include <string_view>

namespace plandor {

struct Point2;

/// Appends `value` rounded to two decimals without trailing zeros ("12.5", "-3", "0"),
/// locale-free; a value that is not finite is written as 0, so the document stays valid.
void appendSvgNumber(std::string& out, double value);

/// A colour as SVG writes it: "#rrggbb", each channel 0 to 255.
std::string hexColor(int red, int green, int blue);

/// `value` with as many decimals as a grid `step` needs (at most 12): "2500", "0.25"; a value
/// that rounds to zero is "0"; one of more than 15 whole digits, or on a step below a
/// billionth, with an exponent and the digits its step needs.
std::wstring gridNumber(double value, double step);

/// Appends `text` as UTF-8 XML text, fit for character data and for attribute values in
/// double quotes: & < > " ' escaped, and characters XML cannot hold (control characters
/// other than tab and line ends, lone surrogates, U+FFFE, U+FFFF) as U+FFFD.
void appendXmlText(std::string& out, std::wstring_view text);

/// An SVG document, written element by element into one string.
class SvgWriter {
public:
    /// Starts an element: "<name".
    SvgWriter& begin(std::string_view name);
    SvgWriter& attribute(std::string_view name, double value);
    /// `value` is written as it stands: it must be XML-safe ASCII (a class, a colour).
    SvgWriter& attribute(std::string_view name, std::string_view value);
    SvgWriter& attribute(std::string_view name, const char* value) { return attribute(name, std::string_view(value)); }
    /// Ends a start tag whose element has content: ">".
    SvgWriter& open();
    /// Ends an element without content: "/>" and a line end.
    void close();
    /// Character data of the element just opened.
    SvgWriter& text(std::wstring_view text);
    /// An end tag and a line end.
    void end(std::string_view name);
    /// An element with nothing but text: <name attributes...>text</name>, from begin() on.
    void textElement(std::string_view name, std::wstring_view text);

    std::string& buffer() { return m_out; }

private:
    /// ` name="`
    void startAttribute(std::string_view name);

    std::string m_out;
};

/// The data of a path: moves, lines, elliptical arcs, closing.
class PathData {
public:
    PathData& moveTo(Point2 p);
    PathData& lineTo(Point2 p);
    PathData& arcTo(double radiusX, double radiusY, double rotationDeg, bool largeArc, bool sweep, Point2 p);
    PathData& close();
    const std::string& text() const { return m_text; }
    bool empty() const { return m_text.empty(); }
    void clear() { m_text.clear(); }

private:
    /// Enough for the symbols and most cones, so that a path grows at most once.
    static constexpr std::size_t kPathReserve = 96;
    void point(Point2 p);
    /// `prefix` (" L ") and the point.
    void command(std::string_view prefix, Point2 p);
    std::string m_text;
};

}  // namespace plandor
