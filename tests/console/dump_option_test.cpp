// Guards against --dump writing the wrong drawing or text, writing at the wrong moment, and failing silently or too late when its file cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "console/utf8.h"
#include "plandor_runner.h"

namespace {

using plandor_test::dumpField;
using plandor_test::runPlandor;
using plandor_test::runScriptWithDump;

std::string utf8Path(const std::filesystem::path& path) { return plandor::toUtf8(plandor::pathText(path)); }

TEST(ConsoleDump, WrittenWhenTheSessionEndsHoweverItEnds) {
    struct EndCase {
        const char* name;
        std::string script;
        std::vector<std::string> args;
        std::vector<std::string> lights;  ///< names, in order
        int lightingUnits;
    };
    const EndCase cases[] = {
        {"an empty drawing", "", {}, {}, 2},
        {"QUIT: what follows it does not run", "POINTLIGHT\n1,2,3\nX\nQUIT\nFREESPOT\n0,0,0\nX\n", {}, {"Pointlight1"}, 2},
        {"a light the script leaves unfinished is not kept", "POINTLIGHT\n1,2,3\nX\nFREESPOT\n0,0,0\n", {},
         {"Pointlight1"}, 2},
        {"a cancelled light is not kept", "FREESPOT\n^C\nPOINTLIGHT\n\nN\nLamp\n\n", {}, {"Lamp"}, 2},
        {"variables set on the command line and in the script", "SETVAR LIGHTINGUNITS 1\n",
         {"--set", "LIGHTINGUNITS=0"}, {}, 1},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string dump;
        const plandor_test::Run run = runScriptWithDump(c.script, dump, c.args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        std::vector<std::string> names;  // colour names are null in these drawings
        for (std::size_t n = 0; !dumpField(dump, "name", n).empty(); ++n) {
            const std::string name = dumpField(dump, "name", n);
            if (name != "null") names.push_back(name.substr(1, name.size() - 2));
        }
        EXPECT_EQ(names, c.lights);
        EXPECT_EQ(dumpField(dump, "LIGHTINGUNITS"), std::to_string(c.lightingUnits));
        EXPECT_EQ(dumpField(dump, "CVPORT"), "2");
    }
}

TEST(ConsoleDump, ReplacesAnExistingFile) {
    const plandor_test::ScratchFolder folder;
    const std::filesystem::path file = folder.write("old.json", std::string(10000, 'x'));
    const plandor_test::Run run = runPlandor({"--dump", utf8Path(file)}, "");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(dumpField(bytes.str(), "lights"), "[]") << bytes.str();
}

TEST(ConsoleDump, UnusablePathIsRefusedBeforeAnythingRuns) {
    const plandor_test::ScratchFolder folder;
    const std::string missingFolder = utf8Path(folder.path() / "no-such-folder" / "d.json");
    struct RefusedCase {
        std::vector<std::string> args;
        const char* errorMentions;
    };
    const RefusedCase cases[] = {
        {{"--dump"}, "--dump needs"},
        {{"--dump="}, "--dump needs"},
        {{"--dump", "a.json", "--dump", "b.json"}, "more than once"},
        {{"--dump", missingFolder}, "no-such-folder\" does not exist"},
        {{"--dump", utf8Path(folder.path())}, "folder, not a file"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.args.back());
        // Standard input holds a command, which must not run.
        const plandor_test::Run run = runPlandor(c.args, "FOO\n");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(c.errorMentions), std::string::npos) << run.err;
        EXPECT_EQ(run.out.find("FOO"), std::string::npos) << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "no-such-folder"));
}

TEST(ConsoleDump, FailedWriteIsReportedAfterTheSession) {
#if defined(_WIN32)
    GTEST_SKIP() << "needs a device that refuses writes";
#else
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    const plandor_test::Run run = runPlandor({"--dump", "/dev/full"}, "SETVAR CVPORT\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.out.find("CVPORT = 2"), std::string::npos) << "the session runs first:\n" << run.out;
    EXPECT_NE(run.err.find("/dev/full"), std::string::npos) << run.err;
#endif
}

}  // namespace
