#include "extension/shared/ArcID.h"

namespace ArcID {

namespace {
host::Ref<host::UID> NewUid(const char* guid) {
    host::Ref<host::UID> uid = host::New<host::UID>();
    uid->SetValue(guid);
    return uid;
}
}  // namespace

host::Ref<host::UID> ZoomToSelectedFeaturesUid() { return NewUid("{AB073B49-DE5E-11D1-AA80-00C04FA37860}"); }

host::Ref<host::UID> SelectElementsToolUid() { return NewUid("{C22579D1-BC17-11D0-8667-0000F8751720}"); }

}  // namespace ArcID
