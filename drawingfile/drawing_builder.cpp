// Building a drawing from its file's values, whole or not at all.
#include "drawingfile/drawing_builder.h"

#include "drawing/entity_kind.h"
#include "drawing/utf8.h"
#include "host/pldbdict.h"
#include "host/pldocs.h"
#include "host/plmotionpath.h"
#include "host/plscene.h"
#include "hostsim/document_driver.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/internal.h"
#include "hostsim/sceneoe/path_driver.h"

namespace plandor {

namespace {

using Kind = plsim::EntityInfo::Kind;

/// What the geometry of an entity of `kind` must be.
const wchar_t* geometryRule(Kind kind) {
    switch (kind) {
        case Kind::Line: return L"its two ends must differ";
        case Kind::Arc: return L"its radius must be above 0 and its two angles must differ";
        case Kind::Circle: return L"its radius must be above 0";
        case Kind::Ellipse: return L"its major axis needs a length and its ratio must be above 0 and at most 1";
        case Kind::Polyline:
        case Kind::Polyline2d: return L"it needs two or more points at one Z, no two in a row the same";
        case Kind::Polyline3d:
        case Kind::Spline: return L"it needs two or more points, no two in a row the same";
        case Kind::Text: return L"its text must not be empty and its height must be above 0";
        case Kind::Region:
            return L"it needs three or more points in one plane, not all on one line, no two in a row the same";
    }
    return L"";
}

std::string at(const char* list, std::size_t index) { return std::string("/") + list + "/" + std::to_string(index); }

std::wstring hex(std::uint64_t handle) { return fromUtf8(handleHex(handle)); }

class Builder {
public:
    Builder(PlDbDatabase* db, BuiltDrawing& built) : m_db(db), m_built(built) {}

    bool build(const DrawingFile& file) {
        const DrawingObjects& o = file.objects;
        for (std::size_t i = 0; i < o.layers.size(); ++i) {
            if (!layer(o.layers[i], at("layers", i))) return false;
        }
        if (!dictionary(o.namedPathDictionary, "/pathDictionaries/namedPaths", pldbGetNamedPathDictionary) ||
            !dictionary(o.motionPathDictionary, "/pathDictionaries/motionPaths", pldbGetMotionPathDictionary))
            return false;
        for (std::size_t i = 0; i < file.lights.size(); ++i) {
            if (!light(file.lights[i], at("lights", i))) return false;
        }
        for (std::size_t i = 0; i < o.entities.size(); ++i) {
            const std::string pointer = at("entities", i);
            PlDbObjectId id;
            if (!unused(o.entities[i].handle, pointer + "/handle")) return false;
            if (plsim::addEntity(m_db, o.entities[i], id) != Plad::eOk)
                return refuse(pointer, L"is no " + entityKindName(o.entities[i].kind) + L": " + geometryRule(o.entities[i].kind));
        }
        for (std::size_t i = 0; i < o.views.size(); ++i) {
            const std::string pointer = at("views", i);
            PlDbObjectId id;
            if (!give(o.views[i].handle, pointer)) return false;
            if (plsim::addView(m_db, o.views[i].name, id) != Plad::eOk)
                return refuse(pointer, L"cannot be made: \"" + o.views[i].name + L"\" names no view");
        }
        for (std::size_t i = 0; i < o.namedPaths.size(); ++i) {
            const plsim::scene::NamedPathInfo& p = o.namedPaths[i];
            const std::string pointer = at("namedPaths", i);
            PlDbObjectId id;
            if (!give(p.handle, pointer)) return false;
            if (plsim::scene::addNamedPath(m_db, p.name, plsim::objectWithHandle(m_db, p.entity), id) != Plad::eOk)
                return refuse(pointer, L"cannot be made: a named path runs along an entity of the drawing");
        }
        for (std::size_t i = 0; i < o.motionPaths.size(); ++i) {
            if (!motionPath(o.motionPaths[i], at("motionPaths", i))) return false;
        }
        return variables(file.variables) && ucs(file.ucs) && nextHandle(file.nextHandle);
    }

private:
    bool refuse(std::string pointer, std::wstring reason) {
        m_built.refusal = {std::move(pointer), std::move(reason)};
        return false;
    }

    /// False (refused) when `handle` is one the new drawing has given out already: one of the
    /// records every drawing has.
    bool unused(std::uint64_t handle, const std::string& pointer) {
        if (plsim::objectWithHandle(m_db, handle).isNull()) return true;
        return refuse(pointer, L"is " + hex(handle) + L", a handle every drawing gives one of its own records");
    }

    /// Makes the next object take `handle`.
    bool give(std::uint64_t handle, const std::string& pointer) {
        return unused(handle, pointer + "/handle") && plsim::giveNextHandle(m_db, handle) == Plad::eOk;
    }

