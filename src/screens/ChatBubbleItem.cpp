#include "screens/ChatBubbleItem.h"

#include "app/IMManager.h"
#include "emoticons/EmoticonSegmenter.h"

#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/TextElement.h"

#include <algorithm>

namespace {

using Ixa::Graphics::Dimension;
using Ixa::Graphics::Rectangle;

constexpr int Margin = 8;
constexpr int AvatarSize = 56;
constexpr int PadX = 14;
constexpr int PadY = 10;
constexpr int TextSize = 28;
constexpr int TimeSize = 20;
constexpr int TimeHeight = 26;
constexpr int MinTextWidth = 96;
constexpr int StatusSize = 24;
constexpr int ResendSize = 40;
constexpr int NoticeHeight = 48;
// Room kept free beyond a bubble, so that own and received bubbles never line up.
constexpr int FarSide = AvatarSize + 2 * Margin;

const Ixa::Graphics::Color TextColour(255, 255, 255);
const Ixa::Graphics::Color TimeColour(214, 224, 240);
const Ixa::Graphics::Color NoticeColour(150, 156, 168);

void AddPicture(Ixa::Ui::Controls::CustomItem& item, const Rectangle& area, int id, const char* name)
{
    std::unique_ptr<Ixa::Graphics::Bitmap> bitmap(IMManager::GetBitmapN(name));
    if (bitmap != nullptr) {
        item.AddElement(area, id, *bitmap);
    }
}

}  // namespace

ChatBubbleItem::ChatBubbleItem(Kind kind, const Ixa::Base::String& text, const Ixa::Base::String& time)
    : kind_(kind)
    , text_(text)
    , time_(time)
{
}

ChatBubbleItem::~ChatBubbleItem()
{
    if (rich_ != nullptr) {
        rich_->RemoveAll(true);
    }
}

Ixa::result ChatBubbleItem::Construct(int width, const Ixa::Graphics::Bitmap* avatar)
{
    if (kind_ == NOTICE) {
        return constructNotice(width);
    }
    const int maxTextWidth = width - 2 * Margin - FarSide - AvatarSize - 2 * PadX;
    const Dimension textSize = buildText(maxTextWidth);
    const int height = rowHeight(textSize);
    Ixa::result outcome = CustomItem::Construct(Dimension(width, height));
    if (Ixa::IsFailed(outcome)) {
        return outcome;
    }
    if (kind_ == RECEIVED) {
        addAvatar(avatar, height);
    }
    addBubble(width, textSize);
    return Ixa::E_SUCCESS;
}

Ixa::result ChatBubbleItem::constructNotice(int width)
{
    Ixa::result outcome = CustomItem::Construct(Dimension(width, NoticeHeight));
    if (Ixa::IsFailed(outcome)) {
        return outcome;
    }
    const Dimension size(width - 4 * Margin, NoticeHeight);
    rich_ = std::make_unique<Ixa::Graphics::EnrichedText>();
    rich_->Construct(size);
    rich_->SetHorizontalAlignment(Ixa::Graphics::TEXT_ALIGNMENT_CENTER);
    rich_->SetVerticalAlignment(Ixa::Graphics::TEXT_ALIGNMENT_MIDDLE);
    Ixa::Graphics::Font font;
    font.Construct(Ixa::Graphics::FONT_STYLE_ITALIC, TimeSize + 2);
    auto* run = new Ixa::Graphics::TextElement;
    run->Construct(text_);
    run->SetFont(font);
    run->SetTextColor(NoticeColour);
    rich_->Add(*run);
    return AddElement(Rectangle(2 * Margin, 0, size.width, size.height), ELEMENT_TEXT, *rich_);
}

