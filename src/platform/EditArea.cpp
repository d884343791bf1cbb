#include "platform/EditArea.h"

#include "platform/QtBridge.h"
#include "platform/TextInputFilter.h"
#include "platform/UiTheme.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

namespace Ixa::Ui::Controls {

EditArea::EditArea() : keypad_(*this) {}

EditArea::~EditArea() { DestroyWidget(); }

result EditArea::Construct(const Graphics::Rectangle& rect, InputStyle inputStyle, int maxExpandableLines, int limitLength)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    if (maxExpandableLines < 1 || limitLength <= 0)
        return E_INVALID_ARG;
    edit_ = new QPlainTextEdit;
    edit_->setFont(UiTheme::Font(UiTheme::TextSize));
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    baseHeight_ = rect.height;
    maxLines_ = maxExpandableLines;
    limit_ = limitLength;
    keypad_.overlay = inputStyle == INPUT_STYLE_OVERLAY;
    keypad_.textWidget = edit_;
    keypad_.insertText = [this](const Base::String& text) { edit_->insertPlainText(QtBridge::ToQString(text)); };
    new TextInputFilter(*edit_->viewport(), keypad_, false);
    QObject::connect(edit_, &QPlainTextEdit::textChanged, edit_, [this] { TextChanged(); });
    AdoptWidget(edit_, rect);
    return E_SUCCESS;
}

void EditArea::TextChanged()
{
    const QString text = edit_->toPlainText();
    if (text.size() > limit_) {
        const QSignalBlocker quiet(edit_);
        edit_->setPlainText(text.left(limit_));
        edit_->moveCursor(QTextCursor::End);
    }
    if (maxLines_ > 1) {
        const Graphics::Rectangle bounds = GetBounds();
        const int height = HeightFor(std::min(GetTextLineCount(), maxLines_));
        if (height != bounds.height)
            Control::SetBounds(bounds.x, bounds.y, bounds.width, height);
    }
    textListeners_.Notify([&](ITextEventListener& listener) { listener.OnTextValueChanged(*this); });
}

int EditArea::HeightFor(int lines) const
{
    const int lineHeight = QFontMetrics(edit_->font()).lineSpacing();
    return std::max(baseHeight_, baseHeight_ + (lines - 1) * lineHeight);
}

result EditArea::SetText(const Base::String& text)
{
    if (edit_ == nullptr)
        return E_INVALID_STATE;
    edit_->setPlainText(QtBridge::ToQString(text));
    edit_->moveCursor(QTextCursor::End);
    return E_SUCCESS;
}

Base::String EditArea::GetText() const { return edit_ != nullptr ? QtBridge::FromQString(edit_->toPlainText()) : Base::String(); }

int EditArea::GetTextLength() const { return edit_ != nullptr ? static_cast<int>(edit_->toPlainText().size()) : 0; }

result EditArea::AppendText(const Base::String& text)
{
    if (edit_ == nullptr)
        return E_INVALID_STATE;
    edit_->moveCursor(QTextCursor::End);
    edit_->insertPlainText(QtBridge::ToQString(text));
    return E_SUCCESS;
}

result EditArea::Clear() { return SetText(Base::String()); }

result EditArea::SetGuideText(const Base::String& text)
{
    if (edit_ == nullptr)
        return E_INVALID_STATE;
    edit_->setPlaceholderText(QtBridge::ToQString(text));
    return E_SUCCESS;
}

int EditArea::GetTextLineCount() const
{
    if (edit_ == nullptr)
        return 0;
    int lines = 0;
    for (QTextBlock block = edit_->document()->begin(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout() != nullptr ? block.layout()->lineCount() : 1);
    return lines;
}

result EditArea::SetTextSize(int size)
{
    if (edit_ == nullptr || size <= 0)
        return E_INVALID_ARG;
    edit_->setFont(UiTheme::Font(size));
    return E_SUCCESS;
}

result EditArea::SetOverlayKeypadCommandButtonVisible(bool visible)
{
    keypad_.commandButtonsVisible = visible;
    return E_SUCCESS;
}

result EditArea::SetOverlayKeypadCommandButton(CommandButtonPosition position, const Base::String& text, int actionId)
{
    keypad_.commands[position] = KeypadSupport::CommandButton{text, actionId};
    return E_SUCCESS;
}

result EditArea::ShowKeypad()
{
    if (edit_ == nullptr)
        return E_INVALID_STATE;
    edit_->setFocus(Qt::OtherFocusReason);
    keypad_.Open();
    return E_SUCCESS;
}

result EditArea::HideKeypad()
{
    keypad_.Close();
    return E_SUCCESS;
}

}  // namespace Ixa::Ui::Controls
