#include "ring.h"

void RingDetach(Ring *link) {
    RingUnlink(link);
    RingInit(link);
}

void RingSplice(Ring *a, Ring *b) {
    Ring *aLast = a->prev;
    a->prev = b->prev;
    b->prev = aLast;
    a->prev->next = a;
    b->prev->next = b;
}

Ring *RingTake(Ring *src, Ring *dst) {
    if (!src || RingEmpty(src)) {
        RingInit(dst);
        return dst;
    }
    dst->next = src->next;
    dst->prev = src->prev;
    dst->next->prev = dst;
    dst->prev->next = dst;
    RingInit(src);
    return src;
}
