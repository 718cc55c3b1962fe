package vrk.vane.dao.jni;

import java.util.List;

/**
 * Lays out a graph drawing in the native library.
 *
 * <p>Each node of the list names itself with {@code getId()} and its
 * predecessors as the values of {@code getPrev()}; {@code makeGraph} gives
 * every node, every predecessor value and every successor value of
 * {@code getNext()} its grid cell in the int fields {@code x} (level) and
 * {@code y} (row). See {@link GraphNode} for a class that meets this
 * contract.
 */
public class GraphAPI {
    static {
        System.loadLibrary("brindle");
    }

    /**
     * Builds the graph of {@code nodes}, lays it out and writes the cells back.
     *
     * @return 0 on success, else a negative status of the library: -3 for an
     *     empty identifier, one of 16 bytes or more in modified UTF-8, or a null
     *     list; -7 out of memory; -11 or -12 out of rows or levels; -13 a cycle.
     *     No position is written when the result is negative, except after
     *     an exception from a node method, which propagates to the caller.
     */
    public native int makeGraph(List<?> nodes);
}
