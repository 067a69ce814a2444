// Guards the console's drawing commands against wrong handles, paths or lights changed, a context menu that turns the wrong objects, a dump that misses or keeps paths, and a UCS command that does not reach the lights placed after it.
#include <gtest/gtest.h>

#include <string>

#include "plandor_runner.h"

namespace {

using plandor_test::dumpField;
using plandor_test::fromFirstCommand;

TEST(ConsoleDrawingCommands, MenuTurnsLightsAndErasingRemovesPaths) {
    const std::string script =
        "TARGETPOINT\n0,0,0\n1,2,3\nX\n"
        "LINE 0,0,0 10,0,0\nCIRCLE 0,0,0 5\nTEXT 1,1,0 \"Label\"\nVIEW Front\n"
        "NAMEDPATH Rail 8\nNAMEDPATH Ring 9\nNAMEDPATH Tag A\n"
        "MOTIONPATH Fly Rail Ring Front\nMOTIONPATH Look Ring Tag -\n"
        "SELECT Pointlight1 8\nMENU\nMENU 2006\nMENU 12\n"
        "ERASE 8\nOOPS\nMOVE A 1,0,0\nLINE 0,0,0 0,0,0\nERASE Nothing\n"
        // User Z is world +X: typed points are user coordinates, a free light aims 10 below along user Z.
        "UCS 1,2,3 0,1,0 0,0,1\nFREESPOT\n0,0,4\nX\n";
    std::string dump;
    const plandor_test::Run run = plandor_test::runScript(script, {}, &dump);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string out = fromFirstCommand(run.out);
    for (const char* expected : {
             "Command: LINE 0,0,0 10,0,0\nCreated Line 8\n",
             "Command: VIEW Front\nCreated View B\n",
             "Created named path \"Rail\" D on Line 8\n",
             "Command: SELECT Pointlight1 8\nSelected light \"Pointlight1\" and Line 8.\n",
             "Command: MENU\n2006  Reverse Light Direction\n",
             "Command: MENU 2006\nChose Reverse Light Direction.\n",
             "Command: MENU 12\nThe context menu has no item \"12\" to choose. Type MENU for its items.\n",
             "Command: ERASE 8\nErased Line 8.\nCommand: OOPS\nRestored Line 8.\n",
             "Command: LINE 0,0,0 0,0,0\nNothing was created: the two points must differ.\n",
             "Command: ERASE Nothing\n\"Nothing\" is neither a light, a view nor a handle. Nothing was erased.\n",
         }) {
        EXPECT_NE(out.find(expected), std::string::npos) << expected << "\nin:\n" << out;
    }
    EXPECT_EQ(dumpField(dump, "target"), "[-1.0,-2.0,-3.0]");
    EXPECT_EQ(dumpField(dump, "position", 1), "[5.0,2.0,3.0]");
    EXPECT_EQ(dumpField(dump, "target", 1), "[-5.0,2.0,3.0]");
    EXPECT_EQ(dumpField(dump, "namedPaths"), "[{\"name\":\"Ring\",\"entity\":\"9\",\"handle\":\"E\"}]");
    EXPECT_EQ(dumpField(dump, "motionPaths"),
              "[{\"name\":\"Look\",\"cameraPath\":\"Ring\",\"targetPath\":null,\"view\":null,\"handle\":\"12\"}]");
    EXPECT_EQ(dumpField(dump, "entities", 0).find("{\"handle\":\"8\",\"kind\":\"line\",\"erased\":false,"
                                                  "\"start\":[0.0,0.0,0.0],\"end\":[10.0,0.0,0.0]}"), 1u);
}

}  // namespace
