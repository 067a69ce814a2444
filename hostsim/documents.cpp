// Documents: the open drawings with their databases and locks, the working database and the
// host application services.
//
// Locks. The stand-in runs one user in one session, so every lock request
// comes from the same place: a document already locked (for write or any
// other mode) is locked again, the locks stack, and the innermost mode is the
// one in force. A lock is refused only when a DocumentLock fault is injected.
#include "host/pldocs.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "host/pldb.h"
#include "host/plrx.h"
#include "hostsim/db_internal.h"
#include "hostsim/document_driver.h"
#include "hostsim/driver.h"
#include "hostsim/internal.h"

struct PlApDocument::Impl {
    std::wstring name;
    std::unique_ptr<PlDbDatabase> database;
    std::vector<int> locks;  // innermost last
    std::uint64_t savedChanges = 0;  ///< the database's count of changes when last saved or opened
};

namespace plsim {
namespace {

struct OpenDocument {
    std::unique_ptr<PlApDocument::Impl> impl;
    std::unique_ptr<PlApDocument> document;
};

struct DocumentState {
    std::vector<OpenDocument> open;
    PlApDocument* current = nullptr;
    PlDbDatabase* working = nullptr;
    std::wstring roamingFolder;
};

// Never destroyed: databases may still be referenced while the process ends.
DocumentState& state() {
    static auto* s = new DocumentState;
    return *s;
}

std::vector<OpenDocument>::iterator findOpen(const PlApDocument* doc) {
    auto& open = state().open;
    return std::find_if(open.begin(), open.end(), [doc](const OpenDocument& o) { return o.document.get() == doc; });
}

PlApDocument::Impl* implOf(const PlApDocument* doc) {
    if (!doc) return nullptr;
    auto it = findOpen(doc);
    return it == state().open.end() ? nullptr : it->impl.get();
}

// One of the modes a lock can be taken in (kNone, kNotLocked and combinations are not).
bool isLockMode(int mode) {
    return mode == PlAp::kAutoWrite || mode == PlAp::kWrite || mode == PlAp::kProtectedAutoWrite ||
           mode == PlAp::kRead || mode == PlAp::kXWrite;
}

std::wstring environment(const char* name) {
#if defined(_WIN32)
    std::wstring wide(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wide.c_str());
    return value ? std::wstring(value) : std::wstring();
#else
    const char* value = std::getenv(name);
    return value ? detail::fromUtf8(value) : std::wstring();
#endif
}

std::wstring roamingFolder() {
    const std::wstring chosen = environment("PLANDOR_ROAMING");
    if (!chosen.empty()) return chosen;
#if defined(_WIN32)
    std::wstring base = environment("APPDATA");
    if (base.empty()) base = environment("TEMP");
    if (base.empty()) base = L".";
    return base + L"\\Plandor\\Roaming";
#else
    const std::wstring home = environment("HOME");
    return home.empty() ? std::wstring(L"/tmp/plandor/roaming") : home + L"/.plandor/roaming";
#endif
}

// Keeps `text` in `store` without moving it when it did not change, so a
// pointer handed out earlier stays good while the answer stays the same.
const wchar_t* keep(std::wstring& store, std::wstring text) {
    if (store != text) store = std::move(text);
    return store.c_str();
}

}  // namespace

// ---- Driver ----------------------------------------------------------------

PlApDocument* openDrawing(const std::wstring& name) {
    DocumentState& s = state();
    OpenDocument o;
    o.impl = std::make_unique<PlApDocument::Impl>();
    o.impl->name = name;
    o.impl->database = std::make_unique<PlDbDatabase>(true, false);
    o.impl->savedChanges = o.impl->database->impl()->changes;
    o.document = std::make_unique<PlApDocument>(o.impl.get());
    PlApDocument* doc = o.document.get();
    s.open.push_back(std::move(o));
    s.current = doc;
    s.working = doc->database();
    detail::broadcastAppMessage(PlRx::kLoadDwgMsg);
    return doc;
}

void closeDrawing(PlApDocument* doc) {
    DocumentState& s = state();
    if (!doc || findOpen(doc) == s.open.end()) return;
    // Applications hear of it while it is the drawing they work on.
    PlApDocument* const wasCurrent = s.current;
    PlDbDatabase* const wasWorking = s.working;
    s.current = doc;
    s.working = doc->database();
    detail::broadcastAppMessage(PlRx::kUnloadDwgMsg);
    s.current = wasCurrent;
    s.working = wasWorking;
    auto it = findOpen(doc);
    if (it == s.open.end()) return;
    PlDbDatabase* closingDb = it->impl->database.get();
    OpenDocument closing = std::move(*it);
    it = s.open.erase(it);
    if (s.current == doc) {
        if (s.open.empty()) {
            s.current = nullptr;
        } else {
            s.current = (it != s.open.end() ? it : std::prev(it))->document.get();
        }
    }
    if (s.working == closingDb) s.working = s.current ? s.current->database() : nullptr;
    // `closing` goes out of scope here: the document and its database end.
}

std::vector<PlApDocument*> drawings() {
    std::vector<PlApDocument*> docs;
    for (const OpenDocument& o : state().open) docs.push_back(o.document.get());
    return docs;
}

void setCurrentDrawing(PlApDocument* doc) {
    if (!implOf(doc)) return;
    state().current = doc;
    state().working = doc->database();
}

bool drawingModified(const PlApDocument* doc) {
    const PlApDocument::Impl* impl = implOf(doc);
    return impl && impl->database->impl()->changes != impl->savedChanges;
}

void markDrawingSaved(PlApDocument* doc) {
    if (PlApDocument::Impl* impl = implOf(doc)) impl->savedChanges = impl->database->impl()->changes;
}

namespace detail {

void noteDrawingChanged() {
    if (PlApDocument::Impl* impl = implOf(state().current)) ++impl->database->impl()->changes;
}

void resetDocuments() {
    DocumentState& s = state();
    s.current = nullptr;
    s.working = nullptr;
    // Close the newest first, as a user closing every window would.
    while (!s.open.empty()) closeDrawing(s.open.back().document.get());
}

}  // namespace detail
}  // namespace plsim

