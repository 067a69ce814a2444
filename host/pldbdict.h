// Dictionaries of a drawing: named entries in the order they were added, and iterators
// over them that stay on course when the entry under them is removed.
#pragma once

#include "host/pldb.h"

class PlDbDictionaryIterator;

/// Named entries, each an object of the dictionary's database that the
/// dictionary owns. Names compare ignoring letter case.
class PLHOST_API PlDbDictionary : public PlDbObject {
public:
    PlDbDictionary();
    ~PlDbDictionary() override;
    PlDbDictionary(const PlDbDictionary&) = delete;
    PlDbDictionary& operator=(const PlDbDictionary&) = delete;

    /// Adds `object`, which is in no database yet, under `name`: it joins the
    /// dictionary's database and stays open for write, as an appended entity
    /// does. 3 for an empty name, 23 when the name is taken, 85 when the
    /// dictionary is not open for write, 124 when it is in no database.
    Plad::ErrorStatus setAt(const wchar_t* name, PlDbObject* object, PlDbObjectId& id);
    /// The object of the entry `name`; 22 when there is none.
    Plad::ErrorStatus getAt(const wchar_t* name, PlDbObjectId& id) const;
    bool has(const wchar_t* name) const;
    bool has(PlDbObjectId id) const;
    /// The name of the entry of `id`; null when `id` is no entry.
    const wchar_t* nameAt(PlDbObjectId id) const;
    /// Takes the entry of `id` out of the dictionary; the object stays in the
    /// database, owned by nobody. 22 when `id` is no entry, 85 when the
    /// dictionary is not open for write.
    Plad::ErrorStatus remove(PlDbObjectId id);
    unsigned numEntries() const;
    /// A new iterator on the first entry; the caller deletes it. Entries
    /// removed while it runs, the one under it included, are never visited
    /// again, and the next step goes on with the entry that followed.
    PlDbDictionaryIterator* newIterator() const;

    PlRxClass* isA() const override;
    static PlRxClass* desc();

    struct Impl;

private:
    Impl* m_impl;
};

/// Walks the entries of a dictionary in the order they were added.
class PLHOST_API PlDbDictionaryIterator {
public:
    ~PlDbDictionaryIterator();
    PlDbDictionaryIterator(const PlDbDictionaryIterator&) = delete;
    PlDbDictionaryIterator& operator=(const PlDbDictionaryIterator&) = delete;

    /// True once it has passed the last entry.
    bool done() const;
    /// Steps to the next entry still in the dictionary; false when none is left.
    bool next();
    /// The name and object of the entry under it (empty and null when done).
    const wchar_t* name() const;
    PlDbObjectId objectId() const;
    Plad::ErrorStatus getObject(PlDbObject*& object, PlDb::OpenMode mode) const;

private:
    friend class PlDbDictionary;
    struct State;
    explicit PlDbDictionaryIterator(State* state) : m_state(state) {}
    State* m_state;
};
