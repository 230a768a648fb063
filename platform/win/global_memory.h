// Global memory blocks, as the print dialog exchanges its device records: a handle names a block
// that is locked to reach its bytes.
#pragma once

#include <cstddef>

#include "platform/win/types.h"

namespace win {

using HGLOBAL = std::intptr_t;
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A block of `bytes` bytes (zero-filled with GMEM_ZEROINIT); 0 when it cannot be had.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// The block's bytes, or null for a handle that is not a live block.
void* GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
std::size_t GlobalSize(HGLOBAL block);
// Frees the block; returns 0 on success and the handle itself when it was not a live block.
HGLOBAL GlobalFree(HGLOBAL block);

}  // namespace win
