// PNG output in a page: there is no file to write to (frame dumps are for the desktop's tests).
#include "platform/Png.h"

namespace platform {

bool WritePng(const std::string&, const PixelRows&) { return false; }

}  // namespace platform
