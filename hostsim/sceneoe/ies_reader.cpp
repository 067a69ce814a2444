// The reader of photometric files in the IES LM-63 format: the version line, keyword lines,
// the TILT line, then the numbers, separated by blanks, commas and line ends in any
// arrangement. Every refusal names the line and what is wrong there.
#include "hostsim/sceneoe/photometric_web.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <string>
#include <system_error>

#include "hostsim/internal.h"

namespace plsim::scene {
namespace {

using Version = PhotometricWeb::Version;

/// How far an angle may lie from the end of a range and still count as that end, in degrees.
constexpr double kAngleTolerance = 0.01;
/// More candela than any lamp gives (a searchlight gives about 1e9): such a value is a
/// mistake, and refusing it keeps every sum over the grid finite.
constexpr double kMostCandela = 1e15;
/// Characters of a file's text quoted in a message at most.
constexpr std::size_t kQuoteLength = 40;

/// A refusal: thrown inside the reader, caught at its edge.
struct Refusal {
    std::size_t line;
    std::wstring what;
};

[[noreturn]] void refuse(std::size_t line, std::wstring what) { throw Refusal{line, std::move(what)}; }

/// Text of the file as a message quotes it: printable ASCII, anything else as '?'.
std::wstring quoted(std::string_view text) {
    std::wstring out = L"\"";
    for (std::size_t i = 0; i < text.size() && i < kQuoteLength; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        out += (c >= 0x20 && c < 0x7F) ? static_cast<wchar_t>(c) : L'?';
    }
    if (text.size() > kQuoteLength) out += L"...";
    return out + L"\"";
}

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return plsim::detail::iequals(plsim::detail::fromUtf8(std::string(a)), plsim::detail::fromUtf8(std::string(b)));
}

bool startsIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && sameIgnoringCase(text.substr(0, start.size()), start);
}

bool near(double a, double b) { return std::fabs(a - b) <= kAngleTolerance; }

/// The number of lines of `text`: a line end ends a line, and text after the last one is a line too.
std::size_t lineCount(std::string_view text) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
    }
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') ++lines;
    return lines;
}

/// The lines of the text before the numbers, one at a time.
class Lines {
public:
    explicit Lines(std::string_view text) : m_text(text) {}

    bool next(std::string_view& line) {
        if (m_pos >= m_text.size()) return false;
        ++m_number;
        const std::size_t end = m_text.find_first_of("\r\n", m_pos);
        if (end == std::string_view::npos) {
            line = m_text.substr(m_pos);
            m_pos = m_text.size();
            return true;
        }
        line = m_text.substr(m_pos, end - m_pos);
        m_pos = end + ((m_text[end] == '\r' && end + 1 < m_text.size() && m_text[end + 1] == '\n') ? 2 : 1);
        return true;
    }
    std::size_t number() const { return m_number; }
    std::size_t position() const { return m_pos; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_number = 0;
};

/// What a number of the file stands for, for messages.
enum class Item {
    LampGeometry, TiltCount, TiltAngle, TiltFactor, Lamps, LumensPerLamp, Multiplier, VerticalCount,
    HorizontalCount, Type, Units, Width, Length, Height, BallastFactor, FutureUse, InputWatts, VerticalAngle,
    HorizontalAngle, Candela,
};

std::wstring describe(Item item, std::size_t index, std::size_t count) {
    const auto nth = [index, count](const wchar_t* what) {
        return std::wstring(what) + L" " + std::to_wstring(index + 1) + L" of " + std::to_wstring(count);
    };
    switch (item) {
        case Item::LampGeometry: return L"the lamp-to-luminaire geometry";
        case Item::TiltCount: return L"the number of tilt angles";
        case Item::TiltAngle: return nth(L"tilt angle");
        case Item::TiltFactor: return nth(L"tilt factor");
        case Item::Lamps: return L"the number of lamps";
        case Item::LumensPerLamp: return L"the lumens per lamp";
        case Item::Multiplier: return L"the candela multiplier";
        case Item::VerticalCount: return L"the number of vertical angles";
        case Item::HorizontalCount: return L"the number of horizontal angles";
        case Item::Type: return L"the photometric type";
        case Item::Units: return L"the units";
        case Item::Width: return L"the width";
        case Item::Length: return L"the length";
        case Item::Height: return L"the height";
        case Item::BallastFactor: return L"the ballast factor";
        case Item::FutureUse: return L"the ballast-lamp factor";
        case Item::InputWatts: return L"the input watts";
        case Item::VerticalAngle: return nth(L"vertical angle");
        case Item::HorizontalAngle: return nth(L"horizontal angle");
        case Item::Candela: return nth(L"candela value");
    }
    return {};
}

/// One finite number, the whole of `token` ("12", "-1", "+2.5", ".5", "1E+02").
bool parseNumber(std::string_view token, double& value) {
    const char* first = token.data();
    const char* last = first + token.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-') return false;
    }
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    return ec == std::errc() && end == last && std::isfinite(value);
}

