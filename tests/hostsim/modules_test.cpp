// Guards against modules loaded twice or unloaded too early, failed loads reported as
// success or leaving classes behind, and application handles the host forgets to drop.
#include <string>

#include <gtest/gtest.h>

#include "host/plrx.h"
#include "host/plscene.h"
#include "hostsim/internal.h"
#include "support/temp_folder.h"
#include "tests/hostsim/host_fixture.h"

namespace {

const wchar_t* const kSceneOE = L"PlSceneOE.dbx";
const wchar_t* const kLightClasses[] = {L"PlDbLight", L"PlGiShadowParameters", L"PlGiLightAttenuation"};

class ModuleTest : public HostTest {
protected:
    void TearDown() override {
        while (plrxAppIsLoaded(kSceneOE) && plrxUnloadModule(kSceneOE, false)) {}
        for (const wchar_t* name : kLightClasses) {
            if (PlRxClass* squatter = plrxFindPlRxClass(name)) deletePlRxClass(squatter);
        }
        HostTest::TearDown();
    }
};

TEST_F(ModuleTest, ClassesAreRegisteredWhileLoadedAndEveryLoadNeedsItsOwnUnload) {
    EXPECT_EQ(nullptr, PlDbLight::desc());
    ASSERT_TRUE(plrxLoadModule(kSceneOE, true, false)) << plsim::transcript();
    ASSERT_TRUE(plrxLoadModule(L"PLSCENEOE.DBX", false, false));  // the same module, any letter case
    for (const wchar_t* name : kLightClasses) EXPECT_NE(nullptr, plrxFindPlRxClass(name)) << name;
    ASSERT_NE(nullptr, PlDbLight::desc());
    EXPECT_TRUE(PlDbLight::desc()->isDerivedFrom(plrxFindPlRxClass(L"PlDbEntity")));
    EXPECT_STREQ(L"PlSceneOE", PlDbLight::desc()->appName());

    EXPECT_TRUE(plrxUnloadModule(L"PlSceneOE.DBX", false));
    EXPECT_TRUE(plrxAppIsLoaded(kSceneOE));
    EXPECT_NE(nullptr, PlDbLight::desc());
    EXPECT_TRUE(plrxUnloadModule(kSceneOE, false));
    EXPECT_FALSE(plrxAppIsLoaded(kSceneOE));
    for (const wchar_t* name : kLightClasses) EXPECT_EQ(nullptr, plrxFindPlRxClass(name)) << name;
    EXPECT_FALSE(plrxUnloadModule(kSceneOE, false));
    EXPECT_EQ(L"", plsim::transcript());
    // Loaded again after a full unload, it registers again.
    ASSERT_TRUE(plrxLoadModule(kSceneOE, false, false));
    EXPECT_NE(nullptr, PlDbLight::desc());
}

TEST_F(ModuleTest, MissingModulesFailAndSayWhyWhenAsked) {
    const wchar_t* const bad[] = {L"NoSuchModule.dbx", L"", L"../bin/PlSceneOE.dbx", L"bin/PlSceneOE.dbx"};
    for (const wchar_t* name : bad) {
        plsim::clearTranscript();
        EXPECT_FALSE(plrxLoadModule(name, false, false)) << name;
        EXPECT_EQ(L"", plsim::transcript());
        EXPECT_FALSE(plrxLoadModule(name, true, false)) << name;
        EXPECT_NE(std::wstring::npos, plsim::transcript().find(L"Unable to load module")) << name;
        EXPECT_FALSE(plrxAppIsLoaded(name));
    }
    EXPECT_FALSE(plrxLoadModule(nullptr, false, false));
    EXPECT_FALSE(plrxUnloadModule(nullptr, false));

    // An injected fault fails only the next load.
    plsim::injectFault(plsim::Fault::ModuleLoad);
    EXPECT_FALSE(plrxLoadModule(kSceneOE, true, false));
    EXPECT_EQ(nullptr, PlDbLight::desc());
    EXPECT_NE(std::wstring::npos, plsim::transcript().find(L"PlSceneOE.dbx"));
    EXPECT_TRUE(plrxLoadModule(kSceneOE, false, false));
}

TEST_F(ModuleTest, AModuleWhoseInitialisationFailsIsNotLoaded) {
    // A class of one of the module's names but of another lineage makes its
    // initialisation fail after it registered the others.
    PlRxClass* squatter = newPlRxClass(L"PlGiLightAttenuation", L"PlDbObject");
    ASSERT_NE(nullptr, squatter);
    EXPECT_FALSE(plrxLoadModule(kSceneOE, true, false));
    EXPECT_NE(std::wstring::npos, plsim::transcript().find(L"initialisation failed"));
    EXPECT_EQ(squatter, plrxFindPlRxClass(L"PlGiLightAttenuation"));
    EXPECT_EQ(nullptr, plrxFindPlRxClass(L"PlDbLight"));  // nothing left half-registered
    EXPECT_EQ(nullptr, plrxFindPlRxClass(L"PlGiShadowParameters"));
}

TEST_F(ModuleTest, AFileThatIsNoLibraryFailsToLoad) {
    const TempFolder folder;
    folder.write("Broken.dbx", "not a library");
    plsim::setModuleDirectory(folder.wide());
    EXPECT_FALSE(plrxLoadModule(L"broken.DBX", true, false));
    EXPECT_NE(std::wstring::npos, plsim::transcript().find(L"broken.DBX"));
    EXPECT_FALSE(plrxLoadModule(kSceneOE, false, false));  // not in this folder
}

TEST_F(ModuleTest, AnApplicationIsDrivenThroughItsEntryPoint) {
    std::wstring error;
    int init = -1;
    plsim::Application* app = plsim::loadApplication(kSceneOE, &error, &init);
    ASSERT_NE(nullptr, app) << error;
    EXPECT_EQ(0, init);
    EXPECT_NE(nullptr, PlDbLight::desc());
    EXPECT_EQ(0L, plsim::applicationApiVersion(app));  // it has no version query
    EXPECT_EQ(PlRx::kRetOK, plsim::sendAppMessage(app, PlRx::kLoadDwgMsg));

    auto* linker = static_cast<PlRxDynamicLinker*>(plrxSysRegistry()->at(L"DynamicLinker"));
    ASSERT_NE(nullptr, linker);
    void* handle = plsim::applicationHandle(app);
    ASSERT_NE(nullptr, handle);
    EXPECT_TRUE(linker->setAppUnloadable(handle));
    EXPECT_TRUE(linker->isAppUnloadable(handle));
    EXPECT_FALSE(linker->setAppUnloadable(nullptr));
    EXPECT_TRUE(plrxRegisterAppMDIAware(handle));
    EXPECT_FALSE(plrxRegisterAppMDIAware(nullptr));

    plsim::unloadApplication(app);
    EXPECT_EQ(nullptr, PlDbLight::desc());
    EXPECT_FALSE(linker->isAppUnloadable(handle));  // forgotten with the application
    EXPECT_EQ(nullptr, plsim::applicationHandle(app));
    EXPECT_EQ(PlRx::kRetError, plsim::sendAppMessage(app, PlRx::kLoadDwgMsg));
    plsim::unloadApplication(app);  // a second unload does nothing
}

TEST_F(ModuleTest, MissingFilesAndEntryPointsAreReported) {
    std::wstring error;
    int init = 99;
    EXPECT_EQ(nullptr, plsim::loadApplication(L"NoSuchApp.vmx", &error, &init));
    EXPECT_NE(std::wstring::npos, error.find(L"NoSuchApp.vmx"));
    EXPECT_EQ(99, init);
    error.clear();
    // A resource module is a library without an entry point.
    EXPECT_EQ(nullptr, plsim::loadApplication(plsim::detail::platformLibraryName(L"PlHostsimRes.dll"), &error));
    EXPECT_NE(std::wstring::npos, error.find(L"plrxEntryPoint"));
    EXPECT_EQ(nullptr, plsim::loadApplication(L""));
}

}  // namespace
