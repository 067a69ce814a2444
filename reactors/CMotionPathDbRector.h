// CMotionPathDbRector: the database reactor that removes named paths and motion paths whose
// curves or views have been erased or have stopped being curves.
#pragma once

#include <vector>

#include "host/pldb.h"

class CMotionPathDbRector : public PlDbDatabaseReactor {
public:
    CMotionPathDbRector();
    /// Leaves every database that still holds it.
    ~CMotionPathDbRector() override;
    CMotionPathDbRector(const CMotionPathDbRector&) = delete;
    CMotionPathDbRector& operator=(const CMotionPathDbRector&) = delete;

    /// An entity named by a named path that is no longer a supported curve loses the path.
    void objectModified(const PlDbDatabase* db, const PlDbObject* object) override;
    /// An erased view takes its motion paths along; an erased curve its named
    /// paths and the motion paths that run on them.
    void objectErased(const PlDbDatabase* db, const PlDbObject* object, bool erased) override;
    /// A database that ends is forgotten, so no pointer to it is kept.
    void goodbye(const PlDbDatabase* db) override;

    /// Starts and stops watching a database.
    void watch(PlDbDatabase* db);
    void unwatch(PlDbDatabase* db);
    /// Stops watching every database.
    void unwatchAll();

private:
    void forget(const PlDbDatabase* db);

    /// The databases it was added to that still exist.
    std::vector<PlDbDatabase*> m_databases;
};
