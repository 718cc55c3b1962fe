#include "item_pool.h"

#include <cstring>

#include "block_memory.h"

namespace {

PoolBlock *BlockOf(Ring *link) { return RING_OWNER(PoolBlock, link, link); }

// The address of slot i of a block.
char *SlotAt(PoolBlock *block, const ItemPool *pool, uint32_t i) {
    return reinterpret_cast<char *>(block) + kBlockHeaderBytes + size_t(pool->stride) * i;
}

// Slot headers are read and written through memcpy: a slot header is a
// pointer-sized word at an address that is only word-aligned.
void *ReadHeader(const void *slot) {
    void *value;
    std::memcpy(&value, slot, sizeof value);
    return value;
}

void WriteHeader(void *slot, const void *value) { std::memcpy(slot, &value, sizeof value); }

PoolBlock *NewBlock(ItemPool *pool) {
    auto *block = static_cast<PoolBlock *>(BlockAlloc(pool->blockBytes));
    if (!block) return nullptr;
    block->pool = pool;
    block->freeCount = pool->perBlock;
    block->freeHead = SlotAt(block, pool, 0);
    for (uint32_t i = 0; i + 1 < pool->perBlock; ++i)
        WriteHeader(SlotAt(block, pool, i), SlotAt(block, pool, i + 1));
    WriteHeader(SlotAt(block, pool, pool->perBlock - 1u), nullptr);
    RingPrepend(&block->link, &pool->openBlocks);
    return block;
}

void ReleaseBlocks(Ring *blocks) {
    while (Ring *link = RingPop(blocks)) BlockFree(BlockOf(link));
}

uint32_t RingLength(const Ring *head) {
    uint32_t n = 0;
    for (const Ring *r = head->next; r != head; r = r->next) ++n;
    return n;
}

void AdoptBlocks(Ring *src, Ring *dst, ItemPool *owner) {
    RingTake(src, dst);
    for (Ring *r = dst->next; r != dst; r = r->next) BlockOf(r)->pool = owner;
}

} // namespace

ItemPool *PoolInit(ItemPool *pool, uint16_t perBlock, size_t itemBytes) {
    pool->stride = PoolStride(itemBytes);
    if (perBlock == 0) perBlock = uint16_t((kDefaultBlockLimit - kBlockHeaderBytes) / pool->stride);
    pool->perBlock = perBlock;
    pool->blockBytes = uint16_t(size_t(pool->stride) * perBlock + kBlockHeaderBytes);
    RingInit(&pool->openBlocks);
    RingInit(&pool->fullBlocks);
    pool->count = 0;
    return pool;
}

void *PoolAlloc(ItemPool *pool) {
    if (RingEmpty(&pool->openBlocks) && !NewBlock(pool)) return nullptr;
    PoolBlock *block = BlockOf(pool->openBlocks.next);
    char *slot = static_cast<char *>(block->freeHead);
    block->freeHead = ReadHeader(slot);
    std::memset(slot, 0, pool->stride);
    WriteHeader(slot, block);
    if (--block->freeCount == 0) {
        RingUnlink(&block->link);
        RingAppend(&block->link, &pool->fullBlocks);
    }
    ++pool->count;
    return slot + kSlotHeaderBytes;
}

void PoolFree(void *item) {
    if (!item) return;
    char *slot = static_cast<char *>(item) - kSlotHeaderBytes;
    auto *block = static_cast<PoolBlock *>(ReadHeader(slot));
    ItemPool *pool = block->pool;
    --pool->count;
    WriteHeader(slot, block->freeHead);
    block->freeHead = slot;
    ++block->freeCount;
    if (block->freeCount >= pool->perBlock) {
        // A pool never keeps an empty block.
        RingUnlink(&block->link);
        BlockFree(block);
    } else if (block->freeCount == 1) {
        // The block was full: to the front, so the freed slot is reused first.
        RingUnlink(&block->link);
        RingPrepend(&block->link, &pool->openBlocks);
    }
}

ItemPool *PoolOwner(const void *item) {
    const char *slot = static_cast<const char *>(item) - kSlotHeaderBytes;
    return static_cast<PoolBlock *>(ReadHeader(slot))->pool;
}

uint32_t PoolBytes(const ItemPool *pool) {
    return (RingLength(&pool->openBlocks) + RingLength(&pool->fullBlocks)) * pool->blockBytes;
}

void PoolFreeAll(ItemPool *pool) {
    ReleaseBlocks(&pool->openBlocks);
    ReleaseBlocks(&pool->fullBlocks);
    RingInit(&pool->openBlocks);
    RingInit(&pool->fullBlocks);
    pool->count = 0;
}

void PoolMove(ItemPool *src, ItemPool *dst) {
    AdoptBlocks(&src->openBlocks, &dst->openBlocks, dst);
    AdoptBlocks(&src->fullBlocks, &dst->fullBlocks, dst);
    dst->count = src->count;
    dst->perBlock = src->perBlock;
    dst->stride = src->stride;
    dst->blockBytes = src->blockBytes;
    src->count = 0;
}
