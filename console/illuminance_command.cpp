// The console's ILLUMINANCE command: the direct illuminance at a point, or on a work-plane grid
// with its statistics, a CSV file of its points and the picture's isolux plan.
#include "console/illuminance_command.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>

#include "console/arguments.h"
#include "console/display_numbers.h"
#include "drawingfile/drawing_dump.h"
#include "console/interrupt_scope.h"
#include "drawing/file_replace.h"
#include "drawing/utf8.h"
#include "illuminance/grid.h"

namespace plandor {

namespace {

using namespace illuminance;

constexpr wchar_t kPointSyntax[] = L"ILLUMINANCE x,y,z [nx,ny,nz]";
constexpr wchar_t kGridSyntax[] = L"ILLUMINANCE GRID x0,y0 x1,y1 SPACING [HEIGHT] [CSV FILE]";
constexpr wchar_t kNothing[] = L" Nothing was computed.";
/// Grids of more points than this show their progress at a terminal.
constexpr std::size_t kProgressAbove = 1'000'000;
/// The picture keeps at most about this many values along a side of the grid.
constexpr double kPictureSide = 400.0;

std::optional<IsoluxGrid> g_lastGrid;

std::wstring expected() { return L"Expected " + std::wstring(kPointSyntax) + L" or " + kGridSyntax + L"." + kNothing; }

std::wstring statsLine(const GridStats& s, const std::wstring& unit) {
    const auto ratio = [](const std::optional<double>& value) { return value ? displayNumber(*value) : L"-"; };
    return L"Emin " + displayNumber(s.minimum) + L" " + unit + L", Eavg " + displayNumber(s.average) + L" " + unit +
           L", Emax " + displayNumber(s.maximum) + L" " + unit + L", U0 " + ratio(s.overallUniformity()) + L", Ud " +
           ratio(s.diversity());
}

/// The share of a grid done, on one line of standard error at a terminal, written anew when it grows.
class Progress {
public:
    explicit Progress(std::size_t points) : m_shown(points > kProgressAbove && stderrIsTerminal()) {}
    ~Progress() {
        if (m_written) std::fputs("\r                                        \r", stderr);
    }
    void show(std::size_t done, std::size_t all) {
        if (!m_shown) return;
        const int percent = static_cast<int>(100.0 * static_cast<double>(done) / static_cast<double>(all));
        if (percent == m_percent) return;
        m_percent = percent;
        m_written = true;
        std::fprintf(stderr, "\rIlluminance grid: %d %% (Ctrl-C cancels)", percent);
        std::fflush(stderr);
    }

private:
    bool m_shown;
    bool m_written = false;
    int m_percent = -1;
};

/// The points of a grid as CSV, written to a new file that replaces the old one when complete.
class GridCsv {
public:
    GridCsv(const GridLayout& layout, const std::wstring& unit) : m_layout(layout), m_unit(unit) {}

