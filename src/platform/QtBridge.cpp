#include "platform/QtBridge.h"

#include "platform/UiTheme.h"

namespace Ixa {

QString QtBridge::ToQString(const Base::String& text)
{
    return QString::fromUtf16(text.GetPointer(), text.GetLength());
}

Base::String QtBridge::FromQString(const QString& text)
{
    return Base::String(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<int>(text.size()));
}

QColor QtBridge::ToQColor(const Graphics::Color& color)
{
    return QColor(color.GetRed(), color.GetGreen(), color.GetBlue(), color.GetAlpha());
}

Graphics::Color QtBridge::FromQColor(const QColor& color)
{
    return Graphics::Color(static_cast<unsigned char>(color.red()),
        static_cast<unsigned char>(color.green()), static_cast<unsigned char>(color.blue()),
        static_cast<unsigned char>(color.alpha()));
}

QRect QtBridge::ToQRect(const Graphics::Rectangle& rect)
{
    return QRect(rect.x, rect.y, rect.width, rect.height);
}

Graphics::Rectangle QtBridge::FromQRect(const QRect& rect)
{
    return Graphics::Rectangle(rect.x(), rect.y(), rect.width(), rect.height());
}

QPoint QtBridge::ToQPoint(const Graphics::Point& point) { return QPoint(point.x, point.y); }

QFont QtBridge::ToQFont(const Graphics::Font& font)
{
    QFont qfont = PixelFont(font.GetSize(), font.IsBold());
    qfont.setItalic(font.IsItalic());
    return qfont;
}

QFont QtBridge::PixelFont(int pixelSize, bool bold)
{
    QFont font(QString::fromLatin1(Ui::UiTheme::TextFamily));
    font.setPixelSize(pixelSize > 0 ? pixelSize : 1);
    font.setBold(bold);
    return font;
}

}  // namespace Ixa
