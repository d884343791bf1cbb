// A drawing surface. A Canvas is either its own picture (Construct) or, inside the platform,
// a view of a control that is being painted (ConstructOver), which is how custom list
// elements draw. Coordinates are pixels from the canvas's top-left corner; text is placed by
// the top-left corner of its line.
// Threading and ownership: user-interface thread only. A canvas over a painter borrows the
// painter for the duration of one paint; the bitmaps and texts drawn are not kept.
#pragma once

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/GraphicsTypes.h"
#include "platform/String.h"

#include <memory>

class QPainter;

namespace Ixa::Graphics {

class EnrichedText;

class Canvas : public Base::Object {
public:
    Canvas();
    ~Canvas() override;

    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // An own transparent picture of the rectangle's size.
    result Construct(const Rectangle& bounds);
    // Platform side: draws through `painter`, whose origin is the canvas's top-left corner.
    result ConstructOver(QPainter& painter, const Rectangle& bounds);

    Rectangle GetBounds() const { return bounds_; }
    void SetForegroundColor(const Color& color) { foreground_ = color; }
    Color GetForegroundColor() const { return foreground_; }
    void SetBackgroundColor(const Color& color) { background_ = color; }
    result SetFont(const Font& font);
    void SetLineWidth(int width) { lineWidth_ = width; }

    result Clear();
    result Clear(const Rectangle& area);
    result DrawText(const Point& topLeft, const Base::String& text);
    // The text in one line inside `area`, elided with "..." when it does not fit.
    result DrawText(const Rectangle& area, const Base::String& text, TextHorizontalAlignment horizontal,
        TextVerticalAlignment vertical = TEXT_ALIGNMENT_MIDDLE);
    result DrawText(const Point& topLeft, const EnrichedText& text);
    result DrawBitmap(const Point& topLeft, const Bitmap& bitmap);
    result DrawBitmap(const Rectangle& area, const Bitmap& bitmap);
    result DrawNinePatchedBitmap(const Rectangle& area, const Bitmap& bitmap);
    result DrawLine(const Point& from, const Point& to);
    result DrawRectangle(const Rectangle& area);
    result FillRectangle(const Color& color, const Rectangle& area);
    result FillRoundRectangle(const Color& color, const Rectangle& area, const Dimension& arc);
    result FillEllipse(const Color& color, const Rectangle& area);
    result DrawEllipse(const Rectangle& area);

    // Own canvases only: the colour of one pixel, for checks.
    result GetPixel(const Point& point, Color& color) const;
    // Own canvases only: a copy of the picture.
    Bitmap* GetBitmapN() const;

private:
    bool IsReady() const { return painter_ != nullptr; }

    std::unique_ptr<QImage> image_;
    std::unique_ptr<QPainter> ownPainter_;
    QPainter* painter_ = nullptr;
    Rectangle bounds_;
    Color foreground_ = Color(0, 0, 0);
    Color background_ = Color(0, 0, 0, 0);
    Font font_;
    int lineWidth_ = 1;
};

}  // namespace Ixa::Graphics
