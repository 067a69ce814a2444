// The console's commands that make entities (LINE to REGION), views, named paths and motion paths.
#include <algorithm>
#include <cmath>

#include "console/arguments.h"
#include "console/drawing_commands.h"
#include "console/drawing_objects.h"
#include "host/pldbents.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/sceneoe/path_driver.h"

namespace plandor {

namespace {

using Args = std::vector<std::wstring>;
using Lines = std::vector<std::wstring>;

constexpr double kRadiansPerDegree = 3.141592653589793 / 180.0;

Lines usage(const wchar_t* name);

/// Reads every argument from `from` on as a point; false when one is none or fewer than `least` are given.
bool readPoints(const Args& args, std::size_t from, std::size_t least, std::vector<PlGePoint3d>& points) {
    points.clear();
    for (std::size_t i = from; i < args.size(); ++i) {
        if (!readPoint(args[i], points.emplace_back())) return false;
    }
    return points.size() >= least;
}

/// Appends `entity` when its geometry was taken (`geometry` 0); else deletes it and says why not.
Lines created(PlDbDatabase* db, PlDbEntity* entity, Plad::ErrorStatus geometry, const wchar_t* rule) {
    if (geometry != Plad::eOk) {
        delete entity;
        return {L"Nothing was created: " + std::wstring(rule)};
    }
    PlDbObjectId id;
    if (const Plad::ErrorStatus es = plsim::addEntity(db, entity, id); es != Plad::eOk)
        return {L"Nothing was created: the drawing refused the entity (status " + std::to_wstring(es) + L")."};
    return {L"Created " + describeObject(id)};
}

Lines line(PlDbDatabase* db, const Args& a) {
    PlGePoint3d start, end;
    if (a.size() != 2 || !readPoint(a[0], start) || !readPoint(a[1], end)) return usage(L"LINE");
    auto* entity = new PlDbLine;
    return created(db, entity, entity->set(start, end), L"the two points must differ.");
}

Lines arc(PlDbDatabase* db, const Args& a) {
    PlGePoint3d center;
    double radius = 0.0, start = 0.0, end = 0.0;
    if (a.size() != 4 || !readPoint(a[0], center) || !readNumber(a[1], radius) || !readNumber(a[2], start) ||
        !readNumber(a[3], end))
        return usage(L"ARC");
    auto* entity = new PlDbArc;
    return created(db, entity, entity->set(center, radius, start * kRadiansPerDegree, end * kRadiansPerDegree),
                   L"the radius must be greater than 0 and the two angles must differ.");
}

Lines circle(PlDbDatabase* db, const Args& a) {
    PlGePoint3d center;
    double radius = 0.0;
    if (a.size() != 2 || !readPoint(a[0], center) || !readNumber(a[1], radius)) return usage(L"CIRCLE");
    auto* entity = new PlDbCircle;
    return created(db, entity, entity->set(center, radius), L"the radius must be greater than 0.");
}

Lines ellipse(PlDbDatabase* db, const Args& a) {
    PlGePoint3d center, axisEnd;
    double ratio = 0.0;
    if (a.size() != 3 || !readPoint(a[0], center) || !readPoint(a[1], axisEnd) || !readNumber(a[2], ratio))
        return usage(L"ELLIPSE");
    auto* entity = new PlDbEllipse;
    return created(db, entity, entity->set(center, axisEnd.asVector(), ratio),
                   L"the major axis needs a length and the ratio must be greater than 0 and at most 1.");
}

template <class Curve>
Lines pointCurve(PlDbDatabase* db, const Args& a, const wchar_t* name, const wchar_t* rule) {
    std::vector<PlGePoint3d> points;
    if (!readPoints(a, 0, 2, points)) return usage(name);
    auto* entity = new Curve;
    return created(db, entity, entity->setPoints(points), rule);
}
constexpr wchar_t kFlatRule[] = L"all points need the same Z and no two in a row may be the same.";
constexpr wchar_t kPointRule[] = L"no two points in a row may be the same.";
Lines pline(PlDbDatabase* db, const Args& a) { return pointCurve<PlDbPolyline>(db, a, L"PLINE", kFlatRule); }
Lines poly3d(PlDbDatabase* db, const Args& a) { return pointCurve<PlDb3dPolyline>(db, a, L"3DPOLY", kPointRule); }
Lines spline(PlDbDatabase* db, const Args& a) { return pointCurve<PlDbSpline>(db, a, L"SPLINE", kPointRule); }
Lines poly2d(PlDbDatabase* db, const Args& a) { return pointCurve<PlDb2dPolyline>(db, a, L"2DPOLY", kFlatRule); }

Lines text(PlDbDatabase* db, const Args& a) {
    PlGePoint3d position;
    double height = 1.0;
    if ((a.size() != 2 && a.size() != 3) || !readPoint(a[0], position) ||
        (a.size() == 3 && !readNumber(a[2], height)))
        return usage(L"TEXT");
    auto* entity = new PlDbText;
    return created(db, entity, entity->set(position, a[1].c_str(), height),
                   L"the text must not be empty and the height must be greater than 0.");
}

Lines region(PlDbDatabase* db, const Args& a) {
    std::vector<PlGePoint3d> points;
    if (!readPoints(a, 0, 3, points)) return usage(L"REGION");
    auto* entity = new PlDbRegion;
    return created(db, entity, entity->setBoundary(points),
                   L"the points must lie in one plane, not all on one line, with no two in a row the same.");
}

/// A name for a view or a path: not "-" (which stands for none) and without control characters.
bool validName(const std::wstring& name) {
    return name != L"-" && !name.empty() &&
           std::none_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x20 || c == 0x7F; });
}

