import java.util.ArrayList;
import java.util.List;
import java.util.Random;
import vrk.vane.dao.jni.GraphAPI;
import vrk.vane.dao.jni.GraphNode;

/**
 * Wall time of makeGraph on generated DAGs of N nodes with about two
 * predecessors each. Not a test: run it by hand against an optimised build.
 * Arguments: node counts, default 10000 100000.
 */
public class MakeGraphBench {
    static List<GraphNode> graph(int n, long seed) {
        Random random = new Random(seed);
        List<GraphNode> nodes = new ArrayList<>(n);
        for (int i = 0; i < n; i++) {
            GraphNode node = new GraphNode("n" + i);
            // Mostly near neighbours, so levels stay deep and rows wide.
            for (int k = 0; k < 2 && i > 0; k++) {
                int back = 1 + random.nextInt(Math.min(i, k == 0 ? 8 : 1000));
                GraphNode.link(nodes.get(i - back), node);
            }
            nodes.add(node);
        }
        return nodes;
    }

    public static void main(String[] args) {
        GraphAPI api = new GraphAPI();
        int[] counts = args.length > 0
            ? java.util.Arrays.stream(args).mapToInt(Integer::parseInt).toArray()
            : new int[] {10000, 100000};
        for (int n : counts) {
            List<GraphNode> nodes = graph(n, 42);
            if (api.makeGraph(nodes) != 0) throw new AssertionError("makeGraph failed");
            long best = Long.MAX_VALUE;
            for (int run = 0; run < 5; run++) {
                long start = System.nanoTime();
                int status = api.makeGraph(nodes);
                long took = System.nanoTime() - start;
                if (status != 0) throw new AssertionError("makeGraph gave " + status);
                best = Math.min(best, took);
            }
            System.out.printf("%d nodes: best of 5 %.1f ms, %.2f us per node%n",
                              n, best / 1e6, best / 1e3 / n);
        }
    }
}
