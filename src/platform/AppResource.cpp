#include "platform/AppResource.h"

#include "platform/ResourceDirectory.h"

#include <QImage>

#include <fstream>
#include <sstream>

namespace Ixa::App {

namespace {

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::map<std::string, Base::String> AppResource::ParseStrings(const std::string& content)
{
    std::map<std::string, Base::String> strings;
    std::istringstream lines(content);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string trimmed = Trim(line);
        const auto equals = trimmed.find('=');
        if (trimmed.empty() || trimmed[0] == '#' || equals == std::string::npos)
            continue;
        strings[Trim(trimmed.substr(0, equals))] = Base::String(Unescape(Trim(trimmed.substr(equals + 1))).c_str());
    }
    return strings;
}

void AppResource::Load() const
{
    std::ifstream file(Io::ResourceDirectory::ToNativePath("strings.txt"));
    std::stringstream content;
    content << file.rdbuf();
    strings_ = ParseStrings(content.str());
}

result AppResource::GetString(const Base::String& resourceId, Base::String& text) const
{
    std::call_once(loaded_, [this] { Load(); });
    const auto found = strings_.find(resourceId.ToUtf8());
    if (found == strings_.end())
        return E_OBJ_NOT_FOUND;
    text = found->second;
    return E_SUCCESS;
}

Graphics::Bitmap* AppResource::GetBitmapN(const Base::String& imageName) const
{
    const std::string path = Io::ResourceDirectory::ToNativePath(imageName);
    const QImage image(QString::fromStdString(path));
    if (image.isNull()) {
        SetLastResult(E_OBJ_NOT_FOUND);
        return nullptr;
    }
    auto* bitmap = new Graphics::Bitmap;
    bitmap->Construct(image, imageName.EndsWith(".9.png"));
    SetLastResult(E_SUCCESS);
    return bitmap;
}

}  // namespace Ixa::App
