#include "graph_cells.h"

#include "vert.h"

namespace {

struct Cell {
    int32_t level, row;
};

Cell Unpack(uint32_t cell) { return {int32_t(cell & 0xFFFF), int32_t(cell >> 16)}; }

bool Empty(const Graph *g) { return g->levelFirst >= g->levelEnd; }

Ring *RingOf(Graph *g, int32_t level) { return &g->levelRings[level - g->ringBase]; }

// The first vertex of a level whose row is at least r, or null.
Vert *FirstFrom(Graph *g, int32_t level, int32_t r) {
    Ring *ring = RingOf(g, level);
    for (Ring *x = ring->next; x != ring; x = x->next)
        if (VertOfLevel(x)->row >= r) return VertOfLevel(x);
    return nullptr;
}

// The last vertex of a level whose row is at most r, or null.
Vert *LastUpTo(Graph *g, int32_t level, int32_t r) {
    Ring *ring = RingOf(g, level);
    for (Ring *x = ring->prev; x != ring; x = x->prev)
        if (VertOfLevel(x)->row <= r) return VertOfLevel(x);
    return nullptr;
}

// Keeps the earlier of two vertices in reading order; true when the one
// taken sits in the row being scanned, which ends the scan.
bool KeepEarlier(Vert **best, Vert *v, int32_t r) {
    if (!v) return false;
    if (!*best || v->row < (*best)->row || (v->row == (*best)->row && v->level < (*best)->level))
        *best = v;
    return v->row == r;
}

bool KeepLater(Vert **best, Vert *v, int32_t r) {
    if (!v) return false;
    if (!*best || v->row > (*best)->row || (v->row == (*best)->row && v->level > (*best)->level))
        *best = v;
    return v->row == r;
}

} // namespace

Vert *VertAtCell(Graph *g, uint32_t packed) {
    Cell c = Unpack(packed);
    if (Empty(g) || c.level < g->levelFirst || c.level >= g->levelEnd || c.row < g->rowFirst ||
        c.row >= g->rowEnd)
        return nullptr;
    Ring *ring = RingOf(g, c.level);
    // From the end nearer the row.
    if (c.row - g->rowFirst < g->rowEnd - c.row) {
        for (Ring *x = ring->next; x != ring; x = x->next) {
            Vert *v = VertOfLevel(x);
            if (v->row == c.row) return v;
            if (v->row > c.row) break;
        }
    } else {
        for (Ring *x = ring->prev; x != ring; x = x->prev) {
            Vert *v = VertOfLevel(x);
            if (v->row == c.row) return v;
            if (v->row < c.row) break;
        }
    }
    return nullptr;
}

Vert *NextInReadingOrder(Graph *g, uint32_t packed) {
    Cell c = Unpack(packed);
    if (Empty(g) || c.row >= g->rowEnd) return nullptr;
    Vert *best = nullptr;
    if (c.level >= g->levelFirst && c.level < g->levelEnd && c.row >= g->rowFirst) {
        // The rest of the cell's row, then the next row up to the cell's level.
        for (int32_t lv = c.level + 1; lv < g->levelEnd; ++lv)
            if (KeepEarlier(&best, FirstFrom(g, lv, c.row), c.row)) return best;
        if (c.row + 1 >= g->rowEnd) return best;
        for (int32_t lv = g->levelFirst; lv <= c.level; ++lv)
            if (KeepEarlier(&best, FirstFrom(g, lv, c.row + 1), c.row + 1)) return best;
        return best;
    }
    int32_t r;
    if (c.row < g->rowFirst) r = g->rowFirst;
    else if (c.level < g->levelFirst) r = c.row;
    else if (c.row + 1 >= g->rowEnd) return nullptr; // right of the extent on its last row
    else r = c.row + 1;
    for (int32_t lv = g->levelFirst; lv < g->levelEnd; ++lv)
        if (KeepEarlier(&best, FirstFrom(g, lv, r), r)) return best;
    return best;
}

Vert *PrevInReadingOrder(Graph *g, uint32_t packed) {
    Cell c = Unpack(packed);
    if (Empty(g) || c.row < g->rowFirst) return nullptr;
    Vert *best = nullptr;
    if (c.level >= g->levelFirst && c.level < g->levelEnd && c.row < g->rowEnd) {
        for (int32_t lv = c.level - 1; lv >= g->levelFirst; --lv)
            if (KeepLater(&best, LastUpTo(g, lv, c.row), c.row)) return best;
        if (c.row - 1 < g->rowFirst) return best;
        for (int32_t lv = g->levelEnd - 1; lv >= c.level; --lv)
            if (KeepLater(&best, LastUpTo(g, lv, c.row - 1), c.row - 1)) return best;
        return best;
    }
    int32_t r;
    if (c.row >= g->rowEnd) r = g->rowEnd - 1;
    else if (c.level >= g->levelEnd) r = c.row;
    else if (c.row <= g->rowFirst) return nullptr; // left of the extent on its first row
    else r = c.row - 1;
    for (int32_t lv = g->levelEnd - 1; lv >= g->levelFirst; --lv)
        if (KeepLater(&best, LastUpTo(g, lv, r), r)) return best;
    return best;
}
