#include "layout_support.h"

#include <set>
#include <sstream>

#include "vert.h"

std::map<std::string, Vert *> Build(Graph *graph, const std::string &names,
                                    const std::string &links) {
    std::map<std::string, Vert *> made;
    std::istringstream in(names);
    for (std::string name; in >> name;) {
        VertRec rec = Rec(name.c_str());
        Vert *v = nullptr;
        EXPECT_EQ(NewVert(&v, &rec, graph), 0) << name;
        made[name] = v;
    }
    std::istringstream ls(links);
    for (std::string link; ls >> link;) {
        std::string::size_type gt = link.find('>');
        Vert *from = made.at(link.substr(0, gt)), *to = made.at(link.substr(gt + 1));
        EXPECT_EQ(ConVert(from, to, 1), 1) << link;
    }
    return made;
}

std::ostream &operator<<(std::ostream &out, const CellOf &c) {
    return out << '(' << c.level << ',' << c.row << ')';
}

CellOf Cell(Vert *v) { return {v->level, v->row}; }

void ExpectLayoutInvariants(Graph *g) {
    uint32_t count = PoolCount(&g->vertPool);
    ASSERT_EQ(g->placedCount, count);
    ASSERT_EQ(g->levelFirst, 0);
    ASSERT_EQ(g->rowFirst, 0);
    ASSERT_EQ(g->ringBase, g->levelFirst);
    ASSERT_EQ(g->ringEnd, g->levelEnd);
    std::set<std::pair<int32_t, int32_t>> cells;
    int32_t maxLevel = -1, maxRow = -1;
    for (Ring *r = g->vertRing.next; r != &g->vertRing; r = r->next) {
        Vert *v = VertOfOrder(r);
        ASSERT_TRUE(v->rec.flags & VertPlaced);
        ASSERT_EQ(v->scratch, nullptr);
        ASSERT_GE(v->level, 0);
        ASSERT_LT(v->level, g->levelEnd);
        ASSERT_GE(v->row, 0);
        ASSERT_LT(v->row, g->rowEnd);
        ASSERT_TRUE(cells.insert({v->level, v->row}).second) << "two vertices in " << Cell(v);
        maxLevel = std::max(maxLevel, v->level);
        maxRow = std::max(maxRow, v->row);
        for (Link *l = v->outFirst; l; l = l->outNext) {
            ASSERT_LT(v->level, l->target->level) << v->rec.name << ">" << l->target->rec.name;
            ASSERT_TRUE(l->flags & LinkPlaced);
            ASSERT_EQ(l->scratch, nullptr);
        }
    }
    ASSERT_EQ(g->levelEnd, maxLevel + 1);
    ASSERT_EQ(g->rowEnd, maxRow + 1) << "components stacked without gaps";
    uint32_t inRings = 0;
    for (int32_t lv = g->levelFirst; lv < g->levelEnd; ++lv) {
        Ring *ring = &g->levelRings[lv - g->ringBase];
        int32_t lastRow = -1;
        for (Ring *r = ring->next; r != ring; r = r->next) {
            Vert *v = VertOfLevel(r);
            ASSERT_EQ(v->level, lv);
            ASSERT_GT(v->row, lastRow) << "level ring in row order";
            ASSERT_EQ(r->next->prev, r);
            lastRow = v->row;
            ++inRings;
        }
    }
    ASSERT_EQ(inRings, count);
}
