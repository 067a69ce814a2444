// The string table that a resource module built for Linux exports (on Windows
// the same texts are a STRINGTABLE of a resource-only DLL).
#pragma once

struct PlResEntry {
    unsigned id;
    const wchar_t* text;
};

/// Exported unmangled by the resource module: its entries, sorted by id.
extern "C" typedef const PlResEntry* (*PlResStringTableFn)(unsigned* count);
#define PL_RES_STRING_TABLE_SYMBOL "plResStringTable"
