// Guards against output lost from the transcript or the live sink, and against prompts
// that run on after printed text or lines left unfinished after a command.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/pled.h"
#include "host/pledcmd.h"
#include "tests/hostsim/host_fixture.h"

namespace {

class OutputTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        plsim::setOutputSink([this](const std::wstring& text) { live += text; });
    }
    std::wstring live;
};

TEST_F(OutputTest, FinishOutputLineEndsOnlyAPendingLine) {
    plsim::finishOutputLine();
    EXPECT_EQ(L"", plsim::transcript());
    plutPrintf(L"x");
    plsim::finishOutputLine();
    plsim::finishOutputLine();
    EXPECT_EQ(L"x\n", plsim::transcript());
    EXPECT_EQ(L"x\n", live);
}

TEST_F(OutputTest, APromptStartsOnALineOfItsOwn) {
    plutPrintf(L"Busy");
    plsim::queueReply(L"Bob");
    PlString reply;
    EXPECT_EQ(PLRTNORM, pledGetString(1, L"Name: ", reply));
    plsim::queueReply(L"Ann");
    EXPECT_EQ(PLRTNORM, pledGetString(1, L"Name: ", reply));
    EXPECT_EQ(L"Busy\nName: Bob\nName: Ann\n", plsim::transcript());
    EXPECT_EQ(L"Busy\nName: Bob\nName: Ann\n", live);
}

/// A terminal: it shows prompts and replies itself.
class Terminal : public plsim::InputSource {
public:
    bool next(const std::wstring& /*prompt*/, plsim::Reply& reply) override {
        reply.text = L"typed";
        return true;
    }
    bool showsPrompts() const override { return true; }
};

TEST_F(OutputTest, APromptShownByTheInputSourceIsKeptFromTheSinkButNotTheTranscript) {
    Terminal terminal;
    plsim::setInputSource(&terminal);
    plutPrintf(L"Busy");
    PlString reply;
    const int status = pledGetString(1, L"Name: ", reply);
    plutPrintf(L"done\n");
    plsim::setInputSource(nullptr);
    EXPECT_EQ(PLRTNORM, status);
    EXPECT_EQ(L"Busy\nName: typed\ndone\n", plsim::transcript());
    EXPECT_EQ(L"Busy\ndone\n", live);  // the pending line still ends before the terminal asks
}

TEST_F(OutputTest, ClearingTheTranscriptMidLineLeavesNoStrayLineBreak) {
    plutPrintf(L"half");
    plsim::clearTranscript();
    plsim::finishOutputLine();
    plutPrintf(L"next\n");
    EXPECT_EQ(L"next\n", plsim::transcript());
    EXPECT_EQ(L"half\nnext\n", live);  // the screen still had the half line
}

void printsWithoutNewline() { plutPrintf(L"Hello"); }

TEST_F(OutputTest, RunCommandEndsTheCommandsLastLine) {
    auto* stack = static_cast<PlEdCommandStack*>(plrxSysRegistry()->at(L"PLAD_REGISTERED_COMMANDS"));
    ASSERT_NE(nullptr, stack);
    ASSERT_EQ(Plad::eOk, stack->addCommand(L"OUTPUT_TEST", L"HELLO", L"HELLO", 0, &printsWithoutNewline));
    EXPECT_TRUE(plsim::runCommand(L"hello"));
    EXPECT_TRUE(plsim::runCommand(L"_HELLO"));
    EXPECT_EQ(L"Hello\nHello\n", plsim::transcript());
    EXPECT_EQ(Plad::eOk, stack->removeGroup(L"OUTPUT_TEST"));
    EXPECT_FALSE(plsim::runCommand(L"HELLO"));
}

}  // namespace
