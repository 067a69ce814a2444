// Fuzz target: the palette-file reader behind the colour books. Any text must give either no
// book and a warning, or a book whose colours have names a user can type, told apart ignoring
// case and found by them; the one warning of a file names it, and counts lines it has.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "hostsim/palette_file.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

/// No control character but the tab, which is a blank here: a name must be one a user can type.
bool typable(const std::wstring& name) {
    for (const wchar_t c : name)
        if ((c < 0x20 && c != L'\t') || c == 0x7F) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::wstring file = L"fuzz.gpl";
    const plsim::PaletteRead read = plsim::readPalette(file, text);
    std::size_t lines = 1;
    for (const char c : text) lines += c == '\n';
    // One warning a file at most, naming the file; each kind counts lines of the file from its first on.
    for (const plsim::PaletteIssue& issue : read.issues)
        require(issue.count >= 1 && issue.firstLine >= 1 && issue.firstLine + issue.count - 1 <= lines);
    require(read.warning.empty() == read.issues.empty());
    require(read.warning.empty() || read.warning.compare(0, file.size() + 2, file + L": ") == 0);
    if (!read.book) {
        require(read.issues.size() == 1 && read.issues[0].kind == plsim::PaletteIssue::Kind::NotAPalette);
        return 0;
    }
    const PlColorBook& book = *read.book;
    require(book.name() && *book.name() && typable(book.name()));
    require(static_cast<std::size_t>(book.count()) < lines);
    require(book.colorAt(book.count()) == nullptr && book.colorAt(-1) == nullptr);
    for (int i = 0; i < book.count(); ++i) {
        const PlColorBookColor* color = book.colorAt(i);
        require(color != nullptr);
        const std::wstring name = color->name.str();
        require(typable(name) && !name.empty() && !isBlank(name.front()) && !isBlank(name.back()));
        std::uint32_t rgb = 0;
        require(book.findColor(name.c_str(), rgb, true) == color);
        require(rgb == (std::uint32_t{color->red} << 16 | std::uint32_t{color->green} << 8 | color->blue));
    }
    return 0;
}
