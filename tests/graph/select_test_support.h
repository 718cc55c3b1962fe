// Running selections in tests and reading back what they did.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "test_support.h"

struct Vert;

// Rules that highlight every selected vertex (the anchor too) and link, so
// that the highlight bits show what a selection marked.
constexpr uint32_t kHiliteSelected = SelRule(SelRuleSet, SelVertHilite) |
                                     SelRule(SelRuleSet, SelAnchorHilite) |
                                     SelRule(SelRuleSet, SelLinkHilite);

struct Selection {
    intptr_t count;
    std::vector<Vert *> out; // the entries the call stored
};

// YacGraph code 22 with an out array of `capacity` entries; fails the test
// when the call writes more entries than it may.
Selection Select(Graph *graph, uint32_t mode, Vert *anchor, Vert *other = nullptr,
                 uint32_t capacity = 64);

std::string NameOf(const Vert *v);
std::vector<std::string> NamesOf(const std::vector<Vert *> &verts);

// Every vertex of the graph, in creation order.
std::vector<Vert *> AllVerts(Graph *graph);

// Names of the highlighted vertices, and the highlighted links as "a>b".
std::set<std::string> HilitedVerts(Graph *graph);
std::set<std::string> HilitedLinks(Graph *graph);

// Clears every highlight bit and its previous state, without a selection.
void ClearHilites(Graph *graph);

// Fails the test when a selection mark or a scratch pointer is left on any
// vertex or link.
void ExpectNoSelectMarks(Graph *graph);
