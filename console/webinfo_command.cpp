// The console's WEBINFO command: version, type, lamps, peak, flux, beam and field angles of a
// photometric web file.
#include "console/webinfo_command.h"

#include <optional>
#include <vector>

#include "console/blanks.h"
#include "console/display_numbers.h"
#include "host/pldocs.h"
#include "host/plscene.h"
#include "hostsim/sceneoe/web_files.h"

namespace plandor {

namespace {

using plsim::scene::PhotometricWeb;

std::wstring typeName(PhotometricWeb::Type type) {
    switch (type) {
        case PhotometricWeb::Type::A: return L"A";
        case PhotometricWeb::Type::B: return L"B";
        case PhotometricWeb::Type::C: return L"C";
    }
    return L"?";
}

std::wstring angleLine(const wchar_t* label, const PhotometricWeb& web, double fraction) {
    using Kind = plsim::scene::Spread::Kind;
    const plsim::scene::Spread spread = plsim::scene::spreadAngle(web, fraction);
    const std::wstring percent = displayNumber(fraction * 100.0) + L" %";
    switch (spread.kind) {
        case Kind::Angle: return std::wstring(label) + displayNumber(spread.degrees) + L" degrees";
        case Kind::AxisBelow: return std::wstring(label) + L"none: the axis is below " + percent;
        case Kind::NeverFalls:
            return std::wstring(label) + L"none: the intensity never falls to " + percent + L" of its peak";
    }
    return label;
}

}  // namespace

std::vector<std::wstring> runWebInfoCommand(const std::wstring& arguments) {
    std::wstring name = trimBlanks(arguments);
    if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"') name = name.substr(1, name.size() - 2);
    if (name.empty()) return {L"WEBINFO needs a web file: " + std::wstring(kWebInfoSyntax) + L"."};
    const PlApDocManager* docs = plDocManagerPtr();
    const PlString path = LightingUtil::GetIESFileFullPath(name.c_str(), docs ? docs->curDocument() : nullptr);
    if (path.isEmpty()) return {L"Cannot find the web file \"" + name + L"\"."};
    std::wstring error;
    const std::optional<PhotometricWeb> web = plsim::scene::readWebFile(path.str(), error);
    if (!web) return {L"Invalid web file: " + error + L"."};

    const std::wstring lumens = web->lumensPerLamp < 0.0 ? L"absolute photometry"
                                                         : displayNumber(web->lumensPerLamp) + L" lm each";
    std::vector<std::wstring> lines;
    for (const std::wstring& warning : web->warnings) lines.push_back(L"Warning: " + warning + L".");
    lines.insert(lines.end(), {
        L"Web file: " + path.str(),
        L"Version: " + plsim::scene::versionName(web->version),
        L"Photometric type: " + typeName(web->type),
        L"Lamps: " + std::to_wstring(web->lamps) + L", " + lumens,
        L"Peak: " + displayNumber(plsim::scene::peakCandela(*web)) + L" cd",
        L"Flux: " + displayNumber(plsim::scene::webFlux(*web)) + L" lm",
        angleLine(L"Beam angle: ", *web, 0.5),
        angleLine(L"Field angle: ", *web, 0.1),
    });
    return lines;
}

}  // namespace plandor
