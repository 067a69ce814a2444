// Guards against resource modules freed while in use or kept after their last free, loads that should fail,
// and a current source that outlives its module (reading texts is tested with the real modules in ../resources).
#include <string>

#include <gtest/gtest.h>

#include "host/plres.h"
#include "host/plstring.h"
#include "tests/hostsim/host_fixture.h"

namespace {

const wchar_t* const kTestRes = L"PlHostsimRes.dll";

class ResourceTest : public HostTest {
protected:
    void TearDown() override {
        plResSetCurrentSource(nullptr);
        HostTest::TearDown();
    }
    static std::wstring text(PlResModuleHandle module, unsigned id, bool* found = nullptr) {
        PlString s(L"stale");
        const bool ok = s.loadString(PlRxResourceInstance(module), id);
        if (found) *found = ok;
        return s.str();
    }
};

TEST_F(ResourceTest, LoadingAgainSharesTheModuleUntilTheLastFree) {
    PlResModuleHandle first = PlUtResource::loadDll(kTestRes, 0, 0);
    PlResModuleHandle second = PlUtResource::loadDll(L"plhostsimres.DLL", 0, 0);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, second);
    PlUtResource::freeDll(second, 0);
    EXPECT_EQ(L"Gr\u00fc\u00dfe \u20ac", text(first, 42));
    plResSetCurrentSource(first);
    PlUtResource::freeDll(first, 0);
    bool found = true;
    EXPECT_EQ(L"", text(first, 1, &found));  // a freed handle reads nothing
    EXPECT_FALSE(found);
    EXPECT_EQ(nullptr, plResCurrentSource());  // a freed module is no longer the source
    PlString s;
    EXPECT_FALSE(s.loadString(1u));
    PlUtResource::freeDll(first, 0);  // freeing again is harmless
}

TEST_F(ResourceTest, ModulesThatCannotBeLoadedGiveNoHandle) {
    for (const wchar_t* name : {L"NoSuchRes.dll", L"", L"../bin/PlHostsimRes.dll"})
        EXPECT_EQ(nullptr, PlUtResource::loadDll(name, 0, 0)) << testing::PrintToString(name);
    EXPECT_EQ(nullptr, PlUtResource::loadDll(kTestRes, 1, 0));  // the reserved flags must be 0
#if !defined(_WIN32)
    // A library without a string table is no resource module.
    EXPECT_EQ(nullptr, PlUtResource::loadDll(L"PlSceneOE.dbx", 0, 0));
#endif
}

}  // namespace
