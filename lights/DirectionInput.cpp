// The direction input of distant lights: two points or a typed vector.
#include "lights/DirectionInput.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/Messages.h"
#include "host/pldb.h"
#include "host/pled.h"
#include "lightedit/InputPrimitives.h"

namespace JigUtil {

bool directionBetween(const PlGePoint3d& from, const PlGePoint3d& to, PlGeVector3d& unit) {
    const PlGeVector3d half(to.x / 2 - from.x / 2, to.y / 2 - from.y / 2, to.z / 2 - from.z / 2);
    const double largest = std::max({std::fabs(half.x), std::fabs(half.y), std::fabs(half.z)});
    if (!(largest > 0.0)) return false;
    unit = PlGeVector3d(half.x / largest, half.y / largest, half.z / largest).normalize();
    return true;
}

bool parseDirectionVector(const wchar_t* text, PlGeVector3d& vector) {
    const std::wstring answer(text ? text : L"");
    const std::size_t first = answer.find(L',');
    const std::size_t last = answer.rfind(L',');
    if (first == std::wstring::npos || first == last || last + 1 == answer.size()) return false;
    const std::wstring parts[3] = {answer.substr(0, first), answer.substr(first + 1, last - first - 1),
                                   answer.substr(last + 1)};
    double values[3];
    for (int i = 0; i < 3; ++i)
        if (pldbDisToF(parts[i].c_str(), 2, &values[i]) != PLRTNORM) return false;
    const PlGeVector3d candidate(values[0], values[1], values[2]);
    // A vector without length has no direction.
    if (candidate.isZeroLength() || !std::isfinite(candidate.length())) return false;
    vector = candidate;
    return true;
}

bool GetVectorDirection(PlGeVector3d& direction, PlGePoint3d& firstPoint, PlGePoint3d& secondPoint) {
    const PlString keywords = loadModuleMessage(msg::kDirectionKeywords);
    pledInitGet(0, keywords.kwszPtr());
    PlGePoint3d first;
    const int status = pledGetPoint(nullptr, loadModuleMessage(msg::kDirectionFromPrompt).kwszPtr(), first);
    if (status == PLRTCAN) return false;
    if (status == PLRTNONE) {
        first = PlGePoint3d(0, 0, 0);
    } else if (status == PLRTKWORD) {
        for (;;) {
            wchar_t answer[kReplyBufferSize];
            const int vectorStatus =
                getStringInput(0, loadModuleMessage(msg::kVectorPrompt).kwszPtr(), answer, kReplyBufferSize);
            if (vectorStatus == PLRTCAN) return false;
            if (vectorStatus != PLRTNORM) continue;
            PlGeVector3d vector(0, -0.01, 1);
            if (answer[0] != L'\0' && !parseDirectionVector(answer, vector)) {
                plutPrintf(L"%s", loadModuleMessage(msg::kInvalidVector).kwszPtr());
                continue;
            }
            direction = vector.normalize();
            firstPoint = PlGePoint3d(0, 0, 0);
            secondPoint = PlGePoint3d(direction.x, direction.y, direction.z);
            return true;
        }
    } else if (status != PLRTNORM) {
        return true;
    }

    for (;;) {
        PlGePoint3d second;
        const int secondStatus = pledGetPoint(&first, loadModuleMessage(msg::kDirectionToPrompt).kwszPtr(), second);
        if (secondStatus == PLRTCAN) return false;
        if (secondStatus == PLRTNONE) second = PlGePoint3d(1, 1, 1);
        else if (secondStatus != PLRTNORM) return true;
        if (first.isEqualTo(second)) {
            plutPrintf(L"%s", loadModuleMessage(msg::kSamePoints).kwszPtr());
            continue;
        }
        directionBetween(first, second, direction);
        firstPoint = first;
        secondPoint = second;
        return true;
    }
}

bool GetVectorDirection(PlGeVector3d& direction, const double basePoint[3], PlGePoint3d& point) {
    const PlGePoint3d base(basePoint[0], basePoint[1], basePoint[2]);
    PlGePoint3d picked;
    const int status = pledGetPoint(&base, loadModuleMessage(msg::kDirectionToPrompt).kwszPtr(), picked);
    if (status == PLRTCAN) return false;
    if (status == PLRTNORM) {
        if (!(picked - base).isZeroLength()) directionBetween(base, picked, direction);
        point = picked;
    }
    return true;
}

}  // namespace JigUtil
