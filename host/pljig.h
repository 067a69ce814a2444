// PlEdJig: dragging an entity while the user picks points for it.
#pragma once

#include "host/plexport.h"
#include "host/plge.h"
#include "host/plrx.h"
#include "host/plstring.h"

class PlDbEntity;

class PLHOST_API PlEdJig : public PlRxObject {
public:
    /// Results of a drag or a point acquisition.
    enum DragStatus : int {
        kNormal = 0,
        kNull = -1,      ///< Enter without a point
        kCancel = -4,
        kNoChange = -6,  ///< the point is the one the jig already has
    };
    /// How the next sample reads its input (bit set).
    enum UserInputControls : int {
        kGovernedByOrthoMode = 0x0001,
        kNullResponseAccepted = 0x0002,
        kDontEchoCancelForCtrlC = 0x0004,
        kDontUpdateLastPoint = 0x0008,
        kNoDwgLimitsChecking = 0x0010,
        kNoZeroResponseAccepted = 0x0020,
        kNoNegativeResponseAccepted = 0x0040,
        kAccept3dCoordinates = 0x0080,
        kAcceptMouseUpAsPoint = 0x0100,
        kAnyBlankTerminatesInput = 0x0200,
        kInitialBlankTerminatesInput = 0x0400,
        kAcceptOtherInputString = 0x0800,
        kGovernedByUCSDetect = 0x1000,
    };

    PlEdJig();
    ~PlEdJig() override;

    /// Runs the drag: samples input until a point is given, Enter or a cancel,
    /// calling sampler() for the input and update() after every accepted
    /// sample; answers the status of the last sample.
    DragStatus drag();
    /// Called by drag() to read one input; the jig calls acquirePoint.
    virtual DragStatus sampler() = 0;
    /// Called after a sample changed the jig; false stops the drag with kCancel.
    virtual bool update() = 0;
    /// The entity drawn while dragging.
    virtual PlDbEntity* entity() const = 0;

    /// Reads a point (world coordinates) for the prompt set with setDispPrompt.
    DragStatus acquirePoint(PlGePoint3d& point);
    /// The same, with a base point for relative input.
    DragStatus acquirePoint(PlGePoint3d& point, const PlGePoint3d& basePoint);

    void setDispPrompt(const wchar_t* prompt);
    const wchar_t* dispPrompt() const;
    void setUserInputControls(UserInputControls controls);
    UserInputControls userInputControls() const;

    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    PlString m_prompt;
    UserInputControls m_controls = static_cast<UserInputControls>(0);
};
