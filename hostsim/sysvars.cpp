// System variables: their types, ranges and defaults, read and written through resbufs and text.
//
// The stand-in keeps one set of variables for the whole host session, not one
// per drawing: opening or switching drawings does not change them.
#include "host/pled.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "hostsim/document_driver.h"
#include "hostsim/driver.h"
#include "hostsim/internal.h"
#include "hostsim/numbers.h"

namespace plsim {
namespace {

struct Variable {
    std::wstring name;  // as declared, upper case for the host's own
    VarType type = VarType::Short;
    long long minimum = 0;  // whole-number types only
    long long maximum = 0;
    bool readOnly = false;
    bool drawing = false;  // kept by the drawing (saved and opened with it)
    long long whole = 0;  // Short, Long
    double real = 0.0;    // Real
    std::wstring text;    // Text
};

Variable wholeVariable(const wchar_t* name, VarType type, long long value, long long minimum, long long maximum) {
    Variable v;
    v.name = name;
    v.type = type;
    v.whole = value;
    v.minimum = minimum;
    v.maximum = maximum;
    return v;
}

Variable shortVariable(const wchar_t* name, short value, short minimum, short maximum) {
    return wholeVariable(name, VarType::Short, value, minimum, maximum);
}

Variable realVariable(const wchar_t* name, double value) {
    Variable v;
    v.name = name;
    v.type = VarType::Real;
    v.real = value;
    return v;
}

Variable textVariable(const wchar_t* name, const wchar_t* value, bool readOnly = false) {
    Variable v;
    v.name = name;
    v.type = VarType::Text;
    v.text = value;
    v.readOnly = readOnly;
    return v;
}

// The variables of a new session with a new metric drawing; the drawing keeps those the
// host can set.
std::vector<Variable> builtIns() {
    std::vector<Variable> variables = {
        shortVariable(L"CVPORT", 2, 1, 32767),          // current viewport; 1 is the paper-space viewport
        shortVariable(L"DEFAULTLIGHTING", 1, 0, 1),     // 1 while the default lights light the view
        shortVariable(L"LIGHTINGUNITS", 2, 0, 2),       // 0 generic, 1 and 2 photometric
        shortVariable(L"LUNITS", 2, 1, 5),              // linear unit mode, decimal
        shortVariable(L"LUPREC", 4, 0, 8),              // decimal places of lengths
        shortVariable(L"INSUNITS", 4, 0, 20),           // drawing units: 4 millimetres
        textVariable(L"CLAYER", L"0"),                  // current layer
        realVariable(L"VIEWTWIST", 0.0),                // view twist angle, radians
        textVariable(L"PLHOSTVER", L"1.0", true),       // version of the stand-in host
    };
    for (Variable& v : variables) v.drawing = !v.readOnly;
    return variables;
}

using VariableTable =
    std::unordered_map<std::wstring, Variable, detail::TextHash, std::equal_to<>>;  // by lower-case name

VariableTable& table() {
    static VariableTable variables = [] {
        VariableTable t;
        for (Variable& v : builtIns()) t[detail::toLower(v.name)] = v;
        return t;
    }();
    return variables;
}

/// The names variables were last found by, as they were written, with what
/// they found: a command asks for the same few variables in the same letters
/// every time, and such a name needs no folding and no hashing. Forgotten
/// whenever the table changes.
struct AskedNames {
    struct Asked {
        std::wstring name;
        Variable* variable = nullptr;  ///< null: the place is free
    };
    std::array<Asked, 8> places;
    std::size_t oldest = 0;
};

AskedNames& askedNames() {
    static AskedNames asked;
    return asked;
}

void forgetAskedNames() {
    for (AskedNames::Asked& a : askedNames().places) a.variable = nullptr;
}

Variable* findFolded(std::wstring_view name) {
    // Folded on the stack: a command asks for several variables, and their
    // names need no allocation.
    constexpr std::size_t kShortName = 32;
    wchar_t buffer[kShortName];
    std::wstring longName;
    std::wstring_view folded;
    if (name.size() <= kShortName) {
        std::transform(name.begin(), name.end(), buffer, [](wchar_t c) { return detail::lowerChar(c); });
        folded = std::wstring_view(buffer, name.size());
    } else {
        longName = detail::toLower(std::wstring(name));
        folded = longName;
    }
    auto it = table().find(folded);
    return it == table().end() ? nullptr : &it->second;
}

Variable* find(std::wstring_view name) {
    AskedNames& asked = askedNames();
    for (const AskedNames::Asked& a : asked.places)
        if (a.variable && a.name == name) return a.variable;
    Variable* found = findFolded(name);
    if (found) {
        AskedNames::Asked& place = asked.places[asked.oldest];
        asked.oldest = (asked.oldest + 1) % asked.places.size();
        place.name.assign(name);
        place.variable = found;
    }
    return found;
}

long long typeMinimum(VarType type) {
    return type == VarType::Short ? std::numeric_limits<short>::min() : std::numeric_limits<int>::min();
}
long long typeMaximum(VarType type) {
    return type == VarType::Short ? std::numeric_limits<short>::max() : std::numeric_limits<int>::max();
}

std::wstring rangeMessage(const Variable& v) {
    return v.name + L" requires an integer between " + std::to_wstring(v.minimum) + L" and " +
           std::to_wstring(v.maximum) + L".";
}

// Stores `text` read by the variable's type. False with `error` filled when
// it does not read or is out of range; the variable is then unchanged.
bool assignText(Variable& v, const std::wstring& text, std::wstring& error) {
    const std::wstring trimmed = detail::trimBlanks(text);
    switch (v.type) {
    case VarType::Short:
    case VarType::Long: {
        long long value = 0;
        if (!detail::parseInteger(trimmed, value) || value < v.minimum || value > v.maximum) {
            error = rangeMessage(v);
            return false;
        }
        v.whole = value;
        return true;
    }
    case VarType::Real: {
        double value = 0.0;
        if (!detail::parseReal(trimmed, value)) {
            error = v.name + L" requires a number.";
            return false;
        }
        v.real = value;
        return true;
    }
    case VarType::Text:
        v.text = text;
        return true;
    }
    return false;
}

}  // namespace

// ---- Driver ----------------------------------------------------------------

bool setVar(const std::wstring& name, const std::wstring& value, std::wstring* error) {
    std::wstring problem;
    Variable* v = find(name);
    if (!v) {
        problem = L"Unknown variable name " + name + L".";
    } else if (assignText(*v, value, problem)) {
        if (v->drawing) detail::noteDrawingChanged();
        return true;
    }
    if (error) *error = problem;
    return false;
}

std::wstring getVar(const std::wstring& name) {
    const Variable* v = find(name);
    if (!v) return L"";
    switch (v->type) {
    case VarType::Short:
    case VarType::Long:
        return std::to_wstring(v->whole);
    case VarType::Real:
        return detail::realText(v->real);
    case VarType::Text:
        return v->text;
    }
    return L"";
}

void defineVar(const std::wstring& name, VarType type, const std::wstring& value) {
    Variable v;
    v.name = name;
    v.type = type;
    if (type == VarType::Short || type == VarType::Long) {
        v.minimum = typeMinimum(type);
        v.maximum = typeMaximum(type);
    }
    std::wstring ignored;
    assignText(v, value, ignored);  // a value that does not read leaves 0
    forgetAskedNames();
    table()[detail::toLower(name)] = v;
}

bool removeVar(const std::wstring& name) {
    forgetAskedNames();
    return table().erase(detail::toLower(name)) > 0;
}

std::vector<DrawingVariable> drawingVariables() {
    std::vector<DrawingVariable> variables;
    for (const auto& entry : table()) {
        if (entry.second.drawing) variables.push_back({entry.second.name, entry.second.type, getVar(entry.second.name)});
    }
    return variables;
}

void resetDrawingVariables() {
    for (Variable& v : builtIns()) {
        if (v.drawing) table()[detail::toLower(v.name)] = v;
    }
    detail::noteDrawingChanged();
}

std::vector<std::wstring> varNames() {
    std::vector<std::wstring> names;
    for (const auto& entry : table()) names.push_back(entry.second.name);
    std::sort(names.begin(), names.end());
    return names;
}

namespace detail {

void resetVars() {
    forgetAskedNames();
    VariableTable& t = table();
    t.clear();
    for (Variable& v : builtIns()) t[toLower(v.name)] = v;
}

}  // namespace detail
}  // namespace plsim

