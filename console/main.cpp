// plandor: loads the scene-and-lighting module into the stand-in host and runs its commands.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "console/character_type.h"
#include "console/command_loop.h"
#include "console/console_output.h"
#include "console/export_command.h"
#include "console/file_commands.h"
#include "console/options.h"
#include "console/output_files.h"
#include "console/plan_command.h"
#include "console/script_source.h"
#include "console/terminal_source.h"
#include "drawing/utf8.h"
#include "drawingfile/drawing_dump.h"
#include "host/pldocs.h"
#include "host/plrx.h"
#include "hostsim/driver.h"
#include "hostsim/sceneoe/scene_driver.h"
#include "hostsim/sceneoe/web_files.h"

#if defined(_WIN32)
#  include <fcntl.h>
#  include <io.h>
#endif

namespace {

using namespace plandor;

/// Opens the script; false with a message for the user when it cannot be read.
bool openScript(const std::filesystem::path& path, std::ifstream& file, std::wstring& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = L"The script \"" + pathText(path) + L"\" is a folder, not a file.";
        return false;
    }
    file.open(path, std::ios::binary);
    if (!file) {
        error = L"Cannot open the script \"" + pathText(path) + L"\".";
        return false;
    }
    return true;
}

/// Reads commands from the input the options choose until the session ends.
void runSession(const Options& options, std::ifstream& script, ConsoleOutput& out, ConsoleOutput& err) {
    std::unique_ptr<ConsoleInput> input;
    if (options.script) {
        input = std::make_unique<ScriptSource>(script, pathText(*options.script), err, true);
    } else if (!stdinIsTerminal()) {
#if defined(_WIN32)
        _setmode(_fileno(stdin), _O_BINARY);
#endif
        input = std::make_unique<ScriptSource>(std::cin, L"standard input", err, false);
    } else {
        input = std::make_unique<TerminalSource>(out, consoleCommandNames);
    }
    plsim::setInputSource(input.get());
    plsim::setScriptActive(input->isScript());
    CommandLoop(*input, out).run();
    plsim::finishOutputLine();
    out.finishLine();
    plsim::setScriptActive(false);
    plsim::setInputSource(nullptr);
}

/// Writes the drawing to the dump file; false after telling the user why it
/// could not be written.
bool dumpDrawing(const std::filesystem::path& path, PlApDocument* drawing, ConsoleOutput& err) {
    std::wstring error;
    try {
        PlDbDatabase* db = drawing != nullptr ? drawing->database() : nullptr;
        const std::string json = drawingFileText(drawingFileOf(db));
        if (writeDump(path, json, error)) {
            return true;
        }
    } catch (const std::exception& e) {
        error = L"cannot write the dump \"" + pathText(path) + L"\": " + fromUtf8(e.what());
    }
    plsim::finishOutputLine();
    err.writeLine(L"plandor: " + error);
    return false;
}

