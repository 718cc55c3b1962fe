#include <cstring>
#include <vector>

#include "item_pool.h"
#include "test_support.h"

namespace {

using ItemPoolTest = BlockLeakCheck;

struct Geometry {
    size_t itemBytes;
    uint16_t perBlockAsked;
    uint16_t stride, perBlock, blockBytes; // as on 32-bit Windows
};

TEST_F(ItemPoolTest, GeometryOfThePoolsInUse) {
    const Geometry cases[] = {
        {84, 0, 88, 185, 16300},  // vertices
        {36, 0, 40, 409, 16380},  // links
        {536, 2, 540, 2, 1100},   // pane records
        {100, 0, 104, 157, 16348} // layout components
    };
    for (const Geometry &g : cases) {
        SCOPED_TRACE(g.itemBytes);
        ItemPool pool;
        PoolInit(&pool, g.perBlockAsked, g.itemBytes);
        EXPECT_EQ(pool.count, 0u);
        EXPECT_TRUE(RingEmpty(&pool.openBlocks));
        EXPECT_TRUE(RingEmpty(&pool.fullBlocks));
        if (sizeof(void *) == 4) {
            EXPECT_EQ(pool.stride, g.stride);
            EXPECT_EQ(pool.perBlock, g.perBlock);
            EXPECT_EQ(pool.blockBytes, g.blockBytes);
        } else {
            // Same rule with a pointer-sized slot header and block header.
            EXPECT_EQ(pool.stride % kSlotHeaderBytes, 0u);
            EXPECT_GE(pool.stride, g.itemBytes + kSlotHeaderBytes);
            EXPECT_LT(pool.stride, g.itemBytes + 2 * kSlotHeaderBytes);
            EXPECT_EQ(pool.blockBytes, kBlockHeaderBytes + size_t(pool.stride) * pool.perBlock);
            if (g.perBlockAsked) {
                EXPECT_EQ(pool.perBlock, g.perBlockAsked);
            } else {
                EXPECT_LE(pool.blockBytes, kDefaultBlockLimit);
                EXPECT_GT(pool.blockBytes + pool.stride, kDefaultBlockLimit);
            }
        }
    }
}

TEST_F(ItemPoolTest, OneMoreThanABlockHoldsAllocatesASecondBlock) {
    ItemPool pool;
    PoolInit(&pool, 0, 84);
    std::vector<void *> items;
    for (unsigned i = 0; i < pool.perBlock; ++i) items.push_back(PoolAlloc(&pool));
    EXPECT_EQ(PoolBytes(&pool), pool.blockBytes);
    EXPECT_TRUE(RingEmpty(&pool.openBlocks));
    items.push_back(PoolAlloc(&pool));
    EXPECT_EQ(PoolBytes(&pool), 2u * pool.blockBytes);
    if (sizeof(void *) == 4) {
        EXPECT_EQ(PoolBytes(&pool), 32600u);
    }
    EXPECT_EQ(PoolCount(&pool), pool.perBlock + 1u);
    for (void *item : items) {
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(PoolOwner(item), &pool);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(item) % sizeof(void *), 0u);
    }
    PoolFreeAll(&pool);
    EXPECT_EQ(PoolBytes(&pool), 0u);
    EXPECT_EQ(PoolCount(&pool), 0u);
}

TEST_F(ItemPoolTest, FreeingTheLastItemReleasesTheBlock) {
    ItemPool pool;
    PoolInit(&pool, 0, 36);
    uint32_t before = BlockLiveCount();
    void *item = PoolAlloc(&pool);
    EXPECT_EQ(BlockLiveCount(), before + 1);
    PoolFree(item);
    EXPECT_EQ(BlockLiveCount(), before);
    EXPECT_EQ(PoolBytes(&pool), 0u);
    EXPECT_EQ(PoolCount(&pool), 0u);
    PoolFree(nullptr);
    item = PoolAlloc(&pool);
    EXPECT_EQ(BlockLiveCount(), before + 1);
    PoolFree(item);
}

TEST_F(ItemPoolTest, SlotFreedFromAFullBlockIsReusedFirstZeroFilled) {
    ItemPool pool;
    PoolInit(&pool, 2, 36);
    void *a = PoolAlloc(&pool), *b = PoolAlloc(&pool), *c = PoolAlloc(&pool);
    // The first block is full and at the back; the second has a free slot.
    std::memset(a, 0xAB, 36);
    PoolFree(a);
    // Its block, no longer full, is now the first open block.
    PoolBlock *front = RING_OWNER(PoolBlock, link, pool.openBlocks.next);
    EXPECT_EQ(front->freeHead, static_cast<char *>(a) - kSlotHeaderBytes);
    void *again = PoolAlloc(&pool);
    EXPECT_EQ(again, a);
    const unsigned char *bytes = static_cast<const unsigned char *>(again);
    for (int i = 0; i < 36; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
    PoolFree(b);
    PoolFree(c);
    PoolFree(again);
    EXPECT_EQ(PoolBytes(&pool), 0u);
}

TEST_F(ItemPoolTest, FailedBlockAllocationLeavesThePoolUnchanged) {
    ItemPool pool;
    PoolInit(&pool, 0, 84);
    BlockFailAt(1);
    EXPECT_EQ(PoolAlloc(&pool), nullptr);
    EXPECT_EQ(PoolCount(&pool), 0u);
    EXPECT_EQ(PoolBytes(&pool), 0u);
    void *item = PoolAlloc(&pool);
    EXPECT_NE(item, nullptr);
    PoolFree(item);
}

TEST_F(ItemPoolTest, MoveHandsEveryBlockToTheDestination) {
    ItemPool src, dst;
    PoolInit(&src, 2, 36);
    PoolInit(&dst, 0, 84);
    void *items[3] = {PoolAlloc(&src), PoolAlloc(&src), PoolAlloc(&src)};
    uint32_t bytes = PoolBytes(&src);
    uint16_t stride = src.stride;
    PoolMove(&src, &dst);
    EXPECT_EQ(PoolCount(&dst), 3u);
    EXPECT_EQ(PoolBytes(&dst), bytes);
    EXPECT_EQ(dst.stride, stride);
    EXPECT_EQ(dst.perBlock, 2);
    for (void *item : items) EXPECT_EQ(PoolOwner(item), &dst);
    // The source is empty and still usable with its own sizes.
    EXPECT_EQ(PoolCount(&src), 0u);
    EXPECT_EQ(PoolBytes(&src), 0u);
    void *fresh = PoolAlloc(&src);
    EXPECT_EQ(PoolOwner(fresh), &src);
    PoolFree(fresh);
    for (void *item : items) PoolFree(item);
    EXPECT_EQ(PoolBytes(&dst), 0u);
}

} // namespace
