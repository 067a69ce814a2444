// A fixture for running light commands: the light-entity module loaded, replies
// queued, and no object left open and no value refused by a light when a test ends.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "common/Messages.h"
#include "app/ZuredUDKMX.h"
#include "host/pldocs.h"
#include "host/plrx.h"
#include "hostsim/sceneoe/scene_driver.h"
#include "lights/LastLightKind.h"
#include "support/host_fixture.h"

class LightCommandTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        ASSERT_TRUE(plrxLoadModule(L"PlSceneOE.dbx", false, false));
        plsim::setScriptActive(true);
        lastLightKind = PlDbLight::kSpotLight;  // as when the module has just been loaded
        lastLightTargeted = false;
        static_cast<void>(plsim::scene::takeRefusedLightValues());
    }
    void TearDown() override {
        EXPECT_EQ(plsim::openObjectCount(), 0) << "an object was left open";
        EXPECT_TRUE(plsim::drawingErrors().empty());
        EXPECT_TRUE(plsim::scene::takeRefusedLightValues().empty()) << "the module ignored a value the light refused";
        HostTest::TearDown();
        plrxUnloadModule(L"PlSceneOE.dbx", false);
    }

    /// Queues the replies ("^C" is a cancel), runs the command and answers its transcript.
    std::wstring run(LightType type, std::initializer_list<std::wstring> replies) {
        for (const std::wstring& reply : replies) {
            if (reply == L"^C") plsim::queueCancel();
            else plsim::queueReply(reply);
        }
        plsim::clearTranscript();
        ZuredUDKMX::doLightCommand(type);
        EXPECT_EQ(plsim::pendingReplies(), 0u) << "the command asked fewer questions than expected";
        EXPECT_EQ(plsim::exhaustedPrompts(), 0) << "the command asked more questions than expected";
        return takeTranscript();
    }

    std::vector<plsim::scene::LightInfo> lights() const { return plsim::scene::lightsOf(drawing->database()); }

    /// How often message `id` (without its final line break; up to its "%s" when it
    /// takes an argument) appears in `text`.
    static int count(const std::wstring& text, unsigned id) {
        const std::wstring whole = message(id);
        return occurrences(text, whole.substr(0, whole.find(L"%s")));
    }

    static int occurrences(const std::wstring& text, const std::wstring& part) {
        int n = 0;
        if (part.empty()) return 0;
        for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++n;
        return n;
    }

    static std::wstring message(unsigned id) {
        std::wstring text = loadMessage(id).str();
        while (!text.empty() && text.back() == L'\n') text.pop_back();
        return text;
    }

    static bool contains(const std::wstring& text, unsigned messageId) { return count(text, messageId) > 0; }
};

inline void expectPoint(const PlGePoint3d& actual, double x, double y, double z, const char* what) {
    EXPECT_NEAR(actual.x, x, 1e-9) << what;
    EXPECT_NEAR(actual.y, y, 1e-9) << what;
    EXPECT_NEAR(actual.z, z, 1e-9) << what;
}

inline void expectVector(const PlGeVector3d& actual, double x, double y, double z, const char* what) {
    EXPECT_NEAR(actual.x, x, 1e-9) << what;
    EXPECT_NEAR(actual.y, y, 1e-9) << what;
    EXPECT_NEAR(actual.z, z, 1e-9) << what;
}
