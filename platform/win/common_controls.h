// Start-up of the common controls and the process error mode, and the common-controls start-up both
// programs make first.
#pragma once

#include "platform/win/types.h"

namespace win {

struct INITCOMMONCONTROLSEX {
  DWORD dwSize = 0;
  DWORD dwICC = 0;
};
constexpr DWORD ICC_USEREX_CLASSES = 0x200;

// The layer's controls need no start-up: a well-formed request always succeeds.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
constexpr UINT SEM_NOGPFAULTERRORBOX = 0x0002;
// Records the process error mode and returns the previous one. The layer shows no fault dialogs of
// its own, so the mode only answers GetErrorMode.
UINT SetErrorMode(UINT mode);
UINT GetErrorMode();

}  // namespace win

namespace platform {

// The start-up both programs make before anything else: the common controls for the extended combo
// box (ICC_USEREX_CLASSES), every error swallowed. True when none was raised.
bool InitVisualStyles();

}  // namespace platform
