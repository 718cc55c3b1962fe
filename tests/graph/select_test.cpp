// Selection on small hand-made graphs: scopes, rules, the out array and
// the checks.
#include <map>

#include "layout_support.h"
#include "select_test_support.h"
#include "vert.h"

namespace {

using NameSet = std::set<std::string>;

struct SelectTest : GraphFixture {
    std::map<std::string, Vert *> v;

    // Builds and lays out the graph; every selection needs a layout.
    void Make(const std::string &names, const std::string &links) {
        v = Build(graph, names, links);
        ASSERT_EQ(LocVerts(graph), 0);
    }
    void MakeChain() { Make("a b c", "a>b b>c"); }
    uint32_t Flags(const char *name) { return uint32_t(YacVert(v.at(name), 2, 0)) & ~VertPlaced; }
    Link *LinkOf(const char *from, const char *to) {
        for (Link *l = v.at(from)->outFirst; l; l = l->outNext)
            if (l->target == v.at(to)) return l;
        return nullptr;
    }
    void TearDown() override {
        ExpectNoSelectMarks(graph);
        GraphFixture::TearDown();
    }
};

TEST_F(SelectTest, AnchorAlone) {
    MakeChain();
    Selection s = Select(graph, 0x8000, v["b"]);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.out, std::vector<Vert *>{v["b"]});
    EXPECT_EQ(HilitedVerts(graph), NameSet{"b"});
    EXPECT_EQ(Flags("b"), VertHilite) << "previous state: not highlighted";
}

