#pragma once

#include "host/geometry/Geometry.h"

namespace host {

// An upright rectangle. A new envelope is empty; its bounds then read NaN.
class Envelope : public Geometry {
public:
    Envelope();
    Envelope(double xMin, double yMin, double xMax, double yMax);

    long GeometryType() const override { return GeometryTypeCode::Envelope; }
    void SetEmpty() override;

    double XMin() const { return xMin_; }
    double YMin() const { return yMin_; }
    double XMax() const { return xMax_; }
    double YMax() const { return yMax_; }
    double Width() const;   // 0 when empty
    double Height() const;  // 0 when empty

    // Corners in any order; non-finite values raise error 5.
    void PutCoords(double xMin, double yMin, double xMax, double yMax);
    // Grows to take in the other envelope (an empty one changes nothing).
    void Union(const Ref<Envelope>& other);
    // Grows by dx on the left and right and dy at the top and bottom; as a ratio, scales
    // the width and height by dx and dy about the centre.
    void Expand(double dx, double dy, bool asRatio);

    GeosGeometry Geos() const override;

private:
    void Update();
    double xMin_;
    double yMin_;
    double xMax_;
    double yMax_;
};

}  // namespace host
