// Guards what the module registers in a host (commands, service, context menu, reactor) and removes again, loaded by file
// name through its entry point exactly as a host loads it.
#include <gtest/gtest.h>

#include <string>

#include "host/pledcmd.h"
#include "host/plrx.h"
#include "hostsim/driver.h"
#include "hostsim/selection_driver.h"

namespace {

PlEdCommandStack* commandStack() {
    PlRxObject* entry = plrxSysRegistry()->at(L"PLAD_REGISTERED_COMMANDS");
    return entry && entry->isKindOf(PlEdCommandStack::desc()) ? static_cast<PlEdCommandStack*>(entry) : nullptr;
}

class ModuleFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        plsim::resetSession();
        plsim::openDrawing(L"Drawing1");
    }
    void TearDown() override { plsim::resetSession(); }
};

TEST_F(ModuleFrameTest, LoadRegistersEverythingAndUnloadRemovesIt) {
    std::wstring error;
    int initResult = -1;
    plsim::Application* app = plsim::loadApplication(L"PlZuredUD.vmx", &error, &initResult);
    ASSERT_NE(app, nullptr) << std::string(error.begin(), error.end());
    EXPECT_EQ(initResult, 0);
    EXPECT_EQ(plsim::applicationApiVersion(app), 0x190000);

    PlEdCommandStack* commands = commandStack();
    ASSERT_NE(commands, nullptr);
    const wchar_t* expected[] = {L"SPOTLIGHT", L"POINTLIGHT", L"DISTANTLIGHT", L"LIGHT",
                                 L"WEBLIGHT",  L"TARGETPOINT", L"FREESPOT",    L"FREEWEB"};
    ASSERT_EQ(commands->groupCommandCount(L"PLORE_ZuredUD"), 8u);
    for (unsigned i = 0; i < 8; ++i) {
        PlEdCommand* cmd = commands->groupCommandAt(L"PLORE_ZuredUD", i);
        EXPECT_STREQ(cmd->globalName(), expected[i]);
        EXPECT_STREQ(cmd->localName(), expected[i]);
        EXPECT_STREQ(cmd->helpTopic(), expected[i]);
        EXPECT_EQ(commands->lookupLocalCmd(cmd->localName()), cmd);
    }
    EXPECT_TRUE(plrxServiceIsRegistered(L"ZuredUD_Service_KMX"));
    EXPECT_TRUE(plrxAppIsLoaded(L"PlSceneOE.dbx"));
    EXPECT_NE(plrxFindPlRxClass(L"PlApHostIESFileNavParams"), nullptr);

    // A second initialisation message is refused; the first registration stands.
    EXPECT_EQ(plsim::sendAppMessage(app, 1), 3);
    EXPECT_EQ(commands->groupCommandCount(L"PLORE_ZuredUD"), 8u);
    // Unknown messages change nothing.
    EXPECT_EQ(plsim::sendAppMessage(app, 99), 0);

    // The direction input holds the resource module too, apart from the application.
    EXPECT_GE(plsim::resourceModuleReferences(L"PlSceneRes.dll"), 1);
    plsim::setScriptActive(true);
    plsim::queueEnter();  // direction from the origin
    plsim::queueEnter();  // to 1,1,1
    plsim::queueEnter();  // keep the light
    EXPECT_TRUE(plsim::runCommand(L"DISTANTLIGHT"));
    EXPECT_EQ(plsim::pendingReplies(), 0u);

    plsim::unloadApplication(app);
    EXPECT_EQ(plsim::resourceModuleReferences(L"PlSceneRes.dll"), 0) << "the resource module must be freed";
    EXPECT_FALSE(commands->hasGroup(L"PLORE_ZuredUD"));
    EXPECT_FALSE(plrxServiceIsRegistered(L"ZuredUD_Service_KMX"));
    EXPECT_FALSE(plrxAppIsLoaded(L"PlSceneOE.dbx"));
    EXPECT_EQ(plrxFindPlRxClass(L"PlApHostIESFileNavParams"), nullptr);
}

TEST_F(ModuleFrameTest, ALoadedCommandRunsThroughTheHost) {
    plsim::Application* app = plsim::loadApplication(L"PlZuredUD.vmx");
    ASSERT_NE(app, nullptr);
    ASSERT_TRUE(plsim::setVar(L"CVPORT", L"1"));
    plsim::clearTranscript();
    EXPECT_TRUE(plsim::runCommand(L"spotlight"));
    const std::wstring refused = plsim::transcript();
    EXPECT_FALSE(refused.empty());
    plsim::clearTranscript();
    EXPECT_TRUE(plsim::runCommand(L"_FREEWEB"));
    EXPECT_EQ(plsim::transcript(), refused) << "every light command refuses viewport 1 the same way";
    plsim::unloadApplication(app);
    EXPECT_FALSE(plsim::runCommand(L"SPOTLIGHT"));
}

TEST_F(ModuleFrameTest, ServiceAlreadyTakenFailsTheLoad) {
    ASSERT_NE(plrxRegisterService(L"ZuredUD_Service_KMX"), nullptr);
    int initResult = -1;
    plsim::Application* app = plsim::loadApplication(L"PlZuredUD.vmx", nullptr, &initResult);
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(initResult, 3);
    PlEdCommandStack* commands = commandStack();
    EXPECT_FALSE(commands->hasGroup(L"PLORE_ZuredUD"));
    plsim::unloadApplication(app);
    EXPECT_TRUE(plrxServiceIsRegistered(L"ZuredUD_Service_KMX")) << "not the module's to remove";
    PlRxObject* service = static_cast<PlRxDictionary*>(plrxSysRegistry()->at(L"ServiceDictionary"))
                              ->remove(L"ZuredUD_Service_KMX");
    delete service;
}

TEST_F(ModuleFrameTest, MissingResourceModuleStillRegistersCommands) {
    plsim::injectFault(plsim::Fault::ResourceLoad, 100);
    int initResult = -1;
    plsim::Application* app = plsim::loadApplication(L"PlZuredUD.vmx", nullptr, &initResult);
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(initResult, 0);
    EXPECT_EQ(commandStack()->groupCommandCount(L"PLORE_ZuredUD"), 8u);
    ASSERT_TRUE(plsim::setVar(L"CVPORT", L"1"));
    plsim::clearTranscript();
    plsim::runCommand(L"SPOTLIGHT");
    EXPECT_NE(plsim::transcript().find(L"Resource dll: \"PlSceneRes.dll\" could not be loaded."),
              std::wstring::npos);
    plsim::injectFault(plsim::Fault::ResourceLoad, 0);
    plsim::unloadApplication(app);
}

}  // namespace

TEST_F(ModuleFrameTest, UnloadLeavesNoReactorAndNoContextMenuBehind) {
    plsim::clearDrawingErrors();
    plsim::Application* app = plsim::loadApplication(L"PlZuredUD.vmx");
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(plsim::objectContextMenuCount(), 1);
    EXPECT_EQ(plsim::sendAppMessage(app, 3), 0);  // the drawing opened before the module
    PlApDocument* second = plsim::openDrawing(L"Drawing2");
    PlApDocument* third = plsim::openDrawing(L"Drawing3");
    plsim::closeDrawing(second);  // told to the module first
    ASSERT_EQ(plsim::drawings().size(), 2u);
    plsim::unloadApplication(app);
    EXPECT_EQ(plsim::objectContextMenuCount(), 0);
    // A reactor deleted while still added, or a menu left registered, is reported.
    EXPECT_TRUE(plsim::drawingErrors().empty());
    plsim::closeDrawing(third);
}
