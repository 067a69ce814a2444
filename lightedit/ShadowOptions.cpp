// The shadow option: shadow type, map size and softness, and the shape sub-menu.
#include "lightedit/ShadowOptions.h"

#include <cmath>

#include "common/Messages.h"
#include "host/pldb.h"
#include "host/pled.h"
#include "host/plscene.h"
#include "lightedit/InputPrimitives.h"

namespace {

const ShapeRow* shapeRow(int shape) {
    for (const ShapeRow& row : kShapes)
        if (row.shape == shape) return &row;
    return nullptr;
}

/// The shape prompt of each kind of light that has one.
struct ShapePrompt {
    int kind;
    unsigned promptId;
    unsigned keywordListId;
    bool showsDisk;  ///< the spot prompt names the disk whatever the working shape
};

const ShapePrompt kShapePrompts[] = {
    {PlDbLight::kWebLight, msg::kWebShapePrompt, msg::kWebShapeKeywords, false},
    {PlDbLight::kSpotLight, msg::kSpotShapePrompt, msg::kSpotShapeKeywords, true},
    {PlDbLight::kPointLight, msg::kPointShapePrompt, msg::kPointShapeKeywords, false},
};

const ShapePrompt* shapePromptOf(int kind) {
    for (const ShapePrompt& prompt : kShapePrompts)
        if (prompt.kind == kind) return &prompt;
    return nullptr;
}

/// A whole number read from a typed reply in decimal mode; false when the
/// reply is no number or not a whole one.
bool wholeNumber(const wchar_t* reply, double& value) {
    if (pldbDisToF(reply, 2, &value) != PLRTNORM) return false;
    return std::isfinite(value) && std::trunc(value) == value;
}

bool isMapSize(double value) {
    for (int size : shadowMapSizes)
        if (value == size) return true;
    return false;
}

/// Map size of mapped shadows; false on a cancel.
bool promptMapSize(const LightEditContext& context, int& mapSize) {
    const PlString prompt = loadMessage(msg::kMapSizePrompt) + integerDefaultText(context, mapSize);
    for (;;) {
        // A declaration holds for one input call only: made again before every ask.
        pledInitGet(0, L"64 128 256 512 1024 2048 4096");
        wchar_t reply[kReplyBufferSize];
        const int status = getStringInput(0, prompt.kwszPtr(), reply, kReplyBufferSize);
        if (status == PLRTCAN) return false;
        // Any other status, a reply cut short by the buffer included, asks again.
        if (status != PLRTNORM) continue;
        if (reply[0] == L'\0') return true;
        double value = 0.0;
        if (wholeNumber(reply, value) && isMapSize(value)) {
            mapSize = static_cast<int>(value);
            return true;
        }
        printMessage(msg::kInvalidMapSize);
    }
}

/// Softness of mapped shadows, 1 to 10; false on a cancel.
bool promptSoftness(const LightEditContext& context, int& softness) {
    const PlString prompt = loadMessage(msg::kSoftnessPrompt) + integerDefaultText(context, softness);
    for (;;) {
        pledInitGet(PLRSG_NOZERO | PLRSG_NONEG, nullptr);
        wchar_t reply[kReplyBufferSize];
        const int status = getStringInput(0, prompt.kwszPtr(), reply, kReplyBufferSize);
        if (status == PLRTCAN) return false;
        if (reply[0] == L'\0') return true;
        // A reply cut short by the buffer is asked again, never read in part.
        if (status != PLRTNORM) continue;
        double value = 0.0;
        if (wholeNumber(reply, value) && value >= 1.0 && value <= 10.0) {
            softness = static_cast<int>(value);
            return true;
        }
        printMessage(msg::kInvalidSoftness);
    }
}

/// One dimension of the shape; false on a cancel.
bool promptDimension(const LightEditContext& context, Dimension dimension, ShadowSettings& shadow) {
    double* value = nullptr;
    unsigned promptId = 0;
    switch (dimension) {
        case Dimension::None:
            return true;
        case Dimension::Length:
            value = &shadow.length;
            promptId = msg::kLengthPrompt;
            break;
        case Dimension::Width:
            value = &shadow.width;
            promptId = msg::kWidthPrompt;
            break;
        case Dimension::Radius:
            value = &shadow.radius;
            promptId = msg::kRadiusPrompt;
            break;
    }
    const PlString prompt = loadMessage(promptId) + realDefaultText(context, *value, 2);
    pledInitGet(PLRSG_NONEG, L"");
    return pledGetReal(prompt.kwszPtr(), value) != PLRTCAN;
}

/// "Shape": the shape, then its dimensions. False when the light's kind has no shape.
bool promptShape(const LightEditContext& context, ShadowSettings& shadow) {
    const ShapePrompt* kindPrompt = shapePromptOf(context.light->lightKind());
    if (!kindPrompt) return false;
    const PlString shown = kindPrompt->showsDisk ? loadMessage(msg::kShapeDisk) : shapeDisplayName(shadow.shape);
    const PlString prompt = loadMessage(kindPrompt->promptId) + context.defaultOpen + shown + context.defaultClose;
    wchar_t reply[kReplyBufferSize];
    const int status = askKeyword(prompt, kindPrompt->keywordListId, 0, reply);
    if (status != PLRTNORM && status != PLRTNONE) return true;
    if (status == PLRTNORM) {
        if (const ShapeRow* row = findKeyword(reply, kShapes)) shadow.shape = row->shape;
    }
    if (const ShapeRow* row = shapeRow(shadow.shape)) {
        if (promptDimension(context, row->first, shadow)) promptDimension(context, row->second, shadow);
    }
    return true;
}

void promptSamples(const LightEditContext& context, ShadowSettings& shadow) {
    wchar_t shown[kReplyBufferSize];
    realToText(static_cast<double>(shadow.samples), 2, shown);
    const PlString prompt = loadMessage(msg::kSamplesPrompt) + context.defaultOpen + shown + context.defaultClose;
    pledInitGet(PLRSG_NONEG, L"");
    // The host writes the value only on a normal reply: nothing else to look at.
    static_cast<void>(pledGetShort(prompt.kwszPtr(), &shadow.samples));
}

void promptShapeVisible(const LightEditContext& context, ShadowSettings& shadow) {
    const PlString prompt = loadMessage(msg::kShapeVisiblePrompt) + onOffDefaultText(context, shadow.visible, true);
    wchar_t reply[kReplyBufferSize];
    if (askKeyword(prompt, msg::kYesNoKeywords, 0, reply) != PLRTNORM) return;
    if (const auto* row = findKeyword(reply, kYesNoReplies)) shadow.visible = row->value;
}

}  // namespace