Lines view(PlDbDatabase* db, const Args& a) {
    if (a.size() != 1) return usage(L"VIEW");
    PlDbObjectId id;
    const Plad::ErrorStatus es = validName(a[0]) ? plsim::addView(db, a[0], id) : Plad::eInvalidInput;
    if (es == Plad::eDuplicateKey) return {L"A view named \"" + a[0] + L"\" exists already."};
    if (es != Plad::eOk) return {L"\"" + a[0] + L"\" cannot name a view: use no control characters, and not \"-\"."};
    return {L"Created View " + handleText(id.handle())};
}

Lines namedPath(PlDbDatabase* db, const Args& a) {
    if (a.size() != 2) return usage(L"NAMEDPATH");
    if (!validName(a[0])) return {L"\"" + a[0] + L"\" cannot name a path: use no control characters, and not \"-\"."};
    std::wstring error;
    const PlDbObjectId entity = findObject(db, a[1], error);
    if (entity.isNull()) return {error};
    if (entity.isErased()) return {describeObject(entity) + L" is erased: a path cannot run along it."};
    PlDbObjectId id;
    const Plad::ErrorStatus es = plsim::scene::addNamedPath(db, a[0], entity, id);
    if (es == Plad::eDuplicateKey) return {L"A named path called \"" + a[0] + L"\" exists already."};
    if (es != Plad::eOk) return {L"A path can only run along an entity, not along " + describeObject(entity) + L"."};
    return {L"Created named path \"" + a[0] + L"\" " + handleText(id.handle()) + L" on " + describeObject(entity)};
}

/// The named path or view a word names ("-": none); false with `error` when it names none.
bool optionalPart(PlDbDatabase* db, const std::wstring& word, bool isView, PlDbObjectId& id, std::wstring& error) {
    if (word == L"-") return true;
    id = isView ? plsim::viewNamed(db, word) : plsim::scene::namedPathNamed(db, word);
    if (id.isNull()) error = std::wstring(isView ? L"There is no view named \"" : L"There is no named path called \"") + word + L"\".";
    return !id.isNull();
}

Lines motionPath(PlDbDatabase* db, const Args& a) {
    if (a.size() != 4) return usage(L"MOTIONPATH");
    if (!validName(a[0])) return {L"\"" + a[0] + L"\" cannot name a path: use no control characters, and not \"-\"."};
    PlDbObjectId camera, target, viewId;
    std::wstring error;
    if (!optionalPart(db, a[1], false, camera, error) || !optionalPart(db, a[2], false, target, error) ||
        !optionalPart(db, a[3], true, viewId, error))
        return {error};
    if (camera.isNull() && target.isNull()) return {L"A motion path needs a camera path or a target path."};
    PlDbObjectId id;
    const Plad::ErrorStatus es = plsim::scene::addMotionPath(db, a[0], camera, target, viewId, id);
    if (es == Plad::eDuplicateKey) return {L"A motion path called \"" + a[0] + L"\" exists already."};
    if (es != Plad::eOk) return {L"The motion path was not created (status " + std::to_wstring(es) + L")."};
    return {L"Created motion path \"" + a[0] + L"\" " + handleText(id.handle())};
}

const DrawingCommand kCommands[] = {
    {L"LINE", L"LINE x,y,z x,y,z", L"a line between two points", &line},
    {L"ARC", L"ARC cx,cy,cz RADIUS START END", L"an arc, counter-clockwise from START to END (degrees)", &arc},
    {L"CIRCLE", L"CIRCLE cx,cy,cz RADIUS", L"a circle", &circle},
    {L"ELLIPSE", L"ELLIPSE cx,cy,cz ax,ay,az RATIO", L"an ellipse: center, major axis from it, minor/major ratio", &ellipse},
    {L"PLINE", L"PLINE x,y[,z] x,y[,z]...", L"a polyline through two or more points at one Z", &pline},
    {L"3DPOLY", L"3DPOLY x,y,z x,y,z...", L"a 3D polyline through two or more points", &poly3d},
    {L"SPLINE", L"SPLINE x,y,z x,y,z...", L"a spline through two or more fit points", &spline},
    {L"2DPOLY", L"2DPOLY x,y[,z] x,y[,z]...", L"a 2D polyline through two or more points at one Z", &poly2d},
    {L"TEXT", L"TEXT x,y,z \"TEXT\" [HEIGHT]", L"a line of text (height 1 unless given)", &text},
    {L"REGION", L"REGION x,y,z x,y,z x,y,z...", L"a flat area bounded by three or more points", &region},
    {L"VIEW", L"VIEW NAME", L"a named view", &view},
    {L"NAMEDPATH", L"NAMEDPATH NAME HANDLE", L"a named path along an entity", &namedPath},
    {L"MOTIONPATH", L"MOTIONPATH NAME CAMERA TARGET VIEW",
     L"a motion path: named paths and a view by name, - for none", &motionPath},
};

Lines usage(const wchar_t* name) {
    for (const DrawingCommand& command : kCommands) {
        if (std::wstring(command.name) == name) return {L"Expected " + std::wstring(command.syntax) + L". Nothing was created."};
    }
    return {};
}

}  // namespace

std::vector<DrawingCommand> creationCommands() { return {std::begin(kCommands), std::end(kCommands)}; }

}  // namespace plandor
