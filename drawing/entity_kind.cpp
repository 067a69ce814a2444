// The kinds of the drawing's objects as plandor names them.
#include "drawing/entity_kind.h"

#include <charconv>

#include "host/pldbents.h"
#include "host/plscene.h"
#include "hostsim/internal.h"

namespace plandor {

namespace {

using Geometry = plsim::EntityInfo::Kind;

struct Kind {
    PlRxClass* (*desc)();
    const wchar_t* title;
    Geometry geometry;  ///< not used for a light
};
// Most derived first: a class matches the first kind it derives from.
const Kind kKinds[] = {
    {&PlDbLine::desc, L"Line", Geometry::Line},
    {&PlDbArc::desc, L"Arc", Geometry::Arc},
    {&PlDbCircle::desc, L"Circle", Geometry::Circle},
    {&PlDbEllipse::desc, L"Ellipse", Geometry::Ellipse},
    {&PlDbPolyline::desc, L"Pline", Geometry::Polyline},
    {&PlDb3dPolyline::desc, L"3dpoly", Geometry::Polyline3d},
    {&PlDbSpline::desc, L"Spline", Geometry::Spline},
    {&PlDb2dPolyline::desc, L"2dpoly", Geometry::Polyline2d},
    {&PlDbText::desc, L"Text", Geometry::Text},
    {&PlDbRegion::desc, L"Region", Geometry::Region},
    {&PlDbLight::desc, L"Light", Geometry::Line},
};
/// The kinds with geometry: all but the last.
constexpr std::size_t kGeometryKinds = sizeof kKinds / sizeof kKinds[0] - 1;

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

std::wstring entityKindName(plsim::EntityInfo::Kind kind) {
    for (std::size_t i = 0; i < kGeometryKinds; ++i) {
        if (kKinds[i].geometry == kind) return plsim::detail::toLower(kKinds[i].title);
    }
    return {};
}

bool entityKindNamed(const std::wstring& name, plsim::EntityInfo::Kind& kind) {
    for (std::size_t i = 0; i < kGeometryKinds; ++i) {
        if (plsim::detail::toLower(kKinds[i].title) == name) {
            kind = kKinds[i].geometry;
            return true;
        }
    }
    return false;
}

}  // namespace plandor
