// The console's PLAN command and plandor --plan: the picture of the drawing, written to a file.
#include "console/plan_command.h"

#include <exception>

#include "drawingfile/drawing_dump.h"
#include "console/illuminance_command.h"
#include "drawing/file_replace.h"
#include "console/light_table.h"
#include "picture/plan_picture.h"
#include "drawing/utf8.h"

namespace plandor {

namespace {

std::wstring counted(std::size_t count, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(count) + L" " + (count == 1 ? one : many);
}

PlanContent contentOf(PlDbDatabase* db) {
    const IsoluxGrid* grid = lastIlluminanceGrid();
    return {plsim::scene::lightsOf(db), entityOutlinesOf(db), photometricLighting(),
            grid ? std::optional<IsoluxGrid>(*grid) : std::nullopt};
}

/// Writes the picture of `content` to `path`; false with why not in `reason`.
bool writePicture(const std::filesystem::path& path, const PlanContent& content, std::wstring& reason) {
    std::wstring failure;
    try {
        if (replaceFile(path, planPictureSvg(content), failure)) return true;
    } catch (const std::exception& e) {
        failure = fromUtf8(e.what());
    }
    const std::wstring problem = dumpPathProblem(path);
    reason = problem.empty() ? failure + L"." : problem;
    return false;
}

std::vector<std::wstring> plan(PlDbDatabase* db, const std::vector<std::wstring>& arguments) {
    if (arguments.size() != 1 || arguments[0].empty()) return {L"Expected PLAN FILE. No picture was written."};
    const PlanContent content = contentOf(db);
    std::wstring reason;
    if (!writePicture(widePath(arguments[0]), content, reason)) {
        return {L"Cannot write the picture \"" + arguments[0] + L"\": " + reason};
    }
    return {L"Wrote the plan and front elevation of " + counted(content.lights.size(), L"light", L"lights") +
            L" and " + counted(content.entities.size(), L"entity", L"entities") + L" to \"" + arguments[0] + L"\"."};
}

}  // namespace

DrawingCommand planCommand() {
    return {L"PLAN", L"PLAN FILE",
            L"write a picture of the drawing to FILE (SVG): plan and front elevation of its lights and entities",
            &plan};
}

std::string planPictureOf(PlDbDatabase* db) { return planPictureSvg(contentOf(db)); }

bool writePlanPicture(const std::filesystem::path& path, PlDbDatabase* db, std::wstring& error) {
    std::wstring reason;
    if (writePicture(path, contentOf(db), reason)) return true;
    error = L"cannot write the picture \"" + pathText(path) + L"\": " + reason;
    return false;
}

}  // namespace plandor
