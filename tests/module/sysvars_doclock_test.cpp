// Guards integer reads of system variables of every type (no undefined conversions)
// and the document lock's ownership: never release a lock it did not take.
#include <limits>

#include "common/DocLock.h"
#include "common/SysVars.h"
#include "host/pldocs.h"
#include "support/host_fixture.h"

namespace {

class SysVarTest : public HostTest {};

struct VarCase {
    const char* name;
    plsim::VarType type;
    std::wstring value;
    int expected;
};

TEST_F(SysVarTest, ReadsEveryNumericTypeAsInt) {
    const VarCase cases[] = {
        {"short", plsim::VarType::Short, L"-7", -7},
        {"long", plsim::VarType::Long, L"100000", 100000},
        {"real truncates", plsim::VarType::Real, L"2.9", 2},
        {"negative real truncates toward zero", plsim::VarType::Real, L"-2.9", -2},
        {"real too large", plsim::VarType::Real, L"1e12", -1},
        {"real too small", plsim::VarType::Real, L"-1e12", -1},
        {"largest int", plsim::VarType::Real, L"2147483647.5", 2147483647},
        {"text", plsim::VarType::Text, L"12", -1},
    };
    for (const VarCase& c : cases) {
        plsim::defineVar(L"TESTVAR", c.type, c.value);
        EXPECT_EQ(getSysVarInt(L"TESTVAR"), c.expected) << c.name;
    }
    EXPECT_EQ(getSysVarInt(L"NOSUCHVARIABLE"), -1);
}

TEST_F(SysVarTest, SwitchingDefaultLightingOffNeedsTheVariable) {
    EXPECT_TRUE(turnOffDefaultLighting());
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 0);
    plsim::removeVar(L"DEFAULTLIGHTING");
    EXPECT_FALSE(turnOffDefaultLighting());
}

class DocLockTest : public HostTest {};

// A caller's write lock left alone is guarded by the context menu's and the sun warning's tests.
TEST_F(DocLockTest, FailuresHoldNothingAndReleaseKeepsTheLock) {
    DocLock lock;
    EXPECT_EQ(lock.lockDocument(nullptr, PlAp::kWrite, nullptr, nullptr), Plad::eNoDocument);
    EXPECT_EQ(lock.lockDatabase(nullptr, PlAp::kWrite, nullptr, nullptr), Plad::eNoDatabase);
    EXPECT_EQ(lock.lockObject(PlDbObjectId(), PlAp::kWrite, nullptr, nullptr), Plad::eNullObjectId);
    plsim::injectFault(plsim::Fault::DocumentLock);
    EXPECT_NE(lock.lockDocument(drawing, PlAp::kWrite, nullptr, nullptr), Plad::eOk);
    EXPECT_EQ(lock.document(), nullptr);
    EXPECT_EQ(drawing->lockCount(), 0);
    EXPECT_EQ(lock.unlock(), Plad::eOk);

    ASSERT_EQ(lock.lockDatabase(drawing->database(), PlAp::kWrite, L"TEST", L"TEST"), Plad::eOk);
    EXPECT_EQ(lock.document(), drawing) << "the document of the database";
    EXPECT_TRUE(drawing->myLockMode() & PlAp::kWrite);
    lock.release();
    EXPECT_EQ(lock.document(), nullptr);
    EXPECT_EQ(drawing->lockCount(), 1) << "release must not unlock";
    plDocManagerPtr()->unlockDocument(drawing);
}

}  // namespace
