// Guards WEBINFO and --webpath against wrong figures, a console that stops at a bad web file,
// and web files not looked for where the user said.
#include <gtest/gtest.h>

#include <string>

#include "console/utf8.h"
#include "plandor_runner.h"

namespace {

using plandor_test::dumpField;
using plandor_test::fromFirstCommand;

std::string utf8Path(const std::filesystem::path& path) { return plandor::toUtf8(plandor::pathText(path)); }
const std::string kWebs = PL_EXAMPLES_DIR "/webs";

TEST(ConsoleWebFiles, WebInfoSummarisesAFileAndReportsABadOne) {
    const plandor_test::ScratchFolder folder;
    folder.write("bad.ies", "IESNA:LM-63-2002\nTILT=NONE\n1 -1 1 3 1 1 2 0 0 0\n");
    const plandor_test::Run run = plandor_test::runScript("WEBINFO isotropic\nWEBINFO downlight\nWEBINFO bad\nWEBINFO missing\nLIST\n",
                                                          {"--webpath", kWebs, "--webpath", utf8Path(folder.path())});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string out = fromFirstCommand(run.out);
    for (const char* expected : {"Version: LM-63-2002\nPhotometric type: C\nLamps: 1, absolute photometry\nPeak: 100 cd\n"
                                 "Flux: 1256.6371 lm\nBeam angle: none",
                                 "Lamps: 1, 314 lm each\nPeak: 100 cd\nFlux: 313.8569 lm\nBeam angle: 120 degrees\n",
                                 "Invalid web file: bad.ies, line 3: the file ends where the ballast factor should be.\n",
                                 "Cannot find the web file \"missing\".\n", "No lights in the drawing.\n"}) {
        EXPECT_NE(out.find(expected), std::string::npos) << expected << "\n" << out;
    }
    const plandor_test::Run refused = plandor_test::runPlandor({"--webpath", utf8Path(folder.path() / "none")});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("is not a folder"), std::string::npos) << refused.err;
}

TEST(ConsoleWebFiles, AWebLightTakesItsFileFromTheSearchPath) {
    std::string dump;
    const plandor_test::Run run = plandor_test::runScriptWithDump(
        "WEBLIGHT\n0,0,3\n0,0,0\nweB\nFile\nspot\nX\n45\n\n\nFREEWEB\n0,0,3\nweB\nFile\n~\n" + kWebs +
            "/isotropic.ies\n\n\n",
        dump, {"--webpath", kWebs});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string file = dumpField(dump, "file");
    EXPECT_NE(file.find("webs"), std::string::npos) << file;
    EXPECT_EQ(file.substr(file.size() - 9), "spot.ies\"") << "stored as the full path";
    EXPECT_EQ(plandor_test::dumpNumbers(dumpField(dump, "rotation")), (std::vector<double>{45, 0, 0}));
    EXPECT_NE(dumpField(dump, "file", 1).find("isotropic.ies"), std::string::npos) << "chosen in the dialog";
}

}  // namespace
