// Guards against the console misreading scripts (comments, blank lines, cancels, line ends, UTF-8, control characters), mangling or reordering the transcript, showing control characters raw, and not running or ending commands as typed.
#include <gtest/gtest.h>

#include <string>

#include "plandor_runner.h"
#include "resources/MessageIds.h"

namespace {

using plandor_test::fromFirstCommand;
using plandor_test::runScript;

struct TranscriptCase {
    const char* name;
    std::string script;
    std::string expected;  ///< the output from the first command prompt on
};

TEST(ConsoleTranscript, ScriptsReadAsDocumented) {
    const std::string unknownFoo = "Unknown command \"FOO\". Type HELP for a list of commands.\n";
    const TranscriptCase cases[] = {
        {"an unknown command is reported and the script goes on",
         "FOO\nSETVAR CVPORT\n",
         "Command: FOO\n" + unknownFoo + "Command: SETVAR CVPORT\nCVPORT = 2\n"},
        {"QUIT leaves and the rest is not read",
         "SETVAR CVPORT 3\nquit\nFOO\n",
         "Command: SETVAR CVPORT 3\nCommand: quit\n"},
        {"EXIT leaves too",
         "Exit\nFOO\n",
         "Command: Exit\n"},
        {"comments are skipped, blank lines do nothing at the command prompt",
         "# FOO in a comment\n\n   # indented FOO\n\t\nSETVAR CVPORT\n",
         "Command: \nCommand: \nCommand: SETVAR CVPORT\nCVPORT = 2\n"},
        {"^C cancels the command prompt and the script goes on",
         "^C\n  ^C \nSETVAR CVPORT\n",
         "Command: *Cancel*\nCommand: *Cancel*\nCommand: SETVAR CVPORT\nCVPORT = 2\n"},
        {"Windows line ends are read as line ends",
         "SETVAR CVPORT 7\r\nSETVAR CVPORT\r\n",
         "Command: SETVAR CVPORT 7\nCommand: SETVAR CVPORT\nCVPORT = 7\n"},
        {"the last line needs no line end, a byte-order mark is dropped",
         "\xEF\xBB\xBFSETVAR CVPORT 5\nSETVAR CVPORT",
         "Command: SETVAR CVPORT 5\nCommand: SETVAR CVPORT\nCVPORT = 5\n"},
        {"blanks around a line are dropped",
         "   SETVAR   CVPORT   6   \nSETVAR CVPORT\n",
         "Command: SETVAR   CVPORT   6\nCommand: SETVAR CVPORT\nCVPORT = 6\n"},
        {"text outside ASCII goes through unchanged",
         "LICHT\xC3\x96\xF0\x9F\x98\x80\n",
         "Command: LICHT\xC3\x96\xF0\x9F\x98\x80\n"
         "Unknown command \"LICHT\xC3\x96\xF0\x9F\x98\x80\". Type HELP for a list of commands.\n"},
        {"variable names are read in any letter case",
         "setvar cvport 4\nSETVAR CvPort\n",
         "Command: setvar cvport 4\nCommand: SETVAR CvPort\nCVPORT = 4\n"},
        {"HELP NAME shows the help of that one command",
         "help list\nHELP circle\nHELP spotlight\nHELP FOO\n",
         "Command: help list\n  LIST                    list the lights of the drawing\n"
         "Command: HELP circle\n  CIRCLE cx,cy,cz RADIUS  a circle\n"
         "Command: HELP spotlight\nCommand of PLORE_ZuredUD:\n  SPOTLIGHT               help topic: SPOTLIGHT\n"
         "Command: HELP FOO\n" + unknownFoo},
        {"an unknown variable is reported",
         "SETVAR NOSUCHVAR\n",
         "Command: SETVAR NOSUCHVAR\nUnknown variable \"NOSUCHVAR\". Type SETVAR for the list.\n"},
    };
    for (const TranscriptCase& c : cases) {
        SCOPED_TRACE(c.name);
        const plandor_test::Run run = runScript(c.script);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(fromFirstCommand(run.out), c.expected);
        EXPECT_EQ(run.err, "");
    }
}

TEST(ConsoleTranscript, RefusedValueKeepsTheVariable) {
    const plandor_test::Run run = runScript("SETVAR CVPORT abc\nSETVAR CVPORT 0\nSETVAR CVPORT\n");
    EXPECT_EQ(run.exitCode, 0);
    const std::string out = fromFirstCommand(run.out);
    // Each refusal says something on a line of its own.
    for (const char* refused : {"Command: SETVAR CVPORT abc\n", "Command: SETVAR CVPORT 0\n"}) {
        const std::size_t at = out.find(refused);
        ASSERT_NE(at, std::string::npos) << out;
        const std::size_t next = at + std::string(refused).size();
        EXPECT_NE(out.compare(next, 8, "Command:"), 0) << "no message after " << refused;
    }
    EXPECT_NE(out.find("Command: SETVAR CVPORT\nCVPORT = 2\n"), std::string::npos) << out;
}

TEST(ConsoleTranscript, BadBytesAreReportedWithTheirLine) {
    const plandor_test::Run run = runScript("# first\nF\xFFO\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("line 2"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("Unknown command \"F\xEF\xBF\xBDO\"."), std::string::npos) << run.out;
}

