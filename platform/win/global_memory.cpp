#include "platform/win/global_memory.h"

#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

namespace win {
namespace {

std::unordered_map<HGLOBAL, std::vector<unsigned char>>& blocks() {
  static std::unordered_map<HGLOBAL, std::vector<unsigned char>> b;
  return b;
}
HGLOBAL nextBlock = 0x10000;

}  // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t bytes) {
  try {
    const HGLOBAL h = nextBlock++;
    blocks()[h] = std::vector<unsigned char>(bytes == 0 ? 1 : bytes, 0);
    return h;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

void* GlobalLock(HGLOBAL block) {
  auto it = blocks().find(block);
  return it == blocks().end() ? nullptr : it->second.data();
}

BOOL GlobalUnlock(HGLOBAL block) { return blocks().count(block) != 0 ? TRUE : FALSE; }

std::size_t GlobalSize(HGLOBAL block) {
  auto it = blocks().find(block);
  return it == blocks().end() ? 0 : it->second.size();
}

HGLOBAL GlobalFree(HGLOBAL block) { return blocks().erase(block) != 0 ? 0 : block; }

}  // namespace win
