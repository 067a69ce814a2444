// DocLock: locking by object, database or document through the document manager.
#include "common/DocLock.h"

DocLock::~DocLock() { unlock(); }

Plad::ErrorStatus DocLock::lockObject(PlDbObjectId id, int mode, const wchar_t* globalCmdName,
                                      const wchar_t* localCmdName) {
    if (id.isValid()) return lockDatabase(id.database(), mode, globalCmdName, localCmdName);
    return id.isNull() ? Plad::eNullObjectId : Plad::eInvalidObjectId;
}

Plad::ErrorStatus DocLock::lockDatabase(PlDbDatabase* db, int mode, const wchar_t* globalCmdName,
                                        const wchar_t* localCmdName) {
    if (!db) return Plad::eNoDatabase;
    PlApDocManager* docs = plDocManagerPtr();
    return lockDocument(docs ? docs->document(db) : nullptr, mode, globalCmdName, localCmdName);
}

Plad::ErrorStatus DocLock::lockDocument(PlApDocument* doc, int mode, const wchar_t* globalCmdName,
                                        const wchar_t* localCmdName) {
    if (!doc) return Plad::eNoDocument;
    if (doc->myLockMode() & PlAp::kWrite) return Plad::eOk;
    Plad::ErrorStatus es = plDocManagerPtr()->lockDocument(doc, mode, globalCmdName, localCmdName, false);
    if (es == Plad::eOk) m_document = doc;
    return es;
}

Plad::ErrorStatus DocLock::unlock() {
    if (!m_document) return Plad::eOk;
    PlApDocument* doc = m_document;
    m_document = nullptr;
    return plDocManagerPtr()->unlockDocument(doc);
}

void DocLock::release() { m_document = nullptr; }
