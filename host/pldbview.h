// Named views of a drawing: the view table and its records.
#pragma once

#include "host/pldb.h"

/// One named view.
class PLHOST_API PlDbViewTableRecord : public PlDbObject {
public:
    PlDbViewTableRecord();
    ~PlDbViewTableRecord() override;
    const wchar_t* name() const;
    /// 3 for a name that is empty or holds a control character; 85 when a
    /// record of a database is not open for write.
    Plad::ErrorStatus setName(const wchar_t* name);
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    struct Impl;
    Impl* m_impl;
};

/// The views of a drawing, in the order they were added.
class PLHOST_API PlDbViewTable : public PlDbObject {
public:
    ~PlDbViewTable() override;
    /// Adds a named record that is in no database yet; it stays open for
    /// write. 3 for a record without a name, 23 when a view that is not
    /// erased has the name (ignoring letter case), 85 when the table is not
    /// open for write.
    Plad::ErrorStatus add(PlDbObjectId& id, PlDbViewTableRecord* record);
    /// The view named `name` that is not erased; 22 when there is none.
    Plad::ErrorStatus getAt(const wchar_t* name, PlDbObjectId& id) const;
    /// Every record ever added, erased ones included.
    unsigned recordCount() const;
    PlDbObjectId recordAt(unsigned index) const;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    friend class PlDbDatabase;
    PlDbViewTable();
    struct Impl;
    Impl* m_impl;
};
