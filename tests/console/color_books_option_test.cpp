// Guards against plandor shipping no colour book, a book colour dumped wrongly, broken palette
// files that stop plandor or the other books without a warning naming file and line, and a
// --colorbooks folder ignored or silently missing.
#include <gtest/gtest.h>

#include <string>

#include "console/utf8.h"
#include "plandor_runner.h"
#include "resources/MessageIds.h"

namespace {

using plandor_test::dumpField;
using plandor_test::runScript;
using plandor_test::runScriptWithDump;

const char* const kPickTomato = "POINTLIGHT\n0,0,0\nColor\ncolorBook\ncss named colors\nTOMATO\nX\n";

TEST(ConsoleColorBooks, TheShippedBookGivesItsColourToTheDump) {
    std::string dump;
    const plandor_test::Run run = runScriptWithDump(kPickTomato, dump);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(dumpField(dump, "color"), "{\"method\": \"book\", \"r\": 255, \"g\": 99, \"b\": 71, \"index\": null, "
                                        "\"book\": \"CSS Named Colors\", \"name\": \"tomato\"}");
}

TEST(ConsoleColorBooks, BrokenPalettesAreSkippedWithWarningsAndTheRestLoads) {
    const plandor_test::ScratchFolder folder;
    folder.write("broken.gpl", "GIMP Palette\n1 2\n300 0 0 too red\n4 5 6\n255 99 71 tomato\n");
    folder.write("image.gpl", "\x89PNG\r\n\x1a\n");
    folder.write("web.gpl", "GIMP Palette\nName: CSS Named Colors\n1 1 1 tomato\n");
    const std::string books = plandor::toUtf8(plandor::pathText(folder.path()));
    std::string dump;
    const plandor_test::Run run = runScriptWithDump(kPickTomato, dump, {"--colorbooks", books});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(dumpField(dump, "r"), "1") << "the folder's own book";
    for (const char* where : {"broken.gpl, line 2: ", "broken.gpl, line 3: ", "broken.gpl, line 4: ", "image.gpl, line 1: "}) {
        EXPECT_NE(run.err.find(where), std::string::npos) << where << "\n" << run.err;
    }
}

TEST(ConsoleColorBooks, NoFolderMeansNoBooks) {
    const plandor_test::Run none = runScript("POINTLIGHT\n0,0,0\nColor\ncolorBook\n\nX\n", {"--colorbooks", ""});
    EXPECT_EQ(none.exitCode, 0) << none.err;
    EXPECT_NE(none.out.find(plandor_test::messageText(msg::kNoColorBooks)), std::string::npos) << none.out;
    const plandor_test::Run missing = runScript("", {"--colorbooks", "no-such-folder"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("no-such-folder\" does not exist"), std::string::npos) << missing.err;
}

}  // namespace
