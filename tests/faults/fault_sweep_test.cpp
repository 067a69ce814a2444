// Guards every command, and the loading of the module, against each fault the host can inject
// at each place it can strike: no crash, nothing left open or locked, no half-made light, and
// the user is told that the light could not be created.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/pldocs.h"
#include "host/pledcmd.h"
#include "host/plrx.h"
#include "hostsim/driver.h"
#include "hostsim/internal.h"
#include "hostsim/sceneoe/scene_driver.h"
#include "hostsim/sceneoe/web_files.h"
#include "support/session_check.h"

namespace {

using plsim::Fault;

/// One command and the replies of a run that reaches everything it does. `typed`: the replies
/// are typed, so dialogs are shown and answered; `vars`: system variables set first.
struct SweepRow {
    const wchar_t* command;
    std::vector<std::wstring> replies;
    bool typed = false;
    std::vector<std::pair<std::wstring, std::wstring>> vars = {};
};

// One row a command; a command added to the module gets a row here.
const SweepRow kRows[] = {
    {L"SPOTLIGHT",
     {L"1001", L"0,0,3000", L"0,0,0", L"Name", L"Stage", L"Color", L"colorBook", L"css named colors", L"tomato",
      L"shadoW", L"softsAmpled", L"Shape", L"Disk", L"2", L"eXit", L"Attenuation", L"Uselimits", L"oN", L"eXit",
      L"Photometry", L"Intensity", L"Flux", L"1200", L"eXit", L"eXit"},
     true,
     {{L"DEFAULTLIGHTING", L"1"}}},
    {L"POINTLIGHT", {L"1,2,3", L"Intensity", L"2", L"Status", L"oFf", L"filterColor", L"Index", L"12", L"eXit"}},
    {L"TARGETPOINT", {L"0,0,1", L"1,1,1", L"Name", L"Fill", L"eXit"}},
    {L"FREESPOT", {L"0,0,0", L"Hotspot", L"30", L"Falloff", L"40", L"eXit"}},
    {L"WEBLIGHT", {L"0,0,3", L"0,0,0", L"weB", L"File", L"downlight", L"Z", L"45", L"Exit", L"eXit"}},
    {L"FREEWEB", {L"0,0,3", L"weB", L"File", L"~", L"spot", L"", L"eXit"}},
    {L"DISTANTLIGHT", {L"1002", L"1002", L"0,0,0", L"1,1,-1", L"Intensity", L"0.5", L"eXit"}, true},
    {L"LIGHT", {L"Spot", L"0,0,3", L"0,0,0", L"eXit"}},
};

/// Every fault the host can inject, with its name for a message.
const struct {
    Fault fault;
    const wchar_t* name;
} kFaults[] = {{Fault::ModuleLoad, L"module load"}, {Fault::ResourceLoad, L"resource load"},
               {Fault::DocumentLock, L"document lock"}, {Fault::Allocation, L"allocation"},
               {Fault::OpenObject, L"open"}};

/// Message 2285 as the module's resources give it.
const std::wstring kLightNotCreated = L"The light could not be created.";

std::string text(const std::wstring& wide) { return plsim::detail::toUtf8(wide); }

/// What one run left: the transcript and the lights of the drawing.
struct Outcome {
    std::wstring transcript;
    std::vector<plsim::scene::LightInfo> lights;
    int opportunities = 0;  ///< operations of the fault's kind the run performed
};

/// The lines of `faulted` that `clean` does not have, other than the prompts.
std::vector<std::wstring> newMessages(const std::wstring& clean, const std::wstring& faulted) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < faulted.size()) {
        std::size_t end = faulted.find(L'\n', start);
        if (end == std::wstring::npos) end = faulted.size();
        const std::wstring line = faulted.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line.find(L": ") != std::wstring::npos) continue;  // a prompt and its reply
        if (clean.find(line) == std::wstring::npos) lines.push_back(line);
    }
    return lines;
}

class FaultSweepTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        plsim::resetSession();
        s_app = plsim::loadApplication(L"PlZuredUD.vmx");
        plsim::scene::setWebSearchPath({PL_WEB_FOLDER});
    }
    static void TearDownTestSuite() {
        plsim::resetSession();
        if (s_app) plsim::unloadApplication(s_app);
        plsim::scene::setWebSearchPath({});
    }

    /// Runs the row on a fresh drawing with the fault of kind `fault` at operation `position`
    /// (0: no fault), then withdraws whatever of the fault is left.
    static Outcome run(const SweepRow& row, Fault fault, int position) {
        plsim::resetSession();
        plsim::setColorBookLocation(PL_COLORBOOK_FOLDER);
        PlApDocument* drawing = plsim::openDrawing(L"Drawing1");
        for (const auto& [name, value] : row.vars) EXPECT_TRUE(plsim::setVar(name, value));
        plsim::setScriptActive(!row.typed);
        for (const std::wstring& reply : row.replies) plsim::queueReply(reply);
        plsim::clearTranscript();
        const int before = plsim::faultOpportunities(fault);
        if (position > 0) plsim::injectFault(fault, 1, position - 1);
        EXPECT_TRUE(plsim::runCommand(row.command));
        Outcome outcome{plsim::transcript(), {}, plsim::faultOpportunities(fault) - before};
        if (position == 0) {  // the row still answers exactly what the command asks
            EXPECT_EQ(plsim::pendingReplies(), 0u) << text(row.command) << text(outcome.transcript);
            EXPECT_EQ(plsim::exhaustedPrompts(), 0) << text(row.command) << text(outcome.transcript);
        }
        plsim::injectFault(fault, 0);
        plsim::clearReplies();
        outcome.lights = plsim::scene::lightsOf(drawing->database());
        return outcome;
    }

    static plsim::Application* s_app;
};

