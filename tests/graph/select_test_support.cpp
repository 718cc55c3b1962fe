#include "select_test_support.h"

#include <algorithm>

#include "select_marking.h"

Selection Select(Graph *graph, uint32_t mode, Vert *anchor, Vert *other, uint32_t capacity) {
    Vert *const unwritten = reinterpret_cast<Vert *>(uintptr_t(0x5E1EC7));
    std::vector<Vert *> out(size_t(capacity) + 4, unwritten);
    SelectRequest request = {mode, anchor, other, capacity, out.data()};
    Selection result;
    result.count = YacGraph(graph, 22, reinterpret_cast<intptr_t>(&request));
    size_t stored = result.count < 0 ? 0 : std::min<size_t>(size_t(result.count), capacity);
    stored = std::min<size_t>(stored, AllVerts(graph).size());
    for (size_t i = stored; i < out.size(); ++i) EXPECT_EQ(out[i], unwritten) << "entry " << i;
    result.out.assign(out.begin(), out.begin() + ptrdiff_t(stored));
    return result;
}

std::string NameOf(const Vert *v) { return v->rec.name; }

std::vector<std::string> NamesOf(const std::vector<Vert *> &verts) {
    std::vector<std::string> names;
    for (Vert *v : verts) names.push_back(NameOf(v));
    return names;
}

std::vector<Vert *> AllVerts(Graph *graph) {
    std::vector<Vert *> verts;
    for (Ring *r = graph->vertRing.next; r != &graph->vertRing; r = r->next)
        verts.push_back(VertOfOrder(r));
    return verts;
}

std::set<std::string> HilitedVerts(Graph *graph) {
    std::set<std::string> names;
    for (Vert *v : AllVerts(graph))
        if (v->rec.flags & VertHilite) names.insert(NameOf(v));
    return names;
}

std::set<std::string> HilitedLinks(Graph *graph) {
    std::set<std::string> names;
    for (Vert *v : AllVerts(graph))
        for (Link *l = v->outFirst; l; l = l->outNext)
            if (l->flags & LinkHilite) names.insert(NameOf(v) + ">" + NameOf(l->target));
    return names;
}

void ClearHilites(Graph *graph) {
    for (Vert *v : AllVerts(graph)) {
        v->rec.flags &= ~(VertHilite | (VertHilite << kVertPrevShift));
        for (Link *l = v->outFirst; l; l = l->outNext) l->flags &= ~(LinkHilite | LinkWasHilite);
    }
}

void ExpectNoSelectMarks(Graph *graph) {
    for (Vert *v : AllVerts(graph)) {
        EXPECT_EQ(v->linkBits & kVertSelectBits, 0) << NameOf(v);
        EXPECT_EQ(v->scratch, nullptr) << NameOf(v);
        for (Link *l = v->outFirst; l; l = l->outNext) {
            EXPECT_EQ(l->flags & kLinkSelectBits, 0u) << NameOf(v) << ">" << NameOf(l->target);
            EXPECT_EQ(l->scratch, nullptr) << NameOf(v) << ">" << NameOf(l->target);
        }
    }
}
