// Guards against replies inside a command being lost or misrouted: piped replies, cancels inside a command, input that ends mid-command, and the script flag the host sees.
#include <gtest/gtest.h>

#include <string>

#include "plandor_runner.h"

namespace {

using plandor_test::fromFirstCommand;
using plandor_test::runPlandor;
using plandor_test::runScript;

// With default lighting on and no script running, a light command first asks
// whether to switch default lighting off.
const std::string kLightingQuestion = "Choose a button [1001/1002], Esc cancels: ";

TEST(ConsoleCommandReplies, PipedRepliesAnswerTheCommandsPrompts) {
    // A cancel ends a command silently; a comment between replies is skipped; default lighting goes off
    // only once a light is placed; input that ends inside a command cancels it.
    const plandor_test::Run run = runPlandor(
        {}, "SPOTLIGHT\n# cancel the question\n^C\nSETVAR DEFAULTLIGHTING\nSPOTLIGHT\n1001\n^C\nSETVAR DEFAULTLIGHTING\n"
            "SPOTLIGHT\n1002\n0,0,100\n0,0,0\nX\nSETVAR DEFAULTLIGHTING\n"
            "SPOTLIGHT\n1001\n0,0,100\n0,0,0\nX\nSETVAR DEFAULTLIGHTING\nSPOTLIGHT\n");
    EXPECT_EQ(run.exitCode, 0);
    const std::string out = fromFirstCommand(run.out);
    std::string lighting;  // the values SETVAR shows, in order
    for (std::size_t at = out.find("DEFAULTLIGHTING = "); at != std::string::npos; at = out.find("DEFAULTLIGHTING = ", at + 1)) {
        lighting += out[at + 18];
    }
    EXPECT_EQ(lighting, "1110") << out;
    EXPECT_NE(out.find("\n" + kLightingQuestion + "*Cancel*\nCommand: SETVAR DEFAULTLIGHTING\n"), std::string::npos) << out;
    EXPECT_TRUE(out.ends_with("Command: SPOTLIGHT\nSpecify source location <0,0,0>: *Cancel*\n")) << out;
}

TEST(ConsoleCommandReplies, ScriptEndingInsideACommandCancelsIt) {
    // A running script answers the default-lighting question itself, so the
    // first prompt is the light's position.
    const std::string cancelled = ": *Cancel*\n";
    for (const char* script : {"SPOTLIGHT\n", "SPOTLIGHT\n0,0,100\n", "LIGHT\n\n"}) {
        SCOPED_TRACE(script);
        const plandor_test::Run run = runScript(script);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out.find("Choose a button"), std::string::npos) << run.out;
        const std::string out = fromFirstCommand(run.out);
        ASSERT_GE(out.size(), cancelled.size()) << out;
        EXPECT_EQ(out.substr(out.size() - cancelled.size()), cancelled) << out;
        // Only the script's one command ran.
        EXPECT_EQ(out.find("Command: ", 1), std::string::npos) << out;
    }
}

}  // namespace
