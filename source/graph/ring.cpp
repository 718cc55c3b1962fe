#include "ring.h"

void RingInit(Ring *head) { head->next = head->prev = head; }

void RingAppend(Ring *link, Ring *head) {
    link->next = head;
    link->prev = head->prev;
    head->prev->next = link;
    head->prev = link;
}

void RingPrepend(Ring *link, Ring *head) {
    link->prev = head;
    link->next = head->next;
    head->next->prev = link;
    head->next = link;
}

// A link whose next is null is in no ring: it is left exactly as it is.
void RingUnlink(Ring *link) {
    if (!link->next) return;
    link->next->prev = link->prev;
    link->prev->next = link->next;
    link->next = link->prev = nullptr;
}

void RingDetach(Ring *link) {
    RingUnlink(link);
    RingInit(link);
}

Ring *RingPop(Ring *head) {
    if (RingEmpty(head)) return nullptr;
    Ring *first = head->next;
    RingUnlink(first);
    return first;
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
