#include "library.h"

#include "brindle.h"

int32_t InitStatus = E_ARG;

extern "C" {

BRD_EXPORT int32_t BRDAPI VersionBrd(void) { return InterfaceVersion; }

BRD_EXPORT int32_t BRDAPI SupportBrd(int32_t version) {
    return version == InterfaceVersion ? InitStatus : E_ARG;
}

} // extern "C"
