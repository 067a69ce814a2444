// Guards ILLUMINANCE against answers in the wrong unit or form, bad requests that are computed or write a file,
// a CSV file that is not the grid's, a picture whose isolux plan is missing, misplaced or not valid to librsvg,
// round values that are not round, broken PNG or base64 data, and an interrupt that ends plandor.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/interrupt_scope.h"
#include "drawing/utf8.h"
#include "picture/isolux.h"
#include "picture/png_image.h"
#include "plandor_runner.h"

namespace {

using plandor_test::fromFirstCommand;

TEST(ConsoleIlluminance, AnswersAtPointsAndOnGridsAndRefusesBadRequests) {
    const plandor_test::ScratchFolder folder;
    const std::string csv = plandor::toUtf8(plandor::pathText(folder.path() / "grid.csv"));
    const std::string svg = plandor::toUtf8(plandor::pathText(folder.path() / "plan.svg"));
    const std::string missing = plandor::toUtf8(plandor::pathText(folder.path() / "no" / "grid.csv"));
    // Millimetres; 1500 cd one metre above the first point of the grid.
    const plandor_test::Run run = plandor_test::runScript(
        "POINTLIGHT\n500,500,1000\nX\n"
        "ILLUMINANCE 500,500,0\nILLUMINANCE 500,500,0 0,0,-3\n"
        "ILLUMINANCE GRID 0,0 3000,1000 1000 0 CSV \"" +
        csv +
        "\"\n"
        "ILLUMINANCE GRID 0,0 3000,1000 1000 CSV \"" +
        missing +
        "\"\n"
        "ILLUMINANCE GRID 0,0 3000,0 1000\nILLUMINANCE GRID 0,0 1e9,1e9 1\nILLUMINANCE GRID 0,0 1,1\n"
        "ILLUMINANCE 0,0,0 0,0,0\nILLUMINANCE 0,0,inf\n"
        "ILLUMINANCE GRID -2000,-2000 3000,3000 250\nPLAN \"" +
        svg +
        "\"\n"
        "SETVAR LIGHTINGUNITS 1\nSETVAR INSUNITS 2\nPOINTLIGHT\n0,0,10\nX\nILLUMINANCE 0,0,0\n"
        "SETVAR LIGHTINGUNITS 0\nILLUMINANCE 0,0,0\nHELP ILLUMINANCE\nNEW\nPLAN \"" + svg + "2\"\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string out = fromFirstCommand(run.out);
    const std::string nothing = " Nothing was computed.\n";
    for (const std::string& expected : std::vector<std::string>{
             "Command: ILLUMINANCE 500,500,0\nIlluminance at 500,500,0: 1500 lx\n",
             "Command: ILLUMINANCE 500,500,0 0,0,-3\nIlluminance at 500,500,0: 0 lx\n",
             "Illuminance grid: 3 x 1 points at height 0\n"
             "Emin 134.1641 lx, Eavg 721.4981 lx, Emax 1500 lx, U0 0.186, Ud 0.0894\n"
             "Wrote 3 points to \"" +
                 csv + "\".\n",
             "\": the folder \"" + plandor::toUtf8(plandor::pathText(folder.path() / "no")) + "\" does not exist." +
                 nothing,
             "The rectangle of the grid has no area: its corners must differ in X and in Y." + nothing,
             "That spacing gives 1000000000 x 1000000000 points, more than 100000000: choose a larger spacing." +
                 nothing,
             "Command: ILLUMINANCE GRID 0,0 1,1\nExpected ILLUMINANCE x,y,z [nx,ny,nz] or ILLUMINANCE GRID",
             "The normal 0,0,0 has no direction." + nothing,
             "Command: ILLUMINANCE 0,0,inf\nExpected ILLUMINANCE",
             // 1500 cd ten feet above, in a drawing in feet: 15 foot-candles, with the first light's 1500 cd.
             "Command: ILLUMINANCE 0,0,0\nIlluminance at 0,0,0: 15.0",
             "Under generic lighting (LIGHTINGUNITS 0) the lights have no photometric values",
             "  ILLUMINANCE x,y,z [nx,ny,nz] | GRID x0,y0 x1,y1 SPACING [HEIGHT] [CSV FILE]",
         }) {
        EXPECT_NE(out.find(expected), std::string::npos) << expected << "\nin:\n" << out;
    }
    EXPECT_EQ(plandor_test::readFile(folder.path() / "grid.csv"),
              "# Direct illuminance from the lights of the drawing, without obstruction or inter-reflection; "
              "x, y and z in drawing units\nx,y,z,E_lx\n500.0,500.0,0.0,1500.0\n"
              "1500.0,500.0,0.0,530.3300858899105\n2500.0,500.0,0.0,134.16407864998737\n");
    const std::string picture = plandor_test::readFile(folder.path() / "plan.svg");
    for (const char* part :
         {"class=\"isolux-image\"", "href=\"data:image/png;base64,iVBORw0KGgo", "class=\"isolux-line\"",
          "class=\"isolux-scale\"", "class=\"work-plane\"", "Direct illuminance in lx at height 0"})
        EXPECT_NE(picture.find(part), std::string::npos) << part;
    // The grid lit the drawing that NEW closed.
    EXPECT_EQ(plandor_test::readFile(folder.path() / "plan.svg2").find("isolux"), std::string::npos);
#if !defined(_WIN32)
    // librsvg draws the picture without a word.
    if (std::system("command -v rsvg-convert > /dev/null 2>&1") == 0) {
        const std::string command = "rsvg-convert \"" + svg + "\" -o \"" + svg + ".png\" 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string said;
        for (int c; (c = std::fgetc(pipe)) != EOF;) said += static_cast<char>(c);
        EXPECT_EQ(0, pclose(pipe)) << said;
        EXPECT_EQ("", said);
    }
#endif
}

TEST(IsoluxPicture, LevelsAreRoundAndImagesAreWellFormed) {
    struct Row {
        double minimum, maximum;
        std::vector<double> levels;
    } rows[] = {
        {0, 1000, {200, 400, 600, 800}},
        {80.7, 306.9, {100, 150, 200, 250, 300}},
        {0.012, 0.0191, {0.014, 0.016, 0.018}},
        {5, 5, {}},
        {0, 0, {}},
    };
    for (const Row& row : rows) {
        const std::vector<double> levels = plandor::isoluxLevels(row.minimum, row.maximum);
        ASSERT_EQ(row.levels.size(), levels.size()) << row.maximum;
        for (std::size_t i = 0; i < levels.size(); ++i) EXPECT_NEAR(row.levels[i], levels[i], 1e-12 * row.maximum);
    }

    EXPECT_EQ("Zm9vYmFy", plandor::base64("foobar"));
    EXPECT_EQ("Zm8=", plandor::base64("fo"));
    EXPECT_EQ("Zg==", plandor::base64("f"));
    const std::string png = plandor::indexedPng(2, 1, {{255, 0, 0}, {0, 0, 255}}, {0, 1});
    EXPECT_EQ(std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16), png.substr(0, 16));
    // The stored rows (a filter byte and two indices) and the chunk that ends every PNG.
    EXPECT_NE(png.find(std::string("\x01\x03\x00\xFC\xFF\x00\x00\x01", 8)), std::string::npos);
    EXPECT_EQ(std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12), png.substr(png.size() - 12));
}

#if !defined(_WIN32)
TEST(InterruptScope, CtrlCSetsTheFlagAndTheOldHandlerComesBack) {
    static volatile std::sig_atomic_t before = 0;
    const auto previous = std::signal(SIGINT, [](int) { before = 1; });
    {
        const plandor::InterruptScope scope;
        EXPECT_FALSE(scope.interrupted());
        std::raise(SIGINT);
        EXPECT_TRUE(scope.interrupted());
        EXPECT_EQ(0, before);
    }
    std::raise(SIGINT);
    EXPECT_EQ(1, before);
    std::signal(SIGINT, previous);
}
#endif

}  // namespace
