// Fuzz target: the drawing file's reader and the building of a drawing from what it read, as
// OPEN does, beside a drawing that is open already. Each input must either be refused, saying
// why and naming the value at fault (or the line and column of a text that is no JSON), with
// the open drawing, the system variables and the user coordinate system as they were; or
// opened into a drawing whose file, opened again, gives that same file. Nothing may be left
// open, and the database may catch no programming error.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "drawingfile/drawing_builder.h"
#include "host/pldocs.h"
#include "host/plrx.h"
#include "hostsim/document_driver.h"
#include "hostsim/driver.h"
#include "hostsim/internal.h"

namespace {

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "drawing file fuzz: %s\n", what.c_str());
    std::abort();
}

void require(bool condition, const char* what) {
    if (!condition) fail(what);
}

std::string fileOf(PlApDocument* drawing) { return plandor::drawingFileText(plandor::drawingFileOf(drawing->database())); }

/// A refusal names what it refuses: a pointer ("" or "/..."), a reason, and for a text that is no
/// JSON a place in it.
void requireNamed(const plandor::JsonFault& fault, std::string_view text) {
    require(!fault.reason.empty(), "a refusal without a reason");
    require(fault.pointer.empty() || fault.pointer[0] == '/', "a refusal whose pointer does not start with /");
    std::size_t lines = 1;
    for (const char c : text) lines += c == '\n';
    require(fault.line <= lines, "a refusal past the last line");
    require((fault.line == 0) == (fault.column == 0), "a line without a column");
}

/// The drawing open before each input: one of each kind of object, changed settings.
PlApDocument* openBefore() {
    PlApDocument* drawing = plsim::openDrawing(L"Before");
    PlDbDatabase* db = drawing->database();
    plsim::EntityInfo line;
    line.points = {{0, 0, 0}, {10, 0, 0}};
    plsim::scene::LightInfo light;
    light.name = L"Before";
    light.kind = 3;
    light.direction = {0, 0, -1};
    light.shadow = {true, 0, 256, 1, 1, 1.0, 1.0, 1.0, 16, false};
    light.photometry.distance = 1.0;
    light.photometry.physicalIntensity = 1500.0;
    PlDbObjectId id, lineId;
    require(plsim::addEntity(db, line, lineId) == Plad::eOk && plsim::scene::addLight(db, light, id) == Plad::eOk &&
                plsim::addView(db, L"Front", id) == Plad::eOk &&
                plsim::scene::addNamedPath(db, L"Rail", lineId, id) == Plad::eOk,
            "the drawing before cannot be made");
    require(plsim::setVar(L"LUPREC", L"3") && plsim::setUcs(1, 2, 3, 0, 1, 0, 0, 0, 1), "the settings before cannot be made");
    plsim::markDrawingSaved(drawing);
    return drawing;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool loaded = [] {
        plsim::resetSession();
        return plrxLoadModule(L"PlSceneOE.dbx", false, false);
    }();
    require(loaded, "the light-entity module does not load");
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PlApDocument* before = openBefore();
    const std::string beforeFile = fileOf(before);

    const plandor::ReadDrawing read = plandor::readDrawing(text);
    const plandor::BuiltDrawing built =
        read.drawing ? plandor::buildDrawing(*read.drawing, L"Opened") : plandor::BuiltDrawing{};
    if (!built.drawing) {
        requireNamed(read.drawing ? built.refusal : read.refusal, text);
        require(plDocManagerPtr()->curDocument() == before && plsim::drawings().size() == 1, "a refused drawing stays open");
        require(fileOf(before) == beforeFile && !plsim::drawingModified(before), "a refusal changed the open drawing");
    } else {
        require(plDocManagerPtr()->curDocument() == built.drawing && !plsim::drawingModified(built.drawing),
                "an opened drawing is not the current one, or counts as changed");
        const std::string first = fileOf(built.drawing);
        const plandor::ReadDrawing again = plandor::readDrawing(first);
        if (!again.drawing) fail("its own file is refused: " + plsim::detail::toUtf8(plandor::faultText(again.refusal)));
        const plandor::BuiltDrawing rebuilt = plandor::buildDrawing(*again.drawing, L"Again");
        if (!rebuilt.drawing) fail("its own file cannot be built: " + plsim::detail::toUtf8(plandor::faultText(rebuilt.refusal)));
        if (fileOf(rebuilt.drawing) != first) fail("opened again, it saves otherwise:\n" + first + "\n" + fileOf(rebuilt.drawing));
        plsim::closeDrawing(rebuilt.drawing);
        plsim::closeDrawing(built.drawing);
    }
    plsim::closeDrawing(before);
    require(plsim::openObjectCount() == 0, "an object is left open");
    require(plsim::drawingErrors().empty(), "the database caught a programming error");
    // What the input made is freed with it, so that libFuzzer's count of allocations and
    // frees for each input sees only real leaks.
    plsim::resetSession();
    return 0;
}
