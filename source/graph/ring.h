// The circular doubly linked list with a head node that every list of the
// library uses. A Ring is both the head of a list and the link embedded in
// each element; the element is found from its link by a fixed offset.
#pragma once

#include <cstddef>

struct Ring {
    Ring *next;
    Ring *prev;
};

inline bool RingEmpty(const Ring *head) { return head->next == head; }

void RingInit(Ring *head);
void RingAppend(Ring *link, Ring *head);
void RingPrepend(Ring *link, Ring *head);
void RingUnlink(Ring *link);
void RingDetach(Ring *link);
Ring *RingPop(Ring *head);
void RingSplice(Ring *a, Ring *b);
Ring *RingTake(Ring *src, Ring *dst);

// The record that embeds `link` as its member `Member`.
#define RING_OWNER(Type, Member, link) \
    (reinterpret_cast<Type *>(reinterpret_cast<char *>(link) - offsetof(Type, Member)))
