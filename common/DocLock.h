// DocLock: a document lock held for a scope and released on every exit.
#pragma once

#include "host/pldb.h"
#include "host/pldocs.h"
#include "host/plstatus.h"

class DocLock {
public:
    DocLock() = default;
    DocLock(const DocLock&) = delete;
    DocLock& operator=(const DocLock&) = delete;
    /// Unlocks a held document.
    virtual ~DocLock();

    /// Locks the document of the object's database. 16 for a null id, 600 for
    /// an id that is not valid.
    virtual Plad::ErrorStatus lockObject(PlDbObjectId id, int mode, const wchar_t* globalCmdName,
                                         const wchar_t* localCmdName);
    /// Locks the document of a database; 124 for a null database.
    virtual Plad::ErrorStatus lockDatabase(PlDbDatabase* db, int mode, const wchar_t* globalCmdName,
                                           const wchar_t* localCmdName);
    /// Locks a document; 330 for a null one. A document already locked for
    /// write is left as it is (answer 0, nothing held).
    virtual Plad::ErrorStatus lockDocument(PlApDocument* doc, int mode, const wchar_t* globalCmdName,
                                           const wchar_t* localCmdName);
    /// Unlocks the held document; 0 when none is held.
    virtual Plad::ErrorStatus unlock();
    /// Stops holding the document without unlocking it.
    virtual void release();

    PlApDocument* document() const { return m_document; }

private:
    PlApDocument* m_document = nullptr;
};
