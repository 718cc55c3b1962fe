// The rules half of the selection: each reached item gets the mode word's
// rule for what it is (selected or not, the anchor) and keeps its previous
// state beside the new one for the repaint.
#pragma once

#include <cstdint>

#include "brindle.h"

struct Vert;
struct Link;

// Applies the link rules to every link of the marking chain (ending in
// ChainEnd()); unchanged links are unmarked and leave it. Returns the chain
// of changed links, in the same order, ending in null.
Link *RuleLinks(uint32_t mode, Link *chain);

// Output of the vertex pass: the selected vertices go to out[0..limit).
struct SelectedVerts {
    Vert **out;
    uintptr_t limit;
    intptr_t count; // every selected vertex, stored or not
};

// As RuleLinks for the vertices of the marking chain, counting and listing
// the selected ones in chain order.
Vert *RuleVerts(const SelectRequest *request, Vert *chain, SelectedVerts *selected);
