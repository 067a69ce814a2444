// Guards against the console misreading scripts (comments, blank lines, cancels, line ends, UTF-8, bad bytes, control characters), mangling or reordering the transcript, showing control characters raw, finding commands or variables by the wrong names, not running or ending commands as typed, and replies inside a command lost or misrouted (piped, cancelled, cut off by the end of input).
#include <gtest/gtest.h>

#include <string>

#include "plandor_runner.h"

namespace {

using plandor_test::fromFirstCommand;
using plandor_test::runPlandor;
using plandor_test::runScript;

TEST(ConsoleTranscript, ScriptsReadAsDocumented) {
    // A byte-order mark first; the last line has no line end and leaves its command unfinished, which is cancelled
    // (a script answers the default-lighting question itself).
    const std::string script =
        "\xEF\xBB\xBF"
        "FOO\nLIST\n# FOO in a comment\n\n   # indented FOO\n\t\n^C\n  ^C \n"
        "SETVAR CVPORT 7\r\nSETVAR CVPORT\r\n   SETVAR   CVPORT   6   \nsetvar cvport 4\nSETVAR CvPort\n"
        "SETVAR CVPORT abc\nSETVAR CVPORT 0\nSETVAR CVPORT\nSETVAR NOSUCHVAR\n"
        "LICHT\xC3\x96\xF0\x9F\x98\x80\nF\xFFO\nhelp list\nHELP circle\nHELP spotlight\n"
        "SETVAR CVPORT 1\nspotlight\n_SPOTLIGHT\n_pointlight\nSpotLight 1,2\nSETVAR CVPORT 2\n"
        "POINTLIGHT\n0,0,0\nName\nLamp\x1b[2Jred\nLamp\tTab\nLamp\n\nLIST\nLIST all\nSETVAR CVPORT\nSPOTLIGHT";
    const std::string unknown = "\". Type HELP for a list of commands.\n";
    const std::string refused = "CVPORT requires an integer between 1 and 32767.\n";
    const std::string notHere = "You cannot place lights in the current viewport. Switch to a model viewport first.\n";
    const std::string menu =
        "Enter an option to change [Name/Intensity/Status/Photometry/shadoW/Attenuation/filterColor/"
        "Color/eXit] <eXit>: ";
    const plandor_test::Run run = runScript(script);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        fromFirstCommand(run.out),
        "Command: FOO\nUnknown command \"FOO" + unknown +
            "Command: LIST\nNo lights in the drawing.\n"
            "Command: \nCommand: \nCommand: *Cancel*\nCommand: *Cancel*\n"
            "Command: SETVAR CVPORT 7\nCommand: SETVAR CVPORT\nCVPORT = 7\nCommand: SETVAR   CVPORT   6\n"
            "Command: setvar cvport 4\nCommand: SETVAR CvPort\nCVPORT = 4\n"
            "Command: SETVAR CVPORT abc\n" +
            refused + "Command: SETVAR CVPORT 0\n" + refused +
            "Command: SETVAR CVPORT\nCVPORT = 4\n"
            "Command: SETVAR NOSUCHVAR\nUnknown variable \"NOSUCHVAR\". Type SETVAR for the list.\n"
            "Command: LICHT\xC3\x96\xF0\x9F\x98\x80\nUnknown command \"LICHT\xC3\x96\xF0\x9F\x98\x80" +
            unknown + "Command: F\xEF\xBF\xBDO\nUnknown command \"F\xEF\xBF\xBDO" + unknown +
            "Command: help list\n  LIST                    list the lights of the drawing\n"
            "Command: HELP circle\n  CIRCLE cx,cy,cz RADIUS  a circle\n"
            "Command: HELP spotlight\nCommand of PLORE_ZuredUD:\n  SPOTLIGHT               help topic: SPOTLIGHT\n"
            "Command: SETVAR CVPORT 1\nCommand: spotlight\n" +
            notHere + "Command: _SPOTLIGHT\n" + notHere + "Command: _pointlight\n" + notHere +
            "Command: SpotLight 1,2\n"
            "SpotLight takes no arguments on its command line; type its replies at its prompts.\n"
            "Command: SETVAR CVPORT 2\nCommand: POINTLIGHT\nSpecify source location <0,0,0>: 0,0,0\n" +
            menu + "Name\nEnter light name <Pointlight1>: Lamp\n" + menu +
            "\nCommand: LIST\n"
            "Name  Kind         Status  Candela  Lumens      Kelvin  Color        Factor  Position  Target  "
            "Direction  Layer\n"
            "Lamp  point, free  on      1500     18849.5559  3500    255,255,255  1       0,0,0     -       -  "
            "        Lights\n"
            "Command: LIST all\nLIST takes no arguments.\nCommand: SETVAR CVPORT\nCVPORT = 2\n"
            "Command: SPOTLIGHT\nSpecify source location <0,0,0>: *Cancel*\n");
    for (const char* line :
         {"test.scr, line 19: not valid UTF-8", "test.scr, line 32: the control character U+001B (ESC)",
          "test.scr, line 33: the control character U+0009 (TAB)"}) {
        EXPECT_NE(run.err.find(line), std::string::npos) << line << "\n" << run.err;
    }
    const plandor_test::Run set = runPlandor({"--set", "NO\x1bSUCH=1"});
    EXPECT_NE(set.err.find("NO<ESC>SUCH"), std::string::npos) << set.err;
    for (const std::string& text : {run.out, run.err, set.err}) EXPECT_EQ(text.find('\x1b'), std::string::npos);
}

TEST(ConsoleCommandReplies, PipedRepliesAnswerTheCommandsPrompts) {
    // With default lighting on and no script running, a light command first asks whether to switch it off. A
    // cancel ends a command silently; a comment between replies is skipped; default lighting goes off only once a
    // light is placed; input that ends inside a command cancels it.
    const plandor_test::Run run = runPlandor(
        {},
        "SPOTLIGHT\n# cancel the question\n^C\nSETVAR DEFAULTLIGHTING\nSPOTLIGHT\n1001\n^C\nSETVAR DEFAULTLIGHTING\n"
        "SPOTLIGHT\n1002\n0,0,100\n0,0,0\nX\nSETVAR DEFAULTLIGHTING\n"
        "SPOTLIGHT\n1001\n0,0,100\n0,0,0\nX\nSETVAR DEFAULTLIGHTING\nSPOTLIGHT\n");
    EXPECT_EQ(run.exitCode, 0);
    const std::string out = fromFirstCommand(run.out);
    std::string lighting;  // the values SETVAR shows, in order
    for (std::size_t at = out.find("DEFAULTLIGHTING = "); at != std::string::npos;
         at = out.find("DEFAULTLIGHTING = ", at + 1)) {
        lighting += out[at + 18];
    }
    EXPECT_EQ(lighting, "1110") << out;
    EXPECT_NE(out.find("\nChoose a button [1001/1002], Esc or Ctrl-C cancels: *Cancel*\nCommand: SETVAR DEFAULTLIGHTING\n"),
              std::string::npos)
        << out;
    EXPECT_TRUE(out.ends_with("Command: SPOTLIGHT\nSpecify source location <0,0,0>: *Cancel*\n")) << out;
}

}  // namespace
