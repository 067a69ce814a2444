// Guards the application classes' registration bookkeeping: the dependent module,
// the resource module, the service and the command group, and what the
// destructors remove. Load failures are the fault sweep's, a service taken by another the frame test's.
#include <cwchar>

#include "app/EnvironmentVariable.h"
#include "app/RxPladApplication.h"
#include "app/ZuredUDKMX.h"
#include "common/Messages.h"
#include "host/pldb.h"
#include "support/host_fixture.h"

namespace {

class ApplicationTest : public HostTest {};

TEST_F(ApplicationTest, ModuleLoaderHoldsOneReferenceAndComparesNamesIgnoringCase) {
    EXPECT_TRUE(VmxModuleLoader::sameModuleName(L"PlSceneOE.dbx", L"plsceneoe.DBX"));
    EXPECT_FALSE(VmxModuleLoader::sameModuleName(L"PlSceneOE.dbx", L"PlSceneOE.dbx2"));
    EXPECT_FALSE(VmxModuleLoader::sameModuleName(L"a[", L"a{")) << "only letters fold";
    ASSERT_TRUE(plrxLoadModule(L"PlSceneOE.dbx", false, false));  // someone else's reference
    {
        VmxModuleLoader loader;
        EXPECT_EQ(loader.status(), Plad::eNoDependentModule);
        EXPECT_EQ(loader.load(L"NoSuchModule.dbx"), Plad::eLoadFailed);
        EXPECT_STREQ(loader.name(), L"NoSuchModule.dbx");
        EXPECT_EQ(loader.load(L"nosuchmodule.DBX"), Plad::eLoadFailed) << "the held name answers its status";
        // A module in memory only gains a reference, which cannot fail; the same one is not loaded again.
        plsim::injectFault(plsim::Fault::ModuleLoad);
        EXPECT_EQ(loader.load(L"PlSceneOE.dbx"), Plad::eOk);
        EXPECT_EQ(loader.load(L"PLSCENEOE.DBX"), Plad::eOk);
        plsim::injectFault(plsim::Fault::ModuleLoad, 0);
        EXPECT_EQ(loader.load(L""), Plad::eNoDependentModule);
        EXPECT_STREQ(loader.name(), L"");
    }
    EXPECT_TRUE(plrxAppIsLoaded(L"PlSceneOE.dbx")) << "the loader gives back only its own reference";
    plrxUnloadModule(L"PlSceneOE.dbx", false);
    EXPECT_FALSE(plrxAppIsLoaded(L"PlSceneOE.dbx"));
}

TEST_F(ApplicationTest, InitialisesOnceAndOwnsOnlyWhatItRegistered) {
    {
        RxPladApplication first;
        EXPECT_EQ(first.setResourceModule(L"NoSuchRes.dll"), Plad::eLoadFailed);
        EXPECT_EQ(first.resourceModule(), nullptr);
        ASSERT_EQ(first.initialize(nullptr, false, nullptr, L"Test_Service", L"TEST_GROUP", nullptr), Plad::eOk);
        EXPECT_TRUE(plrxServiceIsRegistered(L"Test_Service"));
        EXPECT_EQ(first.initialize(nullptr, false, nullptr, L"Test_Service", L"TEST_GROUP", nullptr),
                  Plad::eAlreadyInitialized);
    }
    EXPECT_FALSE(plrxServiceIsRegistered(L"Test_Service"));
}

TEST_F(ApplicationTest, MessagesFollowTheResourceModuleTheApplicationHolds) {
    ZuredUDKMX* app = ZuredUDKMX::app();
    ASSERT_NE(app, nullptr);
    const std::wstring english = loadMessage(msg::kNamePrompt).str();
    ASSERT_TRUE(plsim::setLanguage(L"de"));
    ASSERT_EQ(app->setResourceModule(kResourceModuleName), Plad::eOk);
    const std::wstring german = loadMessage(msg::kNamePrompt).str();
    EXPECT_NE(german, english) << "a text read before is not kept once its module is freed";
    EXPECT_EQ(app->setResourceModule(L"NoSuchRes.dll"), Plad::eLoadFailed);
    EXPECT_EQ(loadMessage(msg::kNamePrompt).str(), resourceMissingText(L"NoSuchRes.dll").str());
    ASSERT_TRUE(plsim::setLanguage(L"en"));
    ASSERT_EQ(app->setResourceModule(kResourceModuleName), Plad::eOk);
    EXPECT_EQ(loadMessage(msg::kNamePrompt).str(), english);
}

TEST(ModuleServices, MarrowSwitchAndEnvironmentReads) {
    const std::pair<const wchar_t*, bool> cases[] = {{L"Y", false},       {L"yes", false}, {L"Yxxxxxx", false},
                                                     {L"Yxxxxxxx", true}, {L"No", true},   {L"", true}};
    for (const auto& [value, enabled] : cases) EXPECT_EQ(marrowEnabledFor(std::wcslen(value), value), enabled);
    wchar_t buffer[8] = {};
#if defined(_WIN32)
    _wputenv(L"PL_TEST_ENV=Yes");
#else
    setenv("PL_TEST_ENV", "Yes", 1);
#endif
    EXPECT_EQ(readEnvironmentVariable(L"PL_TEST_ENV", buffer, 8), 3u);
    EXPECT_STREQ(buffer, L"Yes");
    EXPECT_EQ(readEnvironmentVariable(L"PL_TEST_ENV", buffer, 3), 4u) << "too small: the size it needs";
    EXPECT_EQ(readEnvironmentVariable(L"PL_TEST_ENV_UNSET", buffer, 8), 0u);
}

TEST_F(ApplicationTest, TempDatabaseRoamingFolderAndDatabaseState) {
    PlDbDatabase& first = ZuredUDKMX::getTempDb();
    EXPECT_EQ(&ZuredUDKMX::getTempDb(), &first);
    ZuredUDKMX::destroyTempDb();
    ZuredUDKMX::destroyTempDb();  // nothing left to destroy
    EXPECT_EQ(ZuredUDKMX::m_pTempDatabase, nullptr);

    ZuredUDKMX::m_sRoamableRootFolder.setEmpty();
    EXPECT_FALSE(ZuredUDKMX::GetRoamableRootFolder().isEmpty());
    ZuredUDKMX::setMaterialMigrated(ZuredUDKMX::isMaterialsMigrated());

    EXPECT_TRUE(ZuredUDKMX::isValidDatabaseState());
    plsim::closeDrawing(drawing);
    EXPECT_FALSE(ZuredUDKMX::isValidDatabaseState());
}

}  // namespace
