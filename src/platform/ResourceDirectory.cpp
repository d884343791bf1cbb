#include "platform/ResourceDirectory.h"

#include <QDir>
#include <QFileInfo>

#include <cstdlib>

namespace Ixa::Io {

namespace {

bool HasStrings(const QString& directory) { return QFileInfo::exists(QDir(directory).filePath(QStringLiteral("strings.txt"))); }

// Where the resources beside the program are: looked up once, since every picture and text
// the program loads asks, and the program does not move while it runs.
std::string FoundBesideProgram()
{
    const QString executable = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
    QDir directory(executable);
    for (int level = 0; level < 4; ++level) {
        if (HasStrings(directory.filePath(QStringLiteral("res"))))
            return directory.filePath(QStringLiteral("res")).toStdString();
        if (!directory.cdUp())
            break;
    }
    const QString installed = QDir::cleanPath(QDir(executable).filePath(QStringLiteral(VELOIM_INSTALLED_RESOURCE_DIR)));
    if (HasStrings(installed))
        return installed.toStdString();
    return VELOIM_SOURCE_RESOURCE_DIR;
}

}  // namespace

std::string ResourceDirectory::GetPath()
{
    if (const char* configured = std::getenv("VELOIM_RES_DIR"); configured != nullptr && *configured != '\0')
        return configured;
    static const std::string found = FoundBesideProgram();
    return found;
}

std::string ResourceDirectory::ToNativePath(const Base::String& name)
{
    std::string relative = name.ToUtf8();
    if (relative.rfind("/Res/", 0) == 0)
        relative.erase(0, 5);
    while (!relative.empty() && relative.front() == '/')
        relative.erase(0, 1);
    return GetPath() + "/" + relative;
}

}  // namespace Ixa::Io
