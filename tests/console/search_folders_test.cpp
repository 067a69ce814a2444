// Guards --colorbooks and --webpath against books or web files not looked for where the user said, no colour book shipped, broken palette or web files that stop plandor or pass without a message naming file and line, and wrong WEBINFO figures.
#include <gtest/gtest.h>

#include <string>

#include "drawing/utf8.h"
#include "plandor_runner.h"

namespace {

using plandor_test::dumpField;
using plandor_test::runScript;

std::string utf8Path(const std::filesystem::path& path) { return plandor::toUtf8(plandor::pathText(path)); }
const std::string kWebs = PL_EXAMPLES_DIR "/webs";

TEST(ConsoleSearchFolders, ColorBooksComeFromTheShippedFolderOrTheOneGiven) {
    const char* const pickTomato = "POINTLIGHT\n0,0,0\nColor\ncolorBook\ncss named colors\nTOMATO\nX\n";
    std::string dump;
    const plandor_test::Run shipped = runScript(pickTomato, {}, &dump);
    EXPECT_EQ(shipped.exitCode, 0) << shipped.err;
    EXPECT_EQ(dumpField(dump, "color"),
              "{\"method\":\"book\",\"r\":255,\"g\":99,\"b\":71,\"index\":null,"
              "\"book\":\"CSS Named Colors\",\"name\":\"tomato\"}");

    const plandor_test::ScratchFolder folder;
    folder.write("broken.gpl", "GIMP Palette\n300 0 0 too red\n255 99 71 tomato\n");
    folder.write("web.gpl", "GIMP Palette\nName: CSS Named Colors\n1 1 1 tomato\n");
    const plandor_test::Run given = runScript(pickTomato, {"--colorbooks", utf8Path(folder.path())}, &dump);
    EXPECT_EQ(given.exitCode, 0) << given.err;
    EXPECT_EQ(dumpField(dump, "r"), "1") << "the folder's own book";
    EXPECT_NE(given.err.find("broken.gpl: 1 color with a value above 255, on line 2, skipped."), std::string::npos)
        << given.err;
    folder.write("plain.gpl", "GIMP Palette\nName: Plain\n0 153 255\n");
    const plandor_test::Run plain =
        runScript("POINTLIGHT\n0,0,0\nColor\ncolorBook\nplain\n0,153,255\nX\n", {"--colorbooks", utf8Path(folder.path())},
                  &dump);
    EXPECT_EQ(dumpField(dump, "name", 1), "\"0,153,255\"") << "an unnamed colour, chosen by its red, green and blue";

    const plandor_test::Run none = runScript("POINTLIGHT\n0,0,0\nColor\ncolorBook\n\nX\n", {"--colorbooks", ""});
    EXPECT_EQ(none.exitCode, 0) << none.err;
    EXPECT_NE(none.out.find("No color books are available.\n"), std::string::npos) << none.out;
}

TEST(ConsoleSearchFolders, WebFilesAreFoundOnTheSearchPathAndBadOnesReported) {
    const plandor_test::ScratchFolder folder;
    folder.write("bad.ies", "IESNA:LM-63-2002\nTILT=NONE\n1 -1 1 3 1 1 2 0 0 0\n");
    std::string dump;
    const plandor_test::Run run = runScript(
        "WEBINFO isotropic\nWEBINFO downlight\nWEBINFO bad\nWEBINFO missing\n"
        "WEBLIGHT\n0,0,3\n0,0,0\nweB\nFile\nspot\n\n\nFREEWEB\n0,0,3\nweB\nFile\n~\n" +
            kWebs + "/isotropic.ies\n\n\n",
        {"--webpath", kWebs, "--webpath", utf8Path(folder.path())}, &dump);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const char* expected :
         {"Version: LM-63-2002\nPhotometric type: C\nLamps: 1, absolute photometry\nPeak: 100 cd\n"
          "Flux: 1256.6371 lm\nBeam angle: none",
          "Lamps: 1, 314 lm each\nPeak: 100 cd\nFlux: 313.8569 lm\nBeam angle: 120 degrees\n",
          "Invalid web file: bad.ies, line 3: the file ends where the ballast factor should be.\n",
          "Cannot find the web file \"missing\".\n"}) {
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    }
    const std::string file = dumpField(dump, "file");
    EXPECT_NE(file.find("webs"), std::string::npos) << file;
    EXPECT_EQ(file.substr(file.size() - 9), "spot.ies\"") << "stored as the full path";
    EXPECT_NE(dumpField(dump, "file", 1).find("isotropic.ies"), std::string::npos) << "chosen in the dialog";
}

}  // namespace
