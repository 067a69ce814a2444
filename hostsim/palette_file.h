// Reading one colour book from the text of a palette file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/plcolorbook.h"
#include "host/plexport.h"

namespace plsim {

/// A palette file read: the book, unless the file is no palette at all, and
/// a warning for every line that was skipped or ignored.
struct PaletteRead {
    std::optional<PlColorBook> book;
    std::vector<std::wstring> warnings;  ///< each "<fileName>, line N: what was wrong; what was done."
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
///    its end dropped).
/// A colour line that breaks these rules, has no name, repeats a name
/// already in the book (letter case ignored), or whose name holds a control
/// character other than a tab is skipped with a warning; so is such a book name.
/// Bytes that are not UTF-8 are read as U+FFFD, with a warning.
PLHOST_API PaletteRead readPalette(const std::wstring& fileName, std::string_view text);

}  // namespace plsim
