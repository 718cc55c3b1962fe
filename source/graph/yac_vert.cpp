// YacVert: single fields of one vertex, its highlight, cell and link bits.
#include <cstring>

#include "vert.h"

namespace {

enum YacVertCode : int32_t {
    kVertGraph = 0, kVertName = 1, kVertFlagsGet = 2, kVertFlagsSet = 3,
    kVertImageGet = 4, kVertImageSet = 5, kVertMaskGet = 6, kVertMaskSet = 7,
    kVertUser1Get = 8, kVertUser1Set = 9, kVertUser2Get = 10, kVertUser2Set = 11,
    kVertCell = 12, kVertHilite = 13, kVertNext = 14, kVertPrev = 15, kVertLinkBits = 16,
};

// A new picture handle: stored, and every pane repaints the vertex.
intptr_t SwapBitmap(Vert *v, uintptr_t *field, intptr_t argument) {
    uintptr_t old = *field;
    if (old != uintptr_t(argument)) {
        *field = uintptr_t(argument);
        SetVertFlags(v, v->rec.flags, 1);
    }
    return intptr_t(old);
}

intptr_t SwapWord(uintptr_t *field, intptr_t argument) {
    uintptr_t old = *field;
    *field = uintptr_t(argument);
    return intptr_t(old);
}

intptr_t Hilite(Vert *v, intptr_t how) {
    uint32_t flags = v->rec.flags;
    intptr_t before = intptr_t(flags & VertHilite);
    switch (how) {
    case 1: SetVertFlags(v, flags & ~VertHilite, 0); break;
    case 2: SetVertFlags(v, flags | VertHilite, 0); break;
    case 3: SetVertFlags(v, flags ^ VertHilite, 0); break;
    default: break;
    }
    return before;
}

// Level in the low half, row in the high half; 0 without a place.
intptr_t Cell(const Vert *v) {
    if (!(v->rec.flags & VertPlaced)) return 0;
    return intptr_t((uint32_t(v->row) & 0xFFFF) << 16 | (uint32_t(v->level) & 0xFFFF));
}

} // namespace

extern "C" BRD_EXPORT intptr_t BRDAPI YacVert(Vert *v, int32_t code, intptr_t argument) {
    if (!v) return 0;
    switch (code) {
    case kVertGraph: return reinterpret_cast<intptr_t>(GraphOfVert(v));
    case kVertName:
        if (!argument) return 0;
        std::memcpy(reinterpret_cast<char *>(argument), v->rec.name, std::strlen(v->rec.name) + 1);
        return argument;
    case kVertFlagsGet: return intptr_t(v->rec.flags);
    case kVertFlagsSet: {
        uint32_t old = v->rec.flags;
        SetVertFlags(v, uint32_t(argument), 0);
        return intptr_t(old);
    }
    case kVertImageGet: return intptr_t(v->rec.image);
    case kVertImageSet: return SwapBitmap(v, &v->rec.image, argument);
    case kVertMaskGet: return intptr_t(v->rec.mask);
    case kVertMaskSet: return SwapBitmap(v, &v->rec.mask, argument);
    case kVertUser1Get: return intptr_t(v->rec.user1);
    case kVertUser1Set: return SwapWord(&v->rec.user1, argument);
    case kVertUser2Get: return intptr_t(v->rec.user2);
    case kVertUser2Set: return SwapWord(&v->rec.user2, argument);
    case kVertCell: return Cell(v);
    case kVertHilite: return Hilite(v, argument);
    case kVertNext: return reinterpret_cast<intptr_t>(StepVert(GraphOfVert(v), argument ? v : nullptr, 1));
    case kVertPrev: return reinterpret_cast<intptr_t>(StepVert(GraphOfVert(v), argument ? v : nullptr, 0));
    case kVertLinkBits: return intptr_t(v->linkBits & (VertHasOut | VertHasIn));
    default: return 0;
    }
}
