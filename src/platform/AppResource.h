// The application's resources: the English text of every "IDS_" identifier (res/strings.txt)
// and the pictures named by file name (res/...). GetBitmapN marks ".9.png" pictures as
// stretchable.
// Threading and ownership: safe from any thread; GetBitmapN hands the bitmap to the caller.
// The application owns the one instance.
#pragma once

#include "platform/Bitmap.h"
#include "platform/String.h"

#include <map>
#include <mutex>
#include <string>

namespace Ixa::App {

class AppResource : public Base::Object {
public:
    // E_OBJ_NOT_FOUND (and `text` left alone) for an unknown identifier.
    result GetString(const Base::String& resourceId, Base::String& text) const;
    // Null with E_OBJ_NOT_FOUND in the last-result slot when there is no such picture.
    Graphics::Bitmap* GetBitmapN(const Base::String& imageName) const;

    // Reads "IDS_NAME = text" lines ("#" starts a comment line; "\n" in a text is a line
    // break). Platform side, public for tests.
    static std::map<std::string, Base::String> ParseStrings(const std::string& content);

private:
    void Load() const;

    mutable std::once_flag loaded_;
    mutable std::map<std::string, Base::String> strings_;
};

}  // namespace Ixa::App