/// The numbers after the TILT line, in any arrangement of separators.
class Numbers {
public:
    Numbers(std::string_view text, std::size_t pos, std::size_t line) : m_text(text), m_pos(pos), m_line(line) {}

    /// The next number; refuses at the end of the text or at a token that is no number.
    double real(Item item, std::size_t index = 0, std::size_t count = 0) {
        if (!nextToken()) {
            refuse(lineCount(m_text), L"the file ends where " + describe(item, index, count) + L" should be");
        }
        double value = 0.0;
        if (!parseNumber(m_token, value)) {
            refuse(m_tokenLine, describe(item, index, count) + L" is " + quoted(m_token) + L", which is not a number");
        }
        return value;
    }

    /// The next number, which must be a whole one from `least` to `most`.
    int whole(Item item, int least, int most) {
        const double value = real(item);
        if (value != std::floor(value) || value < least || value > most) {
            const std::wstring range = most == std::numeric_limits<int>::max()
                                           ? L"of at least " + std::to_wstring(least)
                                           : L"from " + std::to_wstring(least) + L" to " + std::to_wstring(most);
            refuse(m_tokenLine, describe(item, 0, 0) + L" is " + quoted(m_token) + L"; it must be a whole number " + range);
        }
        return static_cast<int>(value);
    }

    /// Refuses when anything but separators follows.
    void expectEnd() {
        if (nextToken()) {
            refuse(m_tokenLine, L"more numbers follow than the counts announce, from " + quoted(m_token) + L" on");
        }
    }

