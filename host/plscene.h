// The light entity module "PlSceneOE.dbx": lights, their shadow and attenuation
// records, and the lighting helpers.
#pragma once

#include <cstdint>

#include "host/plcmcolor.h"
#include "host/pldb.h"
#include "host/plexport.h"
#include "host/plge.h"
#include "host/plstring.h"

class PlApDocument;

/// How a light casts shadows.
class PLSCENEOE_API PlGiShadowParameters : public PlRxObject {
public:
    enum ShadowType : int { kShadowsRayTraced = 0, kShadowMaps = 1, kAreaSampled = 2 };
    enum ExtendedLightShape : int { kLinear = 0, kRectangle = 1, kDisk = 2, kCylinder = 3, kSphere = 4 };

    PlGiShadowParameters();
    PlGiShadowParameters(const PlGiShadowParameters&) = default;
    PlGiShadowParameters& operator=(const PlGiShadowParameters&) = default;
    ~PlGiShadowParameters() override;

    void setShadowsOn(bool on);
    bool shadowsOn() const;
    void setShadowType(ShadowType type);
    ShadowType shadowType() const;
    /// 64, 128, ..., 4096; false (value kept) for any other.
    bool setShadowMapSize(std::uint16_t size);
    std::uint16_t shadowMapSize() const;
    /// 1 to 10; false (value kept) for any other.
    bool setShadowMapSoftness(std::uint8_t softness);
    std::uint8_t shadowMapSoftness() const;
    bool setShadowSamples(std::uint16_t samples);
    std::uint16_t shadowSamples() const;
    void setShapeVisibility(bool visible);
    bool shapeVisibility() const;
    bool setExtendedLightShape(ExtendedLightShape shape);
    ExtendedLightShape extendedLightShape() const;
    /// Non-negative and finite; false (value kept) otherwise.
    bool setExtendedLightLength(double length);
    double extendedLightLength() const;
    bool setExtendedLightWidth(double width);
    double extendedLightWidth() const;
    bool setExtendedLightRadius(double radius);
    double extendedLightRadius() const;

    bool operator==(const PlGiShadowParameters& other) const;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    bool m_on;
    ShadowType m_type;
    std::uint16_t m_mapSize;
    std::uint8_t m_softness;
    std::uint16_t m_samples;
    bool m_visible;
    ExtendedLightShape m_shape;
    double m_length, m_width, m_radius;
};

/// How a light's intensity falls off with distance.
class PLSCENEOE_API PlGiLightAttenuation : public PlRxObject {
public:
    enum AttenuationType : int { kNone = 0, kInverseLinear = 1, kInverseSquare = 2 };

    PlGiLightAttenuation();
    PlGiLightAttenuation(const PlGiLightAttenuation&) = default;
    PlGiLightAttenuation& operator=(const PlGiLightAttenuation&) = default;
    ~PlGiLightAttenuation() override;

    PlRxObject* clone() const override;
    /// Copies another attenuation record; 3 (nothing copied) for any other object.
    Plad::ErrorStatus copyFrom(const PlRxObject* other) override;
    bool isEqualTo(const PlRxObject* other) const override;
    bool operator==(const PlGiLightAttenuation& other) const;

    virtual void setAttenuationType(AttenuationType type);
    virtual AttenuationType attenuationType() const;
    virtual void setUseLimits(bool on);
    virtual bool useLimits() const;
    virtual void setLimits(double startLimit, double endLimit);
    virtual double startLimit() const;
    virtual double endLimit() const;

    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    AttenuationType m_type;
    bool m_useLimits;
    double m_start, m_end;
};

/// A light of the drawing.
class PLSCENEOE_API PlDbLight : public PlDbEntity {
public:
    enum LightKind : int { kDistantLight = 1, kPointLight = 2, kSpotLight = 3, kWebLight = 10 };
    enum PhysicalIntensityMethod : int { kPeakIntensity = 0, kFlux = 1, kIlluminance = 2 };
    enum LampColorType : int { kKelvin = 0, kPreset = 1 };
    enum LampColorPreset : int {
        kD65White = 0, kFluorescent, kCoolWhite, kWhiteFluorescent, kDaylightFluorescent,
        kIncandescent, kXenon, kHalogen, kQuartz, kMetalHalide, kMercury,
        kPhosphorMercury, kHighPressureSodium, kLowPressureSodium,
    };

    PlDbLight();
    ~PlDbLight() override;

