// Guards SAVE, OPEN, NEW and --open through plandor against a drawing that does not come back as it was saved
// (its file, its lights, paths and coordinate system), an opened drawing the module does not watch or whose
// handles repeat, a refused file that changes the open drawing or lets the session run, a failed save reported
// as done, and unsaved changes left without the question at a terminal (or with it in a script).
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <vector>
#include <string>

#include "console/file_commands.h"
#include "drawing/utf8.h"
#include "host/pldocs.h"
#include "host/plrx.h"
#include "hostsim/document_driver.h"
#include "hostsim/drawing_driver.h"
#include "plandor_runner.h"

namespace {

using plandor_test::fromFirstCommand;
using plandor_test::readFile;
using plandor_test::runPlandor;

std::string utf8(const std::filesystem::path& path) { return plandor::toUtf8(plandor::pathText(path)); }

/// The lines of `out` from the one starting with `from` up to the one starting with `to`.
std::string section(const std::string& out, const std::string& from, const std::string& to) {
    const std::size_t start = out.find(from);
    return start == std::string::npos ? std::string() : out.substr(start, out.find(to, start) - start);
}

TEST(SaveAndOpen, ADrawingComesBackAsSavedAndGoesOnInANewSession) {
    const plandor_test::ScratchFolder folder;
    const std::string web = std::string(PL_EXAMPLES_DIR) + "/webs/downlight.ies";
    const std::string make =
        "SPOTLIGHT\n0,0,3000\n0,0,0\nHotspot\n30\nF\n45\nN\nStage spot\nColor\ncolorBook\ncss named colors\nTomato\n"
        "shadoW\nsoFtmapped\n512\n4\nX\n"
        "POINTLIGHT\n1500,0,2500\nN\nReading lamp\nIntensity\n2.5\nStatus\noFf\nAttenuation\nattenuationType\nInverse\neXit\nX\n"
        "TARGETPOINT\n-1500,0,2500\n-1500,0,0\nColor\nIndex\n30\nPhotometry\nColor\nKelvin\n2700\neXit\nX\n"
        "FREESPOT\n3000,0,2500\nshadoW\nsoftsAmpled\nsAmples\n8\neXit\nX\n"
        "WEBLIGHT\n0,3000,2800\n0,3000,0\nweB\nFile\n" + web + "\nZ\n45\nExit\nX\n"
        "FREEWEB\n0,-3000,2800\nIntensityfactor\n0.75\nX\nDISTANTLIGHT\n0,0,0\n1,1,-1\nX\n"
        "LINE 0,0,0 10,0,0\nARC 0,0,0 5 10 200\nCIRCLE 1,2,3 4\nELLIPSE 0,0,0 3,0,0 0.5\nPLINE 0,0 1,1 2,0\n"
        "3DPOLY 0,0,0 1,1,1 2,0,3\nSPLINE 0,0,0 1,2,0 3,1,1\n2DPOLY 0,0,5 1,0,5\nTEXT 1,1,0 \"Stage left\" 2.5\n"
        "REGION 0,0,0 1,0,0 0,1,0\nVIEW Front\nVIEW Top\nERASE Top\nNAMEDPATH Rail E\nNAMEDPATH Ring 10\n"
        "MOTIONPATH Fly Rail Ring Front\nSETVAR LUPREC 2\nSETVAR LIGHTINGUNITS 1\nUCS 1,2,3 0,1,0 0,0,1\n";
    const std::string show = "LIST\nPATHS\nUCS\n";
    const std::string first = utf8(folder.path() / "first.json"), second = utf8(folder.path() / "second.json");
    const std::string dump = utf8(folder.path() / "dump.json");
    const plandor_test::Run made =
        plandor_test::runScript(make + "SAVE " + first + "\n" + show, {"--dump", dump});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    ASSERT_NE(made.out.find("Saved 7 lights, 10 entities, 1 view, 2 named paths and 1 motion path to"), std::string::npos)
        << made.out;
    // In a new session: the same file, lights, paths and coordinate system; then new objects take new handles, the
    // name index finds every light, erasing the line takes its path and motion path along, and the context menu
    // turns an opened light.
    const plandor_test::Run opened = plandor_test::runScript(
        show + "SAVE " + second + "\nLINE 0,0,0 0,0,1\nPOINTLIGHT\n0,0,0\nX\nSELECT \"Stage spot\" \"Reading lamp\" Spotlight1\n"
        "MENU 2006\nLIST\nERASE E\nPATHS\n", {"--open", first});
    ASSERT_EQ(opened.exitCode, 0) << opened.err;
    EXPECT_EQ(readFile(second), readFile(first));
    EXPECT_EQ(readFile(dump), readFile(first));
    const std::string before = fromFirstCommand(made.out), after = fromFirstCommand(opened.out);
    EXPECT_EQ(section(after, "Command: LIST", "Command: SAVE"), section(before, "Command: LIST", "\n\n~"));
    for (const char* expected : {"Command: LINE 0,0,0 0,0,1\nCreated Line 1F\n",
                                 "Selected light \"Stage spot\", light \"Reading lamp\" and light \"Spotlight1\".",
                                 "Stage spot     spot, targeted   on      1500     519.28      3500    CSS Named Colors: tomato  1       0,0,3000      0,0,6000",
                                 "Pointlight2    point, free", "Command: ERASE E\nErased Line E.\nCommand: PATHS\nNamed paths:\n"
                                 "  \"Ring\" 1C on Circle 10\nNo motion paths.\n"}) {
        EXPECT_NE(after.find(expected), std::string::npos) << expected << "\nin:\n" << after;
    }
}

TEST(SaveAndOpen, ARefusedFileChangesNothingAndAFailedSaveSaysWhy) {
    const plandor_test::ScratchFolder folder;
    const std::string bad = utf8(folder.write("bad.json", "{\"format\": \"plandor-drawing\", \"version\": 2}"));
    const std::string missing = utf8(folder.path() / "no" / "such.json");
    const std::string script = "LINE 0,0,0 1,0,0\nVIEW Front\n";
    std::string plain, refused;
    ASSERT_EQ(plandor_test::runScript(script, {}, &plain).exitCode, 0);
    const plandor_test::Run run =
        plandor_test::runScript(script + "OPEN " + bad + "\nSAVE " + missing + "\nSAVE\nLIST\n", {}, &refused);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(refused, plain);
    for (const std::string& expected : std::vector<std::string>{"/version is 2: this plandor reads version 1, and that one is newer. The drawing that is open stays as it is.\n",
                                       "Cannot save the drawing to \"" + missing + "\": the folder \"",
                                       "Command: SAVE\nThe drawing has no file yet: give one, SAVE [FILE]. Nothing was saved.\n",
                                       "Command: LIST\nNo lights in the drawing.\n"}) {
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\nin:\n" << run.out;
    }
    // plandor --open of such a file ends before anything runs.
    const plandor_test::Run start = plandor_test::runScript("LINE 0,0,0 1,0,0\n", {"--open", bad});
    EXPECT_EQ(start.exitCode, 2);
    EXPECT_EQ(start.out, "");
    EXPECT_EQ(start.err.rfind("plandor: cannot open \"" + bad + "\": /version is 2: this plandor reads version 1, and that one is newer.", 0), 0u)
        << start.err;
}

/// Replies typed at a terminal, as the question of unsaved changes reads them.
class TypedReplies : public plandor::ConsoleInput {
public:
    explicit TypedReplies(std::deque<std::string> replies) : m_replies(std::move(replies)) {}
    bool next(const std::wstring&, plsim::Reply&) override { return false; }
    Read readCommand(const std::wstring&, std::wstring& line) override {
        ++asked;
        if (m_replies.empty()) return Read::End;
        line = plandor::fromUtf8(m_replies.front());
        m_replies.pop_front();
        return line == L"^C" ? Read::Cancel : Read::Line;
    }
    bool isTerminal() const override { return terminal; }
    bool terminal = true;
    int asked = 0;

private:
    std::deque<std::string> m_replies;
};

TEST(SaveAndOpen, UnsavedChangesAreAskedAboutAtATerminalOnly) {
    plsim::resetSession();
    ASSERT_TRUE(plrxLoadModule(L"PlSceneOE.dbx", false, false));
    const plandor_test::ScratchFolder folder;
    const std::filesystem::path saved = folder.path() / "saved.json";
    std::FILE* sink = std::tmpfile();
    plandor::ConsoleOutput out(sink);
    const struct {
        const char* what;
        bool change, terminal;
        std::string command;  ///< "" for leaving
        std::deque<std::string> replies;
        bool goesOn;     ///< the command went through, or the drawing may be left
        int asked;       ///< lines read
        bool savedFile;  ///< the file was written
    } cases[] = {
        {"nothing changed", false, true, "NEW", {}, true, 0, false},
        {"a script", true, false, "NEW", {}, true, 0, false},
        {"no", true, true, "NEW", {"n"}, true, 1, false},
        {"cancel", true, true, "NEW", {"Cancel"}, false, 1, false},
        {"escape", true, true, "", {"^C"}, false, 1, false},
        {"a wrong answer, then yes to a file", true, true, "", {"maybe", "", utf8(saved)}, true, 3, true},
        {"yes, then no file", true, true, "", {"yes", ""}, false, 2, false},
        {"no answer when leaving", true, true, "", {}, true, 1, false},
        {"no answer to NEW", true, true, "NEW", {}, false, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(saved);
        PlApDocument* drawing = plsim::openDrawing(L"Drawing1");
        PlDbObjectId id;
        if (c.change) {
            ASSERT_EQ(plsim::addView(drawing->database(), L"Front", id), Plad::eOk);
        }
        TypedReplies input(c.replies);
        input.terminal = c.terminal;
        const bool goesOn = c.command.empty() ? plandor::mayLeaveDrawing(input, out)
                                              : (plandor::runFileCommand(L"new", L"", input, out),
                                                 plDocManagerPtr()->curDocument() != drawing);
        EXPECT_EQ(goesOn, c.goesOn);
        EXPECT_EQ(input.asked, c.asked);
        EXPECT_EQ(std::filesystem::exists(saved), c.savedFile);
        if (c.savedFile) {
            EXPECT_FALSE(plsim::drawingModified(drawing));
        }
        plsim::resetSession();
    }
    std::fclose(sink);
    plrxUnloadModule(L"PlSceneOE.dbx", false);
}

}  // namespace
