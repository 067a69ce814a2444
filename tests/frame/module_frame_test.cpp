// Guards what the module registers in a host (commands, service, context menu, reactors, resource module, the
// light-entity module) and removes again, loaded by file name through its entry point as a host loads it, and a
// second load that must find nothing of the first and work as the first did.
#include <string>

#include "host/pledcmd.h"
#include "host/plres.h"
#include "host/plrx.h"
#include "hostsim/driver.h"
#include "hostsim/selection_driver.h"
#include "support/host_fixture.h"

namespace {

const wchar_t* const kGroup = L"PLORE_ZuredUD";
const wchar_t* const kService = L"ZuredUD_Service_KMX";

PlEdCommandStack* commandStack() {
    PlRxObject* entry = plrxSysRegistry()->at(L"PLAD_REGISTERED_COMMANDS");
    return entry && entry->isKindOf(PlEdCommandStack::desc()) ? static_cast<PlEdCommandStack*>(entry) : nullptr;
}

using ModuleFrameTest = HostTest;

/// Runs `command` with `replies` (empty: Enter) and answers what it showed.
std::wstring run(const wchar_t* command, std::initializer_list<const wchar_t*> replies) {
    for (const wchar_t* reply : replies) plsim::queueReply(reply);
    plsim::clearTranscript();
    EXPECT_TRUE(plsim::runCommand(command));
    EXPECT_EQ(plsim::pendingReplies(), 0u);
    return plsim::transcript();
}

TEST_F(ModuleFrameTest, LoadUseUnloadAndLoadAgainLeavesNothingBehind) {
    const wchar_t* expected[] = {L"SPOTLIGHT", L"POINTLIGHT", L"DISTANTLIGHT", L"LIGHT",
                                 L"WEBLIGHT",  L"TARGETPOINT", L"FREESPOT",    L"FREEWEB"};
    std::wstring firstUse;
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round == 1 ? "first load" : "second load");
        std::wstring error;
        int initResult = -1;
        plsim::Application* app = plsim::loadApplication(L"PlZuredUD.vmx", &error, &initResult);
        ASSERT_NE(app, nullptr) << std::string(error.begin(), error.end());
        EXPECT_EQ(initResult, 0);
        EXPECT_EQ(plsim::applicationApiVersion(app), 0x190000);
        PlEdCommandStack* commands = commandStack();
        ASSERT_NE(commands, nullptr);
        ASSERT_EQ(commands->groupCommandCount(kGroup), 8u);
        for (unsigned i = 0; i < 8; ++i) {
            PlEdCommand* cmd = commands->groupCommandAt(kGroup, i);
            EXPECT_STREQ(cmd->globalName(), expected[i]);
            EXPECT_STREQ(cmd->helpTopic(), expected[i]);
            EXPECT_EQ(commands->lookupLocalCmd(expected[i]), cmd);
        }
        EXPECT_EQ(plResCurrentSource(), nullptr) << "the resource source must be restored";
        EXPECT_TRUE(plrxServiceIsRegistered(kService));
        EXPECT_TRUE(plrxAppIsLoaded(L"PlSceneOE.dbx"));
        EXPECT_NE(plrxFindPlRxClass(L"PlApHostIESFileNavParams"), nullptr);
        EXPECT_EQ(plsim::objectContextMenuCount(), 1);
        // The direction input holds the resource module too, apart from the application.
        EXPECT_GE(plsim::resourceModuleReferences(L"PlSceneRes.dll"), 1);
        // A second initialisation message is refused and the first registration stands; others change nothing.
        EXPECT_EQ(plsim::sendAppMessage(app, PlRx::kInitAppMsg), PlRx::kRetError);
        EXPECT_EQ(commands->groupCommandCount(kGroup), 8u);
        EXPECT_EQ(plsim::sendAppMessage(app, 99), PlRx::kRetOK);
        EXPECT_EQ(plsim::sendAppMessage(app, PlRx::kLoadDwgMsg), PlRx::kRetOK);  // the drawing opened before

        // Use it on a fresh drawing; the kind LIGHT offers first shows what the module remembers of earlier lights.
        plsim::closeDrawing(plsim::drawings().front());
        plsim::openDrawing(L"Lights");
        plsim::setScriptActive(true);
        std::wstring use = run(L"light", {L"", L"7,7,7", L""});
        use += run(L"_LIGHT", {L"Point", L"1,1,1", L"X"});
        use += run(L"_DistantLight", {L"", L"", L""});
        if (round == 1) firstUse = use;
        else EXPECT_EQ(use, firstUse) << "the second load must start as the first did";
        // Drawings opened and closed while loaded are told to the module first.
        PlApDocument* other = plsim::openDrawing(L"Other");
        plsim::closeDrawing(other);

        plsim::unloadApplication(app);
        EXPECT_FALSE(commands->hasGroup(kGroup));
        EXPECT_FALSE(plsim::runCommand(L"SPOTLIGHT"));
        EXPECT_FALSE(plrxServiceIsRegistered(kService));
        EXPECT_FALSE(plrxAppIsLoaded(L"PlSceneOE.dbx"));
        EXPECT_EQ(plrxFindPlRxClass(L"PlApHostIESFileNavParams"), nullptr);
        EXPECT_EQ(plsim::objectContextMenuCount(), 0);
        EXPECT_EQ(plsim::resourceModuleReferences(L"PlSceneRes.dll"), 0) << "the resource module must be freed";
        // A reactor deleted while still added, or a menu left registered, is reported.
        EXPECT_TRUE(plsim::drawingErrors().empty());
    }
}

TEST_F(ModuleFrameTest, ServiceAlreadyTakenFailsTheLoad) {
    ASSERT_NE(plrxRegisterService(kService), nullptr);
    int initResult = -1;
    plsim::Application* app = plsim::loadApplication(L"PlZuredUD.vmx", nullptr, &initResult);
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(initResult, PlRx::kRetError);
    EXPECT_FALSE(commandStack()->hasGroup(kGroup));
    EXPECT_FALSE(plrxAppIsLoaded(L"PlSceneOE.dbx")) << "a failed initialisation stops before the module";
    plsim::unloadApplication(app);
    EXPECT_TRUE(plrxServiceIsRegistered(kService)) << "not the module's to remove";
    delete static_cast<PlRxDictionary*>(plrxSysRegistry()->at(L"ServiceDictionary"))->remove(kService);
}

}  // namespace
