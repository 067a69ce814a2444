// Colour books: named sets of colours that the host loads from the files of its colour-book folder.
#pragma once

#include <cstdint>
#include <vector>

#include "host/plexport.h"
#include "host/plstatus.h"
#include "host/plstring.h"

/// One colour of a book: its name as the book spells it, and its red, green and blue.
struct PlColorBookColor {
    PlString name;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

/// A named set of colours, in the order its file lists them.
class PLHOST_API PlColorBook {
public:
    PlColorBook() = default;
    PlColorBook(PlString name, std::vector<PlColorBookColor> colors);

    const wchar_t* name() const;
    int count() const;
    /// The colour at `index` (0 to count() - 1); null for any other index.
    const PlColorBookColor* colorAt(int index) const;
    /// The colour named `colorName`, or null when the book has none. With
    /// `ignoreCase` letter case does not matter. When found, `rgb` receives
    /// the colour as 0xRRGGBB; otherwise it is left alone.
    const PlColorBookColor* findColor(const wchar_t* colorName, std::uint32_t& rgb, bool ignoreCase) const;

private:
    PlString m_name;
    std::vector<PlColorBookColor> m_colors;
};

/// The colour books the host has loaded, in the order their files are named.
class PLHOST_API PlColorBookList {
public:
    int count() const;
    /// The book at `index` (0 to count() - 1); null for any other index.
    const PlColorBook* bookAt(int index) const;
    /// The book named `bookName`, or null when there is none. With
    /// `ignoreCase` letter case does not matter.
    const PlColorBook* findBook(const wchar_t* bookName, bool ignoreCase) const;

    /// Adds a book; false (and nothing added) when a book of that name,
    /// letter case ignored, is there already.
    bool add(PlColorBook book);
    void clear();

private:
    std::vector<PlColorBook> m_books;
};

/// The host's colour books as last loaded. Loaded from the colour-book
/// folder (PlDbHostApplicationServices::colorBookLocation) on first use.
/// Owned by the host; UpdateColorBooks replaces its books.
PLHOST_API const PlColorBookList* GetColorBooks();

/// Loads the colour books again from the folder `path`: every "*.gpl" palette
/// file in it is one book. A file or line that cannot be read is skipped with
/// a warning; the other books still load. Answers 0, or 3 when `path` is null
/// or not a folder that can be read (the list is then empty).
[[nodiscard]] PLHOST_API Plad::ErrorStatus UpdateColorBooks(const wchar_t* path);
