// Reading JSON a value at a time, as the reader of a file expects it, knowing at each step the
// JSON pointer of the value at hand and, on a fault, where in the text it lies.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plandor {

/// Why a text could not be read as expected: the JSON pointer of the value at fault
/// ("/lights/3/hotspotDeg", "" for the whole text), what is wrong, and for a text that is no
/// JSON (or no UTF-8) the line and column (in characters, from 1) where it breaks; 0 otherwise.
struct JsonFault {
    std::string pointer;
    std::wstring reason;
    std::size_t line = 0;
    std::size_t column = 0;
};

/// Walks one JSON text. Each value is read by its type, or skipped; a member's value is read
/// after nextMember gave its key, an item's after nextItem. The first fault is kept and every
/// later call answers false (or does nothing), so a reader can read on and look once at the end.
/// Texts are UTF-8; a text that is not, or a string holding an unpaired surrogate, is a fault.
class JsonReader {
public:
    enum class Type { Null, Boolean, Number, String, Array, Object };

    explicit JsonReader(std::string_view text);

    bool failed() const { return m_failed; }
    const JsonFault& fault() const { return m_fault; }

    /// The type of the value at hand; a syntax fault (and Null) when there is none.
    Type peek();
    /// "a string", "an object", ...: the type in a message.
    static const wchar_t* typeName(Type type);

    /// Steps into the object at hand; false (a fault) when it is none.
    bool beginObject();
    /// The key of the next member of the object stepped into (good until the next call); false
    /// at its end (stepping out).
    bool nextMember(std::string_view& key);
    /// Steps into the array at hand; false (a fault) when it is none.
    bool beginArray();
    /// True when the array stepped into has another item, now at hand; false at its end.
    bool nextItem();
    /// The index of the item at hand in the innermost array.
    std::size_t itemIndex() const;

    /// The value at hand as that type: false, with a fault saying what it is instead, when it
    /// is not. A number too large for a double is a fault; `whole` tells whether it was written
    /// without a fraction or an exponent.
    bool readString(std::string& value);
    bool readNumber(double& value, bool* whole = nullptr);
    bool readBoolean(bool& value);
    /// True, and the null passed, when the value at hand is null; false, and nothing passed, otherwise.
    bool takeNull();
    /// Passes over the value at hand, whatever it holds.
    void skip();

    /// How much of the text is left to read, in bytes.
    std::size_t remaining() const { return m_text.size() - m_pos; }

    /// Ends the reading: only blanks may follow the value read.
    void finish();

    /// Records a fault of the value at hand: after a member's key, of that member; after an
    /// object or array ended, of that object or array.
    void fail(const std::wstring& reason);
    /// Records a fault of the value at `pointer`.
    void failAt(std::string pointer, const std::wstring& reason) { failWith(std::move(pointer), reason); }

    /// The JSON pointer of the value at hand.
    std::string pointer() const;

private:
    struct Level {
        bool object;
        bool first = true;
        std::size_t index = 0;  ///< an array's item at hand
        std::string key;        ///< an object's member at hand
    };

    bool begin(bool object);
    void skipBlanks();
    bool syntax(const std::wstring& reason);
    bool expect(char c, const wchar_t* what);
    bool lexString(std::string& out);
    bool lexNumber(double& value, bool& whole);
    bool lexWord(std::string_view word);
    void failWith(std::string pointer, const std::wstring& reason);
    void wrongType(const wchar_t* expected);

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::vector<Level> m_levels;
    bool m_failed = false;
    JsonFault m_fault;
};

/// `token` escaped as a JSON pointer token ("a/b" as "a~1b").
std::string pointerToken(std::string_view token);

}  // namespace plandor
