// PlCmColor: an entity colour given by index, by red/green/blue, or from a colour book.
#pragma once

#include <cstdint>

#include "host/plexport.h"
#include "host/plstatus.h"
#include "host/plstring.h"

class PLHOST_API PlCmColor {
public:
    enum ColorMethod : int { kByColor = 0xC2, kByACI = 0xC3, kNone = 0xC8 };

    /// A new colour is white given by red, green and blue.
    PlCmColor();

    ColorMethod colorMethod() const;
    bool isByColor() const;
    bool isByACI() const;
    /// True when the colour carries a colour-book colour name.
    bool hasColorBook() const;

    void setRGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    std::uint8_t red() const;
    std::uint8_t green() const;
    std::uint8_t blue() const;

    /// Index colour 1 to 255; 3 for any other index, and the colour is kept.
    Plad::ErrorStatus setColorIndex(std::uint16_t index);
    std::uint16_t colorIndex() const;

    /// Names the colour as colour `colorName` of book `bookName`, keeping its RGB.
    Plad::ErrorStatus setNames(const wchar_t* colorName, const wchar_t* bookName);
    const wchar_t* colorName() const;
    const wchar_t* bookName() const;

    /// How the host shows the colour to a person:
    ///  - by red, green and blue: the three values, "255,128,0";
    ///  - from a colour book: book and colour name, "CSS Named Colors: tomato";
    ///  - by index: the name of index 1 to 7 ("red", "yellow", "green", "cyan",
    ///    "blue", "magenta", "white"), else "Index 12";
    ///  - no colour: "none".
    PlString getDescription() const;

    bool operator==(const PlCmColor& other) const;

private:
    ColorMethod m_method;
    std::uint8_t m_red, m_green, m_blue;
    std::uint16_t m_index;
    PlString m_colorName;
    PlString m_bookName;
};
