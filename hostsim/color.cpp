// PlCmColor: entity colours by red/green/blue, by index, or named from a colour book.
//
// An index colour keeps the red, green and blue it had before: only a colour
// given by red, green and blue answers them meaningfully. A book colour is a
// red/green/blue colour that also carries its book's and its own name.
#include "host/plcmcolor.h"

#include <string>

namespace {

constexpr std::uint16_t kFirstIndex = 1;
constexpr std::uint16_t kLastIndex = 255;

/// The names the host shows for the first seven index colours.
const wchar_t* const kIndexNames[] = {L"red", L"yellow", L"green", L"cyan", L"blue", L"magenta", L"white"};
constexpr std::uint16_t kNamedIndexes = sizeof kIndexNames / sizeof kIndexNames[0];

bool isEmpty(const wchar_t* text) { return !text || !*text; }

}  // namespace

PlCmColor::PlCmColor() : m_method(kByColor), m_red(255), m_green(255), m_blue(255), m_index(7) {}

PlCmColor::ColorMethod PlCmColor::colorMethod() const { return m_method; }
bool PlCmColor::isByColor() const { return m_method == kByColor; }
bool PlCmColor::isByACI() const { return m_method == kByACI; }
bool PlCmColor::hasColorBook() const { return m_method == kByColor && !m_colorName.isEmpty(); }

void PlCmColor::setRGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    m_method = kByColor;
    m_red = red;
    m_green = green;
    m_blue = blue;
    // Another colour is no longer the book's colour.
    m_colorName.setEmpty();
    m_bookName.setEmpty();
}

std::uint8_t PlCmColor::red() const { return m_red; }
std::uint8_t PlCmColor::green() const { return m_green; }
std::uint8_t PlCmColor::blue() const { return m_blue; }

Plad::ErrorStatus PlCmColor::setColorIndex(std::uint16_t index) {
    if (index < kFirstIndex || index > kLastIndex) return Plad::eInvalidInput;
    m_method = kByACI;
    m_index = index;
    m_colorName.setEmpty();
    m_bookName.setEmpty();
    return Plad::eOk;
}

std::uint16_t PlCmColor::colorIndex() const { return m_index; }

Plad::ErrorStatus PlCmColor::setNames(const wchar_t* colorName, const wchar_t* bookName) {
    if (isEmpty(colorName) && isEmpty(bookName)) {  // no longer a book colour
        m_colorName.setEmpty();
        m_bookName.setEmpty();
        return Plad::eOk;
    }
    // Only a red/green/blue colour can be a book's colour, and it needs both names.
    if (m_method != kByColor || isEmpty(colorName) || isEmpty(bookName)) return Plad::eInvalidInput;
    m_colorName = colorName;
    m_bookName = bookName;
    return Plad::eOk;
}

const wchar_t* PlCmColor::colorName() const { return m_colorName.kwszPtr(); }
const wchar_t* PlCmColor::bookName() const { return m_bookName.kwszPtr(); }

PlString PlCmColor::getDescription() const {
    switch (m_method) {
        case kByColor:
            if (hasColorBook()) return m_bookName + L": " + m_colorName;
            return std::to_wstring(m_red) + L"," + std::to_wstring(m_green) + L"," + std::to_wstring(m_blue);
        case kByACI:
            if (m_index >= kFirstIndex && m_index <= kNamedIndexes) return PlString(kIndexNames[m_index - 1]);
            return L"Index " + std::to_wstring(m_index);
        case kNone:
            return PlString(L"none");
    }
    return PlString();
}

bool PlCmColor::operator==(const PlCmColor& other) const {
    if (m_method != other.m_method) return false;
    switch (m_method) {
        case kByColor:
            return m_red == other.m_red && m_green == other.m_green && m_blue == other.m_blue &&
                   m_colorName == other.m_colorName && m_bookName == other.m_bookName;
        case kByACI:
            return m_index == other.m_index;
        case kNone:
            return true;
    }
    return false;
}
