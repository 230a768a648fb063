// Inside the layer only: device contexts that belong to a device above the drawing layer (the
// printer's) answer GetDeviceCaps for themselves. The device installs its answerer when it hands out
// its first context; the drawing layer asks it before its own table.
#pragma once

#include "platform/layer_only.h"

#include "platform/gdi/types.h"

namespace platform::gdi {

// Gives *value the capability `index` of hdc and returns true when hdc is the device's context and
// the index one it answers; false otherwise.
using DeviceCapsAnswerer = bool (*)(win::HDC hdc, int index, int* value);
void SetDeviceCapsAnswerer(DeviceCapsAnswerer answerer);
bool ForeignDeviceCaps(win::HDC hdc, int index, int* value);

}  // namespace platform::gdi