    virtual int lightKind() const;
    virtual Plad::ErrorStatus setLightKind(int kind);
    virtual const wchar_t* name() const;
    virtual Plad::ErrorStatus setName(const wchar_t* name);
    virtual bool isOn() const;
    virtual Plad::ErrorStatus setOn(bool on);
    virtual double intensity() const;
    virtual Plad::ErrorStatus setIntensity(double intensity);
    virtual const PlCmColor& lightColor() const;
    virtual Plad::ErrorStatus setLightColor(const PlCmColor& color);
    virtual const PlGiLightAttenuation& lightAttenuation() const;
    virtual Plad::ErrorStatus setLightAttenuation(const PlGiLightAttenuation& attenuation);
    /// Full cone angles in radians, each in [0, pi). A hotspot wider than the
    /// falloff is kept as given.
    virtual double hotspotAngle() const;
    virtual double falloffAngle() const;
    virtual Plad::ErrorStatus setHotspotAndFalloff(double hotspot, double falloff);
    virtual const PlGeVector3d& lightDirection() const;
    virtual Plad::ErrorStatus setLightDirection(const PlGeVector3d& direction);
    virtual const PlGePoint3d& position() const;
    virtual Plad::ErrorStatus setPosition(const PlGePoint3d& position);
    virtual const PlGePoint3d& targetLocation() const;
    virtual Plad::ErrorStatus setTargetLocation(const PlGePoint3d& target);
    /// Moves the position and the target together; the direction stays.
    Plad::ErrorStatus moveBy(const PlGeVector3d& offset) override;

    Plad::ErrorStatus shadowParameters(PlGiShadowParameters& params) const;
    Plad::ErrorStatus setShadowParameters(const PlGiShadowParameters& params);
    bool hasTarget() const;
    Plad::ErrorStatus setHasTarget(bool hasTarget);
    const wchar_t* webFile() const;
    Plad::ErrorStatus setWebFile(const wchar_t* file);
    const PlGeVector3d& webRotation() const;
    Plad::ErrorStatus setWebRotation(const PlGeVector3d& rotation);
    double physicalIntensity() const;
    Plad::ErrorStatus setPhysicalIntensity(double value);
    PhysicalIntensityMethod physicalIntensityMethod() const;
    Plad::ErrorStatus setPhysicalIntensityMethod(PhysicalIntensityMethod method);
    double illuminanceDistance() const;
    Plad::ErrorStatus setIlluminanceDistance(double distance);
    LampColorType lampColorType() const;
    Plad::ErrorStatus setLampColorType(LampColorType type);
    double lampColorTemp() const;
    Plad::ErrorStatus setLampColorTemp(double kelvin);
    LampColorPreset lampColorPreset() const;
    Plad::ErrorStatus setLampColorPreset(LampColorPreset preset);

    PlRxClass* isA() const override;
    static PlRxClass* desc();

protected:
    /// Keep the drawing's index of light names up to date.
    void onAppended() override;
    void onErased(bool erased) override;

private:
    friend struct PlDbLightWeb;    // the light-entity module's own view of the parsed web file
    friend struct PlDbLightFiler;  // the light-entity module's reading of a light from a drawing's file
    void aimAtTarget();

    struct Impl;
    Impl* m_impl;
};

namespace LightingUtil {
/// `baseName` and the smallest number that makes a name no light of the
/// working database has ("Spotlight3"); empty when none can be made.
PLSCENEOE_API PlString findNextLightName(const wchar_t* baseName);
/// The layer lights go on, created when the working database has none.
PLSCENEOE_API Plad::ErrorStatus getLightsLayer(PlDbObjectId& layerId);
/// Drawing units to metres (true) or to feet (false), from the drawing's units
/// ("INSUNITS"). A unitless drawing counts in feet under "LIGHTINGUNITS" 1 and
/// in metres otherwise.
PLSCENEOE_API double getUnitFactor(bool toMetres);
/// Converts a physical intensity of `light` between methods: candela, lumen,
/// and the illuminance on the beam axis at `distance` metres (lux, or
/// foot-candles under "LIGHTINGUNITS" 1). A distant light's value is kept as
/// it is. NaN when no value answers (no light, unknown method, a distance that
/// is not positive, a spot cone that holds no light).
PLSCENEOE_API double ConvertIntensity(const PlDbLight* light, PlDbLight::PhysicalIntensityMethod from,
                                      PlDbLight::PhysicalIntensityMethod to, double value, double distance);
/// The full path of a web file; empty when the name resolves to none.
PLSCENEOE_API PlString GetIESFileFullPath(const wchar_t* fileName, PlApDocument* document);
}  // namespace LightingUtil

namespace PlLightServiceManager {
/// The light called `name` in `db`: 0 and its id, or 22 when there is none.
PLSCENEOE_API Plad::ErrorStatus idAt(PlDbObjectId& id, const wchar_t* name, PlDbDatabase* db);
}  // namespace PlLightServiceManager
