// Guards against commands lost, duplicated or found under the wrong name, groups that
// leave commands behind, and help topics attached to the wrong command.
#include <string>

#include <gtest/gtest.h>

#include "host/pled.h"
#include "host/pledcmd.h"
#include "tests/hostsim/host_fixture.h"

namespace {

int g_calls = 0;
void first() { g_calls += 1; }
void second() { g_calls += 10; }

struct Row {
    const wchar_t* global;
    const wchar_t* local;
    int flags;
    PlRxFunctionPtr function;
};

const Row kTable[] = {
    {L"SPOTLIGHT", L"PUNKTSTRAHLER", PLRX_CMD_MODAL, &first},
    {L"POINTLIGHT", L"PUNKTLICHT", PLRX_CMD_TRANSPARENT, &second},
    {L"LIGHT", nullptr, PLRX_CMD_USEPICKSET, &first},
};

class CommandStackTest : public HostTest {
protected:
    void addTable(const wchar_t* group) {
        for (const Row& row : kTable) {
            ASSERT_EQ(Plad::eOk, stack.addCommand(group, row.global, row.local, row.flags, row.function));
        }
    }
    PlEdCommandStack stack;
};

TEST_F(CommandStackTest, AGroupKeepsItsCommandsInOrderAndRefusesBadOrDuplicateOnes) {
    addTable(L"GROUP_A");
    ASSERT_EQ(3u, stack.groupCommandCount(L"GROUP_A"));
    EXPECT_STREQ(L"LIGHT", stack.groupCommandAt(L"GROUP_A", 2)->localName());  // no local name: the global one
    EXPECT_EQ(nullptr, stack.groupCommandAt(L"GROUP_A", 3));

    PlEdCommand* made = stack.groupCommandAt(L"GROUP_A", 0);  // not null: must be cleared
    EXPECT_EQ(Plad::eDuplicateKey,
              stack.addCommand(L"GROUP_A", L"spotlight", L"X", 0, &first, nullptr, -1, PlRxResourceInstance(), &made));
    EXPECT_EQ(nullptr, made);
    EXPECT_EQ(Plad::eInvalidInput, stack.addCommand(nullptr, L"NEW", L"NEW", 0, &first));
    EXPECT_EQ(Plad::eInvalidInput, stack.addCommand(L"GROUP_A", L"", L"NEW", 0, &first));
    EXPECT_EQ(Plad::eInvalidInput, stack.addCommand(L"GROUP_A", L"NEW", L"NEW", 0, nullptr));
    EXPECT_EQ(3u, stack.groupCommandCount(L"GROUP_A"));
    ASSERT_EQ(Plad::eOk,
              stack.addCommand(L"GROUP_B", L"NEW", L"NEU", 0, &first, nullptr, 7, PlRxResourceInstance(), &made));
    EXPECT_EQ(7, made->functionCode());
}

TEST_F(CommandStackTest, LookupsByEitherNameIgnoreCaseAndUnderscoreMeansGlobal) {
    addTable(L"GROUP_A");
    const PlEdCommand* spot = stack.groupCommandAt(L"GROUP_A", 0);
    struct Lookup {
        const wchar_t* name;
        const PlEdCommand* global;
        const PlEdCommand* local;
        const PlEdCommand* either;
    };
    const Lookup lookups[] = {
        {L"SPOTLIGHT", spot, nullptr, spot},
        {L"spotLight", spot, nullptr, spot},
        {L"punktstrahler", nullptr, spot, spot},
        {L"_SPOTLIGHT", nullptr, nullptr, spot},
        {L"_PUNKTSTRAHLER", nullptr, nullptr, nullptr},  // "_" asks for the global name only
        {L"_", nullptr, nullptr, nullptr},
        {L"", nullptr, nullptr, nullptr},
        {L"SPOT", nullptr, nullptr, nullptr},
    };
    for (const Lookup& l : lookups) {
        EXPECT_EQ(l.global, stack.lookupGlobalCmd(l.name)) << l.name;
        EXPECT_EQ(l.local, stack.lookupLocalCmd(l.name)) << l.name;
        EXPECT_EQ(l.either, stack.lookupCmd(l.name)) << l.name;
    }
    EXPECT_EQ(nullptr, stack.lookupCmd(nullptr));
}

TEST_F(CommandStackTest, RemovingAGroupRemovesItsCommandsOnlyAndUncoversAShadowedName) {
    addTable(L"GROUP_A");
    ASSERT_EQ(Plad::eOk, stack.addCommand(L"GROUP_B", L"SPOTLIGHT", L"OTHER", 0, &second));
    EXPECT_STREQ(L"GROUP_B", stack.lookupCmd(L"spotlight")->groupName()) << "the group added last answers";
    EXPECT_EQ(Plad::eOk, stack.removeGroup(L"group_b"));
    EXPECT_STREQ(L"GROUP_A", stack.lookupCmd(L"spotlight")->groupName());
    EXPECT_EQ(nullptr, stack.lookupCmd(L"OTHER"));
    EXPECT_EQ(Plad::eKeyNotFound, stack.removeGroup(L"GROUP_B"));
    EXPECT_EQ(Plad::eOk, stack.removeCmd(L"GROUP_A", L"pointlight"));
    EXPECT_EQ(nullptr, stack.lookupCmd(L"PUNKTLICHT"));
    EXPECT_NE(nullptr, stack.lookupCmd(L"LIGHT"));
    EXPECT_EQ(Plad::eKeyNotFound, stack.removeCmd(L"GROUP_A", L"POINTLIGHT"));
    EXPECT_EQ(Plad::eKeyNotFound, stack.removeCmd(L"NO_GROUP", L"LIGHT"));
}

class RegisteredCommandsTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        registered = static_cast<PlEdCommandStack*>(plrxSysRegistry()->at(L"PLAD_REGISTERED_COMMANDS"));
        ASSERT_NE(nullptr, registered);
        g_calls = 0;
    }
    void TearDown() override {
        registered->removeGroup(L"CMD_TEST");
        HostTest::TearDown();
    }
    PlEdCommandStack* registered = nullptr;
};

TEST_F(RegisteredCommandsTest, HelpTopicsAndRunCommandFindTheCommandByName) {
    ASSERT_EQ(Plad::eOk, registered->addCommand(L"CMD_TEST", L"SPOTLIGHT", L"PUNKTSTRAHLER", 0, &first));
    ASSERT_EQ(Plad::eOk, registered->addCommand(L"CMD_TEST", L"POINTLIGHT", L"PUNKTLICHT", 0, &second));
    EXPECT_EQ(PLRTNORM, pledSetFunHelp(L"pointlight", nullptr, L"POINTLIGHT_TOPIC", 0));
    EXPECT_EQ(PLRTERROR, pledSetFunHelp(L"PUNKTSTRAHLER", L"", L"WRONG", 0));  // a local name is not enough
    EXPECT_EQ(PLRTERROR, pledSetFunHelp(L"NOSUCH", L"", L"X", 0));
    const PlEdCommand* point = plsim::findCommand(L"POINTLIGHT");
    ASSERT_NE(nullptr, point);
    EXPECT_STREQ(L"POINTLIGHT_TOPIC", point->helpTopic());
    EXPECT_STREQ(L"", point->helpFile());
    EXPECT_STREQ(L"", plsim::findCommand(L"SPOTLIGHT")->helpTopic());
    EXPECT_TRUE(plsim::runCommand(L"punktlicht")) << "a local name runs the command too";
    EXPECT_FALSE(plsim::runCommand(L"_PUNKTLICHT"));
    EXPECT_EQ(10, g_calls);
}

}  // namespace
