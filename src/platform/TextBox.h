// A read-only box of word-wrapped text in which web addresses, e-mail addresses and telephone
// numbers of the kinds in the auto-link mask are shown as links; a tap on one reaches the
// link listeners (the legal-notices popup opens its address this way). Text taller than the
// box is cut at its bottom edge; a screen that needs more puts the box in a scroll panel.
// Threading and ownership: user-interface thread; listeners are borrowed.
#pragma once

#include "platform/Color.h"
#include "platform/Control.h"
#include "platform/EnrichedText.h"
#include "platform/IUiLinkEventListener.h"
#include "platform/ListenerList.h"

class QPainter;
class QPoint;

namespace Ixa::Ui::Controls {

enum TextBoxBorder { TEXT_BOX_BORDER_NONE = 0, TEXT_BOX_BORDER_ROUNDED = 1 };

class TextBox : public Control {
public:
    TextBox();
    ~TextBox() override;

    result Construct(const Graphics::Rectangle& rect, TextBoxBorder border = TEXT_BOX_BORDER_ROUNDED);
    result SetText(const Base::String& text);
    Base::String GetText() const { return text_; }
    result AppendText(const Base::String& text);
    result Clear() { return SetText(Base::String()); }
    result SetTextSize(int size);
    result SetTextColor(const Graphics::Color& color);
    // A mask of Graphics::LinkType values; none by default.
    result SetAutoLinkMask(unsigned long autoLinkMask);
    unsigned long GetAutoLinkMask() const { return autoLinkMask_; }
    // Height of the laid-out text, which may exceed the box.
    int GetTextTotalHeight() const { return layout_.GetTotalLineHeight(); }
    void AddUiLinkEventListener(IUiLinkEventListener& listener) { linkListeners_.Add(listener); }
    void RemoveUiLinkEventListener(IUiLinkEventListener& listener) { linkListeners_.Remove(listener); }

    // Platform side, for the ScreenProbe and tests: the link under a point of the box.
    result GetLinkAt(const Graphics::Point& point, Graphics::LinkType& type, Base::String& link, Base::String& text) const;

protected:
    void OnBoundsChanged() override;

private:
    void Relayout();
    void Paint(QPainter& painter);
    void Release(const QPoint& point);

    Base::String text_;
    Graphics::TextElement element_;
    Graphics::EnrichedText layout_;
    ListenerList<IUiLinkEventListener> linkListeners_;
    TextBoxBorder border_ = TEXT_BOX_BORDER_ROUNDED;
    Graphics::Color color_ = Graphics::Color(255, 255, 255);
    int textSize_ = 28;
    unsigned long autoLinkMask_ = 0;
};

}  // namespace Ixa::Ui::Controls
