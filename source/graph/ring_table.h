// A flat block of ring heads addressed by index; the layout keeps one per
// level range.
#pragma once

#include <cstdint>

struct Ring;

// count 0: releases *table (if any) and stores null. Otherwise allocates a
// fresh zero-filled table of count heads into *table (which the callers pass
// null) and, when initRings is non-zero, makes every head an empty ring.
// -1 when the block cannot be allocated; *table is then untouched.
int32_t RingTableSet(uint32_t count, Ring **table, int initRings);
