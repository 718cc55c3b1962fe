// Start-up of a library without a window system: the status says for good
// that the window system is missing; graphs and layout work all the same.
#include "brindle.h"
#include "library.h"
#include "pane_calls.h"

void PaneProcessAttach() { InitStatus = E_PLATFORM; }

void PaneProcessDetach() {
    if (InitStatus == 0) InitStatus = E_ARG;
}
