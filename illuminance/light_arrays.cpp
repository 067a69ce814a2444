// The lights as the inner loop reads them: emptying a set and copying one light into another.
#include "illuminance/light_arrays.h"

namespace plandor::illuminance {
namespace {

void clearPoints(PointArrays& a) {
    for (std::vector<double>* v : {&a.x, &a.y, &a.z, &a.intensity, &a.start2, &a.end2}) v->clear();
}

void appendPoint(PointArrays& to, const PointArrays& from, std::size_t i) {
    to.x.push_back(from.x[i]);
    to.y.push_back(from.y[i]);
    to.z.push_back(from.z[i]);
    to.intensity.push_back(from.intensity[i]);
    to.start2.push_back(from.start2[i]);
    to.end2.push_back(from.end2[i]);
}

}  // namespace

void LightSet::clear() {
    clearPoints(points);
    clearPoints(spots);
    for (std::vector<double>* v :
         {&spots.nax, &spots.nay, &spots.naz, &spots.cosFalloff, &spots.rampScale, &spots.cosHotspot})
        v->clear();
    clearPoints(webs);
    for (std::vector<double>& row : webs.frame) row.clear();
    webs.table.clear();
}

void LightSet::appendFrom(const LightSet& from, std::size_t id) {
    if (id < from.points.size()) {
        appendPoint(points, from.points, id);
        return;
    }
    id -= from.points.size();
    if (id < from.spots.size()) {
        appendPoint(spots, from.spots, id);
        spots.nax.push_back(from.spots.nax[id]);
        spots.nay.push_back(from.spots.nay[id]);
        spots.naz.push_back(from.spots.naz[id]);
        spots.cosFalloff.push_back(from.spots.cosFalloff[id]);
        spots.rampScale.push_back(from.spots.rampScale[id]);
        spots.cosHotspot.push_back(from.spots.cosHotspot[id]);
        return;
    }
    id -= from.spots.size();
    appendPoint(webs, from.webs, id);
    for (std::size_t k = 0; k < webs.frame.size(); ++k) webs.frame[k].push_back(from.webs.frame[k][id]);
    webs.table.push_back(from.webs.table[id]);
}

}  // namespace plandor::illuminance
