// Documents in a page. The program lies at the top of the site ("/tintaro"), so a document beside
// it is a page of the site, which opens in a tab of its own. There are no processes to start.
#include "platform/ShellExecute.h"

#include "platform/Backend.h"

BOOL ShellOpenDocument(const std::filesystem::path& document) {
    if (document.empty() || !document.is_absolute()) return FALSE;
    return platform::CurrentBackend().OpenDocument(document.lexically_normal().string()) ? TRUE : FALSE;
}

namespace platform {

std::filesystem::path ModuleFilePath() { return "/tintaro"; }

std::vector<std::string> OpenerCommand(const std::string& document) { return {"window.open", document}; }

bool SpawnDetached(const std::vector<std::string>&) { return false; }

int ReapFinishedChildren() { return 0; }

}  // namespace platform
