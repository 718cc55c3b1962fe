// Pane styles: the built-in default, the check of a host's style, and
// installing a style's objects and geometry in a pane.
#pragma once

#include <cstdint>

#include "brindle.h"
#include "pane_record.h"

// Colour slots beyond the vertex palette.
constexpr int kBackgroundColor = 16;
constexpr int kHiliteColor = 17;
// Pen slots.
constexpr int kFramePen = 0;
constexpr int kHiliteFramePen = 1;
constexpr int kLinkPen = 2;
constexpr int kHiliteLinkPen = 3;

// The flag bits a pane keeps: the look bits, bit 11 and the pane options.
constexpr uint32_t kStyleFlagsKept = 0x70FF0u;

// Used wherever a null style is given. Its font is the system font, read
// when the library is attached (zero until then, and without a window
// system).
extern PaneStyle DefaultPaneStyle;

// 0 when the style can be installed, -3 otherwise; null means the default.
int32_t ValidateStyle(const PaneStyle *style);

// Puts the object handles and a copy of the style (flags masked) in the
// pane and derives the geometry and PaneTabs from it. The pane then owns
// the objects unless it borrows another pane's.
void InstallStyle(Pane *pane, HBRUSH const *brushes, HPEN const *pens, HFONT font,
                  const PaneStyle &style);
