// The pane calls of a library without pane windows (and, until panes are
// made with their windows, of the Windows build too): no pane can be made,
// so the calls that reach a pane have nothing to draw on.
#include "brindle.h"
#include "graph.h"
#include "item_pool.h"
#include "pane_calls.h"
#include "repaint.h"

int32_t DelPane(Pane *pane) {
    if (!pane) return E_ARG;
    // No window to destroy: only the record goes back to its pool.
    Ring *link = reinterpret_cast<Ring *>(pane);
    RingUnlink(link);
    PoolFree(pane);
    return 0;
}

intptr_t YacPane(Pane *, int32_t, intptr_t) { return 0; }

void PaneUpdateWindow(Pane *) {}

// Nothing is drawn without a window system.
void RepaintChanged(Pane *, Vert *, Link *, int) {}
void RepaintLinksChanged(Pane *, Link *) {}
