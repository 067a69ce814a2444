// Guards the web option against rotations stored after a cancel or not at all, web files stored
// without their checks (extension, a readable file, full path), a broken one taken without a word,
// a dialog that changes the name when closed without a file, and a dialog-parameters class that
// registers twice, casts wrongly or copies the caller's name instead of referring to it.
#include <filesystem>

#if !defined(_WIN32)
#  include <sys/stat.h>
#endif

#include "hostsim/sceneoe/web_files.h"
#include "lightedit/IESFileNavParams.h"
#include "light_fixture.h"
#include "support/temp_folder.h"

namespace {

constexpr char kWebFile[] = "IESNA:LM-63-2002\nTILT=NONE\n1 -1 1 2 1 1 2 0 0 0 1 1 0\n0 90\n0\n100 50\n";

class WebOptionsTest : public LightCommandTest {
protected:
    void SetUp() override {
        LightCommandTest::SetUp();
        lamp = folder.write("Lamp.IES", kWebFile);
        folder.write("notes.txt", kWebFile);
        folder.write(".ies", kWebFile);
        plsim::scene::setWebSearchPath({folder.wide()});
        PlApHostIESFileNavParams::rxInit();  // as the module's start does: the host knows the dialog by it
    }
    void TearDown() override {
        PlApHostIESFileNavParams::rxUninit();
        plsim::scene::setWebSearchPath({});
        LightCommandTest::TearDown();
    }
    /// True when the last light's web file is `expected` (empty: none).
    bool storedFile(const std::wstring& expected) const {
        const std::wstring stored = last().webFile;
        std::error_code ec;
        return expected.empty() ? stored.empty() : !stored.empty() && std::filesystem::equivalent(stored, expected, ec);
    }

