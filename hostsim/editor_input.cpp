// Command-line input: the reply queue, the input source and the editor's getters.
#include "host/pled.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "hostsim/driver.h"
#include "hostsim/internal.h"
#include "hostsim/keywords.h"
#include "hostsim/numbers.h"

namespace plsim {
namespace {

struct InputState {
    std::deque<Reply> queue;
    InputSource* source = nullptr;
    int exhausted = 0;
    bool scriptActive = false;
    bool lastShownBySource = false;
    // What pledInitGet declared for the next input call.
    int pendingFlags = 0;
    std::shared_ptr<const detail::KeywordList> pendingKeywords;
    // The keyword of the last call that answered PLRTKWORD.
    bool hasKeyword = false;
    std::wstring keyword;
};

InputState& input() {
    static InputState state;
    return state;
}

// The flags and keywords that apply to one input call (and its re-asks).
struct Request {
    int flags = 0;
    std::shared_ptr<const detail::KeywordList> keywords;  ///< never null
    bool has(int flag) const { return (flags & flag) != 0; }
};

Request takeRequest() {
    InputState& s = input();
    Request r{s.pendingFlags, s.pendingKeywords ? std::move(s.pendingKeywords) : detail::declaredKeywords(L"")};
    s.pendingFlags = 0;
    s.pendingKeywords.reset();
    s.hasKeyword = false;
    s.keyword.clear();
    return r;
}

struct Answer {
    bool cancelled = false;
    std::wstring text;  // as typed, one line; empty: Enter
};

// Asks once and records the exchange in the transcript.
Answer ask(const wchar_t* promptText) {
    const std::wstring_view prompt = promptText ? promptText : L"";
    Reply reply;
    if (!detail::nextReply(prompt, reply)) {
        detail::emitExchange(prompt, L"*Cancel*", true);
        return {true, L""};
    }
    const bool live = !detail::replyShownBySource();
    if (reply.kind == Reply::Cancel) {
        detail::emitExchange(prompt, L"*Cancel*", live);
        return {true, L""};
    }
    std::wstring text = std::move(reply.text);
    const auto lineEnd = std::find_if(text.begin(), text.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; });
    text.erase(lineEnd, text.end());
    detail::emitExchange(prompt, text, live);
    return {false, std::move(text)};
}

void message(const wchar_t* text) {
    detail::emit(std::wstring(text) + L"\n");
}

void answerKeyword(const std::wstring& keyword) {
    input().hasKeyword = true;
    input().keyword = keyword;
}

// The host's refusal of a number under the declared flags; null when accepted.
const wchar_t* refusal(double value, const Request& request) {
    if (request.has(PLRSG_NOZERO) && value == 0.0) return L"Value must be nonzero.";
    if (request.has(PLRSG_NONEG) && value < 0.0) return L"Value must be positive.";
    return nullptr;
}

constexpr const wchar_t* kRequiresValue = L"Requires a value.";
constexpr const wchar_t* kIntegerRange = L"Requires an integer between -2147483648 and 2147483647.";

// A sign and digits, however many.
bool isWholeNumberText(const std::wstring& text) {
    std::size_t i = text.empty() || (text[0] != L'+' && text[0] != L'-') ? 0 : 1;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < L'0' || text[i] > L'9') return false;
    return true;
}

// What a reply that is no number (or point) answers at a number or point
// prompt: a declared keyword, or with flag 128 any text, comes back as a
// keyword; anything else is refused with `complaint`. True when the call is
// to answer PLRTKWORD.
/// Asks until the reply is not an empty one that the request refuses:
/// PLRTCAN, PLRTNONE, or PLRTNORM with the reply, trimmed, in `text`.
int askTrimmed(const wchar_t* prompt, const Request& request, std::wstring& text) {
    while (true) {
        Answer a = ask(prompt);
        if (a.cancelled) return PLRTCAN;
        // Trimmed where it lies: a reply seldom has blanks at its ends.
        text = std::move(a.text);
        if (const std::wstring_view trimmed = detail::trimmedBlanks(text); trimmed.size() != text.size())
            text = std::wstring(trimmed);
        if (!text.empty()) return PLRTNORM;
        if (!request.has(PLRSG_NONULL)) return PLRTNONE;
        message(kRequiresValue);
    }
}

