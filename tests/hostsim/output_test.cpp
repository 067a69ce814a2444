// Guards against the host formatter misreading its arguments (narrow for wide text, wrong widths, consumed
// arguments for unknown conversions) or crashing on a bad format, output lost from the transcript or the live
// sink, and prompts that run on after printed text or lines left unfinished after a command.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/pled.h"
#include "host/pledcmd.h"
#include "host/plstring.h"
#include "tests/hostsim/host_fixture.h"

namespace {

template <class... Args>
std::wstring fmt(const wchar_t* format, Args... args) {
    PlString text(L"previous text");
    text.format(format, args...);
    return text.str();
}

TEST(Format, ConversionsFollowCAndTakeWideTextOnEverySystem) {
    const wchar_t* const nothing = nullptr;
    const struct {
        const wchar_t* expected;
        std::wstring actual;
    } cases[] = {
        {L"Gr\u00fc\u00dfe", fmt(L"%s", L"Gr\u00fc\u00dfe")},
        {L"Gr\u00fc\u00dfe", fmt(L"%ls", L"Gr\u00fc\u00dfe")},
        {L"[(null)]", fmt(L"[%s]", nothing)},
        {L"[ab    ]", fmt(L"[%-6s]", L"ab")},
        {L"[abc]", fmt(L"[%.*s]", 3, L"abcdef")},
        {L"Gr\u00fc", fmt(L"%hs", "Gr\xc3\xbc")},
        {L"a \u00df b", fmt(L"a %c b", L'\u00df')},
        {L"[-0042]", fmt(L"[%05d]", -42)},
        {L"4294967295", fmt(L"%u", 4294967295u)},
        {L"[7   ]", fmt(L"[%*d]", -4, 7)},
        {L"[ 3.14]", fmt(L"[%5.2f]", 3.14159)},
        {L"0.0001 1e+10", fmt(L"%g %g", 0.0001, 1e10)},
        {L"100%", fmt(L"100%%")},
        // An unknown conversion takes no argument: the next one still gets its own.
        {L"%5y 7", fmt(L"%5y %d", 7)},
        {L"%n5", fmt(L"%n%d", 5)},  // "%n" never writes anywhere
        {L"abc%l", fmt(L"abc%l")},  // a format that ends inside a conversion
    };
    for (const auto& c : cases) EXPECT_EQ(std::wstring(c.expected), c.actual);
    PlString text(L"old");
    text.format(nullptr);
    EXPECT_TRUE(text.isEmpty());
    const std::wstring wide = fmt(L"%999999999d", 1);
    EXPECT_LT(wide.size(), 100000u);
    EXPECT_EQ(L'1', wide.back());
}

class OutputTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        plsim::setOutputSink([this](const std::wstring& text) { live += text; });
    }
    std::wstring live;
};

TEST_F(OutputTest, PrintedTextAndPromptsEachEndTheirLine) {
    plsim::finishOutputLine();
    EXPECT_EQ(13, plutPrintf(L"%s has %d%%\n", L"Lamp", 50));
    plutPrintf(L"Value: %s", L"100%s");  // an argument is never read as a format
    plsim::finishOutputLine();
    plsim::finishOutputLine();  // ends only a pending line
    plutPrintf(L"Busy");
    plsim::queueReply(L"Bob");
    PlString reply;
    EXPECT_EQ(PLRTNORM, pledGetString(1, L"Name: ", reply));
    EXPECT_EQ(L"Lamp has 50%\nValue: 100%s\nBusy\nName: Bob\n", plsim::transcript());
    EXPECT_EQ(plsim::transcript(), live);

    // Clearing the transcript mid-line leaves no stray line break in it; the screen had the half line.
    plutPrintf(L"half");
    plsim::clearTranscript();
    plsim::finishOutputLine();
    plutPrintf(L"next\n");
    EXPECT_EQ(L"next\n", plsim::transcript());
    EXPECT_EQ(L"Lamp has 50%\nValue: 100%s\nBusy\nName: Bob\nhalf\nnext\n", live);
}

/// Replies with its lines, then with nothing; a terminal shows prompts and replies itself.
class ScriptedSource : public plsim::InputSource {
public:
    ScriptedSource(std::vector<std::wstring> lines, bool shows) : m_lines(std::move(lines)), m_shows(shows) {}
    bool next(const std::wstring& prompt, plsim::Reply& reply) override {
        prompts.push_back(prompt);
        if (prompts.size() > m_lines.size()) return false;
        reply = plsim::Reply{plsim::Reply::Text, m_lines[prompts.size() - 1]};
        return true;
    }
    bool showsPrompts() const override { return m_shows; }
    std::vector<std::wstring> prompts;

private:
    std::vector<std::wstring> m_lines;
    bool m_shows;
};

// A terminal shows its prompt and the reply itself: they are kept from the sink, not from the transcript.
TEST_F(OutputTest, TheInputSourceAnswersAfterTheQueue) {
    ScriptedSource terminal({L"from source"}, true);
    plsim::setInputSource(&terminal);
    plsim::queueReply(L"from queue");
    plutPrintf(L"Busy");
    PlString reply;
    EXPECT_EQ(pledGetString(1, L"One: ", reply), PLRTNORM);
    EXPECT_EQ(reply.str(), L"from queue");
    EXPECT_EQ(pledGetString(1, L"Two: ", reply), PLRTNORM);
    EXPECT_EQ(reply.str(), L"from source");
    EXPECT_EQ(pledGetString(1, L"Three: ", reply), PLRTCAN);
    plutPrintf(L"done\n");
    plsim::setInputSource(nullptr);
    EXPECT_EQ(terminal.prompts, (std::vector<std::wstring>{L"Two: ", L"Three: "}));
    EXPECT_EQ(plsim::exhaustedPrompts(), 1);
    EXPECT_EQ(L"Busy\nOne: from queue\nTwo: from source\nThree: *Cancel*\ndone\n", plsim::transcript());
    EXPECT_EQ(L"Busy\nOne: from queue\nThree: *Cancel*\ndone\n", live) << "only what the terminal did not show";
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
