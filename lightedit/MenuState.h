// The working values a property menu keeps while it runs, and its keyword table.
#pragma once

#include <cstddef>

#include "host/plcmcolor.h"
#include "host/plge.h"
#include "host/plscene.h"
#include "host/plstring.h"
#include "lightedit/InputPrimitives.h"
#include "lightedit/LightEditContext.h"

/// The ten shadow values the shadow option edits.
struct ShadowSettings {
    bool on = true;
    int type = 0;
    int mapSize = 256;
    int softness = 1;
    int shape = 1;
    double length = 1.0;
    double width = 1.0;
    double radius = 1.0;
    int samples = 16;
    bool visible = false;
};

struct MenuState {
    wchar_t name[kNameBufferSize] = {};
    PlString suggestedName;
    double intensity = 1.0;
    bool on = true;
    int attenuationType = 0;
    bool useLimits = false;
    double startLimit = 1.0;
    double endLimit = 10.0;
    ShadowSettings shadow;
    PlCmColor color;
    double falloff = 0.0;
    double hotspot = 0.0;
    PlString webFile;
    PlGeVector3d webRotation;
};

/// A menu action; answers true when the menu is to end (eXit).
using MenuActionFunction = bool(LightEditContext& context, MenuState& state);
using MenuAction = MenuActionFunction*;

struct MenuEntry {
    const wchar_t* keyword;  ///< global name, compared case-sensitively
    MenuAction action;
};

struct MenuDefinition {
    unsigned keywordListId;
    unsigned genericPromptId;      ///< LIGHTINGUNITS other than 1 or 2
    unsigned photometricPromptId;  ///< LIGHTINGUNITS 1 or 2
    const MenuEntry* entries;
    std::size_t entryCount;
};

/// Asks for keywords and runs their actions until eXit or Enter (true) or a
/// cancel (false).
bool runKeywordLoop(LightEditContext& context, MenuState& state, const MenuDefinition& menu);

/// Reads the light's settings into the working values; false when its shadow
/// record cannot be read.
bool readWorkingValues(const PlDbLight& light, MenuState& state);
/// Writes the shadow working values into the light's shadow record (the other
/// fields only while shadows are on) and stores the record in the light.
void storeShadowSettings(PlDbLight& light, const ShadowSettings& shadow);

// Actions shared by the menus, each a MenuActionFunction.
MenuActionFunction menuName, menuIntensity, menuStatus, menuShadow, menuAttenuation, menuFalloff, menuHotspot,
    menuColor, menuPhotometryIfPhotometric, menuPhotometry, menuWeb, menuExit;
