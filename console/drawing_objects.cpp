// What the console's drawing commands share: the current drawing, describing and finding objects.
#include "console/drawing_objects.h"

#include "console/arguments.h"
#include "drawing/entity_kind.h"
#include "host/pldbents.h"
#include "host/pldbview.h"
#include "host/pldocs.h"
#include "host/plscene.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/internal.h"

namespace plandor {

PlDbDatabase* currentDatabase() {
    const PlApDocument* drawing = plDocManagerPtr()->curDocument();
    return drawing ? drawing->database() : nullptr;
}

std::wstring describeObject(PlDbObjectId id) {
    PlDbObject* object = nullptr;
    if (pldbOpenPlDbObject(object, id, PlDb::kForNotify, true) != Plad::eOk) return handleText(id.handle());
    std::wstring text;
    if (object->isKindOf(PlDbLight::desc())) {
        text = L"light \"" + std::wstring(static_cast<PlDbLight*>(object)->name()) + L"\"";
    } else if (object->isKindOf(PlDbViewTableRecord::desc())) {
        text = L"view \"" + std::wstring(static_cast<PlDbViewTableRecord*>(object)->name()) + L"\"";
    } else {
        text = entityTitle(object) + L" " + handleText(id.handle());
    }
    object->close();
    return text;
}

PlDbObjectId findObject(PlDbDatabase* db, const std::wstring& word, std::wstring& error) {
    PlDbObjectId id;
    if (PlLightServiceManager::idAt(id, word.c_str(), db) == Plad::eOk) return id;
    id = plsim::viewNamed(db, word);
    if (!id.isNull()) return id;
    std::uint64_t handle = 0;
    if (readHandle(word, handle)) {
        id = plsim::objectWithHandle(db, handle);
        PlDbObject* object = nullptr;
        if (pldbOpenPlDbObject(object, id, PlDb::kForNotify, true) == Plad::eOk) {
            const bool named = !entityTitle(object).empty() || object->isKindOf(PlDbViewTableRecord::desc());
            object->close();
            if (named) return id;
        }
        error = L"There is no entity or view with the handle " + handleText(handle) + L".";
        return {};
    }
    error = L"\"" + word + L"\" is neither a light, a view nor a handle.";
    return {};
}

std::vector<PlDbObjectId> findObjects(PlDbDatabase* db, const std::vector<std::wstring>& words, std::wstring& error) {
    std::vector<PlDbObjectId> ids;
    for (const std::wstring& word : words) {
        const PlDbObjectId id = findObject(db, word, error);
        if (id.isNull()) return {};
        ids.push_back(id);
    }
    return ids;
}

std::wstring joinedList(const std::vector<std::wstring>& items) {
    std::wstring text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? L" and " : L", ";
        text += items[i];
    }
    return text;
}

}  // namespace plandor
