#include "platform/ScrollPanel.h"

#include "platform/DragToScroll.h"

#include <QScrollArea>
#include <QScrollBar>

namespace Ixa::Ui::Controls {

ScrollPanel::ScrollPanel() = default;

ScrollPanel::~ScrollPanel()
{
    RemoveAllControls();
    DestroyWidget();
}

result ScrollPanel::Construct(const Graphics::Rectangle& rect)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    area_ = new QScrollArea;
    area_->setFrameShape(QFrame::NoFrame);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_->setWidgetResizable(false);
    area_->viewport()->setAutoFillBackground(false);
    content_ = new QWidget;
    area_->setWidget(content_);
    // QScrollArea::setWidget turns the content's background filling on; the panel shows the
    // form's background instead.
    content_->setAutoFillBackground(false);
    drag_ = new DragToScroll(*area_);
    drag_->Watch(*content_);
    AdoptWidget(area_, rect);
    FitContent();
    return E_SUCCESS;
}

result ScrollPanel::SetScrollPosition(int position)
{
    if (area_ == nullptr)
        return E_INVALID_STATE;
    area_->verticalScrollBar()->setValue(position);
    return E_SUCCESS;
}

int ScrollPanel::GetScrollPosition() const { return area_ != nullptr ? area_->verticalScrollBar()->value() : 0; }

result ScrollPanel::ScrollToControl(const Control& control)
{
    if (area_ == nullptr || control.GetWidget() == nullptr || !IsAncestorOf(control))
        return E_INVALID_ARG;
    area_->ensureWidgetVisible(control.GetWidget());
    return E_SUCCESS;
}

Graphics::Rectangle ScrollPanel::GetClientAreaBounds() const
{
    const Graphics::Rectangle bounds = GetBounds();
    return Graphics::Rectangle(0, 0, bounds.width, bounds.height);
}

QWidget* ScrollPanel::GetContentWidget() const { return content_; }

void ScrollPanel::OnBoundsChanged() { FitContent(); }

void ScrollPanel::OnControlAdded(Control& control)
{
    if (drag_ != nullptr && control.GetWidget() != nullptr)
        drag_->Watch(*control.GetWidget());
    FitContent();
}

void ScrollPanel::FitContent()
{
    if (content_ == nullptr)
        return;
    // The content is as tall as its lowest child, and never shorter than the panel.
    int bottom = GetBounds().height;
    for (int i = 0; i < GetControlCount(); ++i) {
        const Graphics::Rectangle child = GetControl(i)->GetBounds();
        bottom = std::max(bottom, child.y + child.height);
    }
    content_->resize(GetBounds().width, bottom);
}

}  // namespace Ixa::Ui::Controls