TEST(ConsoleTranscript, CommandsAreFoundByAnyCaseAndByGlobalName) {
    const plandor_test::Run run = runScript("spotlight\n_SPOTLIGHT\n_pointlight\nSpotLight 1,2\n", {"--set", "CVPORT=1"});
    EXPECT_EQ(run.exitCode, 0);
    // Under CVPORT 1 each spelling reaches the light command, which refuses the same way.
    const std::string out = fromFirstCommand(run.out);
    const std::size_t second = out.find('\n') + 1;
    const std::string refusal = out.substr(second, out.find('\n', second) + 1 - second);
    EXPECT_EQ(refusal, plandor_test::messageText(msg::kNotInThisViewport))
        << "a light command in viewport 1 prints the viewport message and nothing else";
    EXPECT_EQ(out,
              "Command: spotlight\n" + refusal + "Command: _SPOTLIGHT\n" + refusal + "Command: _pointlight\n" +
                  refusal + "Command: SpotLight 1,2\n" +
                  "SpotLight takes no arguments on its command line; type its replies at its prompts.\n");
}

TEST(ConsoleTranscript, ControlCharactersAreRefusedAndNeverShownRaw) {
    const plandor_test::Run run = runScript("POINTLIGHT\n0,0,0\nName\nLamp\x1b[2Jred\nLamp\tTab\nLamp\n\nLIST\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("line 4: the control character U+001B (ESC)"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 5: the control character U+0009 (TAB)"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("\nLamp "), std::string::npos) << "the next line answers the name prompt:\n" << run.out;
    const plandor_test::Run set = plandor_test::runPlandor({"--set", "NO\x1bSUCH=1"});
    EXPECT_NE(set.err.find("NO<ESC>SUCH"), std::string::npos) << set.err;
    for (const std::string& text : {run.out, run.err, set.err}) EXPECT_EQ(text.find('\x1b'), std::string::npos);
}

TEST(ConsoleTranscript, HelpListsEveryLightCommand) {
    const plandor_test::Run run = runScript("HELP\n");
    EXPECT_EQ(run.exitCode, 0);
    for (const char* name : {"LIGHT", "POINTLIGHT", "TARGETPOINT", "SPOTLIGHT", "FREESPOT", "WEBLIGHT", "FREEWEB",
                             "DISTANTLIGHT"}) {
        EXPECT_NE(run.out.find("\n  " + std::string(name) + " "), std::string::npos) << name << ":\n" << run.out;
    }
}

}  // namespace
