// ItemPool: fixed-size, zero-filled items carved out of platform blocks of
// about 16 KB. An item's pool is found from the item's address alone: each
// slot starts with a header word that holds its block's address while the
// item is in use, and each block's header names its pool.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ring.h"

struct ItemPool {
    Ring openBlocks;     // blocks with at least one free slot
    Ring fullBlocks;     // blocks with no free slot
    uint32_t count;      // items in use
    uint16_t perBlock;   // slots per block
    uint16_t stride;     // bytes per slot, slot header included
    uint16_t blockBytes; // block header + perBlock slots
};

// Header of one platform block; perBlock slots of stride bytes follow it.
struct PoolBlock {
    Ring link;        // in openBlocks or fullBlocks
    void *freeHead;   // first free slot, null when none
    ItemPool *pool;   // the owner
    uint32_t freeCount;
};

// The slot header is one pointer: the next free slot, or the block in use.
constexpr size_t kSlotHeaderBytes = sizeof(void *);
constexpr size_t kBlockHeaderBytes = sizeof(PoolBlock);
// A default block holds as many slots as fit in 16 KB with its header.
constexpr size_t kDefaultBlockLimit = 16384;

#if !defined(_WIN64) && !defined(__x86_64__)
static_assert(sizeof(PoolBlock) == 20, "pool block header");
static_assert(sizeof(ItemPool) == 28, "item pool");
static_assert(offsetof(ItemPool, count) == 16 && offsetof(ItemPool, perBlock) == 20 &&
                  offsetof(ItemPool, stride) == 22 && offsetof(ItemPool, blockBytes) == 24,
              "item pool fields");
#endif

// The stride for items of itemBytes: rounded up to the slot header's
// alignment, plus the slot header.
constexpr uint16_t PoolStride(size_t itemBytes) {
    return uint16_t(((itemBytes + kSlotHeaderBytes - 1) & ~(kSlotHeaderBytes - 1)) +
                    kSlotHeaderBytes);
}

ItemPool *PoolInit(ItemPool *pool, uint16_t perBlock, size_t itemBytes);
void *PoolAlloc(ItemPool *pool);
void PoolFree(void *item);
ItemPool *PoolOwner(const void *item);
inline uint32_t PoolCount(const ItemPool *pool) { return pool->count; }
uint32_t PoolBytes(const ItemPool *pool);
void PoolFreeAll(ItemPool *pool);
void PoolMove(ItemPool *src, ItemPool *dst);
