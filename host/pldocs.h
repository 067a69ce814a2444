// Documents: the open drawings, their databases and their locks.
#pragma once

#include "host/plexport.h"
#include "host/plstatus.h"

class PlDbDatabase;

namespace PlAp {
/// Lock modes of a document (bit set).
enum DocLockMode : int {
    kNone = 0x00,
    kAutoWrite = 0x01,
    kNotLocked = 0x02,
    kWrite = 0x04,
    kProtectedAutoWrite = 0x08,
    kRead = 0x10,
    kXWrite = 0x40,
};
}  // namespace PlAp

/// One open drawing.
class PLHOST_API PlApDocument {
public:
    PlDbDatabase* database() const;
    const wchar_t* fileName() const;
    /// The lock mode in force: the mode of the innermost lock, kNotLocked when none.
    int myLockMode() const;
    /// How many locks are held on the document.
    int lockCount() const;

    struct Impl;
    explicit PlApDocument(Impl* impl) : m_impl(impl) {}

private:
    Impl* m_impl;
};

/// The host's documents.
class PLHOST_API PlApDocManager {
public:
    /// The document commands work on; null when none is open.
    PlApDocument* curDocument() const;
    /// The document whose window is active; null when none is open.
    PlApDocument* mdiActiveDocument() const;
    /// The document that owns `db`; null when none does.
    PlApDocument* document(const PlDbDatabase* db) const;
    /// Locks a document. Answers 0, 330 for a null document (or one that is
    /// not open), 3 for a mode that is no single lock mode, or 20048 when the
    /// document is held by another lock that excludes it.
    Plad::ErrorStatus lockDocument(PlApDocument* doc, int mode = PlAp::kWrite,
                                   const wchar_t* globalCmdName = nullptr,
                                   const wchar_t* localCmdName = nullptr, bool prompt = true);
    /// Releases the innermost lock. 330 for a null document, 20048 when it
    /// holds no lock.
    Plad::ErrorStatus unlockDocument(PlApDocument* doc);
    int documentCount() const;
};
PLHOST_API PlApDocManager* plDocManagerPtr();
