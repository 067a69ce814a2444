// Guards against a class registry that loses, duplicates or orphans classes, a fatal
// error that goes unseen, modules loaded twice or unloaded too early, failed loads reported as success or leaving
// classes behind, and application handles the host forgets to drop.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "host/pledcmd.h"
#include "host/plrx.h"
#include "host/plscene.h"
#include "hostsim/internal.h"
#include "support/temp_folder.h"
#include "tests/hostsim/host_fixture.h"

namespace {

class RuntimeTest : public HostTest {
protected:
    void TearDown() override {
        // Leaves first, so that every test starts without its own classes.
        for (const wchar_t* name : {L"RtTestChild", L"RtTestBase"}) {
            if (PlRxClass* cls = plrxFindPlRxClass(name)) deletePlRxClass(cls);
        }
        HostTest::TearDown();
    }
};

class Probe : public PlRxObject {
public:
    PlRxClass* isA() const override { return plrxFindPlRxClass(L"RtTestChild"); }
};

PlRxObject* makeProbe() { return new Probe; }

TEST_F(RuntimeTest, ClassesDeriveThroughTheirParentsAndGoOnlyAsLeaves) {
    PlRxClass* base = newPlRxClass(L"RtTestBase", L"PlRxObject");
    ASSERT_NE(nullptr, base);
    PlRxClass* child = newPlRxClass(L"RtTestChild", L"RtTestBase", 0, &makeProbe, nullptr, L"RtApp");
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(child, plrxFindPlRxClass(L"RtTestChild"));
    EXPECT_TRUE(child->isDerivedFrom(PlRxObject::desc()));
    EXPECT_FALSE(base->isDerivedFrom(child));
    EXPECT_FALSE(child->isDerivedFrom(nullptr));
    PlRxObject* made = child->create();
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(made->isKindOf(base));
    EXPECT_FALSE(made->isKindOf(PlRxDictionary::desc()));
    delete made;
    EXPECT_EQ(nullptr, base->create());  // no pseudo-constructor

    // Duplicates, unknown parents and nameless classes are refused; names keep their case.
    EXPECT_EQ(nullptr, newPlRxClass(L"RtTestBase", L"PlRxObject"));
    EXPECT_EQ(nullptr, newPlRxClass(L"RtTestOther", L"NoSuchParent"));
    EXPECT_EQ(nullptr, newPlRxClass(L"", L"PlRxObject"));
    EXPECT_EQ(nullptr, newPlRxClass(L"RtTestOther", nullptr));
    EXPECT_EQ(nullptr, plrxFindPlRxClass(L"rttestbase"));

    EXPECT_FALSE(deletePlRxClass(base)) << "it has a child";
    EXPECT_TRUE(deletePlRxClass(child));
    EXPECT_TRUE(deletePlRxClass(base));
    EXPECT_EQ(nullptr, plrxFindPlRxClass(L"RtTestBase"));
    EXPECT_FALSE(deletePlRxClass(PlRxService::desc()));  // a leaf, but the host's
    EXPECT_NE(nullptr, newPlRxClass(L"RtTestBase", L"PlRxObject")) << "the name is free again";
}

#if !defined(_WIN32)
// Exceptions do not cross the host library's boundary on Windows.
struct Aborted : std::runtime_error {
    using std::runtime_error::runtime_error;
};

TEST_F(RuntimeTest, AbortHandsTheFormattedMessageToTheHandler) {
    std::wstring seen;
    plsim::setAbortHandler([&seen](const std::wstring& message) {
        seen = message;
        throw Aborted("aborted");
    });
    EXPECT_THROW(plrx_abort(L"Class mismatch: %s (%d)", L"PlDbLight", 2), Aborted);
    plsim::setAbortHandler(nullptr);
    EXPECT_EQ(L"Class mismatch: PlDbLight (2)", seen);
}
#endif

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

TEST_F(ModuleTest, AnUnloadedApplicationIsForgotten) {
    plsim::Application* app = plsim::loadApplication(kSceneOE);
    ASSERT_NE(nullptr, app);
    EXPECT_EQ(0L, plsim::applicationApiVersion(app));  // it has no version query
    auto* linker = static_cast<PlRxDynamicLinker*>(plrxSysRegistry()->at(L"DynamicLinker"));
    void* handle = plsim::applicationHandle(app);
    EXPECT_TRUE(linker->setAppUnloadable(handle));
    plsim::unloadApplication(app);
    EXPECT_FALSE(linker->isAppUnloadable(handle));
    EXPECT_EQ(PlRx::kRetError, plsim::sendAppMessage(app, PlRx::kLoadDwgMsg));
    plsim::unloadApplication(app);  // a second unload does nothing
}

TEST_F(ModuleTest, ALibraryWithoutAnEntryPointIsReported) {
    std::wstring error;
    // A resource module is a library without an entry point.
    EXPECT_EQ(nullptr, plsim::loadApplication(plsim::detail::platformLibraryName(L"PlHostsimRes.dll"), &error));
    EXPECT_NE(std::wstring::npos, error.find(L"plrxEntryPoint"));
    EXPECT_EQ(nullptr, plsim::loadApplication(L""));
}

}  // namespace
