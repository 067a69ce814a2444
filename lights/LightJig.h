// PlDbLightJig: placing a new light's position and target by dragging.
#pragma once

#include "host/pljig.h"
#include "host/plscene.h"

class PlDbLightJig : public PlEdJig {
public:
    PlDbLightJig(PlDbLight& light, bool hasTarget);
    ~PlDbLightJig() override;

    /// Places the position and, with a target, the target; writes them to the
    /// light. False when the user cancelled.
    bool dragLight();

    DragStatus sampleLight();
    bool updateLight();
    PlDbEntity* draggedEntity() const;

    DragStatus sampler() override { return sampleLight(); }
    bool update() override { return updateLight(); }
    PlDbEntity* entity() const override { return draggedEntity(); }

    const PlGePoint3d& position() const { return m_position; }
    const PlGePoint3d& target() const { return m_target; }
    int stage() const { return m_stage; }

private:
    PlDbLight& m_light;
    PlGePoint3d m_position;
    PlGePoint3d m_target;
    int m_stage = 0;
    bool m_hasTarget;
    // Whether the position and the target hold a sampled point yet: only then
    // does an equal point mean "no change".
    bool m_positionSampled = false;
    bool m_targetSampled = false;
};
