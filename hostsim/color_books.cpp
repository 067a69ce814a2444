// Colour books: the books and their lookups, loading them from the colour-book folder, and the
// folder the host application services report.
//
// Loading. Every "*.gpl" file of the folder, in the order of the files' names,
// is read as one book. The first book of a name wins; a later file with a book
// of the same name (letter case ignored) is skipped. The module reloads the
// books each time it asks for them, so a warning is printed to stderr only the
// first time it arises in a session; colorBookWarnings keeps those of the
// last loading.
#include "host/plcolorbook.h"

#include <cstdio>
#include <set>
#include <string>
#include <utility>

#include "host/pldb.h"
#include "hostsim/driver.h"
#include "hostsim/internal.h"
#include "hostsim/palette_file.h"

namespace plsim {
namespace {

#if defined(_WIN32)
constexpr const wchar_t* kSeparator = L"\\";
#else
constexpr const wchar_t* kSeparator = L"/";
#endif

struct ColorBookState {
    bool locationChosen = false;  // false: the default folder
    bool hasLocation = true;
    std::wstring chosenLocation;
    std::wstring reportedLocation;  // what colorBookLocation handed out last
    bool loaded = false;
    PlColorBookList books;
    std::vector<std::wstring> warnings;
    std::set<std::wstring> printed;
};

ColorBookState& state() {
    static ColorBookState s;
    return s;
}

void warn(const std::wstring& text) {
    ColorBookState& s = state();
    s.warnings.push_back(text);
    if (s.printed.insert(text).second) std::fprintf(stderr, "plhost: %s\n", detail::toUtf8(text).c_str());
}

bool sameName(const PlString& name, const wchar_t* wanted, bool ignoreCase) {
    if (!wanted) return false;
    return ignoreCase ? detail::iequals(name.str(), wanted) : name == wanted;
}

}  // namespace

void setColorBookLocation(const wchar_t* folder) {
    ColorBookState& s = state();
    s.locationChosen = true;
    s.hasLocation = folder != nullptr;
    s.chosenLocation = folder ? folder : L"";
}

std::vector<std::wstring> colorBookWarnings() { return state().warnings; }

namespace detail {

void resetColorBooks() {
    ColorBookState& s = state();
    s.locationChosen = false;
    s.hasLocation = true;
    s.chosenLocation.clear();
    s.loaded = false;
    s.books.clear();
    s.warnings.clear();
    s.printed.clear();
}

}  // namespace detail
}  // namespace plsim

// ---- Books -----------------------------------------------------------------

PlColorBook::PlColorBook(PlString name, std::vector<PlColorBookColor> colors)
    : m_name(std::move(name)), m_colors(std::move(colors)) {}

const wchar_t* PlColorBook::name() const { return m_name.kwszPtr(); }
int PlColorBook::count() const { return static_cast<int>(m_colors.size()); }

const PlColorBookColor* PlColorBook::colorAt(int index) const {
    return index >= 0 && index < count() ? &m_colors[static_cast<std::size_t>(index)] : nullptr;
}

const PlColorBookColor* PlColorBook::findColor(const wchar_t* colorName, std::uint32_t& rgb, bool ignoreCase) const {
    for (const PlColorBookColor& color : m_colors) {
        if (!plsim::sameName(color.name, colorName, ignoreCase)) continue;
        rgb = (std::uint32_t{color.red} << 16) | (std::uint32_t{color.green} << 8) | color.blue;
        return &color;
    }
    return nullptr;
}

int PlColorBookList::count() const { return static_cast<int>(m_books.size()); }

const PlColorBook* PlColorBookList::bookAt(int index) const {
    return index >= 0 && index < count() ? &m_books[static_cast<std::size_t>(index)] : nullptr;
}

const PlColorBook* PlColorBookList::findBook(const wchar_t* bookName, bool ignoreCase) const {
    for (const PlColorBook& book : m_books)
        if (plsim::sameName(book.name(), bookName, ignoreCase)) return &book;
    return nullptr;
}

bool PlColorBookList::add(PlColorBook book) {
    if (findBook(book.name(), true)) return false;
    m_books.push_back(std::move(book));
    return true;
}

void PlColorBookList::clear() { m_books.clear(); }

// ---- Loading ---------------------------------------------------------------

const PlColorBookList* GetColorBooks() {
    if (!plsim::state().loaded) {
        static_cast<void>(UpdateColorBooks(pldbHostApplicationServices()->colorBookLocation()));
    }
    return &plsim::state().books;
}

Plad::ErrorStatus UpdateColorBooks(const wchar_t* path) {
    plsim::ColorBookState& s = plsim::state();
    s.loaded = true;
    s.books.clear();
    s.warnings.clear();
    if (!path) return Plad::eInvalidInput;
    std::vector<std::wstring> files;
    if (!plsim::detail::filesInFolder(path, L".gpl", files)) {
        plsim::warn(L"the color book folder \"" + std::wstring(path) + L"\" cannot be read; no color books are loaded.");
        return Plad::eInvalidInput;
    }
    for (const std::wstring& file : files) {
        std::string bytes;
        if (!plsim::detail::readFileBytes(file, bytes)) {
            plsim::warn(file + L": the file cannot be read; it is skipped.");
            continue;
        }
        plsim::PaletteRead read = plsim::readPalette(file, bytes);
        if (!read.warning.empty()) plsim::warn(read.warning);
        if (!read.book) continue;
        const std::wstring name = read.book->name();
        if (!s.books.add(std::move(*read.book))) {
            plsim::warn(file + L": a book named \"" + name + L"\" is loaded already; the file is skipped.");
        }
    }
    return Plad::eOk;
}

// ---- Host application services ---------------------------------------------

const wchar_t* PlDbHostApplicationServices::colorBookLocation() const {
    plsim::ColorBookState& s = plsim::state();
    if (!s.hasLocation) return nullptr;
    std::wstring location =
        s.locationChosen ? s.chosenLocation : plsim::moduleDirectory() + plsim::kSeparator + L"colorbooks";
    // Kept in place while it does not change, so that a pointer handed out earlier stays good.
    if (s.reportedLocation != location) s.reportedLocation = std::move(location);
    return s.reportedLocation.c_str();
}