int run(const Options& options, ConsoleOutput& out, ConsoleOutput& err) {
    // A missing script, or an output that cannot go where it is asked to, is
    // found before anything is loaded.
    std::ifstream script;
    std::wstring error;
    if (options.script && !openScript(*options.script, script, error)) {
        err.writeLine(L"plandor: " + error);
        return kExitUsage;
    }
    if (options.exportFile) {
        if (const std::wstring problem = exportNameProblem(*options.exportFile); !problem.empty()) {
            err.writeLine(L"plandor: --export: cannot export the drawing to \"" + pathText(*options.exportFile) +
                          L"\": " + problem);
            return kExitUsage;
        }
    }
    SessionFiles files;
    if (options.script) files.reads(L"--script", *options.script);
    const std::pair<const wchar_t*, const std::optional<std::filesystem::path>*> outputs[] = {
        {L"--dump", &options.dump},
        {L"--plan", &options.plan},
        {L"--export", &options.exportFile},
    };
    for (const auto& [option, path] : outputs) {
        if (!*path) continue;
        if (const std::wstring problem = files.writes(option, **path); !problem.empty()) {
            err.writeLine(L"plandor: " + problem);
            return kExitUsage;
        }
    }

    ReadDrawing opened;
    if (options.open && !(opened = readDrawingFile(*options.open)).drawing) {
        err.writeLine(L"plandor: cannot open \"" + pathText(*options.open) + L"\": " + faultText(opened.refusal) + L".");
        return kExitUsage;
    }

    if (options.colorBooks) {
        std::error_code ec;
        if (options.colorBooks->empty()) {
            plsim::setColorBookLocation(nullptr);
        } else if (std::filesystem::is_directory(widePath(*options.colorBooks), ec)) {
            plsim::setColorBookLocation(options.colorBooks->c_str());
        } else {
            err.writeLine(L"plandor: the color-book folder \"" + *options.colorBooks + L"\" does not exist.");
            return kExitUsage;
        }
    }

    if (!options.language.empty() && !plsim::setLanguage(options.language, &error)) {
        err.writeLine(L"plandor: --language: " + error);
        return kExitUsage;
    }
    plsim::setOutputSink([&out](const std::wstring& text) { out.write(text); });
    int initResult = PlRx::kRetOK;
    plsim::Application* app = plsim::loadApplication(options.module, &error, &initResult);
    if (app == nullptr) {
        plsim::finishOutputLine();
        err.writeLine(L"plandor: cannot load the module \"" + options.module + L"\": " + error);
        plsim::setOutputSink(nullptr);
        return kExitModuleFailed;
    }
    if (initResult != PlRx::kRetOK) {
        plsim::finishOutputLine();
        err.writeLine(L"plandor: the module \"" + options.module + L"\" failed to start (its entry point answered " +
                      std::to_wstring(initResult) + L").");
        plsim::unloadApplication(app);
        plsim::setOutputSink(nullptr);
        return kExitModuleFailed;
    }

    plsim::scene::setWebSearchPath(options.webPaths);
    // The host tells the module of the drawing it opens, and of its close.
    PlApDocument* drawing = options.open ? openStartDrawing(*options.open, opened, err, error) : plsim::openDrawing();
    if (drawing == nullptr) {
        plsim::finishOutputLine();
        err.writeLine(L"plandor: " + error);
        plsim::unloadApplication(app);
        plsim::setOutputSink(nullptr);
        return kExitUsage;
    }

    int status = kExitOk;
    for (const auto& [name, value] : options.settings) {
        if (!plsim::setVar(name, value, &error)) {
            plsim::finishOutputLine();
            err.writeLine(L"plandor: --set " + name + L"=" + value + L": " +
                          (error.empty() ? std::wstring(L"not accepted.") : error));
            status = kExitUsage;
            break;
        }
    }
    if (status == kExitOk) {
        try {
            runSession(options, script, out, err);
        } catch (const std::exception& e) {
            plsim::setScriptActive(false);
            plsim::setInputSource(nullptr);
            plsim::finishOutputLine();
            err.writeLine(L"plandor: internal error: " + fromUtf8(e.what()));
            status = kExitInternal;
        }
        // The drawing as the session left it (OPEN and NEW put others in its place), also
        // after an internal error.
        drawing = plDocManagerPtr()->curDocument();
        if (options.dump && !dumpDrawing(*options.dump, drawing, err) && status == kExitOk) {
            status = kExitUsage;
        }
        if (options.plan && !writePlanPicture(*options.plan, drawing ? drawing->database() : nullptr, error)) {
            plsim::finishOutputLine();
            err.writeLine(L"plandor: " + error);
            status = status == kExitOk ? kExitUsage : status;
        }
        if (options.exportFile && !writeGltfExport(*options.exportFile, drawing ? drawing->database() : nullptr, error)) {
            plsim::finishOutputLine();
            err.writeLine(L"plandor: " + error);
            status = status == kExitOk ? kExitUsage : status;
        }
    }

    plsim::closeDrawing(drawing);
    plsim::unloadApplication(app);
    plsim::finishOutputLine();
    plsim::setOutputSink(nullptr);
    if (out.failed()) {
        err.writeLine(L"plandor: the session's output could not be written in full (" + out.failure() + L").");
        if (status == kExitOk) {
            status = kExitOutput;
        }
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    prepareUtf8Console();
    ignoreBrokenPipes();
    useSessionCharacterType();
    ConsoleOutput out(stdout);
    ConsoleOutput err(stderr);

    std::wstring error;
    const std::optional<Options> options = parseOptions(programArguments(argc, argv), error);
    if (!options) {
        err.writeLine(L"plandor: " + error);
        return kExitUsage;
    }
    if (options->showHelp || options->showVersion) {
        out.write(options->showHelp ? helpText() : versionText());
        return out.failed() ? kExitOutput : kExitOk;
    }
    return run(*options, out, err);
}
