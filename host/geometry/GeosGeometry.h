#pragma once
// One GEOS geometry, owned for its whole life. Copies share the same immutable geometry, so
// a feature's shape can be handed out many times without copying coordinates. The holder
// also remembers, once computed, whether the geometry is valid and its repaired form.
// This header does not include GEOS; only the host's geometry sources do.

#include <cstddef>
#include <memory>

struct GEOSGeom_t;

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

private:
    std::shared_ptr<geos::Holder> holder_;
};

}  // namespace host
