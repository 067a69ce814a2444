// Reading one colour book from the text of a palette file.
#include "hostsim/palette_file.h"

#include <algorithm>
#include <unordered_set>
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

/// True when `name` holds a control character other than a tab (a blank in this format):
/// no one could type such a name to choose it.
bool hasControlCharacter(const std::wstring& name) {
    return std::any_of(name.begin(), name.end(), [](wchar_t c) { return (c < 0x20 && c != L'\t') || c == 0x7F; });
}

/// The warning of a file: for each kind of issue how many lines, the first, and what was done.
std::wstring summary(const std::wstring& fileName, const std::vector<PaletteIssue>& issues) {
    using Kind = PaletteIssue::Kind;
    std::wstring text = fileName + L": ";
    for (std::size_t i = 0; i < issues.size(); ++i) {
        const PaletteIssue& issue = issues[i];
        const bool one = issue.count == 1;
        const auto many = [one](const wchar_t* single, const wchar_t* plural) { return one ? single : plural; };
        const wchar_t* what = L"";
        const wchar_t* done = L"skipped";
        switch (issue.kind) {
            case Kind::NotAPalette:
                text += L"line 1 is not \"GIMP Palette\": the file is no palette and is skipped.";
                return text;
            case Kind::NotUtf8:
                what = many(L"line with bytes that are not UTF-8", L"lines with bytes that are not UTF-8");
                done = L"read as U+FFFD";
                break;
            case Kind::NotAColor:
                what = many(L"line that is no color (red, green and blue from 0 to 255, then a name)",
                            L"lines that are no color (red, green and blue from 0 to 255, then a name)");
                break;
            case Kind::AboveRange: what = many(L"color with a value above 255", L"colors with a value above 255"); break;
            case Kind::NameTaken: what = many(L"color whose name the book has already", L"colors whose names the book has already");
                break;
            case Kind::ControlCharacter:
                what = many(L"color name with a control character", L"color names with a control character");
                break;
            case Kind::BookNameIgnored:
                what = many(L"\"Name:\" line that is empty, a second one or with a control character",
                            L"\"Name:\" lines that are empty, a second one or with a control character");
                done = L"ignored";
                break;
            case Kind::ColumnsIgnored:
                what = many(L"\"Columns:\" line without a whole number", L"\"Columns:\" lines without a whole number");
                done = L"ignored";
                break;
        }
        text += (i > 0 ? L"; " : L"") + std::to_wstring(issue.count) + L" " + what + (one ? L", on line " : L", the first on line ") +
                std::to_wstring(issue.firstLine) + L", " + done;
    }
    return text + L".";
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
                    note(Kind::NotAPalette);
                    return finished();
                }
                continue;
            }
            if (detail::toUtf8(line) != raw) note(Kind::NotUtf8);
            readLine(line);
        }
        m_result.book = PlColorBook(m_bookName.empty() ? nameAfterFile(m_fileName) : m_bookName, std::move(m_colors));
        return finished();
    }

private:
    using Kind = PaletteIssue::Kind;

    /// Counts the line as one of `kind`.
    void note(Kind kind) {
        auto& issues = m_result.issues;
        auto issue = std::find_if(issues.begin(), issues.end(), [kind](const PaletteIssue& i) { return i.kind == kind; });
        if (issue == issues.end()) issue = issues.insert(issues.end(), PaletteIssue{kind, 0, m_line});
        ++issue->count;
    }

    PaletteRead finished() {
        if (!m_result.issues.empty()) m_result.warning = summary(m_fileName, m_result.issues);
        return std::move(m_result);
    }

    void readLine(const std::wstring& line) {
        const std::wstring content = trimmed(line);
        if (content.empty() || content.front() == L'#') return;
        if (const auto name = headerValue(line, L"Name:")) {
            if (!m_bookName.empty() || name->empty() || hasControlCharacter(*name)) return note(Kind::BookNameIgnored);
            m_bookName = *name;
            return;
        }
        if (const auto columns = headerValue(line, L"Columns:")) {
            bool digits = !columns->empty();
            for (wchar_t c : *columns) digits = digits && isDigit(c);
            if (!digits) note(Kind::ColumnsIgnored);
            return;
        }
        readColor(line);
    }

    void readColor(const std::wstring& line) {
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
            if (channels[i] > kChannelMax) return note(Kind::AboveRange);
        }
        std::wstring name = trimmed(line.substr(pos));
        // Unnamed: named as the true-colour prompt reads the colour, so that it can be chosen.
        if (name.empty()) {
            name = std::to_wstring(channels[0]) + L"," + std::to_wstring(channels[1]) + L"," + std::to_wstring(channels[2]);
        }
        if (hasControlCharacter(name)) return note(Kind::ControlCharacter);
        if (!m_names.insert(detail::toLower(name)).second) return note(Kind::NameTaken);
        m_colors.push_back({PlString(name), static_cast<std::uint8_t>(channels[0]),
                            static_cast<std::uint8_t>(channels[1]), static_cast<std::uint8_t>(channels[2])});
    }

    void notAColor() { note(Kind::NotAColor); }

    std::wstring m_fileName;
    std::size_t m_line = 0;
    std::wstring m_bookName;
    std::vector<PlColorBookColor> m_colors;
    std::unordered_set<std::wstring> m_names;  ///< lower case
    PaletteRead m_result;
};

}  // namespace

PaletteRead readPalette(const std::wstring& fileName, std::string_view text) {
    return PaletteReader(fileName).read(text);
}

}  // namespace plsim
