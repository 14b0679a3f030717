#pragma once
// One GEOS geometry, owned for its whole life. Copies share the same immutable geometry, so
// a feature's shape can be handed out many times without copying coordinates. The holder
// also remembers, once computed, whether the geometry is valid and its repaired form.
// This header does not include GEOS; only the host's geometry sources do.

#include <cstddef>
#include <memory>
#include <vector>

struct GEOSGeom_t;
struct GEOSPrepGeom_t;

namespace host {

namespace geos {
struct Holder;
}

class GeosGeometry {
public:
    GeosGeometry() = default;  // holds nothing

    // Takes ownership of a geometry made with the current thread's context. A null pointer
    // (a failed GEOS call) raises a run-time error with GEOS's message.
    static GeosGeometry Adopt(GEOSGeom_t* geometry);
    // Reads well-known binary; bytes GEOS cannot read raise a run-time error.
    static GeosGeometry FromWkb(const unsigned char* bytes, std::size_t size);

    const GEOSGeom_t* get() const;
    explicit operator bool() const { return static_cast<bool>(holder_); }

    bool IsEmpty() const;

    // The bounds of a geometry that is not empty; false for an empty one.
    bool Bounds(double& xMin, double& yMin, double& xMax, double& yMax) const;

    // Validity as GEOS judges it; computed once and remembered.
    bool IsValid() const;

    // The geometry itself when it is valid; otherwise its repair (make-valid, keeping the
    // polygonal parts for a polygonal geometry), computed once and remembered.
    GeosGeometry Repaired() const;

    // What a buffer grows: the repaired form of an invalid polygon together with the parts of
    // its rings that the repair left out (a collapsed spike), so that no recorded part of
    // the polygon is lost; the geometry itself otherwise. Computed once and remembered.
    GeosGeometry BufferSource() const;

    // The prepared form, made on first use and kept as long as the geometry.
    const GEOSPrepGeom_t* Prepared() const;

    // Upright rectangles that together cover the geometry, tighter than its envelope: the
    // envelopes of the parts a union was made of. Empty when none were recorded.
    struct Box {
        double xMin, yMin, xMax, yMax;
    };
    const std::vector<Box>& Cover() const;
    void SetCover(std::vector<Box> boxes) const;

private:
    std::shared_ptr<geos::Holder> holder_;
};

}  // namespace host
