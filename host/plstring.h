// PlString: the host's wide-character text value.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

#include "host/plexport.h"

class PlRxResourceInstance;

/// A wide text owned by value. wchar_t is 16 bits on Windows and 32 on Linux;
/// nothing here depends on its size.
class PlString {
public:
    PlString() = default;
    PlString(const wchar_t* text) : m_text(text ? text : L"") {}  // NOLINT: implicit by design
    PlString(std::wstring text) : m_text(std::move(text)) {}       // NOLINT
    PlString(const wchar_t* text, std::size_t count) : m_text(text, count) {}

    const wchar_t* kwszPtr() const { return m_text.c_str(); }
    operator const wchar_t*() const { return m_text.c_str(); }  // NOLINT
    const std::wstring& str() const { return m_text; }
    bool isEmpty() const { return m_text.empty(); }
    std::size_t length() const { return m_text.size(); }
    void setEmpty() { m_text.clear(); }

    PlString& operator+=(const PlString& other) { m_text += other.m_text; return *this; }
    PlString& operator+=(const wchar_t* other) { if (other) m_text += other; return *this; }
    friend PlString operator+(PlString a, const PlString& b) { a += b; return a; }
    friend PlString operator+(PlString a, const wchar_t* b) { a += b; return a; }
    friend bool operator==(const PlString& a, const PlString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const PlString& a, const wchar_t* b) { return a.m_text == (b ? b : L""); }

    /// Replaces the text with `format` filled from the arguments. The host's
    /// formats: %s and %ls take a wide text (null prints "(null)"), %d/%i an
    /// int, %u an unsigned, %ld/%lu long, %lld 64-bit, %f/%g/%e/%.Nf a double,
    /// %c a wide character, %% a percent sign. Widths and precisions work as
    /// in C. Returns *this.
    PLHOST_API PlString& format(const wchar_t* format, ...);
    PLHOST_API PlString& formatV(const wchar_t* format, std::va_list args);

    /// Replaces the text with string `id` of a resource module. False (and an
    /// empty text) when the module holds no such string.
    PLHOST_API bool loadString(const PlRxResourceInstance& module, unsigned id);
    /// The same, from the current resource source (see plres.h).
    PLHOST_API bool loadString(unsigned id);

private:
    std::wstring m_text;
};
