// Selection: marks a group of vertices and links, applies the request's
// rules, lists the selected vertices and repaints what changed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "brindle.h"

struct Graph;

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(SelectRequest) == 20 && offsetof(SelectRequest, anchor) == 4 &&
                  offsetof(SelectRequest, other) == 8 && offsetof(SelectRequest, capacity) == 12 &&
                  offsetof(SelectRequest, out) == 16,
              "SelectRequest record");
#endif

// The number of selected vertices, E_ARG for a null request, E_UNPLACED
// when some vertex has not been laid out since it was made.
intptr_t SelectVerts(Graph *graph, const SelectRequest *request);
