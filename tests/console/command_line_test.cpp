// Guards against bad options being accepted, failing silently or after commands ran, wrong exit statuses, and --set, --module or --help not doing what they say.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "drawing/utf8.h"
#include "plandor_runner.h"

namespace {

using plandor_test::fromFirstCommand;
using plandor_test::runPlandor;
using plandor_test::runScript;

std::string utf8Path(const std::filesystem::path& path) { return plandor::toUtf8(plandor::pathText(path)); }

TEST(ConsoleCommandLine, BadArgumentsAreRefusedBeforeAnythingRuns) {
    const plandor_test::ScratchFolder folder;
    const std::string missing = utf8Path(folder.path() / "missing.scr");
    const std::string aFolder = utf8Path(folder.path());
    const std::string inMissingFolder = utf8Path(folder.path() / "no-such-folder" / "d.json");
    const std::string script = utf8Path(folder.write("s.scr", "FOO\n"));
    const std::string taken = utf8Path(folder.path() / "out.json");
    const std::string readOnly = utf8Path(folder.write("kept.svg", "<svg/>"));
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                               std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string errorMentions;  ///< a part of the message on standard error
    } cases[] = {
        {{"--set", "CVPORT"}, 2, "NAME=VALUE"},
        {{"--set", "=1"}, 2, "NAME=VALUE"},
        {{"--set", "NOSUCHVAR=1"}, 2, "NOSUCHVAR"},
        {{"--set", "CVPORT=abc"}, 2, "CVPORT=abc"},
        {{"--set", "CVPORT=3", "--set", "DEFAULTLIGHTING=7"}, 2, "DEFAULTLIGHTING=7"},
        {{"--script", missing}, 2, "missing.scr"},
        {{"--script", aFolder}, 2, "folder"},
        {{"--script"}, 2, "--script needs"},
        {{"--script", missing, "--script", missing}, 2, "more than once"},
        {{"--frobnicate"}, 2, "--frobnicate"},
        {{"demo.scr"}, 2, "demo.scr"},
        {{"--language", "../de"}, 2, "is not a language"},
        {{"--dump"}, 2, "--dump needs"},
        {{"--dump="}, 2, "--dump needs"},
        {{"--dump", inMissingFolder}, 2, "no-such-folder\" does not exist"},
        {{"--dump", aFolder}, 2, "folder, not a file"},
        {{"--plan", inMissingFolder}, 2, "--plan: cannot write"},
        {{"--plan", readOnly}, 2, "it is read-only"},
        {{"--dump", readOnly}, 2, "it is read-only"},
        {{"--dump", taken, "--plan", taken}, 2, "--plan: cannot write \"" + taken + "\": it is the file of --dump"},
        {{"--script", script, "--dump", script}, 2, "it is the file of --script"},
        {{"--plan="}, 2, "--plan needs a file"},
        {{"--export", "a.glb", "--export=b.gltf"}, 2, "--export is given more than once"},
#if !defined(_WIN32)
        {{"--plan", "/proc/plan.svg"}, 2, "no new file can be made in its folder"},  // even by root
#endif
        {{"--webpath", missing}, 2, "is not a folder"},
        {{"--colorbooks", "no-such-folder"}, 2, "no-such-folder\" does not exist"},
        {{"--module", "NoSuchModule.vmx"}, 1, "NoSuchModule.vmx"},
        // A path is not looked up in the module folder.
        {{"--module", utf8Path(folder.path() / "PlZuredUD.vmx")}, 1, "PlZuredUD.vmx"},
        // A library beside the host, but no application.
#if defined(_WIN32)
        {{"--module", "PlSceneRes.dll"}, 1, "PlSceneRes.dll"},
#else
        {{"--module", "PlSceneRes.so"}, 1, "PlSceneRes.so"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front() + (c.args.size() > 1 ? " " + c.args[1] : std::string()));
        // Standard input holds a command, which must not run.
        const plandor_test::Run run = runPlandor(c.args, "FOO\n");
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.err.find(c.errorMentions), std::string::npos) << run.err;
        EXPECT_EQ(run.out.find("FOO"), std::string::npos) << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "no-such-folder"));
    EXPECT_EQ(plandor_test::readFile(readOnly), "<svg/>");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2) << "no file made, none left";
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}

TEST(ConsoleCommandLine, SettingsApplyInOrderBeforeTheFirstCommand) {
    const std::string module = utf8Path(plandor_test::programFolder() / "PlZuredUD.vmx");
    const plandor_test::Run run =
        runScript("SETVAR CVPORT\nSETVAR DEFAULTLIGHTING\n",
                  {"--set", "CVPORT=3", "--set=CVPORT=4", "--set", "defaultlighting=0", "--module", module});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(fromFirstCommand(run.out),
              "Command: SETVAR CVPORT\nCVPORT = 4\nCommand: SETVAR DEFAULTLIGHTING\nDEFAULTLIGHTING = 0\n");
}

TEST(ConsoleCommandLine, HelpAndVersionRunNothing) {
    for (const char* option : {"--help", "--version"}) {
        const plandor_test::Run run = runPlandor({option}, "FOO\n");
        EXPECT_EQ(run.exitCode, 0) << option;
        EXPECT_EQ(run.out.rfind(std::string(option) == "--help" ? "Usage: plandor" : "plandor ", 0), 0u) << run.out;
        EXPECT_EQ(run.out.find("FOO"), std::string::npos) << run.out;
    }
}

// --help and the README's tables of options and commands must not drift apart.
TEST(ConsoleCommandLine, HelpNamesEveryOptionAndCommandOfTheReadme) {
    const std::string help = runPlandor({"--help"}).out;
    std::istringstream readme(plandor_test::readFile(PL_EXAMPLES_DIR "/../README.md"));
    std::size_t named = 0;
    for (std::string line; std::getline(readme, line);) {
        if (line.rfind("| `", 0) != 0) continue;
        // Each word in backticks in the first cell: "--dump", "LINE", "2DPOLY".
        const std::string cell = line.substr(0, line.find(" | ", 2));
        for (std::size_t at = cell.find('`'); at != std::string::npos; at = cell.find('`', cell.find('`', at + 1) + 1)) {
            const std::string word = cell.substr(at + 1, cell.find_first_of(" =`", at + 1) - at - 1);
            const bool option = word.rfind("--", 0) == 0;
            const bool command = word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") == std::string::npos;
            // The module's commands (SPOTLIGHT, ...) are HELP's to list; --help names them NAME.
            if (!(option || command) || word == "SPOTLIGHT") continue;
            EXPECT_NE(help.find(word), std::string::npos) << word;
            ++named;
        }
    }
    EXPECT_GT(named, 40u);
    EXPECT_NE(help.find("4 the session ran to its end but its output could not be written"), std::string::npos);
}

}  // namespace
