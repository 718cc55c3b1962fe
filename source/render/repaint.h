// Repaint of what changed in a graph, asked for by the graph model once for
// every pane that shows the graph.
#pragma once

#include <cstdint>

struct Pane;
struct Vert;
struct Link;

// A vertex (and the chain of vertices behind it through scratch) changed
// its flags or pictures; links, when not null, is a chain of changed links.
void RepaintChanged(Pane *pane, Vert *vertex, Link *links, int force);

// Links on the chain (through scratch) were removed or changed; the area
// they covered is invalidated.
void RepaintLinksChanged(Pane *pane, Link *chain);
