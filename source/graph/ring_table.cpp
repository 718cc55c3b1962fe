#include "ring_table.h"

#include "block_memory.h"
#include "ring.h"

#include <cstdint>

int32_t RingTableSet(uint32_t count, Ring **table, int initRings) {
    if (count == 0) {
        BlockFree(*table);
        *table = nullptr;
        return 0;
    }
    // A count whose table would not fit the address space is refused like
    // any other allocation the platform cannot give.
    if (count > SIZE_MAX / sizeof(Ring)) return -1;
    Ring *fresh = static_cast<Ring *>(BlockAlloc(size_t(count) * sizeof(Ring)));
    if (!fresh) return -1;
    if (initRings)
        for (uint32_t i = 0; i < count; ++i) RingInit(&fresh[i]);
    *table = fresh;
    return 0;
}
