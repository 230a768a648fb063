// Global memory blocks, as the print dialog exchanges its device records: a handle names a block
// that is locked to reach its bytes and unlocked when done. A moveable block counts its locks; a
// fixed one does not.
#pragma once

#include <cstddef>

#include "platform/win/types.h"

namespace win {

using HGLOBAL = std::intptr_t;
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GMEM_LOCKCOUNT = 0x00FF;
constexpr UINT GMEM_INVALID_HANDLE = 0x8000;

// A block of `bytes` bytes (zero-filled with GMEM_ZEROINIT); 0 when it cannot be had.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// The block's bytes, or null for a handle that is not a live block; a moveable block counts one
// more lock.
void* GlobalLock(HGLOBAL block);
// Counts one lock less: non-zero while the block stays locked, FALSE once it is not.
BOOL GlobalUnlock(HGLOBAL block);
std::size_t GlobalSize(HGLOBAL block);
// The lock count in the low byte (GMEM_LOCKCOUNT); GMEM_INVALID_HANDLE for a handle that is not a
// live block.
UINT GlobalFlags(HGLOBAL block);
// Frees the block; returns 0 on success and the handle itself when it was not a live block. A
// block still locked is freed too, as the platform does, but a caller that does so may still use
// its bytes: it is reported on standard error and counted, as the platform's checked build does.
HGLOBAL GlobalFree(HGLOBAL block);

}  // namespace win

namespace platform::testing {

// How many blocks were freed while locked since the process started.
int LockedBlocksFreed();

}  // namespace platform::testing