    bool layer(const DrawingObjects::Layer& layer, const std::string& pointer) {
        if (plsim::detail::iequals(layer.name, L"0")) {
            const std::uint64_t own = m_db->layerId(L"0").handle();
            if (layer.handle == own) return true;
            return refuse(pointer + "/handle", L"is " + hex(layer.handle) + L": the layer 0 has the handle " + hex(own) +
                                                   L" in every drawing");
        }
        PlDbObjectId id;
        if (!give(layer.handle, pointer)) return false;
        if (m_db->addLayer(layer.name.c_str(), id) != Plad::eOk) return refuse(pointer, L"cannot be made");
        return true;
    }

    bool dictionary(std::uint64_t handle, const char* pointer,
                    Plad::ErrorStatus (*get)(PlDbDatabase*, PlDbDictionary*&, PlDb::OpenMode, bool)) {
        if (handle == 0) return true;  // made when the first entry goes in
        PlDbDictionary* made = nullptr;
        if (!unused(handle, pointer) || plsim::giveNextHandle(m_db, handle) != Plad::eOk) return false;
        if (get(m_db, made, PlDb::kForRead, true) != Plad::eOk) return refuse(pointer, L"cannot be made");
        made->close();
        return true;
    }

    bool light(const plsim::scene::LightInfo& light, const std::string& pointer) {
        PlDbObjectId id;
        if (!unused(light.handle, pointer + "/handle")) return false;
        const Plad::ErrorStatus es = plsim::scene::addLight(m_db, light, id);
        if (es == Plad::eDuplicateKey) return refuse(pointer + "/name", L"is \"" + light.name + L"\", which a light has already");
        if (es != Plad::eOk) return refuse(pointer, L"cannot be made: the light refused one of its values");
        if (!light.webFile.empty() && LightingUtil::GetIESFileFullPath(light.webFile.c_str(), nullptr).isEmpty()) {
            m_built.warnings.push_back({pointer + "/web/file", L"is \"" + light.webFile +
                                                                   L"\", which is not found: the light keeps the name "
                                                                   L"and shines as a point light until the file is there"});
        }
        return true;
    }

    bool motionPath(const plsim::scene::MotionPathInfo& m, const std::string& pointer) {
        const auto path = [this](const std::optional<std::wstring>& name) {
            return name ? plsim::scene::namedPathNamed(m_db, *name) : PlDbObjectId::kNull;
        };
        const PlDbObjectId view = m.view ? plsim::viewNamed(m_db, *m.view) : PlDbObjectId::kNull;
        PlDbObjectId id;
        if (!give(m.handle, pointer)) return false;
        if (plsim::scene::addMotionPath(m_db, m.name, path(m.cameraPath), path(m.targetPath), view, id) != Plad::eOk)
            return refuse(pointer, L"cannot be made");
        return true;
    }

    bool variables(const DumpVariables& v) {
        std::vector<plsim::DrawingVariable> all = v.others;
        const std::pair<const wchar_t*, const std::optional<long>*> placement[] = {
            {L"CVPORT", &v.cvport}, {L"DEFAULTLIGHTING", &v.defaultLighting}, {L"LIGHTINGUNITS", &v.lightingUnits}};
        for (const auto& [name, value] : placement) {
            if (*value) all.push_back({name, plsim::VarType::Short, std::to_wstring(**value)});
        }
        for (const plsim::DrawingVariable& variable : all) {
            std::wstring error;
            if (!plsim::setVar(variable.name, variable.value, &error)) return refuse("/sysvars/" + toUtf8(variable.name), L"is refused: " + error);
        }
        return true;
    }

    bool ucs(const plsim::UcsInfo& u) {
        if (plsim::restoreUcs(u.origin, u.xAxis, u.yAxis)) return true;
        return refuse("/ucs", L"has an axis without length, or two parallel axes");
    }

    bool nextHandle(std::uint64_t next) {
        if (plsim::setNextHandle(m_db, next) == Plad::eOk) return true;
        return refuse("/nextHandle", L"is " + hex(next) + L", not above the handles of the drawing's own records");
    }

    PlDbDatabase* m_db;
    BuiltDrawing& m_built;
};

}  // namespace

BuiltDrawing buildDrawing(const DrawingFile& file, const std::wstring& name) {
    BuiltDrawing built;
    const std::vector<plsim::DrawingVariable> variables = plsim::drawingVariables();
    const plsim::UcsInfo ucs = plsim::currentUcs();
    PlApDocument* drawing = plsim::openDrawing(name);
    if (Builder(drawing->database(), built).build(file)) {
        plsim::markDrawingSaved(drawing);
        built.drawing = drawing;
        return built;
    }
    // While the new drawing is the current one, so that no other counts as changed.
    for (const plsim::DrawingVariable& variable : variables) static_cast<void>(plsim::setVar(variable.name, variable.value));
    static_cast<void>(plsim::restoreUcs(ucs.origin, ucs.xAxis, ucs.yAxis));
    plsim::closeDrawing(drawing);
    built.warnings.clear();
    return built;
}

}  // namespace plandor
