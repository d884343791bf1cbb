// One row of the conversation: a received bubble with the contact's avatar, an own bubble
// with its sending or resend decoration, or a centred notice. The message text is drawn with
// its emoticon codes replaced by their pictures and its links tappable; the time sits under
// the text inside the bubble.
// Threading: user-interface thread. Ownership: the row owns its rich text, the text runs and
// the pictures in it; the avatar is copied.
#pragma once

#include "emoticons/EmoticonSegment.h"

#include "platform/Bitmap.h"
#include "platform/CustomItem.h"
#include "platform/EnrichedText.h"

#include <memory>
#include <vector>

class ChatBubbleItem : public Ixa::Ui::Controls::CustomItem {
public:
    enum Kind { RECEIVED, SENDING, SENT, FAILED, NOTICE };
    enum Element { ELEMENT_BUBBLE = 710, ELEMENT_TEXT = 711, ELEMENT_RESEND = 712, ELEMENT_TIME = 713, ELEMENT_AVATAR = 714, ELEMENT_STATUS = 715 };

    ChatBubbleItem(Kind kind, const Ixa::Base::String& text, const Ixa::Base::String& time);
    ~ChatBubbleItem() override;

    // Lays the row out for `width`; `avatar` (received rows only) may be null.
    Ixa::result Construct(int width, const Ixa::Graphics::Bitmap* avatar);

    Kind GetKind() const { return kind_; }
    // What the bubble draws: text runs and emoticon pictures, in order.
    const std::vector<EmoticonSegment>& GetSegments() const { return segments_; }
    std::vector<Ixa::Base::String> GetTexts() const override;

private:
    // Fills the rich text and answers the size it needs at most `maxWidth` wide.
    Ixa::Graphics::Dimension buildText(int maxWidth);
    int rowHeight(const Ixa::Graphics::Dimension& textSize) const;
    void addBubble(int width, const Ixa::Graphics::Dimension& textSize);
    void addDecoration(const Ixa::Graphics::Rectangle& bubble);
    void addAvatar(const Ixa::Graphics::Bitmap* avatar, int height);
    Ixa::result constructNotice(int width);

    Kind kind_;
    Ixa::Base::String text_;
    Ixa::Base::String time_;
    std::vector<EmoticonSegment> segments_;
    std::unique_ptr<Ixa::Graphics::EnrichedText> rich_;
};
