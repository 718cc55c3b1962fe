/*
 * brindle.h — the public interface of the brindle graph library for native
 * hosts: exports, records, status codes and constants.
 *
 * Every export uses the caller-cleans (cdecl) convention and returns a
 * 32-bit value: 0 for success, a negative status code for failure.
 *
 * 32-bit Windows is the reference platform: every record below has the byte
 * size and field offsets stated next to it there. On 64-bit targets a field
 * that carries a handle or a pointer is pointer-sized, so offsets after such
 * a field move; a 64-bit host must use this header's types and never
 * hard-coded byte offsets.
 */
#ifndef BRINDLE_H
#define BRINDLE_H

#include <stdint.h>

#if defined(_WIN32)
#define BRDAPI __cdecl
#else
#define BRDAPI
#endif

#if defined(BRINDLE_BUILD) && !defined(_WIN32)
#define BRD_EXPORT __attribute__((visibility("default")))
#else
#define BRD_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The interface version that VersionBrd returns and SupportBrd expects. */
enum { InterfaceVersion = 521 };

/* Status codes, the same for every export. -14 is not used. */
enum BrdStatus {
    E_INTERNAL = -1, /* the layout found a work list in an unexpected state */
    E_PLATFORM = -2, /* the library could not start its window system */
    E_ARG = -3,      /* null handle or pointer, bad name, out of range */
    E_GRAPHS = -4,   /* vertices of different graphs */
    E_EXISTS = -5,   /* a vertex of that name exists */
    E_EMPTY = -6,    /* the graph has no laid-out extent */
    E_MEMORY = -7,   /* a memory block could not be allocated */
    E_DRAWOBJ = -8,  /* a brush, pen or font could not be created */
    E_WINDOW = -9,   /* the pane window could not be created */
    E_UNPLACED = -10,/* the vertex has no place from the layout */
    E_ROWS = -11,    /* the layout ran out of row numbers */
    E_LEVELS = -12,  /* the layout ran out of level numbers */
    E_CYCLE = -13,   /* a directed cycle */
    E_WALKS = -15    /* the layout's walk counter wrapped */
};

/* Handles: addresses of records the library owns; opaque to hosts. */
typedef struct Graph Graph;
typedef struct Vert Vert;

/* The public vertex record: 36 bytes on 32-bit Windows. The name is 1 to 15
 * bytes with a NUL inside the field, compared byte for byte. Bitmaps named
 * here stay the host's. */
typedef struct VertRec {
    char name[16];      /*  0 */
    uint32_t flags;     /* 16: vertex flag word */
    uintptr_t image;    /* 20: bitmap handle of the picture, or 0 */
    uintptr_t mask;     /* 24: bitmap handle of its mask, or 0 */
    uintptr_t user1;    /* 28: host word, never interpreted */
    uintptr_t user2;    /* 32: host word, never interpreted */
} VertRec;

/* Vertex flag word (VertRec.flags). Bits 16..30 hold the previous values of
 * bits 0..14; the host controls bits 0..14 except VertPlaced. */
#define VertColor    0x0000000Fu /* colour slot of the box fill */
#define VertLookBits 0x000007F0u /* bitmap placement and box content */
#define VertOwnLook  0x00000800u
#define VertShown    0x00001000u
#define VertHilite   0x00002000u
#define VertTab      0x00004000u
#define VertPlaced   0x00008000u /* set only by the layout */

/* Link flag word. */
#define LinkShown     0x00001000u
#define LinkHilite    0x00002000u
#define LinkPlaced    0x00008000u
#define LinkWasShown  0x10000000u
#define LinkWasHilite 0x20000000u

/* EnumVerts walks: the high nibble of the mode's low byte picks the walk,
 * bit 0 the direction. */
#define EnumCreation  0x00 /* vertRing order; 0x01 backwards */
#define EnumNeighbours 0x10 /* successors of v (0x11: predecessors); with a
                               null v the sources (0x11: the sinks) */

/* Called by EnumVerts; a non-zero result stops the walk and is returned. */
typedef int32_t(BRDAPI *EnumVertsProc)(Graph *graph, Vert *vertex, intptr_t user);

/* Graph flag word (GetGraph, SetGraph). */
#define GraphPaneOwned 0x00000001u

/* The record IncGraph fills: 52 bytes on 32-bit Windows. Words 36..48 are
 * in the order of a Windows RECT. */