// ---- Documents -------------------------------------------------------------

PlDbDatabase* PlApDocument::database() const { return m_impl->database.get(); }
const wchar_t* PlApDocument::fileName() const { return m_impl->name.c_str(); }
int PlApDocument::myLockMode() const { return m_impl->locks.empty() ? PlAp::kNotLocked : m_impl->locks.back(); }
int PlApDocument::lockCount() const { return static_cast<int>(m_impl->locks.size()); }

PlApDocument* PlApDocManager::curDocument() const { return plsim::state().current; }
PlApDocument* PlApDocManager::mdiActiveDocument() const { return plsim::state().current; }

PlApDocument* PlApDocManager::document(const PlDbDatabase* db) const {
    if (!db) return nullptr;
    for (const plsim::OpenDocument& o : plsim::state().open)
        if (o.impl->database.get() == db) return o.document.get();
    return nullptr;
}

Plad::ErrorStatus PlApDocManager::lockDocument(PlApDocument* doc, int mode, const wchar_t* /*globalCmdName*/,
                                               const wchar_t* /*localCmdName*/, bool /*prompt*/) {
    PlApDocument::Impl* impl = plsim::implOf(doc);
    if (!impl) return Plad::eNoDocument;
    if (plsim::detail::takeFault(plsim::Fault::DocumentLock)) return Plad::eLockViolation;
    if (!plsim::isLockMode(mode)) return Plad::eInvalidInput;
    impl->locks.push_back(mode);
    return Plad::eOk;
}

Plad::ErrorStatus PlApDocManager::unlockDocument(PlApDocument* doc) {
    PlApDocument::Impl* impl = plsim::implOf(doc);
    if (!impl) return Plad::eNoDocument;
    if (impl->locks.empty()) return Plad::eLockViolation;
    impl->locks.pop_back();
    return Plad::eOk;
}

int PlApDocManager::documentCount() const { return static_cast<int>(plsim::state().open.size()); }

PlApDocManager* plDocManagerPtr() {
    static PlApDocManager manager;
    return &manager;
}

// ---- Host application services ---------------------------------------------

PlDbDatabase* PlDbHostApplicationServices::workingDatabase() const { return plsim::state().working; }
void PlDbHostApplicationServices::setWorkingDatabase(PlDbDatabase* db) { plsim::state().working = db; }

Plad::ErrorStatus PlDbHostApplicationServices::getRoamableRootFolder(const wchar_t*& folder) {
    folder = plsim::keep(plsim::state().roamingFolder, plsim::roamingFolder());
    return Plad::eOk;
}

PlDbHostApplicationServices* pldbHostApplicationServices() {
    static PlDbHostApplicationServices services;
    return &services;
}
