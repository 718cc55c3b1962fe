// LinkRule and VertRule over the chains the marking left.
#include "select_rules.h"

#include "select_marking.h"

namespace {

// The 2-bit rule at a field of the mode word: 0 leave, 1 clear, 2 set,
// 3 invert.
uint32_t RuleAt(uint32_t mode, int field) { return (mode >> field) & 3u; }

// True when the rule altered the bit; an invert always does.
bool ApplyRule(uint32_t *flags, uint32_t bit, uint32_t rule) {
    uint32_t old = *flags;
    switch (rule) {
    case SelRuleClear: *flags &= ~bit; break;
    case SelRuleSet: *flags |= bit; break;
    case SelRuleFlip: *flags ^= bit; break;
    default: return false;
    }
    return *flags != old;
}

// Shown and hilite rules sit side by side: shown at `field`, hilite 2 above.
bool ApplyPair(uint32_t *flags, uint32_t shown, uint32_t hilite, uint32_t mode, int field) {
    bool changed = ApplyRule(flags, shown, RuleAt(mode, field));
    return ApplyRule(flags, hilite, RuleAt(mode, field + 2)) || changed;
}

bool LinkRule(uint32_t mode, bool selected, Link *l) {
    uint32_t flags = l->flags & ~(LinkWasShown | LinkWasHilite);
    if (flags & LinkShown) flags |= LinkWasShown;
    if (flags & LinkHilite) flags |= LinkWasHilite;
    bool changed = ApplyPair(&flags, LinkShown, LinkHilite, mode,
                             selected ? SelLinkShown : SelUnselLinkShown);
    l->flags = flags;
    return changed;
}

bool VertRule(const SelectRequest *request, bool selected, Vert *v) {
    // The previous state, as every flag change keeps it.
    uint32_t flags = v->rec.flags;
    flags = (flags & 0x8000FFFFu) | ((flags & kVertStateBits) << kVertPrevShift);
    int field = v == request->anchor ? SelAnchorShown
                : selected           ? SelVertShown
                                     : SelUnselVertShown;
    bool changed = ApplyPair(&flags, VertShown, VertHilite, request->mode, field);
    v->rec.flags = flags;
    return changed;
}

bool Inverted(uint32_t mode) { return (mode & SelInvert) != 0; }

// Walks a marking chain and keeps, in order, the items for which `changed`
// holds; the others are unmarked at once. The kept chain ends in null.
template <class Item, class Changed> Item *KeepChanged(Item *chain, Changed changed) {
    Item *head = nullptr, *last = nullptr;
    for (Item *item = chain, *next; item != ChainEnd(); item = next) {
        next = static_cast<Item *>(item->scratch);
        if (!changed(item)) {
            Unmark(item);
            continue;
        }
        if (last) last->scratch = item;
        else head = item;
        last = item;
    }
    if (last) last->scratch = nullptr;
    return head;
}

} // namespace

Link *RuleLinks(uint32_t mode, Link *chain) {
    return KeepChanged(chain, [mode](Link *l) {
        bool selected = ((l->flags & LinkMarked) != 0) != Inverted(mode);
        return LinkRule(mode, selected, l);
    });
}

Vert *RuleVerts(const SelectRequest *request, Vert *chain, SelectedVerts *out) {
    return KeepChanged(chain, [request, out](Vert *v) {
        bool selected = ((v->linkBits & VertMarked) != 0) != Inverted(request->mode);
        if (selected) {
            if (uintptr_t(out->count) < out->limit) out->out[out->count] = v;
            ++out->count;
        }
        return VertRule(request, selected, v);
    });
}
