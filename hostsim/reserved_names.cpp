// The host's own reserved names (types below those the modules add), in English and German.
#include "host/pldb.h"

#include "hostsim/driver.h"
#include "hostsim/internal.h"

namespace {

/// type | global form | German local form
///  0   | ByLayer     | VonLayer      property taken from the object's layer
///  1   | ByBlock     | VonBlock      property taken from the enclosing block
///  2   | Continuous  | Durchgehend   the solid line type
///  3   | Standard    | Standard      the default text and dimension style
///  4   | Model       | Modell        the model space layout
///  5   | None        | Keine         no value (plot style, material)
/// In English, and in a language the host has no names for, the local form
/// is the global one.
struct HostReservedName {
    PlDb::reservedStringEnumType type;
    const wchar_t* global;
    const wchar_t* german;
};

const HostReservedName kHostReservedNames[] = {
    {PlDb::kByLayer, L"ByLayer", L"VonLayer"},      {PlDb::kByBlock, L"ByBlock", L"VonBlock"},
    {PlDb::kContinuous, L"Continuous", L"Durchgehend"}, {PlDb::kStandard, L"Standard", L"Standard"},
    {PlDb::kModel, L"Model", L"Modell"},            {PlDb::kNone, L"None", L"Keine"},
};

const HostReservedName* hostName(PlDb::reservedStringEnumType type) {
    for (const HostReservedName& name : kHostReservedNames)
        if (name.type == type) return &name;
    return nullptr;
}

}  // namespace

const wchar_t* pldbGetReservedString(PlDb::reservedStringEnumType type, bool localized) {
    const HostReservedName* name = hostName(type);
    if (!name) return nullptr;
    const bool german = plsim::detail::iequals(plsim::language(), L"de");
    return localized && german ? name->german : name->global;
}

bool pldbIsReservedString(const wchar_t* text, PlDb::reservedStringEnumType type) {
    // A name reserved in one language stays reserved in every other, so that
    // drawings made in one language open in any.
    const HostReservedName* name = hostName(type);
    if (!text || !name) return false;
    return plsim::detail::iequals(text, name->global) || plsim::detail::iequals(text, name->german);
}
