// Guards the application classes' registration bookkeeping: the dependent module,
// the resource module, the service and the command group, and what the
// destructors remove (and must not remove).
#include "app/EnvironmentVariable.h"
#include "app/HostRegistry.h"
#include "app/RxPladApplication.h"
#include "app/ZuredUDKMX.h"
#include "host/pldb.h"
#include "host/pledcmd.h"
#include "host/plres.h"
#include "support/host_fixture.h"

namespace {

class ApplicationTest : public HostTest {};

TEST_F(ApplicationTest, ModuleLoaderComparesNamesIgnoringCase) {
    VmxModuleLoader loader;
    EXPECT_EQ(loader.status(), Plad::eNoDependentModule);
    ASSERT_EQ(loader.load(L"PlSceneOE.dbx"), Plad::eOk);
    EXPECT_TRUE(plrxAppIsLoaded(L"PlSceneOE.dbx"));
    plsim::injectFault(plsim::Fault::ModuleLoad);
    EXPECT_EQ(loader.load(L"PLSCENEOE.DBX"), Plad::eOk) << "the same module must not be loaded again";
    plsim::injectFault(plsim::Fault::ModuleLoad, 0);
    EXPECT_EQ(loader.load(L""), Plad::eNoDependentModule);
    EXPECT_FALSE(plrxAppIsLoaded(L"PlSceneOE.dbx"));
    EXPECT_STREQ(loader.name(), L"");
}

TEST_F(ApplicationTest, ModuleLoaderHoldsTheNameOfAFailedLoad) {
    ASSERT_TRUE(plrxLoadModule(L"PlSceneOE.dbx", false, false));  // someone else's reference
    {
        VmxModuleLoader loader;
        EXPECT_EQ(loader.load(L"NoSuchModule.dbx"), Plad::eLoadFailed);
        EXPECT_STREQ(loader.name(), L"NoSuchModule.dbx");
        EXPECT_EQ(loader.load(L"nosuchmodule.DBX"), Plad::eLoadFailed) << "the held name answers its status";
        // A module in memory only gains a reference, which cannot fail; the loader
        // gives back only its own.
        plsim::injectFault(plsim::Fault::ModuleLoad);
        EXPECT_EQ(loader.load(L"PlSceneOE.dbx"), Plad::eOk);
        plsim::injectFault(plsim::Fault::ModuleLoad, 0);
    }
    EXPECT_TRUE(plrxAppIsLoaded(L"PlSceneOE.dbx"));
    plrxUnloadModule(L"PlSceneOE.dbx", false);
}

TEST(ModuleNames, FoldAsciiAndWideLetters) {
    EXPECT_TRUE(VmxModuleLoader::sameModuleName(L"PlSceneOE.dbx", L"plsceneoe.DBX"));
    EXPECT_FALSE(VmxModuleLoader::sameModuleName(L"PlSceneOE.dbx", L"PlSceneOE.dbx2"));
    EXPECT_FALSE(VmxModuleLoader::sameModuleName(L"a[", L"a{"));  // only letters fold
    EXPECT_TRUE(VmxModuleLoader::sameModuleName(L"", L""));
}

TEST_F(ApplicationTest, ResourceModuleSetting) {
    RxPladApplication app;
    EXPECT_EQ(app.setResourceModule(L"PlSceneRes.dll"), Plad::eOk);
    EXPECT_NE(app.resourceModule(), nullptr);
    EXPECT_EQ(app.setResourceModule(L""), Plad::eOk);
    EXPECT_EQ(app.resourceModule(), nullptr);
    EXPECT_EQ(app.setResourceModule(L"NoSuchRes.dll"), Plad::eLoadFailed);
    EXPECT_EQ(app.resourceModule(), nullptr);
}

TEST_F(ApplicationTest, InitialisesOnceAndOwnsOnlyTheServiceItRegistered) {
    {
        RxPladApplication first;
        ASSERT_EQ(first.initialize(nullptr, false, nullptr, L"Test_Service", L"TEST_GROUP", nullptr), Plad::eOk);
        EXPECT_TRUE(plrxServiceIsRegistered(L"Test_Service"));
        EXPECT_EQ(first.initialize(nullptr, false, nullptr, L"Test_Service", L"TEST_GROUP", nullptr),
                  Plad::eAlreadyInitialized);
        {
            RxPladApplication second;
            EXPECT_EQ(second.initialize(nullptr, false, nullptr, L"Test_Service", L"OTHER_GROUP", L"PlSceneOE.dbx"),
                      Plad::eDuplicateKey);
            EXPECT_FALSE(plrxAppIsLoaded(L"PlSceneOE.dbx")) << "a failed initialisation stops before the module";
        }
        EXPECT_TRUE(plrxServiceIsRegistered(L"Test_Service")) << "the second application did not own it";
    }
    EXPECT_FALSE(plrxServiceIsRegistered(L"Test_Service"));
}

TEST_F(ApplicationTest, MissingResourceModuleFailsInitialisation) {
    RxBaseApplication app;
    EXPECT_EQ(app.initializeBase(nullptr, false, L"NoSuchRes.dll", L"Test_Service2"), Plad::eLoadFailed);
    EXPECT_FALSE(plrxServiceIsRegistered(L"Test_Service2"));
}

TEST_F(ApplicationTest, DependentModuleFailureIsReportedAfterTheService) {
    RxPladApplication app;
    plsim::injectFault(plsim::Fault::ModuleLoad);
    EXPECT_EQ(app.initialize(nullptr, false, nullptr, L"Test_Service3", L"GRP", L"PlSceneOE.dbx"),
              Plad::eLoadFailed);
    EXPECT_TRUE(plrxServiceIsRegistered(L"Test_Service3"));
    app.uninitialize();
    EXPECT_FALSE(plrxServiceIsRegistered(L"Test_Service3"));
}

TEST_F(ApplicationTest, CommandTableRegistersTheEightCommandsAndTheDestructorRemovesThem) {
    auto* commands = registryEntry<PlEdCommandStack>(L"PLAD_REGISTERED_COMMANDS");
    ASSERT_NE(commands, nullptr);
    const wchar_t* expected[] = {L"SPOTLIGHT", L"POINTLIGHT", L"DISTANTLIGHT", L"LIGHT",
                                 L"WEBLIGHT",  L"TARGETPOINT", L"FREESPOT",    L"FREEWEB"};
    {
        ZuredUDKMX app;
        ASSERT_EQ(app.setResourceModule(L"PlSceneRes.dll"), Plad::eOk);
        ASSERT_EQ(app.initialize(nullptr, true, nullptr, L"Test_KMX", L"TEST_ZuredUD", L"PlSceneOE.dbx"), Plad::eOk);
        ASSERT_EQ(commands->groupCommandCount(L"TEST_ZuredUD"), 8u);
        for (unsigned i = 0; i < 8; ++i) {
            PlEdCommand* cmd = commands->groupCommandAt(L"TEST_ZuredUD", i);
            ASSERT_NE(cmd, nullptr);
            EXPECT_STREQ(cmd->globalName(), expected[i]);
            EXPECT_STREQ(cmd->localName(), expected[i]) << "English local names equal the global ones";
            EXPECT_STREQ(cmd->helpTopic(), expected[i]);
            EXPECT_EQ(cmd->functionCode(), -1);
            EXPECT_EQ(cmd->resourceInstance().handle(), app.resourceModule());
        }
        EXPECT_EQ(plResCurrentSource(), nullptr) << "the resource source must be restored";
    }
    EXPECT_FALSE(commands->hasGroup(L"TEST_ZuredUD"));
    EXPECT_FALSE(plrxServiceIsRegistered(L"Test_KMX"));
    EXPECT_FALSE(plrxAppIsLoaded(L"PlSceneOE.dbx"));
}

struct MarrowCase {
    const wchar_t* value;
    std::size_t length;
    bool enabled;
};

TEST(ModuleServices, MarrowSwitch) {
    const MarrowCase cases[] = {
        {L"Y", 1, false},        {L"yes", 3, false},     {L"Yxxxxxx", 7, false},
        {L"Yxxxxxxx", 9, true},  {L"No", 2, true},       {L"", 0, true},
        {L"1", 1, true},
    };
    for (const MarrowCase& c : cases) EXPECT_EQ(marrowEnabledFor(c.length, c.value), c.enabled) << c.length;
}

TEST(ModuleServices, EnvironmentReadsFollowTheCapacity) {
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

TEST_F(ApplicationTest, TempDatabaseAndDatabaseState) {
    ZuredUDKMX::destroyTempDb();  // nothing to destroy: no effect
    PlDbDatabase& first = ZuredUDKMX::getTempDb();
    EXPECT_EQ(&ZuredUDKMX::getTempDb(), &first);
    ZuredUDKMX::destroyTempDb();
    EXPECT_EQ(ZuredUDKMX::m_pTempDatabase, nullptr);
    ZuredUDKMX::getTempDb();
    EXPECT_NE(ZuredUDKMX::m_pTempDatabase, nullptr);
    ZuredUDKMX::destroyTempDb();

    EXPECT_TRUE(ZuredUDKMX::isValidDatabaseState());
    plsim::closeDrawing(drawing);
    EXPECT_FALSE(ZuredUDKMX::isValidDatabaseState());
}

TEST_F(ApplicationTest, RoamableRootFolderIsCachedOnceKnown) {
    ZuredUDKMX::m_sRoamableRootFolder.setEmpty();
    const PlString first = ZuredUDKMX::GetRoamableRootFolder();
    ASSERT_FALSE(first.isEmpty());
#if defined(_WIN32)
    _wputenv(L"PLANDOR_ROAMING=elsewhere");
#else
    setenv("PLANDOR_ROAMING", "elsewhere", 1);
#endif
    EXPECT_EQ(ZuredUDKMX::GetRoamableRootFolder(), first);
#if defined(_WIN32)
    _wputenv(L"PLANDOR_ROAMING=");
#else
    unsetenv("PLANDOR_ROAMING");
#endif
    ZuredUDKMX::m_sRoamableRootFolder.setEmpty();
}

TEST(ModuleServices, MaterialsFlag) {
    EXPECT_FALSE(ZuredUDKMX::isMaterialsMigrated());
    ZuredUDKMX::setMaterialMigrated(true);
    EXPECT_TRUE(ZuredUDKMX::isMaterialsMigrated());
    ZuredUDKMX::setMaterialMigrated(false);
}

}  // namespace
