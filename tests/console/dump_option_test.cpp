// Guards against --dump writing the wrong drawing, writing at the wrong moment, keeping the file it replaces, or destroying it when its write fails; against output that ends the session when it cannot be written (a reader gone, a full disk); and against failures reported as success.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "plandor_runner.h"

namespace {

using plandor_test::readFile;

TEST(ConsoleDump, WrittenWhenTheSessionEndsHoweverItEnds) {
    const struct {
        std::string script;
        std::vector<std::string> args;
        std::vector<std::string> lights;  ///< names, in order
        int lightingUnits;
    } cases[] = {
        {"", {}, {}, 2},
        {"POINTLIGHT\n1,2,3\nX\nquit\nFREESPOT\n0,0,0\nX\n", {}, {"Pointlight1"}, 2},  // the rest is not read
        {"POINTLIGHT\n1,2,3\nX\nExit\nFREESPOT\n0,0,0\nX\n", {}, {"Pointlight1"}, 2},
        {"POINTLIGHT\n1,2,3\nX\nFREESPOT\n0,0,0\n", {}, {"Pointlight1"}, 2},  // an unfinished light is not kept
        {"FREESPOT\n^C\nPOINTLIGHT\n\nN\nLamp\n\n", {}, {"Lamp"}, 2},         // nor a cancelled one
        {"SETVAR LIGHTINGUNITS 1\n", {"--set", "LIGHTINGUNITS=0"}, {}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        std::string dump;
        const plandor_test::Run run = plandor_test::runScript(c.script, c.args, &dump);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const nlohmann::json drawing = nlohmann::json::parse(dump);
        std::vector<std::string> names;
        for (const auto& light : drawing["lights"]) names.push_back(light["name"]);
        EXPECT_EQ(names, c.lights);
        EXPECT_EQ(drawing["sysvars"]["LIGHTINGUNITS"], c.lightingUnits);
        EXPECT_EQ(drawing["sysvars"]["CVPORT"], 2);
    }
}

#if !defined(_WIN32)
std::string quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

TEST(OutputFailure, NeitherAFailedOutputNorAFailedDumpCostsTheDrawing) {
    int gone[2];
    ASSERT_EQ(pipe(gone), 0);
    close(gone[0]);  // the reader has gone before the first write
    const std::string old = "{\"lights\": []}\n";
    const struct {
        const char* name;
        std::string limit, out;
        int status;
        const char* err;
        bool dumped;
    } cases[] = {
        {"a pipe without a reader", "", ">&" + std::to_string(gone[1]), 4, "Broken pipe", true},
        {"a full disk", "", ">/dev/full", 4, "No space left", true},
        // Files may grow to 1 KB: enough for the message, too little for the dump.
        {"a dump that cannot be written whole", "ulimit -f 1; trap '' XFSZ; ", ">/dev/null", 2, "cannot write the dump",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const plandor_test::ScratchFolder folder;
        // The second light is placed after the output failed; the dump is over 1 KB.
        const auto script = folder.write("two.scr", "POINTLIGHT\n0,0,0\n\nPOINTLIGHT\n1,1,1\n\n");
        const auto dump = folder.write("drawing.json", old);
        const auto err = folder.path() / "err.txt";
        const std::string command = c.limit + quoted(plandor_test::programFolder() / "plandor") + " --script " +
                                    quoted(script) + " --dump " + quoted(dump) + " </dev/null " + c.out + " 2>" +
                                    quoted(err);
        const int status = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.status);
        EXPECT_NE(readFile(err).find(c.err), std::string::npos) << readFile(err);
        if (c.dumped) {
            EXPECT_NE(readFile(dump).find("\"Pointlight2\""), std::string::npos) << "the session ran to its end";
        } else {
            EXPECT_EQ(readFile(dump), old);
        }
        const auto files = std::distance(std::filesystem::directory_iterator(folder.path()), {});
        EXPECT_EQ(files, 3) << "script, dump and messages: nothing else is left behind";
    }
    close(gone[1]);
}
#endif

}  // namespace