bool keywordInstead(const std::wstring& text, const Request& request, const wchar_t* complaint) {
    if (const detail::Keyword* k = request.keywords->match(text)) {
        answerKeyword(k->global);
        return true;
    }
    if (request.has(PLRSG_OTHER)) {
        answerKeyword(text);
        return true;
    }
    message(complaint);
    return false;
}

// "x,y" or "x,y,z"; false when it is not.
bool parseCoordinates(std::wstring_view text, double xyz[3]) {
    double values[3] = {0.0, 0.0, 0.0};
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(L',', start);
        const std::wstring_view part = detail::trimmedBlanks(
            text.substr(start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start));
        if (count == 3 || !detail::parseReal(part, values[count])) return false;
        ++count;
        if (comma == std::wstring_view::npos) break;
        start = comma + 1;
    }
    if (count < 2) return false;
    for (int i = 0; i < 3; ++i) xyz[i] = values[i];
    return true;
}

// A typed point in world coordinates; false when the text is no point.
bool readPoint(const std::wstring& text, const PlGePoint3d* basePoint, PlGePoint3d& point) {
    double typed[3];
    double world[3];
    if (!text.empty() && text.front() == L'@') {
        const std::wstring rest = detail::trimBlanks(text.substr(1));
        if (rest.empty()) {
            typed[0] = typed[1] = typed[2] = 0.0;
        } else if (!parseCoordinates(rest, typed)) {
            return false;
        }
        // Without a base point the displacement starts at the user origin.
        double base[3] = {0.0, 0.0, 0.0};
        if (basePoint) {
            base[0] = basePoint->x;
            base[1] = basePoint->y;
            base[2] = basePoint->z;
        } else {
            pledTrans(base, PLED_UCS, PLED_WCS, false, base);
        }
        double offset[3];
        pledTrans(typed, PLED_UCS, PLED_WCS, true, offset);
        for (int i = 0; i < 3; ++i) world[i] = base[i] + offset[i];
    } else {
        if (!parseCoordinates(text, typed)) return false;
        pledTrans(typed, PLED_UCS, PLED_WCS, false, world);
    }
    for (double v : world)
        if (!std::isfinite(v)) return false;
    point = PlGePoint3d(world[0], world[1], world[2]);
    return true;
}

}  // namespace

// ---- Driver: replies -------------------------------------------------------

void queueReply(const std::wstring& text) { input().queue.push_back(Reply{Reply::Text, text}); }
void queueEnter() { input().queue.push_back(Reply{Reply::Text, L""}); }
void queueCancel() { input().queue.push_back(Reply{Reply::Cancel, L""}); }

void queuePoint(double x, double y, double z) {
    queueReply(detail::realText(x) + L"," + detail::realText(y) + L"," + detail::realText(z));
}

void queueButton(int buttonId) { queueReply(std::to_wstring(buttonId)); }
std::size_t pendingReplies() { return input().queue.size(); }
void clearReplies() { input().queue.clear(); }
int exhaustedPrompts() { return input().exhausted; }
void setInputSource(InputSource* source) { input().source = source; }
void setScriptActive(bool active) { input().scriptActive = active; }
bool scriptActive() { return input().scriptActive; }

namespace detail {

bool nextReply(std::wstring_view prompt, Reply& reply) {
    InputState& s = input();
    s.lastShownBySource = false;
    if (!s.queue.empty()) {
        reply = std::move(s.queue.front());
        s.queue.pop_front();
        return true;
    }
    if (s.source && s.source->next(std::wstring(prompt), reply)) {
        s.lastShownBySource = s.source->showsPrompts();
        return true;
    }
    ++s.exhausted;
    return false;
}

bool replyShownBySource() { return input().lastShownBySource; }

void resetInput() {
    InputState& s = input();
    s.queue.clear();
    s.exhausted = 0;
    s.scriptActive = false;
    s.lastShownBySource = false;
    s.pendingFlags = 0;
    s.pendingKeywords.reset();
    s.hasKeyword = false;
    s.keyword.clear();
}

}  // namespace detail
}  // namespace plsim

using plsim::Answer;
using plsim::Request;

// ---- Editor input ----------------------------------------------------------

int pledInitGet(int flags, const wchar_t* keywordList) {
    plsim::InputState& s = plsim::input();
    s.pendingFlags = flags;
    s.pendingKeywords = plsim::detail::declaredKeywords(keywordList ? keywordList : L"");
    return PLRTNORM;
}

