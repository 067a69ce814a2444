// The console's commands that erase, restore and move objects, select them and use their
// context menu, and list the named paths and motion paths.
#include <string>

#include "console/arguments.h"
#include "console/display_numbers.h"
#include "console/drawing_commands.h"
#include "console/drawing_objects.h"
#include "host/pldbview.h"
#include "host/plscene.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/sceneoe/path_driver.h"
#include "hostsim/selection_driver.h"

namespace plandor {

namespace {

using Args = std::vector<std::wstring>;
using Lines = std::vector<std::wstring>;

/// What the last ERASE erased, for OOPS.
std::vector<PlDbObjectId>& lastErased() {
    static std::vector<PlDbObjectId> erased;
    return erased;
}

std::vector<std::wstring> described(const std::vector<PlDbObjectId>& ids) {
    std::vector<std::wstring> texts;
    for (const PlDbObjectId& id : ids) texts.push_back(describeObject(id));
    return texts;
}

/// Erases or restores each of `ids`; answers those it changed.
std::vector<PlDbObjectId> setErased(const std::vector<PlDbObjectId>& ids, bool erased) {
    std::vector<PlDbObjectId> changed;
    for (const PlDbObjectId& id : ids) {
        if (id.isErased() != erased && plsim::setErased(id, erased) == Plad::eOk) changed.push_back(id);
    }
    return changed;
}

Lines erase(PlDbDatabase* db, const Args& a) {
    if (a.empty()) return {L"Expected ERASE HANDLE|NAME... Nothing was erased."};
    std::wstring error;
    const std::vector<PlDbObjectId> ids = findObjects(db, a, error);
    if (ids.empty()) return {error + L" Nothing was erased."};
    const std::vector<PlDbObjectId> erased = setErased(ids, true);
    if (erased.empty()) return {L"Nothing was erased: " + joinedList(described(ids)) + L" is erased already."};
    lastErased() = erased;
    return {L"Erased " + joinedList(described(erased)) + L"."};
}

/// True when another light or view of `db` has taken the name of the erased light or view `id`.
bool nameTaken(PlDbDatabase* db, PlDbObjectId id) {
    PlDbObject* object = nullptr;
    if (pldbOpenPlDbObject(object, id, PlDb::kForNotify, true) != Plad::eOk) return false;
    PlDbObjectId other;
    if (object->isKindOf(PlDbLight::desc())) {
        static_cast<void>(PlLightServiceManager::idAt(other, static_cast<PlDbLight*>(object)->name(), db));
    } else if (object->isKindOf(PlDbViewTableRecord::desc())) {
        other = plsim::viewNamed(db, static_cast<PlDbViewTableRecord*>(object)->name());
    }
    object->close();
    return !other.isNull() && other != id;
}

Lines oops(PlDbDatabase* db, const Args& a) {
    if (!a.empty()) return {L"OOPS takes no arguments."};
    // A light or view whose name was given to another since stays erased: two of one name
    // could not be told apart, nor saved.
    std::vector<PlDbObjectId> free, taken;
    for (const PlDbObjectId& id : lastErased()) (nameTaken(db, id) ? taken : free).push_back(id);
    const std::vector<PlDbObjectId> restored = setErased(free, false);
    lastErased().clear();
    Lines lines;
    if (!restored.empty()) lines.push_back(L"Restored " + joinedList(described(restored)) + L".");
    if (!taken.empty())
        lines.push_back(L"Not restored: " + joinedList(described(taken)) + L", whose name another has taken meanwhile.");
    if (lines.empty()) lines.push_back(L"Nothing to restore.");
    return lines;
}

Lines move(PlDbDatabase* db, const Args& a) {
    PlGePoint3d offset;
    if (a.size() != 2 || !readPoint(a[1], offset)) return {L"Expected MOVE HANDLE|NAME dx,dy,dz. Nothing was moved."};
    std::wstring error;
    const PlDbObjectId id = findObject(db, a[0], error);
    if (id.isNull()) return {error + L" Nothing was moved."};
    const Plad::ErrorStatus es = plsim::moveEntity(id, offset.asVector());
    if (es == Plad::eWasErased) return {describeObject(id) + L" is erased. Nothing was moved."};
    if (es != Plad::eOk) return {describeObject(id) + L" cannot be moved that way. Nothing was moved."};
    return {L"Moved " + describeObject(id) + L" by " + displayTriple(offset.x, offset.y, offset.z) + L"."};
}

Lines select(PlDbDatabase* db, const Args& a) {
    if (a.size() == 1 && sameWord(a[0], L"NONE")) {
        plsim::setPickSelection({});
        return {L"Nothing is selected."};
    }
    if (!a.empty()) {
        std::wstring error;
        const std::vector<PlDbObjectId> ids = findObjects(db, a, error);
        if (ids.empty()) return {error + L" The selection is unchanged."};
        plsim::setPickSelection(ids);
    }
    const std::vector<PlDbObjectId> selection = plsim::pickSelection();
    if (selection.empty()) return {L"Nothing is selected."};
    return {L"Selected " + joinedList(described(selection)) + L"."};
}

Lines menu(PlDbDatabase* /*db*/, const Args& a) {
    if (plsim::pickSelection().empty()) return {L"Nothing is selected: SELECT objects first."};
    const std::vector<plsim::ContextMenuItem> items = plsim::contextMenu();
    if (items.empty()) return {L"The selection has no context menu."};
    if (a.empty()) {
        Lines lines;
        for (const plsim::ContextMenuItem& item : items) {
            lines.push_back(std::to_wstring(item.id) + L"  " + item.text + (item.checked ? L" (ticked)" : L"") +
                            (item.enabled ? L"" : L" (not available)"));
        }
        return lines;
    }
    unsigned id = 0;
    if (a.size() != 1 || !readUnsigned(a[0], id) || !plsim::chooseContextMenuItem(id))
        return {L"The context menu has no item \"" + a[0] + L"\" to choose. Type MENU for its items."};
    for (const plsim::ContextMenuItem& item : items) {
        if (item.id == id) return {L"Chose " + item.text + L"."};
    }
    return {};
}

/// A part of a motion path: its name, "-" for none, or the handle of a path no longer among the named paths.
std::wstring partText(const std::optional<std::wstring>& name, std::uint64_t handle = 0) {
    if (name) return L"\"" + *name + L"\"";
    return handle ? L"removed path " + handleText(handle) : L"-";
}

Lines paths(PlDbDatabase* db, const Args& a) {
    if (!a.empty()) return {L"PATHS takes no arguments."};
    Lines lines;
    const std::vector<plsim::scene::NamedPathInfo> named = plsim::scene::namedPathsOf(db);
    lines.push_back(named.empty() ? L"No named paths." : L"Named paths:");
    for (const plsim::scene::NamedPathInfo& path : named) {
        const PlDbObjectId entity = plsim::objectWithHandle(db, path.entity);
        lines.push_back(L"  \"" + path.name + L"\" " + handleText(path.handle) + L" on " + describeObject(entity) +
                        (entity.isErased() ? L" (erased)" : L""));
    }
    const std::vector<plsim::scene::MotionPathInfo> motions = plsim::scene::motionPathsOf(db);
    lines.push_back(motions.empty() ? L"No motion paths." : L"Motion paths:");
    for (const plsim::scene::MotionPathInfo& motion : motions) {
        lines.push_back(L"  \"" + motion.name + L"\" " + handleText(motion.handle) + L": camera " +
                        partText(motion.cameraPath, motion.cameraHandle) + L", target " +
                        partText(motion.targetPath, motion.targetHandle) + L", view " + partText(motion.view));
    }
    return lines;
}

const DrawingCommand kCommands[] = {
    {L"ERASE", L"ERASE HANDLE|NAME...", L"erase entities, lights (by name) or views", &erase},
    {L"OOPS", L"OOPS", L"restore what the last ERASE erased", &oops},
    {L"MOVE", L"MOVE HANDLE|NAME dx,dy,dz", L"move an entity or a light", &move},
    {L"SELECT", L"SELECT [NAME|HANDLE...|NONE]", L"select lights by name and entities by handle; show, clear", &select},
    {L"MENU", L"MENU [ID]", L"show the context menu of the selection, or choose item ID", &menu},
    {L"PATHS", L"PATHS", L"list the named paths and motion paths", &paths},
};

}  // namespace

std::vector<DrawingCommand> editCommands() { return {std::begin(kCommands), std::end(kCommands)}; }

}  // namespace plandor