typedef struct GraphInfo {
    uint32_t reserved;    /*  0: always 0 */
    uint32_t bytes;       /*  4: memory held by the graph */
    uint32_t vertices;    /*  8 */
    uint32_t placed;      /* 12: vertices carrying VertPlaced */
    uint32_t links;       /* 16 */
    uint32_t panes;       /* 20 */
    int32_t partCount;    /* 24: components placed by the last layout */
    Vert *cycleFrom;      /* 28: after -13 from the layout, else null */
    Vert *cycleTo;        /* 32 */
    int32_t left;         /* 36: first level */
    int32_t top;          /* 40: first row */
    int32_t right;        /* 44: one past the last level */
    int32_t bottom;       /* 48: one past the last row */
} GraphInfo;

/* Pane style (GetPane, SetPane): how a pane draws its graph. 168 bytes on
 * every target; no field carries a handle. */

/* A font description with the byte layout of the Windows LOGFONTA (60
 * bytes): a host on Windows copies its LOGFONTA in and out as it is. */
typedef struct BrdLogFontA {
    int32_t lfHeight;          /*  0 */
    int32_t lfWidth;           /*  4 */
    int32_t lfEscapement;      /*  8 */
    int32_t lfOrientation;     /* 12 */
    int32_t lfWeight;          /* 16 */
    uint8_t lfItalic;          /* 20 */
    uint8_t lfUnderline;       /* 21 */
    uint8_t lfStrikeOut;       /* 22 */
    uint8_t lfCharSet;         /* 23 */
    uint8_t lfOutPrecision;    /* 24 */
    uint8_t lfClipPrecision;   /* 25 */
    uint8_t lfQuality;         /* 26 */
    uint8_t lfPitchAndFamily;  /* 27 */
    char lfFaceName[32];       /* 28 */
} BrdLogFontA;

typedef struct PaneStyle {
    uint32_t flags;            /*   0: look bits and pane options below */
    int32_t cellWidth;         /*   4: grid cell in pixels, 8..256 */
    int32_t cellHeight;        /*   8 */
    int32_t boxWidth;          /*  12: vertex box, 4..252, cell - 4 at most */
    int32_t boxHeight;         /*  16 */
    uint32_t colors[18];       /*  20: COLORREF 0x00BBGGRR; 0..15 vertex
                                       palette, 16 background, 17 highlight */
    int32_t penWidths[4];      /*  92: vertex frame, highlighted frame, link,
                                       highlighted link; 0: no pen */
    BrdLogFontA font;          /* 108: the vertex text font */
} PaneStyle;

/* PaneStyle.flags. Bits 4..10 are the look bits, which a vertex can carry in
 * its own flag word (VertOwnLook). A pane keeps only bits 4..11 and 16..18. */
#define LookHAlign       0x00000030u /* bitmaps: 0x00 centre, 0x10 left,
                                        0x20 right, 0x30 stretched */
#define LookVAlign       0x000000C0u /* 0x00 centre, 0x40 top, 0x80 bottom,
                                        0xC0 stretched */
#define LookTextTop      0x00000100u /* name above the bitmaps, not below */
#define LookContent      0x00000600u /* 0x000 nothing, 0x200 bitmaps,
                                        0x400 name, 0x600 both */
#define StyleScrollFocus 0x00010000u /* scroll bars off without the focus */
#define StyleThumbTrack  0x00020000u /* scroll while the thumb is dragged */
#define StyleScrollClip  0x00040000u /* paint pending updates before scrolling */

/* Selection: YacGraph(graph, 22, &request) marks a group of vertices and
 * links, applies the mode's rules to them (and, when asked, to the rest),
 * lists the selected vertices in out and repaints what changed. It returns
 * the number of selected vertices (also those that did not fit in out),
 * E_ARG for a null request or E_UNPLACED when a vertex was made after the
 * last layout. 20 bytes on 32-bit Windows. */
typedef struct SelectRequest {
    uint32_t mode;      /*  0: the mode word below */
    Vert *anchor;       /*  4: where the selection starts; null selects everything */
    Vert *other;        /*  8: second vertex of the path scopes, or null */
    uint32_t capacity;  /* 12: entries in out */
    Vert **out;         /* 16: receives the selected vertices, or null */
} SelectRequest;

/* Mode word: bits 0..3 the scope. Bits 0..1 pick the part upstream of the
 * anchor, bits 2..3 the part downstream: 0 the anchor alone, 1 its direct
 * neighbours, 2 everything, 3 the paths to or from `other`. Scope 15 is the
 * anchor's connected component, or with `other` the paths between the two
 * in whichever direction they run. */