int pledGetKword(const wchar_t* prompt, PlString& reply) {
    const Request request = plsim::takeRequest();
    reply.setEmpty();
    while (true) {
        std::wstring text;
        if (const int status = plsim::askTrimmed(prompt, request, text); status != PLRTNORM) return status;
        if (const plsim::detail::Keyword* k = request.keywords->match(text)) {
            reply = k->global;
            return PLRTNORM;
        }
        if (request.has(PLRSG_OTHER)) {
            // Free text that reads as a number is held to the number flags.
            double number = 0.0;
            if (plsim::detail::parseReal(text, number)) {
                if (const wchar_t* refused = plsim::refusal(number, request)) {
                    plsim::message(refused);
                    continue;
                }
            }
            reply = text;
            return PLRTNORM;
        }
        plsim::message(L"Invalid option keyword.");
    }
}

int pledGetString(int allowSpaces, const wchar_t* prompt, PlString& reply) {
    const Request request = plsim::takeRequest();
    reply.setEmpty();
    while (true) {
        const Answer a = plsim::ask(prompt);
        if (a.cancelled) return PLRTCAN;
        std::wstring text = a.text;
        if (allowSpaces == 0) {
            const std::size_t begin = text.find_first_not_of(L" \t");
            if (begin == std::wstring::npos) {
                text.clear();
            } else {
                const std::size_t end = text.find_first_of(L" \t", begin);
                text = text.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin);
            }
        }
        if (text.empty() && request.has(PLRSG_NONULL)) {
            plsim::message(plsim::kRequiresValue);
            continue;
        }
        reply = text;
        return PLRTNORM;
    }
}

int pledGetReal(const wchar_t* prompt, double* value) {
    const Request request = plsim::takeRequest();
    if (!value) return PLRTERROR;
    while (true) {
        std::wstring text;
        if (const int status = plsim::askTrimmed(prompt, request, text); status != PLRTNORM) return status;
        double number = 0.0;
        if (!plsim::detail::parseReal(text, number)) {
            if (plsim::keywordInstead(text, request, L"Requires numeric value.")) return PLRTKWORD;
            continue;
        }
        if (const wchar_t* refused = plsim::refusal(number, request)) {
            plsim::message(refused);
            continue;
        }
        *value = number;
        return PLRTNORM;
    }
}

int pledGetShort(const wchar_t* prompt, int* value) {
    const Request request = plsim::takeRequest();
    if (!value) return PLRTERROR;
    while (true) {
        std::wstring text;
        if (const int status = plsim::askTrimmed(prompt, request, text); status != PLRTNORM) return status;
        long long number = 0;
        double real = 0.0;
        const bool whole = plsim::detail::parseInteger(text, number);
        if (!whole && plsim::isWholeNumberText(text)) {
            plsim::message(plsim::kIntegerRange);  // too many digits to read
            continue;
        }
        if (!whole && plsim::detail::parseReal(text, real)) {
            // A fraction or an exponent: a number, but not a whole one.
            plsim::message(L"Requires an integer value.");
            continue;
        }
        if (!whole) {
            if (plsim::keywordInstead(text, request, L"Requires an integer value.")) return PLRTKWORD;
            continue;
        }
        if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max()) {
            plsim::message(plsim::kIntegerRange);
            continue;
        }
        if (const wchar_t* refused = plsim::refusal(static_cast<double>(number), request)) {
            plsim::message(refused);
            continue;
        }
        *value = static_cast<int>(number);
        return PLRTNORM;
    }
}

int pledGetPoint(const PlGePoint3d* basePoint, const wchar_t* prompt, PlGePoint3d& point) {
    const Request request = plsim::takeRequest();
    while (true) {
        std::wstring text;
        if (const int status = plsim::askTrimmed(prompt, request, text); status != PLRTNORM) return status;
        PlGePoint3d typed;
        if (plsim::readPoint(text, basePoint, typed)) {
            point = typed;
            return PLRTNORM;
        }
        if (plsim::keywordInstead(text, request, L"Invalid point.")) return PLRTKWORD;
    }
}

int pledGetInput(PlString& keyword) {
    const plsim::InputState& s = plsim::input();
    if (!s.hasKeyword) {
        keyword.setEmpty();
        return PLRTERROR;
    }
    keyword = s.keyword;
    return PLRTNORM;
}

bool pledIsLispOrScriptActive() { return plsim::scriptActive(); }
