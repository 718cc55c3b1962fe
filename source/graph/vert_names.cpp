// Vertex names: hash and lookup through the graph's name buckets.
#include <cstring>

#include "vert.h"

int32_t NameHash(const char *name) {
    uint32_t a = 0, b = 0;
    for (int i = 0; i < 16; ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == 0) return i == 0 ? -1 : int32_t(a + 256 * b);
        a = (a * 256 + c) % 101;
        b = (b + a) % 256;
    }
    return -1; // no NUL within the field
}

Vert *LookupVert(Graph *graph, const char *name, int32_t *hashOut) {
    if (hashOut) *hashOut = -1;
    int32_t h = NameHash(name);
    if (h < 0) return nullptr;
    if (hashOut) *hashOut = h;
    Ring *bucket = &graph->nameBuckets[h & 0xFF];
    // Newest first: a bucket is filled at its back.
    for (Ring *r = bucket->prev; r != bucket; r = r->prev) {
        Vert *v = VertOfBucket(r);
        if (v->nameHash == uint16_t(h) && std::strcmp(v->rec.name, name) == 0) return v;
    }
    return nullptr;
}
