// The photometric web option: rotation prompts, the web-file prompt, the web-file dialog, and
// the file-system tests the menu makes on a web-file name.
#include "lightedit/WebOptions.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "common/Messages.h"
#include "host/pldocs.h"
#include "host/pled.h"
#include "host/plscene.h"
#include "lightedit/IESFileNavDialog.h"
#include "lightedit/IESFileNavParams.h"
#include "lightedit/InputPrimitives.h"
#include "lightedit/ShadowOptions.h"

namespace {

/// A rotation component; false on a cancel.
bool promptRotation(const LightEditContext& context, unsigned promptId, double& component) {
    const PlString prompt = loadMessage(promptId) + realDefaultText(context, component, 2);
    pledInitGet(PLRSG_NONEG, L"");
    return pledGetReal(prompt.kwszPtr(), &component) != PLRTCAN;
}

/// The host's web-file dialog on a copy of the name; the name takes what it chose when it
/// was closed with a file (return code 1).
void browseWebFile(PlString& webFile) {
    PlString chosen = webFile;
    int returnCode = 0;
    {
        PlApHostIESFileNavParams params;
        params.setFileName(chosen);
        static_cast<void>(PlApHostDialogIESFileNav::instance()->showDialog(&params));
        returnCode = params.returnCode();
    }
    if (returnCode == 1) webFile = chosen;
}

/// The name as a path of this system: wide on Windows, UTF-8 where paths are bytes.
std::filesystem::path platformPath(const PlString& name) {
#if defined(_WIN32)
    return std::filesystem::path(name.str());
#else
    // UTF-8: a lead byte marking the length, then six bits a byte.
    constexpr unsigned kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
    std::string bytes;
    for (const wchar_t c : name.str()) {
        auto cp = static_cast<std::uint32_t>(c);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        const int more = cp < 0x80 ? 0 : cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
        bytes.push_back(static_cast<char>(kLead[more] | (cp >> (6 * more))));
        for (int i = more - 1; i >= 0; --i) bytes.push_back(static_cast<char>(0x80 | ((cp >> (6 * i)) & 0x3F)));
    }
    return std::filesystem::path(bytes);
#endif
}

}  // namespace

bool hasWebFileExtension(const PlString& fileName) {
    const auto extension = platformPath(fileName).extension().native();
    constexpr char kWanted[] = ".ies";
    if (extension.size() != sizeof kWanted - 1) return false;
    for (std::size_t i = 0; i < extension.size(); ++i) {
        auto c = extension[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<decltype(c)>(c - 'A' + 'a');
        if (c != static_cast<decltype(c)>(kWanted[i])) return false;
    }
    return true;
}

bool isReadableFile(const PlString& fileName) {
    const std::filesystem::path path = platformPath(fileName);
    std::error_code ec;
    // Asked first, so that a pipe is never opened (which would wait for a writer). By status():
    // in the unoptimised sanitizer build is_regular_file() kept the module from being unloaded.
    if (std::filesystem::status(path, ec).type() != std::filesystem::file_type::regular) return false;
#if defined(_WIN32)
    std::FILE* const file = _wfopen(path.c_str(), L"rb");
#else
    std::FILE* const file = std::fopen(path.c_str(), "rb");
#endif
    if (!file) return false;
    std::fclose(file);
    return true;
}

bool promptWebOptions(const LightEditContext& context, PlString& webFile, PlGeVector3d& webRotation) {
    for (;;) {
        const PlString prompt = loadMessage(msg::kWebOptionPrompt);
        wchar_t reply[kReplyBufferSize];
        const int status = askKeyword(prompt, msg::kWebOptionKeywords, 0, reply);
        if (status == PLRTNONE) return true;
        if (status != PLRTNORM) return false;
        const auto* option = findKeyword(reply, kWebOptions);
        if (!option) continue;
        bool answered = true;
        switch (option->value) {
            case WebOption::X: answered = promptRotation(context, msg::kRotationXPrompt, webRotation.x); break;
            case WebOption::Y: answered = promptRotation(context, msg::kRotationYPrompt, webRotation.y); break;
            case WebOption::Z: answered = promptRotation(context, msg::kRotationZPrompt, webRotation.z); break;
            case WebOption::File: answered = promptWebFile(context, webFile); break;
            case WebOption::Exit: return true;
        }
        if (!answered) return false;
    }
}

bool promptWebFile(const LightEditContext& context, PlString& webFile) {
    for (;;) {
        const PlString prompt = loadMessage(msg::kWebFilePrompt) + context.defaultOpen + webFile + context.defaultClose;
        PlString reply;
        if (pledGetString(1, prompt.kwszPtr(), reply) != PLRTNORM) return false;
        if (reply.isEmpty()) return true;
        if (reply == L"~") {
            browseWebFile(webFile);
            return true;
        }
        const PlApDocManager* docs = plDocManagerPtr();
        const PlString path = LightingUtil::GetIESFileFullPath(reply.kwszPtr(), docs ? docs->curDocument() : nullptr);
        if (path.isEmpty()) {
            printMessage(msg::kWebFileNotFound, reply.kwszPtr());
        } else if (!hasWebFileExtension(path)) {
            printMessage(msg::kNotAWebFile, reply.kwszPtr());
        } else {
            webFile = path;
            return true;
        }
    }
}
