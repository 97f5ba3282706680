// Which backend is in use.
#include "platform/Backend.h"

#include "platform/HeadlessBackend.h"

namespace platform {
namespace {

Backend* g_current = nullptr;

HeadlessBackend& BuiltIn() {
    static HeadlessBackend builtIn;
    return builtIn;
}

}  // namespace

Backend& CurrentBackend() { return g_current ? *g_current : BuiltIn(); }
void SetBackend(Backend* backend) { g_current = backend; }

}  // namespace platform

namespace platform {

void ResetBackend() {
    g_current = nullptr;
    BuiltIn() = HeadlessBackend();
}

}  // namespace platform
