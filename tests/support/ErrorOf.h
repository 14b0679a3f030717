#pragma once
// The run-time error number a statement raises, 0 when it raises none.

#include "host/core/RuntimeError.h"

namespace support {

template <class Statement> long ErrorOf(Statement&& statement) {
    try {
        statement();
    } catch (const host::RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace support