#define SelScope          0x0000000Fu
#define SelUpNeighbours   0x1u
#define SelUpAll          0x2u
#define SelUpFromOther    0x3u
#define SelDownNeighbours 0x4u
#define SelDownAll        0x8u
#define SelDownToOther    0xCu
#define SelComponent      0xFu
/* The selected items are the ones the scope did not mark. */
#define SelInvert         0x10000000u
/* Rules for unselected items reach the whole graph, not only the anchor's
 * connected component. */
#define SelWholeGraph     0x20000000u

/* A rule is two bits: leave, clear, set or invert one flag. SelRule(rule,
 * field) places it in the mode word. Rules for unselected items (and
 * SelInvert) make the call visit the anchor's component or the graph. */
#define SelRuleLeave  0u
#define SelRuleClear  1u
#define SelRuleSet    2u
#define SelRuleFlip   3u
#define SelRule(rule, field) ((uint32_t)(rule) << (field))
#define SelLinkShown        4  /* LinkShown of selected links */
#define SelLinkHilite       6  /* LinkHilite of selected links */
#define SelVertShown        8  /* VertShown of selected vertices but the anchor */
#define SelVertHilite       10 /* VertHilite of selected vertices but the anchor */
#define SelAnchorShown      12 /* VertShown of the anchor, selected or not */
#define SelAnchorHilite     14 /* VertHilite of the anchor, selected or not */
#define SelUnselLinkShown   20 /* LinkShown of unselected links */
#define SelUnselLinkHilite  22 /* LinkHilite of unselected links */
#define SelUnselVertShown   24 /* VertShown of unselected vertices but the anchor */
#define SelUnselVertHilite  26 /* VertHilite of unselected vertices but the anchor */

/* Library */
BRD_EXPORT int32_t BRDAPI VersionBrd(void);
BRD_EXPORT int32_t BRDAPI SupportBrd(int32_t version);

/* Graphs */
BRD_EXPORT int32_t BRDAPI NewGraph(Graph **out, int32_t reserved);
BRD_EXPORT int32_t BRDAPI DelGraph(Graph *graph);
BRD_EXPORT int32_t BRDAPI GetGraph(Graph *graph, uint32_t *flags);
BRD_EXPORT int32_t BRDAPI SetGraph(Graph *graph, const uint32_t *flags);
BRD_EXPORT int32_t BRDAPI IncGraph(Graph *graph, GraphInfo *info);

/* Vertices and links */
BRD_EXPORT int32_t BRDAPI NewVert(Vert **out, const VertRec *rec, Graph *graph);
BRD_EXPORT int32_t BRDAPI DelVert(Vert *vertex);
BRD_EXPORT int32_t BRDAPI GetVert(Vert *vertex, VertRec *rec);
BRD_EXPORT int32_t BRDAPI SetVert(Vert *vertex, const VertRec *rec);
/* mode > 0 links from -> to; mode < 0 unlinks; mode 0 tests. */
BRD_EXPORT int32_t BRDAPI ConVert(Vert *from, Vert *to, int32_t mode);
BRD_EXPORT Vert *BRDAPI FindVert(Graph *graph, VertRec *rec);
BRD_EXPORT int32_t BRDAPI EnumVerts(Graph *graph, int32_t mode, Vert *vertex,
                                    EnumVertsProc callback, intptr_t user);
/* |count| records: the principal vertex, then its neighbours; count > 0
 * links principal -> neighbour, count < 0 neighbour -> principal. */
BRD_EXPORT int32_t BRDAPI AppVerts(Graph *graph, const VertRec *recs, int32_t count);
BRD_EXPORT int32_t BRDAPI ZapVerts(Graph *graph);

/* Layout: every vertex gets a level and a row; 0 or a negative status. */
BRD_EXPORT int32_t BRDAPI LocVerts(Graph *graph);

/* Control calls: (object, code, argument) -> a value whose meaning depends
 * on the code. The argument and result are pointer-sized: some codes take
 * or return handles and pointers. */
BRD_EXPORT intptr_t BRDAPI YacVert(Vert *vertex, int32_t code, intptr_t argument);
BRD_EXPORT intptr_t BRDAPI YacGraph(Graph *graph, int32_t code, intptr_t argument);

#ifdef __cplusplus
}
#endif

#endif /* BRINDLE_H */
