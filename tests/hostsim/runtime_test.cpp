// Guards against a class registry that loses, duplicates or orphans classes, registry
// entries of the wrong class, services registered twice, and a fatal error that goes unseen.
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "host/pledcmd.h"
#include "host/plrx.h"
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
    EXPECT_STREQ(L"RtApp", child->appName());
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

TEST_F(RuntimeTest, DictionariesDoNotOwnAndServicesAreRegisteredOnce) {
    PlRxDictionary dict;
    PlRxService a, b;
    EXPECT_EQ(nullptr, dict.atPut(L"one", &a));
    EXPECT_EQ(&a, dict.atPut(L"one", &b));  // answers what it replaced
    EXPECT_EQ(nullptr, dict.at(L"ONE"));
    EXPECT_EQ(nullptr, dict.atPut(L"two", &a));
    EXPECT_EQ(&a, dict.remove(L"two"));
    EXPECT_EQ(nullptr, dict.atPut(nullptr, &a));
    EXPECT_EQ(&b, dict.atPut(L"one", nullptr));  // storing nothing removes the entry
    EXPECT_EQ(0u, dict.numEntries());

    PlRxObject* service = plrxRegisterService(L"RtTestService");
    ASSERT_NE(nullptr, service);
    EXPECT_TRUE(plrxServiceIsRegistered(L"RtTestService"));
    EXPECT_EQ(nullptr, plrxRegisterService(L"RtTestService"));
    EXPECT_EQ(nullptr, plrxRegisterService(nullptr));
    auto* services = static_cast<PlRxDictionary*>(plrxSysRegistry()->at(L"ServiceDictionary"));
    EXPECT_EQ(service, services->remove(L"RtTestService"));
    delete service;
    EXPECT_FALSE(plrxServiceIsRegistered(L"RtTestService"));
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

TEST(RuntimeDeathTest, AbortWithoutAHandlerEndsTheProcessWithTheMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(plrx_abort(L"out of %s", L"luck"), "Fatal error: out of luck");
}
#endif

}  // namespace