    [[noreturn]] void refuseLast(const std::wstring& what) const { refuse(m_tokenLine, what); }
    std::string_view token() const { return m_token; }
    std::size_t tokenLine() const { return m_tokenLine; }

private:
    bool nextToken() {
        const std::size_t size = m_text.size();
        while (m_pos < size && isSeparator(m_text[m_pos])) {
            const char c = m_text[m_pos++];
            if (c == '\n') {
                ++m_line;
            } else if (c == '\r') {
                if (m_pos < size && m_text[m_pos] == '\n') ++m_pos;
                ++m_line;
            }
        }
        if (m_pos >= size) return false;
        const std::size_t start = m_pos;
        while (m_pos < size && !isSeparator(m_text[m_pos])) ++m_pos;
        m_token = m_text.substr(start, m_pos - start);
        m_tokenLine = m_line;
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos;
    std::size_t m_line;
    std::string_view m_token;
    std::size_t m_tokenLine = 0;
};

/// A remark on what was read, kept with the line it concerns.
struct Remark {
    std::size_t line;
    std::wstring what;
};

/// The versions and the years that name them, oldest first.
struct KnownVersion {
    int year;
    Version version;
};
constexpr KnownVersion kVersions[] = {
    {1986, Version::Lm63_1986}, {1991, Version::Lm63_1991}, {1995, Version::Lm63_1995},
    {2002, Version::Lm63_2002}, {2019, Version::Lm63_2019},
};

/// The version of `year`, else the nearest (the newer of two as near); the newest for 0 (no year).
const KnownVersion& nearestVersion(int year) {
    if (year == 0) return kVersions[std::size(kVersions) - 1];
    const KnownVersion* best = &kVersions[0];
    for (const KnownVersion& known : kVersions)
        if (std::abs(known.year - year) <= std::abs(best->year - year)) best = &known;
    return *best;
}

/// A year written with two digits (95) or four (1995); 0 for anything else.
int yearOf(std::string_view digits) {
    if ((digits.size() != 2 && digits.size() != 4) || !std::all_of(digits.begin(), digits.end(), isDigit)) return 0;
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    if (digits.size() == 2) return value >= 50 ? 1900 + value : 2000 + value;
    return value;
}

/// The version a first line names; nothing when it names none (a 1986 file may start with
/// any text). The forms in use: "IESNA" or "IES", an optional ":", an optional "LM-63" and
/// "-", then the year in two or four digits, blanks anywhere. A line that starts with "IES"
/// in another way, or names a year of no version, is read as the nearest version, with a remark.
std::optional<Version> versionOf(std::string_view line, std::size_t lineNumber, std::vector<Remark>& remarks) {
    std::string compact;
    for (const char c : line)
        if (!isBlank(c)) compact += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (compact.rfind("IES", 0) != 0) return std::nullopt;
    std::string_view rest(compact);
    rest.remove_prefix(rest.rfind("IESNA", 0) == 0 ? 5 : 3);
    if (!rest.empty() && rest.front() == ':') rest.remove_prefix(1);
    if (rest.rfind("LM-63", 0) == 0) {
        rest.remove_prefix(5);
        if (!rest.empty() && rest.front() == '-') rest.remove_prefix(1);
    }
    const int year = yearOf(rest);
    const KnownVersion& nearest = nearestVersion(year);
    if (year != 0 && nearest.year == year) return nearest.version;
    // Else the year is the last group of two or four digits, the 63 of "LM-63" aside.
    int namedYear = 0;
    for (std::size_t i = 0; i < compact.size();) {
        if (!isDigit(compact[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < compact.size() && isDigit(compact[end])) ++end;
        const std::string_view digits = std::string_view(compact).substr(i, end - i);
        const bool standardNumber = digits == "63" && i >= 3 && compact.compare(i - 3, 3, "LM-") == 0;
        if (!standardNumber && yearOf(digits) != 0) namedYear = yearOf(digits);
        i = end;
    }
    const KnownVersion& guess = nearestVersion(namedYear);
    remarks.push_back({lineNumber, L"the format version " + quoted(line) + L" is not one this reader knows; it is read as " +
                                       versionName(guess.version)});
    return guess.version;
}

/// "TILT=..." (blanks allowed around the "="): true with what follows it, trimmed.
bool tiltValue(std::string_view line, std::string_view& value) {
    if (!startsIgnoringCase(line, "TILT")) return false;
    std::string_view rest = trimmed(line.substr(4));
    if (rest.empty() || rest.front() != '=') return false;
    value = trimmed(rest.substr(1));
    return true;
}

/// Reads the header up to and including the TILT line into `web`; answers where the numbers start.
Numbers readHeader(std::string_view text, PhotometricWeb& web, std::vector<Remark>& remarks) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Lines lines(text);
    std::string_view line;
    while (lines.next(line)) {
        line = trimmed(line);
        if (lines.number() == 1) {
            if (const std::optional<Version> version = versionOf(line, 1, remarks)) {
                web.version = *version;
                continue;
            }
        }
        std::string_view tilt;
        if (tiltValue(line, tilt)) {
            if (tilt.empty()) refuse(lines.number(), L"the TILT= line names no tilt data (NONE, INCLUDE or a file)");
            if (sameIgnoringCase(tilt, "NONE")) {
                web.tilt = PhotometricWeb::Tilt::None;
            } else if (sameIgnoringCase(tilt, "INCLUDE")) {
                web.tilt = PhotometricWeb::Tilt::Include;
            } else {
                web.tilt = PhotometricWeb::Tilt::File;
                web.tiltFile = std::string(tilt);
            }
            return Numbers(text, lines.position(), lines.number() + 1);
        }
        // "[NAME] text"; other lines (the free text of 1986 files) carry nothing the web needs.
        if (line.empty() || line.front() != '[') continue;
        const std::size_t close = line.find(']');
        if (close == std::string_view::npos) continue;
        const std::string name(line.substr(1, close - 1));
        const std::string value(trimmed(line.substr(close + 1)));
        if (name == "MORE" && !web.keywords.empty()) {
            web.keywords.back().second += "\n" + value;
        } else {
            web.keywords.emplace_back(name, value);
        }
    }
    refuse(lineCount(text), L"the file ends without a TILT= line, which must come before the numbers");
}

/// Reads `count` angles that must increase.
std::vector<double> readAngles(Numbers& numbers, Item item, std::size_t count, std::size_t reserveLimit) {
    std::vector<double> angles;
    angles.reserve(std::min(count, reserveLimit));
    for (std::size_t i = 0; i < count; ++i) {
        const double angle = numbers.real(item, i, count);
        if (!angles.empty() && angle <= angles.back()) {
            numbers.refuseLast(describe(item, i, count) + L" is " + quoted(numbers.token()) +
                               L", which does not increase on the angle before it");
        }
        angles.push_back(angle);
    }
    return angles;
}

std::wstring rangeText(const std::vector<double>& angles) {
    const auto text = [](double a) {
        std::wstring s = std::to_wstring(a);
        while (!s.empty() && s.back() == L'0') s.pop_back();
        if (!s.empty() && s.back() == L'.') s.pop_back();
        return s;
    };
    return angles.size() == 1 ? text(angles.front()) + L" alone"
                              : L"from " + text(angles.front()) + L" to " + text(angles.back());
}

/// Refuses angle ranges the photometric type does not allow.
void checkRanges(const PhotometricWeb& web, std::size_t verticalLine, std::size_t horizontalLine) {
    const double v0 = web.vertical.front(), v1 = web.vertical.back();
    const double h0 = web.horizontal.front(), h1 = web.horizontal.back();
    const bool severalV = web.vertical.size() > 1;
    const bool severalH = web.horizontal.size() > 1;
    if (web.type == PhotometricWeb::Type::C) {
        const bool verticalOk = severalV && (near(v0, 0.0) || near(v0, 90.0)) && (near(v1, 90.0) || near(v1, 180.0));
        if (!verticalOk) {
            refuse(verticalLine, L"type C vertical angles must run from 0 to 90, 0 to 180 or 90 to 180, not " +
                                     rangeText(web.vertical));
        }
        const bool horizontalOk =
            (!severalH && near(h0, 0.0)) ||
            (severalH && near(h0, 0.0) && (near(h1, 90.0) || near(h1, 180.0) || near(h1, 360.0))) ||
            (severalH && near(h0, 90.0) && near(h1, 270.0));
        if (!horizontalOk) {
            refuse(horizontalLine, L"type C horizontal angles must be 0 alone or run from 0 to 90, 0 to 180, 90 to "
                                   L"270 or 0 to 360, not " + rangeText(web.horizontal));
        }
        return;
    }
    // The latitude-like angle (poles at -90 and 90) covers -90 to 90, or 0 to 90 mirrored; the
    // angle that turns about the poles the front half or all the way round, or 0 to either.
    const bool typeA = web.type == PhotometricWeb::Type::A;
    const wchar_t* type = typeA ? L"type A" : L"type B";
    const auto halfOrWhole = [](const std::vector<double>& angles, bool turning) {
        const double first = angles.front(), last = angles.back();
        const bool half = near(last, 90.0) && (near(first, 0.0) || near(first, -90.0));
        const bool whole = turning && near(last, 180.0) && (near(first, 0.0) || near(first, -180.0));
        return angles.size() > 1 && (half || whole);
    };
    const wchar_t* const latitudeRange = L" angles must run from -90 or 0 to 90, not ";
    const wchar_t* const turningRange = L" angles must run from -90 or 0 to 90, or from -180 or 0 to 180, not ";
    if (!halfOrWhole(web.vertical, !typeA)) {
        refuse(verticalLine,
               std::wstring(type) + L" vertical" + (typeA ? latitudeRange : turningRange) + rangeText(web.vertical));
    }
    if (!halfOrWhole(web.horizontal, typeA)) {
        refuse(horizontalLine,
               std::wstring(type) + L" horizontal" + (typeA ? turningRange : latitudeRange) + rangeText(web.horizontal));
    }
}

void readTiltData(Numbers& numbers, PhotometricWeb& web, std::size_t reserveLimit) {
    web.lampGeometry = numbers.whole(Item::LampGeometry, 1, 3);
    const auto count = static_cast<std::size_t>(numbers.whole(Item::TiltCount, 0, std::numeric_limits<int>::max()));
    web.tiltAngles = readAngles(numbers, Item::TiltAngle, count, reserveLimit);
    web.tiltFactors.reserve(std::min(count, reserveLimit));
    for (std::size_t i = 0; i < count; ++i) {
        const double factor = numbers.real(Item::TiltFactor, i, count);
        if (factor < 0.0) numbers.refuseLast(describe(Item::TiltFactor, i, count) + L" is negative");
        web.tiltFactors.push_back(factor);
    }
}

PhotometricWeb read(std::string_view text, std::vector<Remark>& remarks) {
    PhotometricWeb web;
    Numbers numbers = readHeader(text, web, remarks);
    // No count can make the reader hold more numbers than the text has room for.
    const std::size_t reserveLimit = text.size() / 2 + 1;
    constexpr int kMostInt = std::numeric_limits<int>::max();
    if (web.tilt == PhotometricWeb::Tilt::Include) readTiltData(numbers, web, reserveLimit);

    web.lamps = numbers.whole(Item::Lamps, 1, kMostInt);
    web.lumensPerLamp = numbers.real(Item::LumensPerLamp);
    if (!(web.lumensPerLamp > 0.0 || web.lumensPerLamp == -1.0)) {
        numbers.refuseLast(L"the lumens per lamp are " + quoted(numbers.token()) +
                           L"; they must be positive, or -1 for absolute photometry");
    }
    web.multiplier = numbers.real(Item::Multiplier);
    if (!(web.multiplier > 0.0)) {
        numbers.refuseLast(L"the candela multiplier is " + quoted(numbers.token()) + L"; it must be positive");
    }
    const auto verticalCount = static_cast<std::size_t>(numbers.whole(Item::VerticalCount, 1, kMostInt));
    const auto horizontalCount = static_cast<std::size_t>(numbers.whole(Item::HorizontalCount, 1, kMostInt));
    web.type = static_cast<PhotometricWeb::Type>(numbers.whole(Item::Type, 1, 3));
    web.units = numbers.whole(Item::Units, 1, 2);
    web.width = numbers.real(Item::Width);
    web.length = numbers.real(Item::Length);
    web.height = numbers.real(Item::Height);
    web.ballastFactor = numbers.real(Item::BallastFactor);
    if (!(web.ballastFactor > 0.0)) {
        numbers.refuseLast(L"the ballast factor is " + quoted(numbers.token()) + L"; it must be positive");
    }
    web.ballastLampFactor = numbers.real(Item::FutureUse);
    web.inputWatts = numbers.real(Item::InputWatts);
    if (web.inputWatts < 0.0) numbers.refuseLast(L"the input watts are negative");

    web.vertical = readAngles(numbers, Item::VerticalAngle, verticalCount, reserveLimit);
    const std::size_t verticalLine = numbers.tokenLine();
    web.horizontal = readAngles(numbers, Item::HorizontalAngle, horizontalCount, reserveLimit);
    checkRanges(web, verticalLine, numbers.tokenLine());

    const std::size_t values = verticalCount * horizontalCount;
    web.candela.reserve(std::min(values, reserveLimit));
    bool anyLight = false;
    for (std::size_t i = 0; i < values; ++i) {
        const double value = numbers.real(Item::Candela, i, values);
        if (value < 0.0) {
            numbers.refuseLast(describe(Item::Candela, i, values) + L" is " + quoted(numbers.token()) +
                               L", which is negative");
        }
        const double candela = value * web.multiplier;
        if (candela > kMostCandela) {
            numbers.refuseLast(describe(Item::Candela, i, values) + L" times the multiplier is more candela than any "
                                                                    L"lamp gives");
        }
        anyLight = anyLight || candela > 0.0;
        web.candela.push_back(candela);
    }
    if (!anyLight) numbers.refuseLast(L"every candela value is zero: the file describes no light");
    numbers.expectEnd();
    return web;
}

}  // namespace

std::optional<PhotometricWeb> readPhotometricWeb(std::string_view text, std::wstring_view name, std::wstring& error) {
    try {
        std::vector<Remark> remarks;
        PhotometricWeb web = read(text, remarks);
        for (const Remark& remark : remarks)
            web.warnings.push_back(std::wstring(name) + L", line " + std::to_wstring(remark.line) + L": " + remark.what);
        return web;
    } catch (const Refusal& refusal) {
        error = std::wstring(name) + L", line " + std::to_wstring(refusal.line) + L": " + refusal.what;
        return std::nullopt;
    }
}

std::wstring versionName(PhotometricWeb::Version version) {
    for (const KnownVersion& known : kVersions)
        if (known.version == version) return L"LM-63-" + std::to_wstring(known.year);
    return {};
}

}  // namespace plsim::scene
