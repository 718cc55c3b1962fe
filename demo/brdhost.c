/* A small native host: loads the library, makes a graph and prints what
 * the library answers. */
#include <stdio.h>

#include "brindle.h"

int main(void) {
    Graph *graph = NULL;
    GraphInfo info;
    int32_t status;

    printf("VersionBrd %d\n", (int)VersionBrd());
    printf("SupportBrd(521) %d\n", (int)SupportBrd(InterfaceVersion));
    status = NewGraph(&graph, 0);
    printf("NewGraph %d\n", (int)status);
    if (status != 0) return 1;
    status = IncGraph(graph, &info);
    printf("IncGraph %d: bytes %u vertices %u placed %u links %u panes %u parts %d"
           " extent %d,%d,%d,%d\n",
           (int)status, (unsigned)info.bytes, (unsigned)info.vertices, (unsigned)info.placed,
           (unsigned)info.links, (unsigned)info.panes, (int)info.partCount, (int)info.left,
           (int)info.top, (int)info.right, (int)info.bottom);
    DelGraph(graph);
    return status == 0 ? 0 : 1;
}
