// Writing JSON as it is made, laid out as the JSON library lays it out: two blanks a level,
// every member and item on a line of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/json_numbers.h"  // jsonReal
#include "host/plge.h"

namespace plandor {

/// Appends one JSON value to a text. Objects and arrays are opened and closed in pairs; in
/// an object each value follows its key. Texts are UTF-8, written with the library's escapes
/// (quote, backslash and the control characters); reals as jsonReal writes them.
class JsonWriter {
public:
    /// Takes the text written so far, which the writer then forgets.
    using Sink = std::function<void(std::string_view)>;

    explicit JsonWriter(std::string& out) : m_out(out) {}
    /// Hands what is written to `sink` in parts of about `part` bytes, so that a large text need
    /// not be held whole; `finish` hands over the rest.
    JsonWriter(std::string& out, Sink sink, std::size_t part) : m_out(out), m_sink(std::move(sink)), m_part(part) {}
    void finish();

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    /// The key of the next member of the object open now.
    void key(std::string_view name);

    void text(std::string_view utf8);
    void text(std::wstring_view wide);
    void integer(long long value);
    void real(double value);
    void boolean(bool value);
    void null();
    /// A point or a vector: an array of its three coordinates.
    void triple(double x, double y, double z);
    void point(const PlGePoint3d& p) { triple(p.x, p.y, p.z); }
    void vector(const PlGeVector3d& v) { triple(v.x, v.y, v.z); }

    /// A member: key and value.
    template <class T>
    void member(std::string_view name, const T& value) {
        key(name);
        write(value);
    }
    /// Members, keys and values in turn: members("type", 1, "useLimits", true).
    template <class T, class... Rest>
    void members(std::string_view name, const T& value, const Rest&... rest) {
        member(name, value);
        if constexpr (sizeof...(rest) > 0) members(rest...);
    }
    /// A member whose value is an object of those members.
    template <class... KeysAndValues>
    void object(std::string_view name, const KeysAndValues&... keysAndValues) {
        key(name);
        beginObject();
        members(keysAndValues...);
        endObject();
    }

private:
    void write(std::string_view value) { text(value); }
    void write(const char* value) { text(std::string_view(value)); }
    void write(const std::wstring& value) { text(std::wstring_view(value)); }
    void write(bool value) { boolean(value); }
    void write(int value) { integer(value); }
    void write(unsigned value) { integer(value); }
    void write(long value) { integer(value); }
    void write(long long value) { integer(value); }
    void write(double value) { real(value); }
    void write(const PlGePoint3d& value) { point(value); }
    void write(const PlGeVector3d& value) { vector(value); }

    /// Puts what goes before a value: nothing after a key, a line break and the indent in an array.
    void startValue();
    /// `utf8` in quotes, escaped.
    void quoted(std::string_view utf8);
    void open(char bracket);
    void close(char bracket);
    void newLine(std::size_t depth);

    std::string& m_out;
    Sink m_sink;
    std::size_t m_part = 0;
    std::vector<bool> m_empty;  ///< for each object or array open, whether it has nothing yet
    bool m_afterKey = false;
};

}  // namespace plandor
