#pragma once

#include <string>

#include "host/core/Ref.h"

namespace host {

// A coordinate system, kept as its well-known text. Geometries, feature classes and maps
// carry one; a map's layers are transformed into the map's when they load.
class SpatialReference {
public:
    SpatialReference() = default;  // unknown coordinate system
    SpatialReference(std::string name, std::string wkt, long factoryCode);
    // Reads well-known text or an authority code such as "EPSG:2249"; error 5 when it
    // cannot be read.
    static Ref<SpatialReference> FromUserInput(const std::string& definition);

    const std::string& Name() const { return name_; }
    const std::string& Wkt() const { return wkt_; }
    long FactoryCode() const { return factoryCode_; }  // 0 when there is none
    bool IsUnknown() const { return wkt_.empty(); }
    // True when both describe the same coordinate system.
    bool IsSame(const SpatialReference& other) const;
    // True for a geographic system (longitude and latitude, in degrees); false for a
    // projected one and for an unknown one.
    bool IsGeographic() const;

private:
    std::string name_;
    std::string wkt_;
    long factoryCode_ = 0;
};

}  // namespace host
