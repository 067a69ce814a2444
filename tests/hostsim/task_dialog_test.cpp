// Guards against task dialogs loaded from the wrong place or with mangled texts, buttons chosen though
// disabled, lost or repeated callback events, and cancels read as a choice.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/nltaskdialog.h"
#include "support/temp_folder.h"
#include "tests/hostsim/host_fixture.h"

namespace {

constexpr const wchar_t* kShipped = L"/PlTaskDialogs;component/TaskDialogs.xaml";

// Definitions written for a test into a module folder of its own.
class TaskDialogFiles : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        plsim::setModuleDirectory(folder.wide());
    }
    TempFolder folder;
};

using ShippedDialogs = HostTest;

TEST_F(ShippedDialogs, PathsThatNameNoDefinitionsLoadNothing) {
    NlHostTaskDialog dialog;
    EXPECT_FALSE(dialog.loadFromFile(kShipped, L"ZuredUD.NoSuchDialog", nullptr, 0));
    EXPECT_EQ(dialog.showDialog(nullptr), -1);  // a failed load leaves nothing to show
    const wchar_t* paths[] = {
        L"/PlTaskDialogs;component/Missing.xaml",
        L"PlTaskDialogs;component/TaskDialogs.xaml",
        L"/PlTaskDialogs/TaskDialogs.xaml",
        L"/PlTaskDialogs;component/../PlTaskDialogs/TaskDialogs.xaml",
        L"/..;component/PlTaskDialogs/TaskDialogs.xaml",
        L"",
        nullptr,
    };
    for (const wchar_t* path : paths)
        EXPECT_FALSE(dialog.loadFromFile(path, L"ZuredUD.ViewportLightingMode", nullptr, 0))
            << testing::PrintToString(path ? path : L"(null)");
    EXPECT_FALSE(dialog.loadFromFile(kShipped, nullptr, nullptr, 0));
}

struct Events {
    std::vector<NlHostTaskDialogEventArgs> seen;
};

// Disables 1001 while the check box is ticked, as the module's distant-light callback does.
bool recordAndGuard(INlHostActiveTaskDialog* dialog, const NlHostTaskDialogEventArgs& args, std::uint64_t user) {
    auto* events = reinterpret_cast<Events*>(user);
    events->seen.push_back(args);
    if (args.notification == NlHostTaskDialogEventArgs::kVerificationClicked) {
        EXPECT_EQ(dialog->isVerificationChecked(), args.verificationChecked);
        dialog->setButtonEnabled(1001, !args.verificationChecked);
    }
    return false;
}

TEST_F(ShippedDialogs, TheCheckBoxDisablesTheFirstButton) {
    NlHostTaskDialog dialog;
    ASSERT_TRUE(dialog.loadFromFile(kShipped, L"ZuredUD.PhotometricDistantLights", nullptr, 1));
    Events events;
    dialog.setCallback(recordAndGuard, reinterpret_cast<std::uint64_t>(&events));
    plsim::queueReply(L"v");
    plsim::queueButton(1001);  // disabled now: refused
    plsim::queueButton(1002);
    EXPECT_EQ(dialog.showDialog(nullptr), 1002);
    ASSERT_EQ(events.seen.size(), 3u);
    EXPECT_EQ(events.seen[0].notification, NlHostTaskDialogEventArgs::kCreated);
    EXPECT_EQ(events.seen[1].notification, NlHostTaskDialogEventArgs::kVerificationClicked);
    EXPECT_TRUE(events.seen[1].verificationChecked);
    EXPECT_EQ(events.seen[2].notification, NlHostTaskDialogEventArgs::kButtonClicked);
    EXPECT_EQ(events.seen[2].buttonId, 1002);
    EXPECT_TRUE(
        contains(plsim::transcript(), L"Choose a button [1002] or V to toggle the check box, Esc or Ctrl-C cancels: 1001\n"));
}

