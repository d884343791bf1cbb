#include "platform/EditField.h"

#include "platform/QtBridge.h"
#include "platform/TextInputFilter.h"
#include "platform/UiTheme.h"

#include <QLabel>
#include <QLineEdit>

namespace Ixa::Ui::Controls {

namespace {

constexpr int TitleHeight = 28;

}  // namespace

EditField::EditField() : keypad_(*this) {}

EditField::~EditField() { DestroyWidget(); }

result EditField::Construct(const Graphics::Rectangle& rect, EditFieldStyle style, InputStyle inputStyle, bool showTitle, int limitLength)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    if (limitLength <= 0)
        return E_INVALID_ARG;
    auto* widget = new QWidget;
    line_ = new QLineEdit(widget);
    line_->setMaxLength(limitLength);
    line_->setFont(UiTheme::Font(UiTheme::TextSize));
    if (style == EDIT_FIELD_STYLE_PASSWORD)
        line_->setEchoMode(QLineEdit::Password);
    if (showTitle) {
        titleLabel_ = new QLabel(widget);
        titleLabel_->setFont(UiTheme::Font(UiTheme::SmallTextSize));
        titleLabel_->setStyleSheet(QStringLiteral("color: #9aa8b8;"));
    }
    style_ = style;
    keypad_.overlay = inputStyle == INPUT_STYLE_OVERLAY;
    keypad_.textWidget = line_;
    keypad_.insertText = [this](const Base::String& text) { line_->insert(QtBridge::ToQString(text)); };
    new TextInputFilter(*line_, keypad_, true);
    QObject::connect(line_, &QLineEdit::textChanged, line_, [this] {
        textListeners_.Notify([&](ITextEventListener& listener) { listener.OnTextValueChanged(*this); });
    });
    AdoptWidget(widget, rect);
    Relayout();
    return E_SUCCESS;
}

result EditField::SetText(const Base::String& text)
{
    if (line_ == nullptr)
        return E_INVALID_STATE;
    const QSignalBlocker quiet(line_);
    line_->setText(QtBridge::ToQString(text));
    return E_SUCCESS;
}

Base::String EditField::GetText() const { return line_ != nullptr ? QtBridge::FromQString(line_->text()) : Base::String(); }

int EditField::GetTextLength() const { return line_ != nullptr ? static_cast<int>(line_->text().size()) : 0; }

result EditField::AppendText(const Base::String& text)
{
    Base::String joined = GetText();
    joined.Append(text);
    return SetText(joined);
}

result EditField::Clear() { return SetText(Base::String()); }

result EditField::SetGuideText(const Base::String& text)
{
    if (line_ == nullptr)
        return E_INVALID_STATE;
    line_->setPlaceholderText(QtBridge::ToQString(text));
    return E_SUCCESS;
}

Base::String EditField::GetGuideText() const
{
    return line_ != nullptr ? QtBridge::FromQString(line_->placeholderText()) : Base::String();
}

result EditField::SetTitleText(const Base::String& text)
{
    title_ = text;
    if (titleLabel_ != nullptr)
        titleLabel_->setText(QtBridge::ToQString(text));
    return E_SUCCESS;
}

result EditField::SetLimitLength(int limitLength)
{
    if (line_ == nullptr)
        return E_INVALID_STATE;
    if (limitLength <= 0)
        return E_INVALID_ARG;
    line_->setMaxLength(limitLength);
    return E_SUCCESS;
}

int EditField::GetLimitLength() const { return line_ != nullptr ? line_->maxLength() : 0; }

result EditField::SetTextSize(int size)
{
    if (line_ == nullptr || size <= 0)
        return E_INVALID_ARG;
    line_->setFont(UiTheme::Font(size));
    return E_SUCCESS;
}

result EditField::SetColor(const Graphics::Color& textColor)
{
    if (line_ == nullptr)
        return E_INVALID_STATE;
    QPalette palette = line_->palette();
    palette.setColor(QPalette::Text, QtBridge::ToQColor(textColor));
    line_->setPalette(palette);
    return E_SUCCESS;
}

result EditField::SetInputModeCategory(unsigned long categories, bool enable)
{
    inputCategories_ = enable ? inputCategories_ | categories : inputCategories_ & ~categories;
    return E_SUCCESS;
}

result EditField::SetKeypadAction(KeypadAction action)
{
    keypad_.action = action;
    return E_SUCCESS;
}

result EditField::SetOverlayKeypadCommandButtonVisible(bool visible)
{
    keypad_.commandButtonsVisible = visible;
    return E_SUCCESS;
}

result EditField::SetOverlayKeypadCommandButton(CommandButtonPosition position, const Base::String& text, int actionId)
{
    keypad_.commands[position] = KeypadSupport::CommandButton{text, actionId};
    return E_SUCCESS;
}

result EditField::ShowKeypad()
{
    if (line_ == nullptr)
        return E_INVALID_STATE;
    line_->setFocus(Qt::OtherFocusReason);
    keypad_.Open();
    return E_SUCCESS;
}

result EditField::HideKeypad()
{
    keypad_.Close();
    return E_SUCCESS;
}

void EditField::OnBoundsChanged() { Relayout(); }

void EditField::Relayout()
{
    if (line_ == nullptr)
        return;
    const Graphics::Rectangle bounds = GetBounds();
    const int top = titleLabel_ != nullptr ? TitleHeight : 0;
    if (titleLabel_ != nullptr)
        titleLabel_->setGeometry(4, 0, bounds.width - 8, TitleHeight);
    line_->setGeometry(0, top, bounds.width, bounds.height - top);
}

}  // namespace Ixa::Ui::Controls
