// A pane's drawing objects made from its style, replaced as a whole and
// deleted with the pane.
#pragma once

#include <cstdint>

#include "brindle.h"

struct Pane;

// Checks the style (null: the default), makes its 18 brushes, up to 4 pens
// and its font, and only when all exist replaces the pane's objects and
// style with them. 0, -3 for a style that fails the check, -8 when an
// object cannot be made (the pane then keeps what it had).
int32_t ApplyStyle(const PaneStyle *style, Pane *pane);

// Deletes the pane's font, pens and brushes, first taking them out of the
// device context of a drawing pass, and nulls every slot.
void ReleaseStyleObjects(Pane *pane);
