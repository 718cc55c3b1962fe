// The circular doubly linked list with a head node that every list of the
// library uses. A Ring is both the head of a list and the link embedded in
// each element; the element is found from its link by a fixed offset.
#pragma once

#include <cstddef>

struct Ring {
    Ring *next;
    Ring *prev;
};

// The small operations are inline: the layout performs them millions of
// times on large graphs.
inline bool RingEmpty(const Ring *head) { return head->next == head; }

inline void RingInit(Ring *head) { head->next = head->prev = head; }

inline void RingAppend(Ring *link, Ring *head) {
    link->next = head;
    link->prev = head->prev;
    head->prev->next = link;
    head->prev = link;
}

inline void RingPrepend(Ring *link, Ring *head) {
    link->prev = head;
    link->next = head->next;
    head->next->prev = link;
    head->next = link;
}

// A link whose next is null is in no ring: it is left exactly as it is.
inline void RingUnlink(Ring *link) {
    if (!link->next) return;
    link->next->prev = link->prev;
    link->prev->next = link->next;
    link->next = link->prev = nullptr;
}

inline Ring *RingPop(Ring *head) {
    if (RingEmpty(head)) return nullptr;
    Ring *first = head->next;
    RingUnlink(first);
    return first;
}

void RingDetach(Ring *link);
void RingSplice(Ring *a, Ring *b);
Ring *RingTake(Ring *src, Ring *dst);

// The record that embeds `link` as its member `Member`.
#define RING_OWNER(Type, Member, link) \
    (reinterpret_cast<Type *>(reinterpret_cast<char *>(link) - offsetof(Type, Member)))