// ---- Editor ----------------------------------------------------------------

int pledGetVar(const wchar_t* name, resbuf* value) {
    if (!name || !value) return PLRTERROR;
    const plsim::Variable* v = plsim::find(name);
    if (!v) return PLRTERROR;
    switch (v->type) {
    case plsim::VarType::Short:
        value->restype = PLRTSHORT;
        value->resval.rint = static_cast<short>(v->whole);
        break;
    case plsim::VarType::Long:
        value->restype = PLRTLONG;
        value->resval.rlong = static_cast<int>(v->whole);
        break;
    case plsim::VarType::Real:
        value->restype = PLRTREAL;
        value->resval.rreal = v->real;
        break;
    case plsim::VarType::Text: {
        auto* copy = new wchar_t[v->text.size() + 1];
        std::copy(v->text.begin(), v->text.end(), copy);
        copy[v->text.size()] = L'\0';
        value->restype = PLRTSTR;
        value->resval.rstring = copy;
        break;
    }
    }
    return PLRTNORM;
}

// A whole-number variable takes a short or a long in its range; a real one
// takes a finite real, or a short or a long (they convert without loss); a
// text one takes a text. Anything else is refused and nothing changes.
int pledSetVar(const wchar_t* name, const resbuf* value) {
    if (!name || !value) return PLRTERROR;
    plsim::Variable* v = plsim::find(name);
    if (!v || v->readOnly) return PLRTERROR;
    const bool whole = value->restype == PLRTSHORT || value->restype == PLRTLONG;
    const long long wholeValue = value->restype == PLRTSHORT  ? value->resval.rint
                                 : value->restype == PLRTLONG ? value->resval.rlong
                                                              : 0;
    switch (v->type) {
    case plsim::VarType::Short:
    case plsim::VarType::Long:
        if (!whole || wholeValue < v->minimum || wholeValue > v->maximum) return PLRTERROR;
        v->whole = wholeValue;
        break;
    case plsim::VarType::Real:
        if (whole) {
            v->real = static_cast<double>(wholeValue);
            break;
        }
        if (value->restype != PLRTREAL || !std::isfinite(value->resval.rreal)) return PLRTERROR;
        v->real = value->resval.rreal;
        break;
    case plsim::VarType::Text:
        if (value->restype != PLRTSTR || !value->resval.rstring) return PLRTERROR;
        v->text = value->resval.rstring;
        break;
    }
    if (v->drawing) plsim::detail::noteDrawingChanged();
    return PLRTNORM;
}

void pledFreeString(wchar_t* text) { delete[] text; }
