#include "platform/win/global_memory.h"

#include <cstdio>
#include <new>
#include <unordered_map>
#include <vector>

namespace win {
namespace {

struct Block {
  std::vector<unsigned char> bytes;
  bool moveable = false;
  UINT locks = 0;
};

std::unordered_map<HGLOBAL, Block>& blocks() {
  static std::unordered_map<HGLOBAL, Block> b;
  return b;
}
HGLOBAL nextBlock = 0x10000;
int lockedFrees = 0;

Block* Find(HGLOBAL block) {
  auto it = blocks().find(block);
  return it == blocks().end() ? nullptr : &it->second;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
  try {
    const HGLOBAL h = nextBlock++;
    blocks()[h] = Block{std::vector<unsigned char>(bytes == 0 ? 1 : bytes, 0), (flags & GMEM_MOVEABLE) != 0, 0};
    return h;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

void* GlobalLock(HGLOBAL block) {
  Block* b = Find(block);
  if (b == nullptr) return nullptr;
  if (b->moveable && b->locks < GMEM_LOCKCOUNT) ++b->locks;
  return b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL block) {
  Block* b = Find(block);
  if (b == nullptr || b->locks == 0) return FALSE;
  --b->locks;
  return b->locks != 0 ? TRUE : FALSE;
}

std::size_t GlobalSize(HGLOBAL block) {
  const Block* b = Find(block);
  return b == nullptr ? 0 : b->bytes.size();
}

UINT GlobalFlags(HGLOBAL block) {
  const Block* b = Find(block);
  return b == nullptr ? GMEM_INVALID_HANDLE : b->locks;
}

HGLOBAL GlobalFree(HGLOBAL block) {
  const Block* b = Find(block);
  if (b == nullptr) return block;
  if (b->locks != 0) {
    ++lockedFrees;
    std::fprintf(stderr, "GlobalFree: block %#llx freed while locked %u times\n",
                 static_cast<unsigned long long>(block), b->locks);
  }
  blocks().erase(block);
  return 0;
}

}  // namespace win

namespace platform::testing {

int LockedBlocksFreed() { return win::lockedFrees; }

}  // namespace platform::testing
