// What the graph model asks of the panes that show a graph. The model never
// paints: it only calls these.
#pragma once

#include <cstddef>
#include <cstdint>

struct Graph;
struct Pane; // begins with its link in the graph's paneRing

// Bytes of a pane record, the item size of a graph's panePool.
constexpr size_t kPaneRecordBytes = sizeof(void *) == 4 ? 536 : 1024;

// Pane control codes the model sends.
constexpr int32_t kPaneScrollToCell = 9;
constexpr int32_t kPaneRecompute = 12;

// Destroys the pane: out of its graph's paneRing, record back to panePool.
int32_t DelPane(Pane *pane);

// The pane control call.
intptr_t YacPane(Pane *pane, int32_t code, intptr_t argument);

// Paints the pane's pending invalid area now.
void PaneUpdateWindow(Pane *pane);

#if !defined(_WIN32)
// Process attach and detach of a library without a window system: record
// in InitStatus that it is missing. (On Windows the window classes take
// their place, with the module handle.)
void PaneProcessAttach();
void PaneProcessDetach();
#endif
