// JSON written straight into text, compact, as a large document wants it: no tree of values
// to build, hold and take apart again.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plandor::gltf {

/// Appends JSON to a text: values, objects and arrays, with the commas between them. A
/// value inside an object follows its key(). Reals are written as jsonReal writes them (the
/// shortest digits that read back to the same double; not finite: null), strings as UTF-8
/// with quotes, backslashes and control characters escaped.
class JsonText {
public:
    JsonText& object();  ///< opens an object
    JsonText& array();   ///< opens an array
    JsonText& end();     ///< closes the innermost one
    JsonText& key(std::string_view name);

    JsonText& number(double value);
    JsonText& integer(std::uint64_t value);
    JsonText& boolean(bool value);
    JsonText& string(std::string_view utf8);
    JsonText& null();
    JsonText& numbers(const double* values, std::size_t count);  ///< an array of reals
    template <std::size_t N>
    JsonText& numbers(const std::array<double, N>& values) { return numbers(values.data(), N); }
    /// A value that is JSON already (an object or array another JsonText wrote).
    JsonText& raw(std::string_view json);

    const std::string& text() const { return m_text; }
    bool empty() const { return m_text.empty(); }

private:
    void beforeValue();
    void appendString(std::string_view utf8);
    std::string m_text;
    struct Open {
        char closer;     ///< '}' or ']'
        bool hasItems;
    };
    std::vector<Open> m_open;  ///< the objects and arrays not closed yet, innermost last
    bool m_afterKey = false;
};

}  // namespace plandor::gltf