PlString shadowTypeDefaultText(const LightEditContext& context, int type) {
    unsigned nameId = msg::kShadowOff;
    switch (type) {
        case PlGiShadowParameters::kShadowsRayTraced: nameId = msg::kShadowSharp; break;
        case PlGiShadowParameters::kShadowMaps: nameId = msg::kShadowMapped; break;
        case PlGiShadowParameters::kAreaSampled: nameId = msg::kShadowSampled; break;
        default: break;
    }
    return context.defaultOpen + loadMessage(nameId) + context.defaultClose;
}

PlString shapeDisplayName(int shape) {
    const ShapeRow* row = shapeRow(shape);
    return row ? loadMessage(row->nameId) : PlString();
}

PlString realDefaultText(const LightEditContext& context, double value, int unit) {
    wchar_t text[kReplyBufferSize];
    realToText(value, unit, text);
    return context.defaultOpen + text + context.defaultClose;
}

bool runShadowMenu(const LightEditContext& context, ShadowSettings& shadow) {
    const bool distant = context.light->lightKind() == PlDbLight::kDistantLight;
    const PlString prompt = loadMessage(distant ? msg::kDistantShadowTypePrompt : msg::kShadowTypePrompt) +
                            shadowTypeDefaultText(context, shadow.type);
    wchar_t reply[kReplyBufferSize];
    const int status =
        askKeyword(prompt, distant ? msg::kDistantShadowTypeKeywords : msg::kShadowTypeKeywords, 0, reply);
    if (status == PLRTCAN) return false;
    if (status == PLRTNORM) {
        if (const ShadowTypeReply* row = findKeyword(reply, kShadowTypeReplies)) {
            shadow.on = row->on;
            shadow.type = row->type;
        }
    }
    if (!shadow.on) return true;
    if (shadow.type == PlGiShadowParameters::kAreaSampled) {
        runShadowShapeMenu(context, shadow);
        return true;
    }
    if (shadow.type != PlGiShadowParameters::kShadowMaps) return true;
    if (!promptMapSize(context, shadow.mapSize)) return false;
    return promptSoftness(context, shadow.softness);
}

bool runShadowShapeMenu(const LightEditContext& context, ShadowSettings& shadow) {
    for (;;) {
        const PlString prompt = loadMessage(msg::kShapeMenuPrompt);
        wchar_t reply[kReplyBufferSize];
        if (askKeyword(prompt, msg::kShapeMenuKeywords, 0, reply) != PLRTNORM) return false;
        const auto* option = findKeyword(reply, kShapeMenu);
        if (!option) continue;
        switch (option->value) {
            case ShapeOption::Shape:
                if (!promptShape(context, shadow)) return false;
                break;
            case ShapeOption::Samples: promptSamples(context, shadow); break;
            case ShapeOption::Visible: promptShapeVisible(context, shadow); break;
            case ShapeOption::Exit: return true;
        }
    }
}