    bool open(const std::filesystem::path& path) {
        return m_file.open(path) && m_file.write(
                                        "# Direct illuminance from the lights of the drawing, without "
                                        "obstruction or inter-reflection; x, y and z in drawing units\n"
                                        "x,y,z,E_" +
                                        toUtf8(m_unit) + "\n");
    }
    bool write(const GridBlock& block) {
        m_text.clear();
        const std::string z = jsonReal(m_layout.height);
        for (std::size_t r = 0; r < block.rows; ++r) {
            const std::string y = jsonReal(m_layout.y(block.row + r));
            for (std::size_t c = 0; c < block.columns; ++c) {
                m_text += jsonReal(m_layout.x(block.column + c));
                m_text += ',';
                m_text += y;
                m_text += ',';
                m_text += z;
                m_text += ',';
                m_text += jsonReal(block.values[r * block.columns + c]);
                m_text += '\n';
            }
        }
        return m_file.write(m_text);
    }
    bool commit() { return m_file.commit(); }
    const std::wstring& error() const { return m_file.error(); }

private:
    const GridLayout& m_layout;
    std::wstring m_unit;
    FileReplacement m_file;
    std::string m_text;
};

/// Every so many of a grid's values, for the picture.
class PictureSample {
public:
    PictureSample(const GridLayout& layout, const std::wstring& unit) {
        const double side = static_cast<double>(std::max(layout.columns, layout.rows));
        m_stride = static_cast<std::size_t>(std::max(1.0, std::ceil(side / kPictureSide)));
        m_grid.left = layout.left;
        m_grid.bottom = layout.bottom;
        m_grid.width = layout.cellWidth * static_cast<double>(layout.columns);
        m_grid.depth = layout.cellHeight * static_cast<double>(layout.rows);
        m_grid.height = layout.height;
        m_grid.columns = (layout.columns - 1) / m_stride + 1;
        m_grid.rows = (layout.rows - 1) / m_stride + 1;
        m_grid.x0 = layout.x(0);
        m_grid.y0 = layout.y(0);
        m_grid.dx = layout.cellWidth * static_cast<double>(m_stride);
        m_grid.dy = layout.cellHeight * static_cast<double>(m_stride);
        m_grid.values.assign(m_grid.columns * m_grid.rows, 0.0);
        m_grid.unit = unit;
    }
    void take(const GridBlock& block) {
        for (std::size_t r = 0; r < block.rows; ++r) {
            const std::size_t row = block.row + r;
            if (row % m_stride != 0) continue;
            for (std::size_t c = 0; c < block.columns; ++c) {
                const std::size_t column = block.column + c;
                if (column % m_stride == 0)
                    m_grid.values[row / m_stride * m_grid.columns + column / m_stride] =
                        block.values[r * block.columns + c];
            }
        }
    }
    IsoluxGrid& grid() { return m_grid; }

private:
    std::size_t m_stride = 1;
    IsoluxGrid m_grid;
};

std::vector<std::wstring> withNotes(const Scene& scene, std::vector<std::wstring> lines) {
    std::vector<std::wstring> out = scene.notes();
    out.insert(out.end(), lines.begin(), lines.end());
    return out;
}

std::vector<std::wstring> atPoint(PlDbDatabase* db, const std::vector<std::wstring>& words) {
    PlGePoint3d point;
    double normal[3] = {0.0, 0.0, 1.0};
    if (words.size() > 2 || !readPoint(words[0], point)) return {expected()};
    if (words.size() == 2 && !readNumbers(words[1], 3, normal)) return {expected()};
    if (normal[0] == 0.0 && normal[1] == 0.0 && normal[2] == 0.0)
        return {L"The normal " + words[1] + L" has no direction." + kNothing};
    std::wstring refusal;
    const std::optional<Scene> scene = drawingScene(db, refusal);
    if (!scene) return {refusal + kNothing};
    const double e = scene->at(point, {normal[0], normal[1], normal[2]}, widestAvailable());
    return withNotes(*scene, {L"Illuminance at " + displayTriple(point.x, point.y, point.z) + L": " + displayNumber(e) +
                              L" " + unitSymbol(scene->units())});
}

std::vector<std::wstring> onGrid(PlDbDatabase* db, const std::vector<std::wstring>& words) {
    // GRID x0,y0 x1,y1 SPACING [HEIGHT] [CSV FILE]
    GridRequest request;
    double a[2], b[2];
    std::size_t next = 4;
    if (words.size() < 4 || !readNumbers(words[1], 2, a) || !readNumbers(words[2], 2, b) ||
        !readNumber(words[3], request.spacing))
        return {expected()};
    if (next < words.size() && !sameWord(words[next], L"CSV")) {
        if (!readNumber(words[next], request.height)) return {expected()};
        ++next;
    }
    std::optional<std::filesystem::path> csv;
    if (next < words.size()) {
        if (!sameWord(words[next], L"CSV") || next + 2 != words.size() || words[next + 1].empty()) return {expected()};
        csv = widePath(words[next + 1]);
    }
    request.x0 = a[0], request.y0 = a[1], request.x1 = b[0], request.y1 = b[1];
    std::wstring refusal;
    const std::optional<GridLayout> layout = gridLayout(request, refusal);
    if (!layout) return {refusal + kNothing};
    if (csv) {
        if (const std::wstring problem = dumpPathProblem(*csv); !problem.empty())
            return {L"Cannot write \"" + pathText(*csv) + L"\": " + problem + kNothing};
    }
    const std::optional<Scene> scene = drawingScene(db, refusal);
    if (!scene) return {refusal + kNothing};
    const std::wstring unit = unitSymbol(scene->units());

    std::optional<GridCsv> file;
    if (csv) {
        file.emplace(*layout, unit);
        if (!file->open(*csv)) return {L"Cannot write \"" + pathText(*csv) + L"\": " + file->error() + L"." + kNothing};
    }
    PictureSample picture(*layout, unit);
    const InterruptScope interrupt;
    Progress progress(layout->points());
    GridRun run;
    run.cancel = &interrupt.interrupted();
    run.progress = [&progress](std::size_t done, std::size_t all) { progress.show(done, all); };
    run.block = [&](const GridBlock& block) {
        picture.take(block);
        return !file || file->write(block);
    };
    const GridResult result = computeGrid(*scene, *layout, run);
    switch (result.outcome) {
        case GridResult::Outcome::Cancelled:
            return withNotes(*scene, {L"The grid was cancelled; nothing was written."});
        case GridResult::Outcome::Stopped:
            static_cast<void>(file->commit());  // reports the failed write and removes the new file
            return withNotes(*scene, {L"Cannot write \"" + pathText(*csv) + L"\": " + file->error() +
                                      L". The grid was not finished; the file is as it was."});
        case GridResult::Outcome::Done: break;
    }
    if (file && !file->commit()) {
        return withNotes(*scene,
                         {L"Cannot write \"" + pathText(*csv) + L"\": " + file->error() + L". The file is as it was."});
    }
    g_lastGrid = std::move(picture.grid());
    std::vector<std::wstring> lines{L"Illuminance grid: " + std::to_wstring(layout->columns) + L" x " +
                                        std::to_wstring(layout->rows) + L" points at height " +
                                        displayNumber(layout->height),
                                    statsLine(result.stats, unit)};
    if (csv)
        lines.push_back(L"Wrote " + std::to_wstring(layout->points()) + L" points to \"" + pathText(*csv) + L"\".");
    return withNotes(*scene, lines);
}

std::vector<std::wstring> runIlluminance(PlDbDatabase* db, const std::vector<std::wstring>& words) {
    if (words.empty()) return {expected()};
    return sameWord(words[0], L"GRID") ? onGrid(db, words) : atPoint(db, words);
}

}  // namespace

DrawingCommand illuminanceCommand() {
    return {L"ILLUMINANCE", L"ILLUMINANCE x,y,z [nx,ny,nz] | GRID x0,y0 x1,y1 SPACING [HEIGHT] [CSV FILE]",
            L"direct illuminance (no obstruction, no reflection) at a point, or on a work-plane grid with its "
            L"minimum, average, maximum and uniformity",
            &runIlluminance};
}

void forgetIlluminanceGrid() { g_lastGrid.reset(); }

const IsoluxGrid* lastIlluminanceGrid() { return g_lastGrid ? &*g_lastGrid : nullptr; }

}  // namespace plandor
