// Text laid out in a box: runs of text with their own fonts and colours, pictures inline
// with the text, and links that can be found by position (so a tap on them can be reported).
// GetTotalLineHeight measures the laid-out text, which the program uses to size labels.
// Threading and ownership: user-interface thread. Elements and pictures are borrowed: they
// must outlive the text's use, unless RemoveAll(true) hands them over for deletion.
#pragma once

#include "platform/Bitmap.h"
#include "platform/TextElement.h"

#include <memory>
#include <vector>

class QPainter;
class QPoint;
class QTextDocument;

namespace Ixa::Graphics {

class EnrichedText : public Base::Object {
public:
    EnrichedText();
    ~EnrichedText() override;

    EnrichedText(const EnrichedText&) = delete;
    EnrichedText& operator=(const EnrichedText&) = delete;

    result Construct(const Dimension& size);
    result Add(TextElement& element);
    result Add(Bitmap& bitmap);
    // Deletes the elements and pictures as well when `deleteItems`.
    result RemoveAll(bool deleteItems);
    int GetCount() const { return static_cast<int>(items_.size()); }

    result SetSize(const Dimension& size);
    Dimension GetSize() const { return size_; }
    result SetHorizontalAlignment(TextHorizontalAlignment alignment);
    result SetVerticalAlignment(TextVerticalAlignment alignment);
    result SetTextWrapStyle(TextWrapStyle style);
    result SetTextAbbreviationEnabled(bool enabled);

    // Height of all laid-out lines; may exceed the box height.
    int GetTotalLineHeight() const;
    int GetTotalLineCount() const;
    // Width of the widest laid-out line.
    int GetWidth() const;
    int GetTextLength() const;
    // The link under `point` (box coordinates): E_OBJ_NOT_FOUND when there is none.
    result GetLinkAt(const Point& point, LinkType& type, Base::String& link, Base::String& text) const;

    // Platform side: draws the box with its top-left corner at `topLeft`.
    void Paint(QPainter& painter, const QPoint& topLeft) const;

private:
    struct Item {
        TextElement* text;
        Bitmap* bitmap;
    };
    struct Link {
        LinkType type;
        Base::String link;
        Base::String text;
    };

    void Invalidate();
    QTextDocument& Document() const;
    void Build(QTextDocument& document) const;
    void InsertText(QTextDocument& document, const TextElement& element) const;
    int VerticalOffset() const;

    std::vector<Item> items_;
    Dimension size_;
    TextHorizontalAlignment horizontal_ = TEXT_ALIGNMENT_LEFT;
    TextVerticalAlignment vertical_ = TEXT_ALIGNMENT_TOP;
    TextWrapStyle wrap_ = TEXT_WRAP_WORD_WRAP;
    bool abbreviation_ = false;
    mutable std::unique_ptr<QTextDocument> document_;
    mutable std::vector<Link> links_;
};

}  // namespace Ixa::Graphics
