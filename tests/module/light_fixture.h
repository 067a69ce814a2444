// A fixture for running light commands: the light-entity module loaded, replies queued, messages and prompt
// defaults counted in what was shown, and no object left open and no value refused by a light when a test ends.
#pragma once

#include <string>
#include <vector>

#include "app/ZuredUDKMX.h"
#include "common/Messages.h"
#include "host/pldocs.h"
#include "host/plrx.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/sceneoe/scene_driver.h"
#include "lights/LastLightKind.h"
#include "support/host_fixture.h"

/// The leading fields of a row in a table of light-command cases: what the case is about, the command, and the
/// replies (to all its prompts for run(), to its menu for edit()).
struct LightCommandCase {
    const char* name;
    LightType type;
    std::vector<std::wstring> replies;
};

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
        EXPECT_TRUE(plsim::drawingErrors().empty());
        EXPECT_TRUE(plsim::scene::takeRefusedLightValues().empty()) << "the module ignored a value the light refused";
        HostTest::TearDown();
        plrxUnloadModule(L"PlSceneOE.dbx", false);
    }

    /// Queues the replies; "^C" is a cancel.
    static void queue(const std::vector<std::wstring>& replies) {
        for (const std::wstring& reply : replies) reply == L"^C" ? plsim::queueCancel() : plsim::queueReply(reply);
    }

    /// Queues the replies, runs the command and answers its transcript.
    std::wstring run(LightType type, const std::vector<std::wstring>& replies) {
        queue(replies);
        plsim::clearTranscript();
        ZuredUDKMX::doLightCommand(type);
        EXPECT_EQ(plsim::pendingReplies(), 0u) << "the command asked fewer questions than expected";
        EXPECT_EQ(plsim::exhaustedPrompts(), 0) << "the command asked more questions than expected";
        return takeTranscript();
    }

    /// Places a light of `type` at the origin (a spot aims down), answers its menu with `replies`, then Enter.
    std::wstring edit(LightType type, std::vector<std::wstring> replies) {
        std::vector<std::wstring> placing = {L"0,0,0"};
        if (type == kLightSpot) placing = {L"0,0,10", L"0,0,0"};
        if (type == kLightDistant) placing = {L"", L""};
        replies.insert(replies.begin(), placing.begin(), placing.end());
        replies.push_back(L"");
        return run(type, replies);
    }

    /// `first`, then `rest`.
    static std::vector<std::wstring> then(std::vector<std::wstring> first, const std::vector<std::wstring>& rest) {
        first.insert(first.end(), rest.begin(), rest.end());
        return first;
    }

    /// Adds `entity` to the drawing and answers its id.
    PlDbObjectId add(PlDbEntity* entity) {
        PlDbObjectId id;
        EXPECT_EQ(plsim::addEntity(drawing->database(), entity, id), Plad::eOk);
        return id;
    }

    std::vector<plsim::scene::LightInfo> lights() const { return plsim::scene::lightsOf(drawing->database()); }

    plsim::scene::LightInfo last() const {
        const auto all = lights();
        return all.empty() ? plsim::scene::LightInfo{} : all.back();
    }

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

    /// Message `id` followed by `value` between the default marks, as a prompt shows it.
    static std::wstring promptWith(unsigned id, const std::wstring& value) {
        return loadMessage(id).str() + loadMessage(msg::kDefaultOpen).str() + value +
               loadMessage(msg::kDefaultClose).str();
    }
};

/// Checks a point or vector against x, y, z.
template <class Triple>
void expectNear(const Triple& actual, double x, double y, double z, const char* what) {
    EXPECT_NEAR(actual.x, x, 1e-9) << what;
    EXPECT_NEAR(actual.y, y, 1e-9) << what;
    EXPECT_NEAR(actual.z, z, 1e-9) << what;
}
