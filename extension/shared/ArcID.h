#pragma once
// Identifiers of the host's built-in commands. A window finds such a command among the
// document's command bars by its identifier and runs it:
//
//   host::Ref<host::CommandItem> item =
//       gApplication->Document()->CommandBars()->Find(ArcID::ZoomToSelectedFeaturesUid(), false, false);
//   item->Execute();
//
// Each call makes a new identifier object; nothing is cached.

#include "host/core/Ref.h"
#include "host/framework/UID.h"

namespace ArcID {

// "{AB073B49-DE5E-11D1-AA80-00C04FA37860}": zoom to the selected features.
host::Ref<host::UID> ZoomToSelectedFeaturesUid();
// "{C22579D1-BC17-11D0-8667-0000F8751720}": the select-elements tool.
host::Ref<host::UID> SelectElementsToolUid();

}  // namespace ArcID
