// Conversions between the platform's value types and Qt's, for the platform's own Qt-backed
// classes. Nothing above the platform sees this header.
// Thread-safety: pure functions.
#pragma once

#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Rectangle.h"
#include "platform/String.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

namespace Ixa {

class QtBridge {
public:
    static QString ToQString(const Base::String& text);
    static Base::String FromQString(const QString& text);
    static QColor ToQColor(const Graphics::Color& color);
    static Graphics::Color FromQColor(const QColor& color);
    static QRect ToQRect(const Graphics::Rectangle& rect);
    static Graphics::Rectangle FromQRect(const QRect& rect);
    static QPoint ToQPoint(const Graphics::Point& point);
    static QFont ToQFont(const Graphics::Font& font);
    // The platform's default face at a pixel size.
    static QFont PixelFont(int pixelSize, bool bold = false);
};

}  // namespace Ixa
