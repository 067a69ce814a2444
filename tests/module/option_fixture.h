// A fixture for the option sub-menus: places a light of a kind, answers its menu, and counts
// messages and prompt defaults in what was shown.
#pragma once

#include <string>
#include <vector>

#include "light_fixture.h"

class LightOptionTest : public LightCommandTest {
protected:
    /// Places a light of `type` at the origin (a spot aims down), answers its menu with
    /// `replies` ("^C" cancels), then Enter; answers the transcript.
    std::wstring edit(LightType type, const std::vector<std::wstring>& replies) {
        std::vector<std::wstring> all;
        switch (type) {
            case kLightSpot: all = {L"0,0,10", L"0,0,0"}; break;
            case kLightDistant: all = {L"", L""}; break;
            default: all = {L"0,0,0"}; break;
        }
        all.insert(all.end(), replies.begin(), replies.end());
        all.push_back(L"");
        for (const std::wstring& reply : all) {
            if (reply == L"^C") plsim::queueCancel();
            else plsim::queueReply(reply);
        }
        plsim::clearTranscript();
        ZuredUDKMX::doLightCommand(type);
        EXPECT_EQ(plsim::pendingReplies(), 0u) << "the menu asked fewer questions than expected";
        EXPECT_EQ(plsim::exhaustedPrompts(), 0) << "the menu asked more questions than expected";
        return takeTranscript();
    }

    plsim::scene::LightInfo last() const {
        const auto all = lights();
        return all.empty() ? plsim::scene::LightInfo{} : all.back();
    }

    /// Message `id` followed by `value` between the default marks, as a prompt shows it.
    static std::wstring promptWith(unsigned id, const std::wstring& value) {
        return loadMessage(id).str() + loadMessage(msg::kDefaultOpen).str() + value +
               loadMessage(msg::kDefaultClose).str();
    }

    /// The global names a keyword-list message declares.
    static std::vector<std::wstring> globalNames(unsigned listId) {
        const std::wstring list = loadMessage(listId).str();
        std::vector<std::wstring> locals, globals;
        bool afterSeparator = false;
        std::size_t i = 0;
        while (i < list.size()) {
            while (i < list.size() && list[i] == L' ') ++i;
            const std::size_t start = i;
            while (i < list.size() && list[i] != L' ') ++i;
            if (i == start) break;
            const std::wstring token = list.substr(start, i - start);
            if (token == L"_") afterSeparator = true;
            else (afterSeparator ? globals : locals).push_back(token);
        }
        return afterSeparator ? globals : locals;
    }

    static bool declares(unsigned listId, const std::wstring& name) {
        for (const std::wstring& declared : globalNames(listId))
            if (declared == name) return true;
        return false;
    }
};