plsim::Application* FaultSweepTest::s_app = nullptr;

TEST_F(FaultSweepTest, EveryCommandWithEveryFaultAtEveryPosition) {
    ASSERT_NE(s_app, nullptr);
    int struck = 0;
    for (const SweepRow& row : kRows) {
        for (const auto& [fault, faultName] : kFaults) {
            const Outcome clean = run(row, fault, 0);
            ASSERT_EQ(clean.lights.size(), 1u) << text(row.command) << " makes no light:\n" << text(clean.transcript);
            for (int position = 1; position <= clean.opportunities; ++position, ++struck) {
                const Outcome faulted = run(row, fault, position);
                const std::string where = text(std::wstring(row.command) + L", " + std::wstring(faultName) + L" fault at " +
                                               std::to_wstring(position) + L":\n" + faulted.transcript);
                for (const std::wstring& problem : pltest::sessionProblems()) ADD_FAILURE() << where << text(problem);
                ASSERT_LE(faulted.lights.size(), 1u) << where;
                // Without the light the clean run makes, the user must have been told why: every
                // fault that strikes a light command stops the light from being made.
                if (faulted.lights.empty()) {
                    const std::vector<std::wstring> added = newMessages(clean.transcript, faulted.transcript);
                    EXPECT_NE(std::find(added.begin(), added.end(), kLightNotCreated), added.end()) << where;
                }
            }
        }
    }
    EXPECT_GT(struck, 0);
    std::printf("fault sweep: %d runs with a fault\n", struck);
}

/// The commands of the module's group that the host knows.
unsigned moduleCommands() {
    PlRxObject* entry = plrxSysRegistry()->at(L"PLAD_REGISTERED_COMMANDS");
    auto* commands = entry && entry->isKindOf(PlEdCommandStack::desc()) ? static_cast<PlEdCommandStack*>(entry) : nullptr;
    return commands ? commands->groupCommandCount(L"PLORE_ZuredUD") : 0;
}

/// Loading the module with each fault at each position: it loads and works, or it says why;
/// either way its unloading leaves nothing of it behind.
TEST(ModuleLoadFaultTest, EveryFaultAtEveryPositionOfTheLoad) {
    int struck = 0;
    for (const auto& [fault, faultName] : kFaults) {
        for (int position = 0, positions = 1; position <= positions; ++position) {
            plsim::resetSession();
            plsim::openDrawing(L"Drawing1");
            plsim::setScriptActive(true);
            if (position > 0) plsim::injectFault(fault, 1, position - 1);
            std::wstring error;
            int initResult = -1;
            const int before = plsim::faultOpportunities(fault);
            plsim::Application* app = plsim::loadApplication(L"PlZuredUD.vmx", &error, &initResult);
            if (position == 0) positions = plsim::faultOpportunities(fault) - before;
            else ++struck;
            plsim::injectFault(fault, 0);
            const std::string where = text(std::wstring(faultName) + L" fault at " + std::to_wstring(position) + L": " +
                                           error + L"\n" + plsim::transcript());
            if (!app) {
                EXPECT_FALSE(error.empty()) << where;
                continue;
            }
            // A refusal (initResult not 0) is the host's to report, as plandor does.
            if (initResult == 0) {
                EXPECT_EQ(moduleCommands(), 8u) << where;
                for (const wchar_t* reply : {L"0,0,0", L"1,1,1", L""}) plsim::queueReply(reply);
                EXPECT_TRUE(plsim::runCommand(L"DISTANTLIGHT")) << where;
            }
            for (const std::wstring& problem : pltest::sessionProblems()) ADD_FAILURE() << where << text(problem);
            plsim::unloadApplication(app);
            EXPECT_EQ(moduleCommands(), 0u) << where;
            EXPECT_FALSE(plrxServiceIsRegistered(L"ZuredUD_Service_KMX")) << where;
            EXPECT_EQ(plsim::resourceModuleReferences(L"PlSceneRes.dll"), 0) << where;
            EXPECT_FALSE(plrxAppIsLoaded(L"PlSceneOE.dbx")) << where;
        }
    }
    EXPECT_GT(struck, 0);
    std::printf("load sweep: %d loads with a fault\n", struck);
}

}  // namespace
