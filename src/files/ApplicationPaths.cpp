#include "ApplicationPaths.h"

#include "FileUtility.h"

bool isValidPath(const OString& path) {
    const std::u16string_view text = path.view();
    return !text.empty() && text.find(u"..") == text.npos && text.find(u':') == text.npos &&
           text.find(u'|') == text.npos;
}

CAppsString resolvePath(const CAppsString& directory, const OString& path) {
    std::u16string normalised(FileUtility::convertSeparators(CAppsString(path)).view());
    for (std::size_t doubled = normalised.find(u"//"); doubled != normalised.npos;
         doubled = normalised.find(u"//"))
        normalised.erase(doubled, 1);
    CAppsString relative;
    relative.append(std::u16string_view(normalised));
    return FileUtility::join(directory, relative);
}

std::string fileSystemPath(const CAppsString& directory, const OString& path) {
    return FileUtility::encodeName(resolvePath(directory, path));
}