Dimension ChatBubbleItem::buildText(int maxWidth)
{
    rich_ = std::make_unique<Ixa::Graphics::EnrichedText>();
    rich_->Construct(Dimension(maxWidth, 4000));
    rich_->SetTextWrapStyle(Ixa::Graphics::TEXT_WRAP_WORD_WRAP);
    Ixa::Graphics::Font font;
    font.Construct(Ixa::Graphics::FONT_STYLE_PLAIN, TextSize);
    segments_ = EmoticonSegmenter::Split(text_);
    for (const EmoticonSegment& segment : segments_) {
        if (segment.kind == EmoticonSegment::Kind::Picture) {
            std::unique_ptr<Ixa::Graphics::Bitmap> picture(IMManager::GetBitmapN(segment.value));
            if (picture != nullptr && Ixa::IsSucceeded(rich_->Add(*picture))) {
                picture.release();
            }
            continue;
        }
        auto* run = new Ixa::Graphics::TextElement;
        run->Construct(segment.value, Ixa::Graphics::LINK_TYPE_ALL);
        run->SetFont(font);
        run->SetTextColor(TextColour);
        rich_->Add(*run);
    }
    const Dimension size(std::clamp(rich_->GetWidth(), MinTextWidth, maxWidth), std::max(rich_->GetTotalLineHeight(), TextSize));
    rich_->SetSize(size);
    return size;
}

int ChatBubbleItem::rowHeight(const Dimension& textSize) const
{
    const int bubble = PadY + textSize.height + TimeHeight + PadY;
    return Margin + std::max(bubble, kind_ == RECEIVED ? AvatarSize : 0) + Margin;
}

void ChatBubbleItem::addAvatar(const Ixa::Graphics::Bitmap* avatar, int height)
{
    const Rectangle area(Margin, height - Margin - AvatarSize, AvatarSize, AvatarSize);
    if (avatar != nullptr) {
        AddElement(area, ELEMENT_AVATAR, *avatar);
    } else {
        AddPicture(*this, area, ELEMENT_AVATAR, "no_contacts.png");
    }
}

void ChatBubbleItem::addBubble(int width, const Dimension& textSize)
{
    const int bubbleWidth = textSize.width + 2 * PadX;
    const int bubbleHeight = PadY + textSize.height + TimeHeight + PadY;
    const int x = kind_ == RECEIVED ? Margin + AvatarSize + Margin : width - Margin - bubbleWidth;
    const Rectangle bubble(x, Margin, bubbleWidth, bubbleHeight);
    AddPicture(*this, bubble, ELEMENT_BUBBLE, kind_ == RECEIVED ? "02_message_received.9.png" : "02_message_sending.9.png");
    AddElement(Rectangle(x + PadX, Margin + PadY, textSize.width, textSize.height), ELEMENT_TEXT, *rich_);
    AddElement(Rectangle(x + PadX, Margin + PadY + textSize.height, textSize.width, TimeHeight), ELEMENT_TIME, time_, TimeSize,
        TimeColour, TimeColour, TimeColour);
    addDecoration(bubble);
}

void ChatBubbleItem::addDecoration(const Rectangle& bubble)
{
    const int middle = bubble.y + bubble.height / 2;
    if (kind_ == SENDING) {
        AddPicture(*this, Rectangle(bubble.x - Margin - StatusSize, middle - StatusSize / 2, StatusSize, StatusSize), ELEMENT_STATUS,
            "02_message_sending_processing_00.png");
    } else if (kind_ == FAILED) {
        const Rectangle area(bubble.x - Margin - ResendSize, middle - ResendSize / 2, ResendSize, ResendSize);
        std::unique_ptr<Ixa::Graphics::Bitmap> normal(IMManager::GetBitmapN("02_schedule_resend_icon.png"));
        std::unique_ptr<Ixa::Graphics::Bitmap> pressed(IMManager::GetBitmapN("02_schedule_resend_icon_press.png"));
        if (normal != nullptr) {
            AddElement(area, ELEMENT_RESEND, *normal, pressed.get());
            SetElementSelectionEnabled(ELEMENT_RESEND, true);
        }
    }
}

std::vector<Ixa::Base::String> ChatBubbleItem::GetTexts() const
{
    if (kind_ == NOTICE) {
        return {text_};
    }
    return {text_, time_};
}
