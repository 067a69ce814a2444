// Guards against --dump writing the wrong drawing, writing at the wrong moment, keeping the file it replaces, and failing silently when its file cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "console/utf8.h"
#include "plandor_runner.h"

namespace {

using plandor_test::runScriptWithDump;

TEST(ConsoleDump, WrittenWhenTheSessionEndsHoweverItEnds) {
    const struct {
        const char* name;
        std::string script;
        std::vector<std::string> args;
        std::vector<std::string> lights;  ///< names, in order
        int lightingUnits;
    } cases[] = {
        {"an empty drawing", "", {}, {}, 2},
        {"QUIT: what follows it does not run", "POINTLIGHT\n1,2,3\nX\nQUIT\nFREESPOT\n0,0,0\nX\n", {}, {"Pointlight1"}, 2},
        {"a light the script leaves unfinished is not kept", "POINTLIGHT\n1,2,3\nX\nFREESPOT\n0,0,0\n", {},
         {"Pointlight1"}, 2},
        {"a cancelled light is not kept", "FREESPOT\n^C\nPOINTLIGHT\n\nN\nLamp\n\n", {}, {"Lamp"}, 2},
        {"variables set on the command line and in the script", "SETVAR LIGHTINGUNITS 1\n",
         {"--set", "LIGHTINGUNITS=0"}, {}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string dump;
        const plandor_test::Run run = runScriptWithDump(c.script, dump, c.args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const nlohmann::json drawing = nlohmann::json::parse(dump);
        std::vector<std::string> names;
        for (const auto& light : drawing["lights"]) names.push_back(light["name"]);
        EXPECT_EQ(names, c.lights);
        EXPECT_EQ(drawing["sysvars"]["LIGHTINGUNITS"], c.lightingUnits);
        EXPECT_EQ(drawing["sysvars"]["CVPORT"], 2);
    }
}

TEST(ConsoleDump, ReplacesAnExistingFile) {
    const plandor_test::ScratchFolder folder;
    const std::filesystem::path file = folder.write("old.json", std::string(10000, 'x'));
    const plandor_test::Run run = plandor_test::runPlandor({"--dump", plandor::toUtf8(plandor::pathText(file))});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(plandor_test::dumpField(plandor_test::readFile(file), "lights"), "[]");
}

#if !defined(_WIN32)
TEST(ConsoleDump, FailedWriteIsReportedAfterTheSession) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const plandor_test::Run run = plandor_test::runPlandor({"--dump", "/dev/full"}, "SETVAR CVPORT\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.out.find("CVPORT = 2"), std::string::npos) << "the session runs first:\n" << run.out;
    EXPECT_NE(run.err.find("/dev/full"), std::string::npos) << run.err;
}
#endif

}  // namespace