TEST_F(TaskDialogFiles, TextsEntitiesAndSubstitutions) {
    folder.write("Defs/Sub/Dialogs.xaml",
                 "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                 "<!-- test definitions -->\n"
                 "<TaskDialogs xmlns=\"urn:test\">\n"
                 "  <TaskDialog Id=\"Other\" Title=\"Wrong\"/>\n"
                 "  <TaskDialog Id='Mine' Title=\"Caf\xC3\xA9 &amp; &quot;{name}&quot;\" "
                 "MainInstruction=\"&lt;{count}&gt; &apos;{missing}&apos;\"\n"
                 "              Content=\"{name}{name} &#xE9;&#233; {{name}\" VerificationText=\"Tick\" "
                 "VerificationChecked=\"true\">\n"
                 "    <Button Id=\"7\" Text=\"Go {name}\"/>\n"
                 "    <Button Id=\"x\" Text=\"No id\"/>\n"
                 "    <Button Text=\"No id either\"/>\n"
                 "    <![CDATA[ <Button Id=\"8\"/> ]]>\n"
                 "  </TaskDialog>\n"
                 "  <TaskDialog Id=\"Empty\" Title=\"Nothing to choose\"/>\n"
                 "</TaskDialogs>\n");
    const NlHostKeyValue subs[] = {{L"name", L"{count}"}, {L"count", L"3"}, {nullptr, L"ignored"}};
    NlHostTaskDialog dialog;
    ASSERT_TRUE(dialog.loadFromFile(L"/Defs;component/Sub/Dialogs.xaml", L"Mine", subs, 3));
    plsim::queueReply(L"8");
    plsim::queueReply(L"7");
    EXPECT_EQ(dialog.showDialog(nullptr), 7);
    const std::wstring shown = plsim::transcript();
    EXPECT_TRUE(contains(shown, L"Caf\u00e9 & \"{count}\"\n")) << testing::PrintToString(shown);
    EXPECT_TRUE(contains(shown, L"<3> '{missing}'\n"));
    EXPECT_TRUE(contains(shown, L"{count}{count} \u00e9\u00e9 {{count}\n"));
    EXPECT_TRUE(contains(shown, L"  7  Go {count}\n"));
    EXPECT_TRUE(contains(shown, L"  [x] Tick\n"));
    EXPECT_FALSE(contains(shown, L"No id"));
    EXPECT_TRUE(contains(shown, L"Choose a button [7] or V to toggle the check box, Esc or Ctrl-C cancels: "));

    // A dialog without buttons only cancels.
    ASSERT_TRUE(dialog.loadFromFile(L"/Defs;component/Sub/Dialogs.xaml", L"Empty", nullptr, 0));
    plsim::queueReply(L"1");
    plsim::queueReply(L"v");
    plsim::queueCancel();
    EXPECT_EQ(dialog.showDialog(nullptr), NlHostTaskDialog::kCancelled);
    EXPECT_TRUE(contains(plsim::transcript(), L"Esc or Ctrl-C cancels: *Cancel*\n"));
}

TEST_F(TaskDialogFiles, MalformedDefinitionsAreReported) {
    const std::string broken[] = {
        "<TaskDialogs><TaskDialog Id=\"A\"></TaskDialogs>",
        "<TaskDialogs><TaskDialog Id=\"A\" Title=\"&nbsp;\"/></TaskDialogs>",
        "<TaskDialogs><TaskDialog Id=A/></TaskDialogs>",
        "<TaskDialogs><TaskDialog Id=\"A\"/></TaskDialogs><Extra/>",
        "<!DOCTYPE x><TaskDialogs><TaskDialog Id=\"A\"/></TaskDialogs>",
        "<TaskDialogs><!-- never closed <TaskDialog Id=\"A\"/></TaskDialogs>",
        "",
    };
    for (const std::string& text : broken) {
        plsim::clearTranscript();
        folder.write("Defs/Broken.xaml", text);
        NlHostTaskDialog dialog;
        EXPECT_FALSE(dialog.loadFromFile(L"/Defs;component/Broken.xaml", L"A", nullptr, 0)) << text;
        EXPECT_TRUE(contains(plsim::transcript(), L"/Defs;component/Broken.xaml cannot be read")) << text;
    }
    // Well formed, but not task dialogs.
    folder.write("Defs/Other.xaml", "<Dialogs><TaskDialog Id=\"A\"/></Dialogs>");
    NlHostTaskDialog dialog;
    EXPECT_FALSE(dialog.loadFromFile(L"/Defs;component/Other.xaml", L"A", nullptr, 0));
}

}  // namespace
