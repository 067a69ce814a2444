// Drawing entities with geometry of their own: the curves (line, arc, circle, ellipse,
// polyline, 3D polyline, spline, 2D polyline), text and regions.
#pragma once

#include <string>
#include <vector>

#include "host/pldb.h"

/// Base of the entities that are paths a point can run along.
class PLHOST_API PlDbCurve : public PlDbEntity {
public:
    ~PlDbCurve() override;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

protected:
    PlDbCurve();
};

/// The setters below answer 3 for geometry that is not finite or makes no
/// such entity (a radius that is not positive, too few points, ...) and 85
/// for an entity of a database that is not open for write.

class PLHOST_API PlDbLine : public PlDbCurve {
public:
    PlDbLine();
    ~PlDbLine() override;
    const PlGePoint3d& startPoint() const { return m_start; }
    const PlGePoint3d& endPoint() const { return m_end; }
    /// The two ends must differ.
    Plad::ErrorStatus set(const PlGePoint3d& start, const PlGePoint3d& end);
    Plad::ErrorStatus moveBy(const PlGeVector3d& offset) override;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    PlGePoint3d m_start, m_end;
};

/// A circle in a plane parallel to the XY plane.
class PLHOST_API PlDbCircle : public PlDbCurve {
public:
    PlDbCircle();
    ~PlDbCircle() override;
    const PlGePoint3d& center() const { return m_center; }
    double radius() const { return m_radius; }
    Plad::ErrorStatus set(const PlGePoint3d& center, double radius);
    Plad::ErrorStatus moveBy(const PlGeVector3d& offset) override;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    PlGePoint3d m_center;
    double m_radius = 1.0;
};

/// An arc of a circle parallel to the XY plane, counter-clockwise from the
/// start angle to the end angle (radians from the X axis).
class PLHOST_API PlDbArc : public PlDbCurve {
public:
    PlDbArc();
    ~PlDbArc() override;
    const PlGePoint3d& center() const { return m_center; }
    double radius() const { return m_radius; }
    double startAngle() const { return m_start; }
    double endAngle() const { return m_end; }
    /// The angles are kept in [0, 2 pi); they must not be the same.
    Plad::ErrorStatus set(const PlGePoint3d& center, double radius, double startAngle, double endAngle);
    Plad::ErrorStatus moveBy(const PlGeVector3d& offset) override;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    PlGePoint3d m_center;
    double m_radius = 1.0, m_start = 0.0, m_end = 3.141592653589793;
};

/// An ellipse: its center, the vector from the center to one end of its major
/// axis, and the ratio of its minor radius to its major radius (0 to 1).
class PLHOST_API PlDbEllipse : public PlDbCurve {
public:
    PlDbEllipse();
    ~PlDbEllipse() override;
    const PlGePoint3d& center() const { return m_center; }
    const PlGeVector3d& majorAxis() const { return m_majorAxis; }
    double radiusRatio() const { return m_ratio; }
    Plad::ErrorStatus set(const PlGePoint3d& center, const PlGeVector3d& majorAxis, double radiusRatio);
    Plad::ErrorStatus moveBy(const PlGeVector3d& offset) override;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    PlGePoint3d m_center;
    PlGeVector3d m_majorAxis{1.0, 0.0, 0.0};
    double m_ratio = 1.0;
};

/// The curves given by a list of points: at least two, no two neighbours equal.
/// The polyline and the 2D polyline lie in a plane parallel to the XY plane
/// (every point has the same Z, their elevation); the 3D polyline and the
/// spline (through its fit points) run anywhere.
#define PL_POINT_CURVE(Class)                                                  \
    class PLHOST_API Class : public PlDbCurve {                                \
    public:                                                                    \
        Class();                                                               \
        ~Class() override;                                                     \
        const std::vector<PlGePoint3d>& points() const { return m_points; }    \
        Plad::ErrorStatus setPoints(const std::vector<PlGePoint3d>& points);   \
        Plad::ErrorStatus moveBy(const PlGeVector3d& offset) override;         \
        PlRxClass* isA() const override;                                       \
        static PlRxClass* desc();                                              \
                                                                               \
    private:                                                                   \
        std::vector<PlGePoint3d> m_points;                                     \
    }
PL_POINT_CURVE(PlDbPolyline);
PL_POINT_CURVE(PlDb3dPolyline);
PL_POINT_CURVE(PlDbSpline);
PL_POINT_CURVE(PlDb2dPolyline);
#undef PL_POINT_CURVE

/// A line of text at a point.
class PLHOST_API PlDbText : public PlDbEntity {
public:
    PlDbText();
    ~PlDbText() override;
    const PlGePoint3d& position() const { return m_position; }
    const wchar_t* textString() const { return m_text.c_str(); }
    double height() const { return m_height; }
    /// The text must not be empty; the height must be positive.
    Plad::ErrorStatus set(const PlGePoint3d& position, const wchar_t* text, double height);
    Plad::ErrorStatus moveBy(const PlGeVector3d& offset) override;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    PlGePoint3d m_position;
    std::wstring m_text;
    double m_height = 1.0;
};

/// A flat area bounded by a closed polygon: at least three points, in one
/// plane, not all on one line.
class PLHOST_API PlDbRegion : public PlDbEntity {
public:
    PlDbRegion();
    ~PlDbRegion() override;
    const std::vector<PlGePoint3d>& boundary() const { return m_boundary; }
    Plad::ErrorStatus setBoundary(const std::vector<PlGePoint3d>& boundary);
    Plad::ErrorStatus moveBy(const PlGeVector3d& offset) override;
    PlRxClass* isA() const override;
    static PlRxClass* desc();

private:
    std::vector<PlGePoint3d> m_boundary;
};
