// The selection call: checks, marking by scope, the rules, the repaint of
// what changed, and a clean-up that leaves no temporary mark behind. All
// bookkeeping lives in the records' own marks and scratch pointers, so the
// call allocates nothing and cannot fail half way.
#include "select.h"

#include "select_marking.h"
#include "select_rules.h"

namespace {

constexpr uint32_t kUnselectedRules = 0x0FF00000u; // bits 20..27

// One part of a scope 1..14: 0 the anchor, 1 its neighbours, 2 everything
// that way, 3 the paths to or from other (everything when there is none).
void MarkPart(SelectChains *chains, const SelectRequest *request, uint32_t part, bool upstream) {
    switch (part) {
    case 0: MarkNeighbours(chains, request->anchor, 0); break;
    case 1: MarkNeighbours(chains, request->anchor, upstream ? -1 : 1); break;
    default: {
        Vert *other = part == 3 ? request->other : nullptr;
        if (upstream) MarkBackward(chains, request->anchor, other);
        else MarkForward(chains, request->anchor, other);
    }
    }
}

void MarkSelection(Graph *graph, const SelectRequest *request, SelectChains *chains) {
    uint32_t mode = request->mode;
    Vert *anchor = request->anchor, *other = request->other;
    bool touchAll = (mode & SelInvert) || (mode & kUnselectedRules);
    bool wholeGraph = (mode & SelWholeGraph) != 0;
    if (!anchor) {
        MarkAll(graph, chains, true);
        return;
    }
    uint32_t scope = mode & SelScope;
    if (scope == SelComponent && !other) {
        WalkComponent(chains, anchor, true);
        if (touchAll && wholeGraph) MarkAll(graph, chains, false);
        return;
    }
    if (scope == 0 || (scope == SelComponent && other == anchor)) {
        MarkNeighbours(chains, anchor, 0);
    } else if (scope == SelComponent) {
        // The paths between the two, whichever way they run.
        if (!MarkForward(chains, anchor, other)) MarkBackward(chains, anchor, other);
    } else {
        MarkPart(chains, request, scope & 3, true);
        MarkPart(chains, request, scope >> 2, false);
    }
    if (!touchAll) return;
    if (wholeGraph) MarkAll(graph, chains, false);
    else WalkComponent(chains, anchor, false);
}

} // namespace

intptr_t SelectVerts(Graph *graph, const SelectRequest *request) {
    if (!request) return E_ARG;
    uint32_t vertCount = PoolCount(&graph->vertPool);
    if (graph->placedCount < vertCount) return E_UNPLACED;

    SelectChains chains;
    InitChains(&chains);
    MarkSelection(graph, request, &chains);

    Link *links = RuleLinks(request->mode, chains.links);
    SelectedVerts selected = {request->out, 0, 0};
    if (request->out) selected.limit = request->capacity < vertCount ? request->capacity : vertCount;
    Vert *verts = RuleVerts(request, chains.verts, &selected);

    RepaintChangedPanes(graph, verts, links, 0);
    UpdatePanes(graph);
    UnmarkChains(verts, links);
    return selected.count;
}
