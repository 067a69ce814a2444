// Reading one colour book from the text of a palette file.
#include "hostsim/palette_file.h"

#include <unordered_map>
#include <utility>

#include "hostsim/internal.h"

namespace plsim {
namespace {

constexpr unsigned kChannelMax = 255;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring trimmed(const std::wstring& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

/// The file's name without its folder and extension.
std::wstring nameAfterFile(const std::wstring& fileName) {
    const std::size_t slash = fileName.find_last_of(L"/\\");
    std::wstring base = slash == std::wstring::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = base.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) base.erase(dot);
    return base;
}

/// What follows `key` at the start of `line`, trimmed; nothing when the line
/// does not start with it.
std::optional<std::wstring> headerValue(const std::wstring& line, std::wstring_view key) {
    if (line.compare(0, key.size(), key) != 0) return std::nullopt;
    return trimmed(line.substr(key.size()));
}

/// Reads decimal digits at `pos` into `digits`; false when there is none.
bool readDigits(const std::wstring& line, std::size_t& pos, std::wstring& digits) {
    const std::size_t start = pos;
    while (pos < line.size() && isDigit(line[pos])) ++pos;
    digits = line.substr(start, pos - start);
    return pos > start;
}

/// The value of decimal digits, or kChannelMax + 1 for any value above the
/// channel range, so that any count of digits is safe.
unsigned channelValue(const std::wstring& digits) {
    unsigned value = 0;
    for (wchar_t c : digits) {
        value = value * 10 + static_cast<unsigned>(c - L'0');
        if (value > kChannelMax) return kChannelMax + 1;
    }
    return value;
}

/// The first control character of `name` other than a tab (a blank in this format), as
/// "U+001B"; empty when there is none. No one could type such a name to choose it.
std::wstring controlCharacterIn(const std::wstring& name) {
    for (const wchar_t c : name) {
        if ((c < 0x20 && c != L'\t') || c == 0x7F) {
            static const wchar_t kHex[] = L"0123456789ABCDEF";
            return std::wstring(L"U+00") + kHex[(c >> 4) & 0xF] + kHex[c & 0xF];
        }
    }
    return {};
}

std::size_t skipBlanks(const std::wstring& line, std::size_t pos) {
    while (pos < line.size() && isBlank(line[pos])) ++pos;
    return pos;
}

class PaletteReader {
public:
    explicit PaletteReader(const std::wstring& fileName) : m_fileName(fileName) {}

    PaletteRead read(std::string_view text) {
        if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
        std::size_t lineNumber = 0;
        while (!text.empty() || lineNumber == 0) {
            const std::size_t end = text.find('\n');
            std::string_view bytes = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            if (!bytes.empty() && bytes.back() == '\r') bytes.remove_suffix(1);
            m_line = ++lineNumber;
            const std::string raw(bytes);
            const std::wstring line = detail::fromUtf8(raw);
            if (m_line == 1) {
                if (trimmed(line) != L"GIMP Palette") {
                    warn(L"the first line is not \"GIMP Palette\": this is no palette file; the file is skipped.");
                    return std::move(m_result);
                }
                continue;
            }
            if (detail::toUtf8(line) != raw) warn(L"bytes that are not UTF-8 are read as U+FFFD.");
            readLine(line);
        }
        m_result.book = PlColorBook(m_bookName.empty() ? nameAfterFile(m_fileName) : m_bookName, std::move(m_colors));
        return std::move(m_result);
    }

private:
    void warn(const std::wstring& what) {
        m_result.warnings.push_back(m_fileName + L", line " + std::to_wstring(m_line) + L": " + what);
    }

    void readLine(const std::wstring& line) {
        const std::wstring content = trimmed(line);
        if (content.empty() || content.front() == L'#') return;
        if (const auto name = headerValue(line, L"Name:")) {
            if (!m_bookName.empty()) warn(L"the book is named \"" + m_bookName + L"\" already; the line is ignored.");
            else if (name->empty()) warn(L"\"Name:\" gives no name; the line is ignored.");
            else if (const std::wstring c = controlCharacterIn(*name); !c.empty())
                warn(L"the book's name holds the control character " + c + L"; the line is ignored.");
            else m_bookName = *name;
            return;
        }
        if (const auto columns = headerValue(line, L"Columns:")) {
            bool digits = !columns->empty();
            for (wchar_t c : *columns) digits = digits && isDigit(c);
            if (!digits) warn(L"\"Columns:\" takes a whole number; the line is ignored.");
            return;
        }
        readColor(line);
    }

    void readColor(const std::wstring& line) {
        static const wchar_t* const kChannelNames[] = {L"red", L"green", L"blue"};
        std::wstring digits[3];
        unsigned channels[3] = {};
        std::size_t pos = skipBlanks(line, 0);
        for (int i = 0; i < 3; ++i) {
            if (i > 0) {
                const std::size_t after = skipBlanks(line, pos);
                if (after == pos) return notAColor();
                pos = after;
            }
            if (!readDigits(line, pos, digits[i])) return notAColor();
        }
        if (pos < line.size() && !isBlank(line[pos])) return notAColor();
        for (int i = 0; i < 3; ++i) {
            channels[i] = channelValue(digits[i]);
            if (channels[i] > kChannelMax) {
                return warn(L"the " + std::wstring(kChannelNames[i]) + L" value " + digits[i] +
                            L" is above 255; the line is skipped.");
            }
        }
        const std::wstring name = trimmed(line.substr(pos));
        if (name.empty()) return warn(L"the color has no name; the line is skipped.");
        if (const std::wstring c = controlCharacterIn(name); !c.empty())
            return warn(L"the color's name holds the control character " + c + L"; the line is skipped.");
        const auto [seen, added] = m_lineOfName.emplace(detail::toLower(name), m_line);
        if (!added) {
            return warn(L"the name \"" + name + L"\" is used on line " + std::to_wstring(seen->second) +
                        L" already; the line is skipped.");
        }
        m_colors.push_back({PlString(name), static_cast<std::uint8_t>(channels[0]),
                            static_cast<std::uint8_t>(channels[1]), static_cast<std::uint8_t>(channels[2])});
    }

    void notAColor() {
        warn(L"not a color: red, green and blue from 0 to 255 and a name were expected; the line is skipped.");
    }

    std::wstring m_fileName;
    std::size_t m_line = 0;
    std::wstring m_bookName;
    std::vector<PlColorBookColor> m_colors;
    std::unordered_map<std::wstring, std::size_t> m_lineOfName;
    PaletteRead m_result;
};

}  // namespace

PaletteRead readPalette(const std::wstring& fileName, std::string_view text) {
    return PaletteReader(fileName).read(text);
}

}  // namespace plsim