TEST_F(SelectTest, DownstreamListsVerticesInReverseOfFirstReach) {
    MakeChain();
    Selection s = Select(graph, 0x0808, v["a"]);
    EXPECT_EQ(s.count, 3);
    EXPECT_EQ(NamesOf(s.out), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(HilitedVerts(graph), (NameSet{"b", "c"})) << "the anchor has rules of its own";
}

TEST_F(SelectTest, TakesNoMemory) {
    MakeChain();
    uint32_t live = BlockLiveCount();
    BlockFailAt(1);
    EXPECT_EQ(Select(graph, SelComponent | kHiliteSelected, v["a"]).count, 3);
    EXPECT_EQ(BlockLiveCount(), live);
    BlockFailAt(0);
    EXPECT_EQ(HilitedVerts(graph), (NameSet{"a", "b", "c"}));
}

TEST_F(SelectTest, InvertedSelectionReachesTheUnselectedRule) {
    MakeChain();
    uint32_t before = Flags("a");
    Selection s = Select(graph, 0x18000808, v["a"]);
    EXPECT_EQ(s.count, 0);
    EXPECT_TRUE(s.out.empty());
    EXPECT_EQ(HilitedVerts(graph), (NameSet{"b", "c"}));
    EXPECT_EQ(Flags("a") & kVertStateBits, before & kVertStateBits);
}

TEST_F(SelectTest, PathsBetweenTwoVerticesEitherWay) {
    // Side branches that lie on no path between a and c.
    Make("a b c d e", "a>b b>c a>d e>b");
    for (auto ends : {std::make_pair("a", "c"), std::make_pair("c", "a")}) {
        SCOPED_TRACE(std::string(ends.first) + " to " + ends.second);
        ClearHilites(graph);
        Selection s = Select(graph, SelComponent | kHiliteSelected, v[ends.first], v[ends.second]);
        EXPECT_EQ(s.count, 3);
        EXPECT_EQ(HilitedVerts(graph), (NameSet{"a", "b", "c"}));
        EXPECT_EQ(HilitedLinks(graph), (NameSet{"a>b", "b>c"}));
    }
}

TEST_F(SelectTest, NoPathEitherWayLeavesTheAnchorAndTheUnselectedRules) {
    Make("a b c z", "a>b c>b");
    uint32_t mode = SelComponent | kHiliteSelected | SelRule(SelRuleSet, SelUnselVertShown);
    Selection s = Select(graph, mode, v["a"], v["c"]);
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(HilitedVerts(graph), NameSet{"a"}) << "the anchor rule applies unselected";
    EXPECT_EQ(Flags("b") & VertShown, VertShown) << "touch-all reaches the component";
    EXPECT_EQ(Flags("c") & VertShown, VertShown);
    EXPECT_EQ(Flags("z") & VertShown, 0u) << "another component";
    EXPECT_EQ(Flags("a") & VertShown, 0u) << "the anchor keeps its own rules";

    s = Select(graph, mode | SelWholeGraph, v["a"], v["c"]);
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(Flags("z") & VertShown, VertShown) << "the whole graph";
}

// A whole component has no rest of its own: the unselected rules reach
// other components only when the whole graph is asked for.
TEST_F(SelectTest, ComponentWithoutOtherTouchesTheRestOnlyForTheWholeGraph) {
    Make("a b c z", "a>b c>b");
    uint32_t mode = SelComponent | kHiliteSelected | SelRule(SelRuleSet, SelUnselVertShown);
    EXPECT_EQ(Select(graph, mode, v["a"]).count, 3);
    EXPECT_EQ(HilitedVerts(graph), (NameSet{"a", "b", "c"}));
    EXPECT_EQ(Flags("z") & VertShown, 0u);
    EXPECT_EQ(Select(graph, mode | SelWholeGraph, v["a"]).count, 3);
    EXPECT_EQ(Flags("z") & VertShown, VertShown);
    EXPECT_EQ(Flags("b") & VertShown, 0u) << "selected vertices keep the selected rules";
}

TEST_F(SelectTest, NullAnchorSelectsEveryVertexAndLink) {
    Make("a b c z", "a>b b>c");
    YacGraph(graph, 9, 2);
    for (Vert *vert : AllVerts(graph))
        for (Link *l = vert->outFirst; l; l = l->outNext) l->flags |= LinkHilite;
    Selection s = Select(graph, 0x0400 | SelRule(SelRuleClear, SelLinkHilite), nullptr);
    EXPECT_EQ(s.count, 4);
    EXPECT_EQ(NamesOf(s.out), (std::vector<std::string>{"z", "c", "b", "a"}));
    EXPECT_TRUE(HilitedVerts(graph).empty());
    EXPECT_TRUE(HilitedLinks(graph).empty());
    EXPECT_EQ(LinkOf("a", "b")->flags & LinkWasHilite, LinkWasHilite);
}

TEST_F(SelectTest, OutHoldsWhatFitsAndTheCountEverything) {
    MakeChain();
    Selection s = Select(graph, 0x0808, v["a"], nullptr, 1);
    EXPECT_EQ(s.count, 3);
    EXPECT_EQ(s.out, std::vector<Vert *>{v["c"]});
    SelectRequest noOut = {0x0808, v["a"], nullptr, 5, nullptr};
    EXPECT_EQ(YacGraph(graph, 22, reinterpret_cast<intptr_t>(&noOut)), 3);
}

TEST_F(SelectTest, NullRequestAndUnplacedVertexChangeNothing) {
    MakeChain();
    EXPECT_EQ(YacGraph(graph, 22, 0), E_ARG);
    VertRec rec = Rec("d");
    Vert *d = nullptr;
    ASSERT_EQ(NewVert(&d, &rec, graph), 0);
    Vert *out[4] = {};
    SelectRequest request = {0x0808, v["a"], nullptr, 4, out};
    EXPECT_EQ(YacGraph(graph, 22, reinterpret_cast<intptr_t>(&request)), E_UNPLACED);
    EXPECT_EQ(YacGraph(graph, 22, 0), E_ARG) << "the request is checked first";
    EXPECT_TRUE(HilitedVerts(graph).empty());
    EXPECT_EQ(out[0], nullptr);
    EXPECT_EQ(YacGraph(nullptr, 22, reinterpret_cast<intptr_t>(&request)), 0);
    ASSERT_EQ(LocVerts(graph), 0);
    EXPECT_EQ(YacGraph(graph, 22, reinterpret_cast<intptr_t>(&request)), 3);
}

TEST_F(SelectTest, ScopesMarkTheirParts) {
    // u > p1 > x < p2; x > s1 > t; x > s2 < q; z alone.
    Make("u p1 p2 x s1 s2 t q z", "u>p1 p1>x p2>x x>s1 x>s2 s1>t q>s2");
    struct Case {
        uint32_t scope;
        const char *other;
        NameSet verts, links;
    } cases[] = {
        {0, nullptr, {"x"}, {}},
        {SelUpNeighbours, nullptr, {"p1", "p2", "x"}, {"p1>x", "p2>x"}},
        {SelUpAll, nullptr, {"u", "p1", "p2", "x"}, {"u>p1", "p1>x", "p2>x"}},
        {SelUpFromOther, "u", {"u", "p1", "x"}, {"u>p1", "p1>x"}},
        {SelUpFromOther, nullptr, {"u", "p1", "p2", "x"}, {"u>p1", "p1>x", "p2>x"}},
        {SelUpFromOther, "t", {"x"}, {}},
        {SelDownNeighbours, nullptr, {"x", "s1", "s2"}, {"x>s1", "x>s2"}},
        {SelDownAll, nullptr, {"x", "s1", "s2", "t"}, {"x>s1", "x>s2", "s1>t"}},
        {SelDownToOther, "t", {"x", "s1", "t"}, {"x>s1", "s1>t"}},
        {SelDownToOther, "x", {"x"}, {}},
        {SelUpNeighbours | SelDownNeighbours, nullptr, {"p1", "p2", "x", "s1", "s2"},
         {"p1>x", "p2>x", "x>s1", "x>s2"}},
        {SelUpAll | SelDownToOther, "s2", {"u", "p1", "p2", "x", "s2"},
         {"u>p1", "p1>x", "p2>x", "x>s2"}},
        {SelComponent, nullptr, {"u", "p1", "p2", "x", "s1", "s2", "t", "q"},
         {"u>p1", "p1>x", "p2>x", "x>s1", "x>s2", "s1>t", "q>s2"}},
        {SelComponent, "x", {"x"}, {}},
        {SelComponent, "t", {"x", "s1", "t"}, {"x>s1", "s1>t"}},
        {SelComponent, "u", {"u", "p1", "x"}, {"u>p1", "p1>x"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE("scope " + std::to_string(c.scope) + " other " + (c.other ? c.other : "-"));
        ClearHilites(graph);
        Selection s = Select(graph, c.scope | kHiliteSelected, v["x"], c.other ? v[c.other] : nullptr);
        EXPECT_EQ(s.count, intptr_t(c.verts.size()));
        std::vector<std::string> out = NamesOf(s.out);
        EXPECT_EQ(NameSet(out.begin(), out.end()), c.verts);
        EXPECT_EQ(out.back(), "x") << "the anchor is reached first";
        EXPECT_EQ(HilitedVerts(graph), c.verts);
        EXPECT_EQ(HilitedLinks(graph), c.links);
        ExpectNoSelectMarks(graph);
    }
}

TEST_F(SelectTest, RulesKeepThePreviousStateOfEveryItemTheyLookAt) {
    MakeChain();
    uint32_t hide = SelDownAll | SelRule(SelRuleClear, SelLinkShown) |
                    SelRule(SelRuleFlip, SelVertShown) | SelRule(SelRuleSet, SelAnchorShown);
    EXPECT_EQ(Select(graph, hide, v["a"]).count, 3);
    Link *ab = LinkOf("a", "b");
    EXPECT_EQ(ab->flags & (LinkShown | LinkWasShown), LinkWasShown);
    EXPECT_EQ(Flags("a"), VertShown) << "set by the anchor rule, was clear";
    EXPECT_EQ(Flags("b"), VertShown);
    EXPECT_EQ(Flags("c"), VertShown);

    // A selection that changes nothing still rewrites the snapshots.
    EXPECT_EQ(Select(graph, SelDownAll, v["a"]).count, 3);
    EXPECT_EQ(ab->flags & (LinkShown | LinkWasShown), 0u);
    EXPECT_EQ(Flags("b"), VertShown | (VertShown << kVertPrevShift));

    // Clear, set and invert on the link pair; an invert of two undoes it.
    uint32_t flip = SelRule(SelRuleFlip, SelLinkShown) | SelRule(SelRuleSet, SelLinkHilite);
    Select(graph, SelDownNeighbours | flip, v["a"]);
    EXPECT_EQ(ab->flags & (LinkShown | LinkHilite | LinkWasShown | LinkWasHilite),
              LinkShown | LinkHilite);
    EXPECT_EQ(LinkOf("b", "c")->flags & LinkShown, 0u) << "not selected";
    Select(graph, SelDownNeighbours | flip, v["a"]);
    EXPECT_EQ(ab->flags & (LinkShown | LinkHilite | LinkWasShown | LinkWasHilite),
              LinkHilite | LinkWasShown | LinkWasHilite);
}

TEST_F(SelectTest, UnselectedLinksTakeTheirOwnRules) {
    Make("a b c d", "a>b b>c d>c");
    uint32_t mode = SelDownNeighbours | SelRule(SelRuleSet, SelUnselLinkHilite);
    EXPECT_EQ(Select(graph, mode, v["a"]).count, 2);
    EXPECT_EQ(HilitedLinks(graph), (NameSet{"b>c", "d>c"}));
    ClearHilites(graph);
    EXPECT_EQ(Select(graph, mode | SelInvert, v["a"]).count, 2) << "c and d";
    EXPECT_EQ(HilitedLinks(graph), NameSet{"a>b"});
}

} // namespace
