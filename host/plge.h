// Geometry values: 3D points and vectors with the host's global tolerance.
#pragma once

#include <cmath>

/// The tolerance within which the host takes two points or vectors as equal.
struct PlGeTol {
    double equalPoint = 1e-10;
    double equalVector = 1e-12;
};

namespace PlGeContext {
inline const PlGeTol gTol{};
}

class PlGeVector3d {
public:
    double x = 0.0, y = 0.0, z = 0.0;

    PlGeVector3d() = default;
    PlGeVector3d(double ax, double ay, double az) : x(ax), y(ay), z(az) {}

    double length() const { return std::sqrt(x * x + y * y + z * z); }
    bool isZeroLength(const PlGeTol& tol = PlGeContext::gTol) const { return length() <= tol.equalVector; }
    /// Makes the vector unit length. A vector of zero length (within the
    /// tolerance) or one that is not finite is left unchanged.
    PlGeVector3d& normalize(const PlGeTol& tol = PlGeContext::gTol) {
        const double len = length();
        if (std::isfinite(len) && len > tol.equalVector) { x /= len; y /= len; z /= len; }
        return *this;
    }
    PlGeVector3d normal(const PlGeTol& tol = PlGeContext::gTol) const { PlGeVector3d v(*this); return v.normalize(tol); }
    bool isEqualTo(const PlGeVector3d& o, const PlGeTol& tol = PlGeContext::gTol) const {
        return PlGeVector3d(x - o.x, y - o.y, z - o.z).length() <= tol.equalVector;
    }
    PlGeVector3d operator-() const { return {-x, -y, -z}; }
    PlGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    PlGeVector3d operator+(const PlGeVector3d& o) const { return {x + o.x, y + o.y, z + o.z}; }
    PlGeVector3d operator-(const PlGeVector3d& o) const { return {x - o.x, y - o.y, z - o.z}; }
    bool operator==(const PlGeVector3d& o) const { return x == o.x && y == o.y && z == o.z; }

    static const PlGeVector3d kXAxis, kYAxis, kZAxis;
};
inline const PlGeVector3d PlGeVector3d::kXAxis{1, 0, 0};
inline const PlGeVector3d PlGeVector3d::kYAxis{0, 1, 0};
inline const PlGeVector3d PlGeVector3d::kZAxis{0, 0, 1};

class PlGePoint3d {
public:
    double x = 0.0, y = 0.0, z = 0.0;

    PlGePoint3d() = default;
    PlGePoint3d(double ax, double ay, double az) : x(ax), y(ay), z(az) {}

    double distanceTo(const PlGePoint3d& o) const { return (*this - o).length(); }
    bool isEqualTo(const PlGePoint3d& o, const PlGeTol& tol = PlGeContext::gTol) const {
        return distanceTo(o) <= tol.equalPoint;
    }
    PlGeVector3d operator-(const PlGePoint3d& o) const { return {x - o.x, y - o.y, z - o.z}; }
    PlGePoint3d operator+(const PlGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    PlGePoint3d operator-(const PlGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    bool operator==(const PlGePoint3d& o) const { return x == o.x && y == o.y && z == o.z; }
    PlGeVector3d asVector() const { return {x, y, z}; }

    static const PlGePoint3d kOrigin;
};
inline const PlGePoint3d PlGePoint3d::kOrigin{0, 0, 0};
