package vrk.vane.dao.jni;

import java.util.LinkedHashMap;
import java.util.Map;

/**
 * A plain node for {@link GraphAPI#makeGraph}: an identifier, its
 * predecessors and successors keyed by identifier in insertion order, and
 * the cell that the layout writes into {@code x} and {@code y}.
 */
public class GraphNode {
    private final String id;
    private final Map<String, GraphNode> prev = new LinkedHashMap<>();
    private final Map<String, GraphNode> next = new LinkedHashMap<>();

    /** Level of the node's cell; written by makeGraph. */
    public int x = Integer.MIN_VALUE;
    /** Row of the node's cell; written by makeGraph. */
    public int y = Integer.MIN_VALUE;

    public GraphNode(String id) {
        this.id = id;
    }

    /** Links {@code from} to {@code to}: each names the other in its map. */
    public static void link(GraphNode from, GraphNode to) {
        to.prev.put(from.id, from);
        from.next.put(to.id, to);
    }

    public String getId() {
        return id;
    }

    public Map<String, GraphNode> getPrev() {
        return prev;
    }

    public Map<String, GraphNode> getNext() {
        return next;
    }

    @Override
    public String toString() {
        return id + "(" + x + "," + y + ")";
    }
}
