#pragma once
// GDAL reports errors through a handler that prints them. While one of these lives, nothing
// is printed; the caller reads the last message (CPLGetLastErrorMsg) and raises its own error.

#include <cpl_error.h>

namespace host {

class QuietErrors {
public:
    QuietErrors() {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietErrors() { CPLPopErrorHandler(); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;
};

}  // namespace host
