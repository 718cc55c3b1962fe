import java.util.ArrayList;
import java.util.Arrays;
import java.util.HashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;
import vrk.vane.dao.jni.GraphAPI;
import vrk.vane.dao.jni.GraphNode;

/**
 * makeGraph called by a real JVM on real node objects. Run with
 * -Xcheck:jni; the test fails on any line the JVM's checks print.
 */
public class MakeGraphCheck {
    static final int UNSET = Integer.MIN_VALUE;
    static final GraphAPI api = new GraphAPI();
    static int passed, failed;

    static void check(boolean ok, String what) {
        if (ok) {
            passed++;
        } else {
            failed++;
            System.out.println("FAILED: " + what);
        }
    }

    static void expectCell(GraphNode n, int x, int y, String what) {
        check(n.x == x && n.y == y, what + ": " + n + " expected (" + x + "," + y + ")");
    }

    static GraphNode node(String id, GraphNode... prev) {
        GraphNode n = new GraphNode(id);
        for (GraphNode p : prev) GraphNode.link(p, n);
        return n;
    }

    // The graph whose cells the in-process tests also expect from the same
    // nodes built through the library's C calls.
    static void sharedGraph() {
        GraphNode s = node("s"), t = node("t");
        GraphNode a = node("a", s), b = node("b", s);
        GraphNode c = node("c", a, b), d = node("d", t, c), e = node("e", a);
        List<GraphNode> nodes = Arrays.asList(s, a, b, c, t, d, e);
        check(api.makeGraph(nodes) == 0, "shared graph: result");
        int[][] cells = {{0, 0}, {1, 0}, {1, 1}, {2, 0}, {2, 2}, {3, 0}, {2, 1}};
        for (int i = 0; i < cells.length; i++)
            expectCell(nodes.get(i), cells[i][0], cells[i][1], "shared graph");
    }

    static void smallCases() {
        check(api.makeGraph(new ArrayList<GraphNode>()) == 0, "empty list gives 0");
        check(api.makeGraph(null) == -3, "null list gives -3");

        GraphNode lone = node("lone");
        check(api.makeGraph(List.of(lone)) == 0, "node without predecessors: result");
        expectCell(lone, 0, 0, "node without predecessors");

        // p is never a list element: it still becomes a vertex and its
        // object, reached only as a map value, gets its cell.
        GraphNode p = node("p");
        GraphNode a = node("a", p);
        check(api.makeGraph(List.of(a)) == 0, "predecessor outside the list: result");
        expectCell(p, 0, 0, "predecessor outside the list");
        expectCell(a, 1, 0, "node of a predecessor outside the list");

        GraphNode x = node("x"), y = node("y", x);
        GraphNode.link(y, x);
        check(api.makeGraph(List.of(x, y)) == -13, "two nodes naming each other give -13");
        check(x.x == UNSET && x.y == UNSET && y.x == UNSET && y.y == UNSET,
              "no position written after -13");

        // Two objects with one identifier: the second append adds nothing,
        // both objects get the one vertex's cell.
        GraphNode s = node("s"), first = node("twice", s), second = node("twice", s);
        check(api.makeGraph(List.of(s, first, second)) == 0, "node listed twice: result");
        expectCell(first, 1, 0, "node listed twice, first object");
        expectCell(second, 1, 0, "node listed twice, second object");

        // Keys are ignored: misleading keys give the cells of proper ones.
        GraphNode k1 = node("k1"), k2 = node("k2"), k3 = new GraphNode("k3");
        k3.getPrev().put("k2", k1);
        k3.getPrev().put("nonsense", k2);
        k3.getPrev().put(null, k1);
        check(api.makeGraph(List.of(k1, k2, k3)) == 0, "map keys ignored: result");
        expectCell(k3, 1, 0, "map keys ignored, node");
        check(k1.x == 0 && k2.x == 0 && k1.y != k2.y, "map keys ignored: both values placed");
    }

    static void identifiers() {
        Object[][] cases = {
            {"", -3}, {"a", 0}, {"fifteen-bytes!!", 0}, {"sixteen-bytes!!!", -3},
            {"an identifier of forty bytes, far too lo", -3},
            {"x".repeat(300), -3},
            {"\u00e9".repeat(7), 0},   // 14 bytes
            {"\u00e9".repeat(8), -3},  // 16 bytes, 8 characters
            {"a\u0000", 0},            // NUL is two bytes in modified UTF-8
            {"\u0000".repeat(8), -3},
        };
        for (Object[] c : cases) {
            String id = (String) c[0];
            int want = (Integer) c[1];
            GraphNode n = node(id);
            int got = api.makeGraph(List.of(n));
            check(got == want, "identifier of " + id.length() + " chars: " + got + " != " + want);
            if (want == 0) expectCell(n, 0, 0, "identifier of " + id.length() + " chars");
            // The same identifier as a predecessor ends the same way.
            GraphNode m = node("m", node(id));
            check(api.makeGraph(List.of(m)) == want, "predecessor identifier of " + id.length()
                  + " chars");
        }
        check(api.makeGraph(List.of(node(null))) == -3, "null identifier of a node gives -3");
        GraphNode withNullValue = new GraphNode("v");
        withNullValue.getPrev().put("nothing", null);
        check(api.makeGraph(List.of(withNullValue)) == -3, "null predecessor value gives -3");
    }

