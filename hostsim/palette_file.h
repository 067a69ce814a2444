// Reading one colour book from the text of a palette file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/plcolorbook.h"
#include "host/plexport.h"

namespace plsim {

/// Lines of a palette file that broke its rules in one way: how many, and the first of them.
struct PaletteIssue {
    enum class Kind {
        NotAPalette,       ///< the first line is not "GIMP Palette": no book
        NotUtf8,           ///< bytes that are not UTF-8, read as U+FFFD
        NotAColor,         ///< skipped
        AboveRange,        ///< a value above 255: skipped
        NameTaken,         ///< a colour name the book has already: skipped
        ControlCharacter,  ///< in a colour's name: skipped
        BookNameIgnored,   ///< "Name:" empty, a second time, or with a control character
        ColumnsIgnored,    ///< "Columns:" without a whole number
    };
    Kind kind;
    std::size_t count = 0;
    std::size_t firstLine = 0;
};

/// A palette file read: the book, unless the file is no palette at all, what was wrong, and
/// one warning that sums it up.
struct PaletteRead {
    std::optional<PlColorBook> book;
    std::vector<PaletteIssue> issues;  ///< one of each kind met, in the order first met
    /// Empty when nothing was wrong; else one line, "<fileName>: " and for each kind how many
    /// lines, the first, and what was done: "warm.gpl: 2 colors with a value above 255, the
    /// first on line 4, skipped; 1 line with bytes that are not UTF-8, on line 9, read as U+FFFD."
    std::wstring warning;
};

/// Reads the palette format that paint and drawing programs exchange, from
/// `text` (UTF-8 bytes) of the file `fileName`, which only names the book and
/// the warnings:
///  - the first line is "GIMP Palette" (a byte-order mark and blanks at its
///    end are allowed); otherwise the file is no palette and has no book;
///  - "Name: <book name>" names the book; without it the book is named after
///    the file, its folder and extension dropped. Only the first counts;
///  - "Columns: <n>" (a whole number) is accepted and not used;
///  - lines starting with "#", and blank lines, are skipped;
///  - every other line is a colour: red, green and blue, each 0 to 255 and in
///    decimal digits, with blanks or tabs before and between them, then a
///    blank or tab and the colour's name (blanks inside it kept, blanks at
///    its end dropped). A colour without a name is named by its red, green
///    and blue as the true-colour prompt reads them: "0,153,255".
/// A colour line that breaks these rules, repeats a name already in the book
/// (letter case ignored), or whose name holds a control character other than
/// a tab is skipped; such a book name is ignored. Bytes that are not UTF-8 are
/// read as U+FFFD.
PLHOST_API PaletteRead readPalette(const std::wstring& fileName, std::string_view text);

}  // namespace plsim
