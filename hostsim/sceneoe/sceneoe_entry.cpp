// The light-entity module's entry point: registers its runtime classes on load and
// deletes them on unload.
#include <cstddef>
#include <string_view>

#include "host/plexport.h"
#include "host/plrx.h"
#include "hostsim/sceneoe/scene_classes.h"

namespace {

struct ClassSpec {
    const wchar_t* name;
    const wchar_t* parent;
};

/// In the order of plsim::scene::SceneClass.
constexpr ClassSpec kClasses[] = {
    {L"PlDbLight", L"PlDbEntity"},
    {L"PlGiShadowParameters", L"PlRxObject"},
    {L"PlGiLightAttenuation", L"PlRxObject"},
    {L"PlDbCurvePath", L"PlDbObject"},
    {L"PlDbMotionPath", L"PlDbObject"},
};
constexpr std::size_t kClassCount = sizeof kClasses / sizeof kClasses[0];

/// The classes this module registered itself, in the order of kClasses; a
/// class found already registered (with the right parent) is left to its owner.
PlRxClass* g_registered[kClassCount] = {};

void deleteClasses() {
    for (std::size_t i = kClassCount; i-- > 0;) {
        if (g_registered[i]) deletePlRxClass(g_registered[i]);
        g_registered[i] = nullptr;
    }
}

bool registerClasses() {
    for (std::size_t i = 0; i < kClassCount; ++i) {
        const ClassSpec& spec = kClasses[i];
        if (PlRxClass* existing = plrxFindPlRxClass(spec.name)) {
            const PlRxClass* parent = existing->myParent();
            if (parent && std::wstring_view(parent->name()) == spec.parent) continue;
            deleteClasses();  // a class of that name but another lineage: not ours to use
            return false;
        }
        g_registered[i] = newPlRxClass(spec.name, spec.parent, 0, nullptr, nullptr, L"PlSceneOE");
        if (!g_registered[i]) {
            deleteClasses();
            return false;
        }
    }
    return true;
}

}  // namespace

PlRxClass* plsim::scene::sceneClass(SceneClass which) {
    const auto index = static_cast<std::size_t>(which);
    return g_registered[index] ? g_registered[index] : plrxFindPlRxClass(kClasses[index].name);
}

extern "C" PL_DLL_EXPORT int plrxEntryPoint(int msg, void* /*appHandle*/) {
    switch (msg) {
        case PlRx::kInitAppMsg:
            return registerClasses() ? PlRx::kRetOK : PlRx::kRetError;
        case PlRx::kUnloadAppMsg:
            deleteClasses();
            return PlRx::kRetOK;
        default:
            return PlRx::kRetOK;
    }
}