    static void manyPredecessors() {
        GraphNode hub = new GraphNode("hub");
        List<GraphNode> preds = new ArrayList<>();
        for (int i = 0; i < 40; i++) {
            GraphNode p = node("p" + i);
            preds.add(p);
            GraphNode.link(p, hub);
        }
        check(api.makeGraph(List.of(hub)) == 0, "40 predecessors: result");
        check(hub.x == 1, "40 predecessors: node on level 1, got " + hub);
        Set<Integer> rows = new HashSet<>();
        for (GraphNode p : preds) {
            check(p.x == 0, "40 predecessors: " + p + " on level 0");
            rows.add(p.y);
        }
        check(rows.size() == 40, "40 predecessors: 40 distinct rows");

        // The 40th predecessor is the node's own successor: the cycle is
        // seen only if every predecessor got its link.
        GraphNode top = new GraphNode("top"), below = node("below", top);
        for (int i = 0; i < 39; i++) GraphNode.link(node("q" + i), top);
        GraphNode.link(below, top);
        check(top.getPrev().size() == 40, "cycle through the 40th predecessor: set-up");
        check(api.makeGraph(List.of(top, below)) == -13, "cycle through the 40th predecessor");
    }

    static void unknownSuccessors() {
        GraphNode a = node("a"), b = node("b", a);
        GraphNode ghost = new GraphNode("ghost"), nameless = new GraphNode(null);
        b.getNext().put("ghost", ghost);
        b.getNext().put("nameless", nameless);
        b.getNext().put("null", null);
        check(api.makeGraph(List.of(a, b)) == 0, "unknown successors: result");
        expectCell(b, 1, 0, "unknown successors, node");
        expectCell(ghost, UNSET, UNSET, "successor naming no vertex left alone");
        expectCell(nameless, UNSET, UNSET, "successor without identifier left alone");
    }

    /** A node whose methods throw at the chosen call. */
    static class ThrowingNode extends GraphNode {
        final String where;
        final int after;
        int calls;

        ThrowingNode(String id, String where, int after) {
            super(id);
            this.where = where;
            this.after = after;
        }

        void maybeThrow(String method) {
            if (method.equals(where) && calls++ >= after)
                throw new IllegalStateException("thrown by " + method);
        }

        @Override public String getId() { maybeThrow("getId"); return super.getId(); }
        @Override public Map<String, GraphNode> getPrev() { maybeThrow("getPrev"); return super.getPrev(); }
        @Override public Map<String, GraphNode> getNext() { maybeThrow("getNext"); return super.getNext(); }
    }

    static void hostExceptions() {
        // {method, calls before the throw}: the append phase and the write-back.
        Object[][] cases = {{"getId", 0}, {"getPrev", 0}, {"getId", 1}, {"getPrev", 1},
                            {"getNext", 0}};
        for (Object[] c : cases) {
            String what = c[0] + " throwing after " + c[1] + " calls";
            GraphNode s = node("s");
            ThrowingNode t = new ThrowingNode("t", (String) c[0], (Integer) c[1]);
            GraphNode.link(s, t);
            GraphNode u = node("u", t);
            try {
                int got = api.makeGraph(List.of(s, t, u));
                check(false, what + ": returned " + got + " instead of throwing");
            } catch (IllegalStateException e) {
                check(e.getMessage().equals("thrown by " + c[0]), what + ": " + e.getMessage());
            }
        }
        // A throwing list: size itself.
        List<GraphNode> list = new ArrayList<GraphNode>() {
            @Override public int size() { throw new IllegalStateException("size"); }
        };
        try {
            api.makeGraph(list);
            check(false, "size throwing: no exception");
        } catch (IllegalStateException e) {
            check(true, "size throwing");
        }
        // After all that, the bridge still works.
        GraphNode a = node("a"), b = node("b", a);
        check(api.makeGraph(List.of(a, b)) == 0, "call after exceptions");
        expectCell(b, 1, 0, "call after exceptions");
    }

    /** A host class with an identifier and an x field only. */
    public static class Bare {
        public int x = UNSET;
        public String getId() { return "bare"; }
    }

    static void missingMembers() {
        Bare bare = new Bare();
        check(api.makeGraph(List.of(bare)) == 0, "node without maps or y: result");
        check(bare.x == 0, "node without maps or y: x written");
        Object plain = new Object();
        check(api.makeGraph(List.of(plain)) == -3, "object without getId gives -3");
    }

    public static void main(String[] args) {
        sharedGraph();
        smallCases();
        identifiers();
        manyPredecessors();
        unknownSuccessors();
        hostExceptions();
        missingMembers();
        System.out.println(passed + " passed, " + failed + " failed");
        System.exit(failed == 0 ? 0 : 1);
    }
}
