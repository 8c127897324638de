#include "probe/locator.h"

std::wstring LocateFile(const ControlPanelFile& file, const FileSearch& search) {
    const struct {
        const std::function<std::wstring()>& folder;
        std::wstring_view tail;
    } candidates[] = {
        {search.systemFolder, file.inSystemFolder},
        {search.programFilesFolder, file.inTechnologyFolder},
        {search.programFilesFolder, file.inTechnologiesFolder},
    };
    for (const auto& candidate : candidates) {
        std::wstring path = candidate.folder();
        path += candidate.tail;
        if (search.fileExists(path)) return path;
    }
    return {};
}
