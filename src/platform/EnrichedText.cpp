#include "platform/EnrichedText.h"

#include "platform/LinkFinder.h"
#include "platform/QtBridge.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>

#include <cmath>

namespace Ixa::Graphics {

EnrichedText::EnrichedText() = default;

EnrichedText::~EnrichedText() = default;

result EnrichedText::Construct(const Dimension& size)
{
    if (size.width <= 0 || size.height <= 0)
        return E_INVALID_ARG;
    size_ = size;
    Invalidate();
    return E_SUCCESS;
}

result EnrichedText::Add(TextElement& element)
{
    items_.push_back({&element, nullptr});
    Invalidate();
    return E_SUCCESS;
}

result EnrichedText::Add(Bitmap& bitmap)
{
    if (!bitmap.IsConstructed())
        return E_INVALID_ARG;
    items_.push_back({nullptr, &bitmap});
    Invalidate();
    return E_SUCCESS;
}

result EnrichedText::RemoveAll(bool deleteItems)
{
    if (deleteItems) {
        for (const Item& item : items_) {
            delete item.text;
            delete item.bitmap;
        }
    }
    items_.clear();
    Invalidate();
    return E_SUCCESS;
}

void EnrichedText::Invalidate() { document_.reset(); }

result EnrichedText::SetSize(const Dimension& size) { return Construct(size); }

result EnrichedText::SetHorizontalAlignment(TextHorizontalAlignment alignment)
{
    horizontal_ = alignment;
    Invalidate();
    return E_SUCCESS;
}

result EnrichedText::SetVerticalAlignment(TextVerticalAlignment alignment)
{
    vertical_ = alignment;
    return E_SUCCESS;
}

result EnrichedText::SetTextWrapStyle(TextWrapStyle style)
{
    wrap_ = style;
    Invalidate();
    return E_SUCCESS;
}

result EnrichedText::SetTextAbbreviationEnabled(bool enabled)
{
    abbreviation_ = enabled;
    return E_SUCCESS;
}

int EnrichedText::GetTotalLineHeight() const
{
    return static_cast<int>(Document().size().height() + 0.5);
}

int EnrichedText::GetTotalLineCount() const
{
    // Blocks have no lines until the document has been laid out, which asking its size does.
    QTextDocument& document = Document();
    document.size();
    int lines = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines += block.layout()->lineCount();
    return lines;
}

// Rounded up: a width rounded down would wrap the widest line again when laid out at it.
int EnrichedText::GetWidth() const { return static_cast<int>(std::ceil(Document().idealWidth())); }

int EnrichedText::GetTextLength() const
{
    int length = 0;
    for (const Item& item : items_)
        length += item.text != nullptr ? item.text->GetText().GetLength() : 1;
    return length;
}

result EnrichedText::GetLinkAt(const Point& point, LinkType& type, Base::String& link, Base::String& text) const
{
    const QString anchor
        = Document().documentLayout()->anchorAt(QPointF(point.x, point.y - VerticalOffset()));
    bool ok = false;
    const int index = anchor.toInt(&ok);
    if (!ok || index < 0 || index >= static_cast<int>(links_.size()))
        return E_OBJ_NOT_FOUND;
    type = links_[index].type;
    link = links_[index].link;
    text = links_[index].text;
    return E_SUCCESS;
}

void EnrichedText::Paint(QPainter& painter, const QPoint& topLeft) const
{
    painter.save();
    painter.translate(topLeft.x(), topLeft.y() + VerticalOffset());
    const QRectF clip(0, -VerticalOffset(), size_.width, size_.height);
    Document().drawContents(&painter, clip);
    painter.restore();
}

int EnrichedText::VerticalOffset() const
{
    const int free = size_.height - GetTotalLineHeight();
    if (free <= 0 || vertical_ == TEXT_ALIGNMENT_TOP)
        return 0;
    return vertical_ == TEXT_ALIGNMENT_MIDDLE ? free / 2 : free;
}

QTextDocument& EnrichedText::Document() const
{
    if (!document_) {
        document_ = std::make_unique<QTextDocument>();
        links_.clear();
        Build(*document_);
    }
    return *document_;
}

void EnrichedText::Build(QTextDocument& document) const
{
    document.setDocumentMargin(0);
    document.setTextWidth(size_.width);
    QTextOption option = document.defaultTextOption();
    option.setAlignment(horizontal_ == TEXT_ALIGNMENT_CENTER ? Qt::AlignHCenter
            : horizontal_ == TEXT_ALIGNMENT_RIGHT            ? Qt::AlignRight
                                                             : Qt::AlignLeft);
    option.setWrapMode(wrap_ == TEXT_WRAP_NONE ? QTextOption::NoWrap
            : wrap_ == TEXT_WRAP_CHARACTER_WRAP ? QTextOption::WrapAnywhere
                                                : QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setDefaultFont(QtBridge::PixelFont(Font().GetSize()));
    int imageNumber = 0;
    for (const Item& item : items_) {
        if (item.text != nullptr) {
            InsertText(document, *item.text);
            continue;
        }
        const QString name = QStringLiteral("image:%1").arg(imageNumber++);
        document.addResource(QTextDocument::ImageResource, QUrl(name), item.bitmap->GetImage());
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        QTextImageFormat format;
        format.setName(name);
        format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
        cursor.insertImage(format);
    }
}

void EnrichedText::InsertText(QTextDocument& document, const TextElement& element) const
{
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat plain;
    plain.setFont(QtBridge::ToQFont(element.GetFont()));
    plain.setForeground(QtBridge::ToQColor(element.GetTextColor()));
    const QString text = QtBridge::ToQString(element.GetText());
    auto insertLink = [&](const QString& shown, LinkType type, const QString& target) {
        QTextCharFormat format = plain;
        format.setAnchor(true);
        format.setAnchorHref(QString::number(links_.size()));
        format.setFontUnderline(true);
        links_.push_back({type, QtBridge::FromQString(target), QtBridge::FromQString(shown)});
        cursor.insertText(shown, format);
    };
    if (element.GetLinkType() != LINK_TYPE_NONE) {
        insertLink(text, element.GetLinkType(), QtBridge::ToQString(element.GetLink()));
        return;
    }
    int position = 0;
    for (const LinkFinder::Match& match : LinkFinder::Find(text, element.GetAutoLinkMask())) {
        cursor.insertText(text.mid(position, match.start - position), plain);
        insertLink(text.mid(match.start, match.length), match.type, match.link);
        position = match.start + match.length;
    }
    cursor.insertText(text.mid(position), plain);
}

}  // namespace Ixa::Graphics