    TempFolder folder;
    std::wstring lamp;
};

struct WebCase {
    const char* name;
    std::vector<std::wstring> replies;  ///< at the web light's menu
    double rotation[3];
    bool lampStored;
};

TEST_F(WebOptionsTest, RotationAndFileAreStoredWhenTheSubMenuEndsWell) {
    const WebCase cases[] = {
        {"X then 90", {L"weB", L"X", L"90", L"Exit"}, {90, 0, 0}, false},
        {"Enter keeps the value", {L"weB", L"X", L"", L"Exit"}, {0, 0, 0}, false},
        {"a negative number is asked again; Enter at the sub-menu stores", {L"weB", L"Y", L"-5", L"30", L""}, {0, 30, 0}, false},
        {"a cancel at a rotation stores nothing", {L"weB", L"X", L"90", L"Z", L"^C"}, {0, 0, 0}, false},
        {"a cancel at the sub-menu stores nothing", {L"weB", L"Z", L"9", L"^C"}, {0, 0, 0}, false},
        {"a later visit stores what a cancelled one left", {L"weB", L"X", L"90", L"^C", L"weB", L""}, {90, 0, 0}, false},
        {"a cancel at the file prompt stores nothing", {L"weB", L"X", L"5", L"File", L"^C"}, {0, 0, 0}, false},
        {"a name resolving to .IES", {L"weB", L"File", L"Lamp.IES", L"Exit"}, {0, 0, 0}, true},
        {"found with .ies appended, ignoring case", {L"weB", L"File", L"lamp", L""}, {0, 0, 0}, true},
        {"the dialog closed with a file", {L"weB", L"File", L"~", lamp, L""}, {0, 0, 0}, true},
        {"the dialog closed without one keeps the name", {L"weB", L"File", L"Lamp", L"File", L"~", L"", L""}, {0, 0, 0}, true},
        {"a dialog name that does not exist is not stored, the rotation is",
         {L"weB", L"Z", L"7", L"File", L"~", L"no-such.ies", L""}, {0, 0, 7}, false},
    };
    for (const WebCase& c : cases) {
        const std::wstring shown = edit(kLightFreeWeb, c.replies);
        expectNear(last().webRotation, c.rotation[0], c.rotation[1], c.rotation[2], c.name);
        EXPECT_TRUE(storedFile(c.lampStored ? lamp : L"")) << c.name;
        EXPECT_EQ(count(shown, msg::kWebFileNotFound) + count(shown, msg::kNotAWebFile), 0) << c.name;
    }
    const std::wstring refused = edit(kLightFreeWeb, {L"weB", L"File", L"notes.txt", L".ies", L"nothere", L"", L""});
    EXPECT_EQ(count(refused, msg::kNotAWebFile), 2) << "a .txt file and a file named only .ies";
    EXPECT_NE(refused.find(fillMessageArgument(loadMessage(msg::kWebFileNotFound), L"nothere").str()),
              std::wstring::npos);
    EXPECT_TRUE(storedFile(L""));
    const std::wstring dialog = edit(kLightFreeWeb, {L"weB", L"File", L"Lamp", L"File", L"~", L"^C", L""});
    EXPECT_NE(dialog.find(L"Select a web file <" + last().webFile + L">: *Cancel*"), std::wstring::npos) << "a cancel closes it";
}

TEST_F(WebOptionsTest, OnlyAReadableFileIsStoredAndOneThatIsNoWebShinesAsAPointLight) {
    const std::wstring broken =
        folder.write("broken.ies", "IESNA:LM-63-2002\nTILT=NONE\n1 -1 1 2 1 1 2 0 0 0 1 1 0\n0 90\n0\n100 -5\n");
    const std::wstring directory = (folder.path() / "Folder.ies").wstring();
    std::filesystem::create_directories(directory);
    const auto chosen = [](const std::wstring& name) { return std::vector<std::wstring>{L"weB", L"File", L"~", name, L""}; };
#if defined(_WIN32)
    const std::wstring device = L"NUL", pipe = L"NUL";
#else
    const std::wstring device = L"/dev/null", pipe = (folder.path() / "Pipe.ies").wstring();
    ASSERT_EQ(mkfifo((folder.path() / "Pipe.ies").c_str(), 0600), 0);
#endif
    const struct {
        const char* name;
        std::vector<std::wstring> replies;
        std::wstring stored;
        unsigned message;  ///< shown once, or 0
    } cases[] = {
        {"a folder from the dialog", chosen(directory), L"", msg::kWebFileNotStored},
        {"a device from the dialog", chosen(device), L"", msg::kWebFileNotStored},
        {"a pipe from the dialog", chosen(pipe), L"", msg::kWebFileNotStored},
        {"a folder typed", {L"weB", L"File", L"Folder.ies", L"", L""}, L"", msg::kWebFileNotFound},
        {"a file that is no web", {L"weB", L"File", L"broken", L""}, broken, 0},
    };
    // The host says why a stored file gives no web, once: the reader's message with its line.
    const std::wstring hostSays = L"cannot be used (broken.ies, line 6: candela value 2 of 2 is \"-5\", which is "
                                  L"negative); the light will shine as a point light.";
    for (const auto& c : cases) {
        const std::wstring shown = edit(kLightFreeWeb, c.replies);
        EXPECT_TRUE(storedFile(c.stored)) << c.name;
        EXPECT_EQ(count(shown, msg::kWebFileNotStored) + count(shown, msg::kWebFileNotFound), c.message ? 1 : 0)
            << c.name;
        EXPECT_EQ(count(shown, c.message ? c.message : msg::kWebFileNotStored), c.message ? 1 : 0) << c.name;
        EXPECT_EQ(occurrences(shown, hostSays), c.stored.empty() ? 0 : 1) << c.name;
    }
}

struct Aborted {};

TEST_F(WebOptionsTest, DialogParametersClassRegistersOnceAndRefersToTheCallersName) {
    PlRxClass* const cls = PlApHostIESFileNavParams::desc();  // registered in SetUp
    PlApHostIESFileNavParams::rxInit();
    EXPECT_EQ(plrxFindPlRxClass(PlApHostIESFileNavParams::className()), cls);
    EXPECT_EQ(std::wstring(cls->myParent()->name()), L"PlApHostDialogParams");

    PlString name = L"a.ies";
    PlApHostIESFileNavParams params, assigned;
    params.setFileName(name);
    PlApHostIESFileNavParams(params).fileName() = L"b.ies";
    assigned = params;
    EXPECT_EQ(name, L"b.ies");
    EXPECT_EQ(&assigned.fileName(), &name);
    const PlApHostDialogParams other;
    EXPECT_EQ(PlApHostIESFileNavParams::cast(&other), nullptr);
    EXPECT_EQ(PlApHostIESFileNavParams::cast(&params), &params);

    // A descriptor that is not the class registered under the name ends the host.
    PlApHostIESFileNavParams::gpDesc = PlApHostDialogParams::desc();
    plsim::setAbortHandler([](const std::wstring& message) {
        EXPECT_EQ(message, L"Class mismatch");
        throw Aborted{};
    });
    EXPECT_THROW(PlApHostIESFileNavParams::rxInit(), Aborted);
    plsim::setAbortHandler(nullptr);
    PlApHostIESFileNavParams::gpDesc = cls;
}

}  // namespace
