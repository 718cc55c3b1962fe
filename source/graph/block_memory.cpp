#include "block_memory.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace {
uint32_t liveBlocks = 0;
uint32_t failCountdown = 0; // 0: off; otherwise allocations left until the failing one

bool InjectedFailure() {
    if (failCountdown == 0) return false;
    return --failCountdown == 0;
}
} // namespace

void *BlockAlloc(size_t bytes) {
    if (InjectedFailure()) return nullptr;
#if defined(_WIN32)
    // Movable and zero-filled, locked at once and never unlocked while in
    // use: the lock's address is the block's address for its whole life. A
    // failed allocation gives a null handle, and locking that gives null.
    void *block = GlobalLock(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
#else
    void *block = std::calloc(1, bytes);
#endif
    if (block) ++liveBlocks;
    return block;
}

void BlockFree(void *block) {
    if (!block) return;
#if defined(_WIN32)
    HGLOBAL handle = GlobalHandle(block);
    GlobalUnlock(handle);
    GlobalFree(handle);
#else
    std::free(block);
#endif
    --liveBlocks;
}

uint32_t BlockLiveCount() { return liveBlocks; }

void BlockFailAt(uint32_t nth) { failCountdown = nth; }
