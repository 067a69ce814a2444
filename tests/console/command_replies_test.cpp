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
    const std::string lightingIs = "Command: SETVAR DEFAULTLIGHTING\nDEFAULTLIGHTING = ";
    const struct {
        const char* name;
        std::string input;
        std::string expectedEnd;  ///< the end of the output
    } cases[] = {
        {"a cancel ends the command silently and the next line is a command again",
         "SPOTLIGHT\n^C\nSETVAR DEFAULTLIGHTING\n", kLightingQuestion + "*Cancel*\n" + lightingIs + "1\n"},
        {"input that ends inside a command cancels it", "SPOTLIGHT\n", kLightingQuestion + "*Cancel*\n"},
        {"a comment between replies is skipped", "SPOTLIGHT\n# cancel the question\n^C\n",
         kLightingQuestion + "*Cancel*\n"},
        {"turning default lighting off takes effect once the light is placed",
         "SPOTLIGHT\n1001\n0,0,100\n0,0,0\nX\nSETVAR DEFAULTLIGHTING\n", lightingIs + "0\n"},
        {"keeping default lighting keeps it", "SPOTLIGHT\n1002\n0,0,100\n0,0,0\nX\nSETVAR DEFAULTLIGHTING\n",
         lightingIs + "1\n"},
        {"a light cancelled while being placed leaves default lighting on",
         "SPOTLIGHT\n1001\n^C\nSETVAR DEFAULTLIGHTING\n", lightingIs + "1\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const plandor_test::Run run = runPlandor({}, c.input);
        EXPECT_EQ(run.exitCode, 0);
        const std::string out = fromFirstCommand(run.out);
        EXPECT_EQ(out.rfind("Command: SPOTLIGHT\n", 0), 0u) << out;
        EXPECT_NE(out.find(kLightingQuestion), std::string::npos) << out;
        ASSERT_GE(out.size(), c.expectedEnd.size()) << out;
        EXPECT_EQ(out.substr(out.size() - c.expectedEnd.size()), c.expectedEnd) << out;
    }
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
