// Building small graphs from text and reading their layout back.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "test_support.h"

struct Vert;

// Makes the vertices named in `names` (blank separated, in that order) and
// then the links "a>b" of `links`, in that order.
std::map<std::string, Vert *> Build(Graph *graph, const std::string &names,
                                    const std::string &links);

struct CellOf {
    int32_t level, row;
    bool operator==(const CellOf &o) const { return level == o.level && row == o.row; }
};
std::ostream &operator<<(std::ostream &out, const CellOf &c);

CellOf Cell(Vert *v);

// Checks what every successful layout guarantees: every vertex placed,
// links from lower to higher levels, at most one vertex per cell, level
// rings in row order holding each vertex once, extent and counts.
void ExpectLayoutInvariants(Graph *graph);
