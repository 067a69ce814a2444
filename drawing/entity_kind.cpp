// The kinds of the drawing's objects as plandor names them.
#include "drawing/entity_kind.h"

#include <charconv>

#include "host/pldbents.h"
#include "host/plscene.h"
#include "hostsim/internal.h"

namespace plandor {

namespace {

struct Kind {
    PlRxClass* (*desc)();
    const wchar_t* title;
};
// Most derived first: a class matches the first kind it derives from.
const Kind kKinds[] = {
    {&PlDbLine::desc, L"Line"},          {&PlDbArc::desc, L"Arc"},         {&PlDbCircle::desc, L"Circle"},
    {&PlDbEllipse::desc, L"Ellipse"},    {&PlDbPolyline::desc, L"Pline"},  {&PlDb3dPolyline::desc, L"3dpoly"},
    {&PlDbSpline::desc, L"Spline"},      {&PlDb2dPolyline::desc, L"2dpoly"}, {&PlDbText::desc, L"Text"},
    {&PlDbRegion::desc, L"Region"},      {&PlDbLight::desc, L"Light"},
};

}  // namespace

std::wstring entityTitle(const PlDbObject* object) {
    for (const Kind& kind : kKinds) {
        if (object->isKindOf(kind.desc())) return kind.title;
    }
    return {};
}

std::wstring entityKind(const PlDbObject* object) { return plsim::detail::toLower(entityTitle(object)); }

std::wstring handleText(std::uint64_t handle) {
    char digits[20];
    const auto end = std::to_chars(digits, digits + sizeof digits, handle, 16).ptr;
    std::wstring text(digits, end);
    for (wchar_t& c : text) c = (c >= L'a' && c <= L'f') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    return text;
}

}  // namespace plandor
