// PlDbLightJig: samples, updates and the two-stage drag of a new light.
#include "lights/LightJig.h"

#include "common/Messages.h"
#include "host/pled.h"
#include "lights/DirectionInput.h"

namespace {

constexpr int kInputControls = 0x1082;
constexpr double kTargetDrop = 10.0;

/// The point `distance` units below `point` along the current user Z axis.
PlGePoint3d belowInUserZ(const PlGePoint3d& point, double distance) {
    const double world[3] = {point.x, point.y, point.z};
    double user[3];
    if (pledTrans(world, PLED_WCS, PLED_UCS, false, user) != PLRTNORM) return {point.x, point.y, point.z - distance};
    user[2] -= distance;
    double back[3];
    if (pledTrans(user, PLED_UCS, PLED_WCS, false, back) != PLRTNORM) return {point.x, point.y, point.z - distance};
    return {back[0], back[1], back[2]};
}

}  // namespace

PlDbLightJig::PlDbLightJig(PlDbLight& light, bool hasTarget) : m_light(light), m_hasTarget(hasTarget) {}

PlDbLightJig::~PlDbLightJig() = default;

PlEdJig::DragStatus PlDbLightJig::sampleLight() {
    setUserInputControls(static_cast<UserInputControls>(kInputControls));
    const bool askingTarget = m_hasTarget && m_stage >= 1;
    PlGePoint3d point;
    const DragStatus status = askingTarget ? acquirePoint(point, m_position) : acquirePoint(point);
    if (status != kNormal) return status;

    if (askingTarget) {
        if (m_targetSampled && point.isEqualTo(m_target)) return kNoChange;
        m_target = point;
        m_targetSampled = true;
        return kNormal;
    }
    if (m_positionSampled && point.isEqualTo(m_position)) return kNoChange;
    m_position = point;
    m_positionSampled = true;
    m_target = m_hasTarget ? PlGePoint3d(point.x, point.y, point.z - kTargetDrop) : belowInUserZ(point, kTargetDrop);
    return kNormal;
}

bool PlDbLightJig::updateLight() {
    m_light.setPosition(m_position);
    m_light.setTargetLocation(m_target);
    PlGeVector3d direction;
    if (m_stage >= 1 && JigUtil::directionBetween(m_position, m_target, direction))
        m_light.setLightDirection(direction);
    return true;
}

PlDbEntity* PlDbLightJig::draggedEntity() const { return &m_light; }

bool PlDbLightJig::dragLight() {
    bool accepted = true;
    for (;;) {
        if (m_stage >= 2 && accepted) break;
        accepted = true;
        const PlString& prompt = loadMessage(m_stage == 0 ? msg::kSourcePrompt : msg::kTargetPrompt);
        setDispPrompt(prompt.kwszPtr());
        const DragStatus status = drag();
        if (status == kNull) {
            if (m_stage == 0) {
                m_position = PlGePoint3d(0, 0, 0);
                m_target = PlGePoint3d(0, 0, -kTargetDrop);
            } else {
                m_target = PlGePoint3d(m_position.x, m_position.y, m_position.z - kTargetDrop);
            }
        }
        if (status == kCancel) return false;
        if (!m_hasTarget) break;
        ++m_stage;
        if ((status == kNormal || status == kNull) && m_light.lightKind() == PlDbLight::kSpotLight &&
            m_light.position().isEqualTo(m_target)) {
            // A spot light cannot aim at its own position: ask for the target again.
            accepted = false;
            setDispPrompt(loadMessage(msg::kTargetAtPosition).kwszPtr());
        }
    }
    m_light.setPosition(m_position);
    m_light.setTargetLocation(m_target);
    return true;
}
