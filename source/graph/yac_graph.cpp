// YacGraph: the graph-wide operations without an export of their own.
#include "graph_cells.h"
#include "graph_move.h"
#include "pane_calls.h"
#include "select.h"
#include "vert.h"

namespace {

enum YacGraphCode : int32_t {
    kGraphHandle = 0, kGraphNothing = 1, kHostWordGet = 2, kHostWordSet = 3,
    kPanesScrollToCell = 4, kPanesCentreVert = 5, kPanesRefresh = 6, kPanesRedraw = 7,
    kMoveInto = 8, kHiliteAll = 9, kVertCount = 10, kLinkCount = 11, kPaneCount = 12,
    kExtent = 13, kPaneNext = 14, kPanePrev = 15, kVertNext = 16, kVertPrev = 17,
    kCellVert = 19, kCellNext = 20, kCellPrev = 21, kSelect = 22, kCopyInto = 23,
};

// The pane control code each broadcast code sends.
constexpr int32_t kBroadcast[] = {9, 10, 12, 13};

void EachPane(Graph *graph, int32_t paneCode, intptr_t argument) {
    for (Ring *r = graph->paneRing.next; r != &graph->paneRing;) {
        Ring *next = r->next;
        YacPane(reinterpret_cast<Pane *>(r), paneCode, argument);
        r = next;
    }
}

intptr_t HiliteAll(Graph *graph, intptr_t how) {
    intptr_t count = 0;
    for (Ring *r = graph->vertRing.next; r != &graph->vertRing; r = r->next) {
        Vert *v = VertOfOrder(r);
        uint32_t flags = v->rec.flags;
        switch (how) {
        case 0: count += (flags & VertHilite) ? 1 : 0; break;
        case 1: count += SetVertFlags(v, flags & ~VertHilite, 0) != 0; break;
        case 2: count += SetVertFlags(v, flags | VertHilite, 0) != 0; break;
        case 3: count += SetVertFlags(v, flags ^ VertHilite, 0) != 0; break;
        default: return 0;
        }
    }
    return count;
}

intptr_t Extent(Graph *graph, intptr_t argument) {
    if (auto *rect = reinterpret_cast<int32_t *>(argument)) {
        rect[0] = graph->levelFirst;
        rect[1] = graph->rowFirst;
        rect[2] = graph->levelEnd;
        rect[3] = graph->rowEnd;
    }
    return graph->levelFirst < graph->levelEnd ? 1 : 0;
}

intptr_t StepPane(Graph *graph, intptr_t pane, bool forward) {
    Ring *head = &graph->paneRing;
    Ring *from = pane ? reinterpret_cast<Ring *>(pane) : head;
    Ring *next = forward ? from->next : from->prev;
    return next == head ? 0 : reinterpret_cast<intptr_t>(next);
}

} // namespace

extern "C" BRD_EXPORT intptr_t BRDAPI YacGraph(Graph *graph, int32_t code, intptr_t argument) {
    if (!graph) return 0;
    switch (code) {
    case kGraphHandle: return reinterpret_cast<intptr_t>(graph);
    case kGraphNothing: return 0;
    case kHostWordGet: return intptr_t(graph->hostWord);
    case kHostWordSet: {
        uintptr_t old = graph->hostWord;
        graph->hostWord = uintptr_t(argument);
        return intptr_t(old);
    }
    case kPanesScrollToCell:
    case kPanesCentreVert:
    case kPanesRefresh:
    case kPanesRedraw:
        EachPane(graph, kBroadcast[code - kPanesScrollToCell], argument);
        return 0;
    case kMoveInto: {
        auto *target = reinterpret_cast<Graph *>(argument);
        int32_t status = MoveGraph(graph, target);
        if (status == 0) {
            RefreshPanes(graph);
            RefreshPanes(target);
        }
        return status;
    }
    case kHiliteAll: return HiliteAll(graph, argument);
    case kVertCount: return intptr_t(PoolCount(&graph->vertPool));
    case kLinkCount: return intptr_t(PoolCount(&graph->linkPool));
    case kPaneCount: return intptr_t(PoolCount(&graph->panePool));
    case kExtent: return Extent(graph, argument);
    case kPaneNext: return StepPane(graph, argument, true);
    case kPanePrev: return StepPane(graph, argument, false);
    case kVertNext: return reinterpret_cast<intptr_t>(StepVert(graph, reinterpret_cast<Vert *>(argument), 1));
    case kVertPrev: return reinterpret_cast<intptr_t>(StepVert(graph, reinterpret_cast<Vert *>(argument), 0));
    case kCellVert: return reinterpret_cast<intptr_t>(VertAtCell(graph, uint32_t(argument)));
    case kCellNext: return reinterpret_cast<intptr_t>(NextInReadingOrder(graph, uint32_t(argument)));
    case kCellPrev: return reinterpret_cast<intptr_t>(PrevInReadingOrder(graph, uint32_t(argument)));
    case kSelect: return SelectVerts(graph, reinterpret_cast<const SelectRequest *>(argument));
    case kCopyInto: {
        auto *target = reinterpret_cast<Graph *>(argument);
        int32_t status = CopyGraph(graph, target);
        if (status == 0) RefreshPanes(target);
        return status;
    }
    default: return 0;
    }
}
