#include "platform/ScreenProbe.h"

#include "platform/Animation.h"
#include "platform/Button.h"
#include "platform/CheckButton.h"
#include "platform/EditArea.h"
#include "platform/EditField.h"
#include "platform/Footer.h"
#include "platform/Form.h"
#include "platform/Frame.h"
#include "platform/GroupedListView.h"
#include "platform/FrameWindow.h"
#include "platform/Header.h"
#include "platform/IconListView.h"
#include "platform/KeypadOverlay.h"
#include "platform/Label.h"
#include "platform/ListView.h"
#include "platform/Popup.h"
#include "platform/SearchBar.h"
#include "platform/TextBox.h"
#include "platform/QtBridge.h"
#include "platform/ScreenshotRecorder.h"
#include "platform/UiEventQueue.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <sstream>

namespace Ixa::Ui {

namespace {

Controls::Frame* ActiveFrame() { return Controls::Frame::GetActiveFrame(); }

Graphics::Rectangle ToWindow(const QWidget& widget, const Graphics::Rectangle& local)
{
    const QPoint origin = widget.mapTo(widget.window(), QPoint(local.x, local.y));
    return Graphics::Rectangle(origin.x(), origin.y(), local.width, local.height);
}

void AddAreas(std::vector<ScreenProbe::Entry>& entries, const char* kind, ActionBar& bar)
{
    if (bar.GetWidget() == nullptr || !bar.IsVisible())
        return;
    for (const ActionArea& area : bar.GetActionAreas()) {
        ScreenProbe::Entry entry;
        entry.kind = kind;
        entry.text = area.text.ToUtf8();
        entry.actionId = area.actionId;
        entry.enabled = area.enabled;
        entry.selected = area.selected;
        entry.bounds = ToWindow(*bar.GetWidget(), area.rect);
        entry.control = &bar;
        entries.push_back(entry);
    }
}

// As on the device, the widget a touch went down on gets its moves and its release, wherever
// the finger goes meanwhile.
QPointer<QWidget>& TouchedWidget()
{
    static QPointer<QWidget> touched;
    return touched;
}

bool SendMouse(QEvent::Type type, const Graphics::Point& point)
{
    Controls::Frame* frame = ActiveFrame();
    if (frame == nullptr)
        return false;
    QWidget* window = frame->GetWidget();
    QWidget* target = window->childAt(point.x, point.y);
    if (target == nullptr)
        target = window;
    if (type == QEvent::MouseButtonPress)
        TouchedWidget() = target;
    else if (TouchedWidget() != nullptr)
        target = TouchedWidget();
    if (type == QEvent::MouseButtonRelease)
        TouchedWidget() = nullptr;
    const QPointF local = target->mapFrom(window, QPoint(point.x, point.y));
    const QPointF global = window->mapToGlobal(QPoint(point.x, point.y));
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
    if (type == QEvent::MouseButtonPress && target->focusPolicy() != Qt::NoFocus)
        target->setFocus(Qt::MouseFocusReason);
    QApplication::sendEvent(target, &event);
    return true;
}

}  // namespace

std::vector<ScreenProbe::Entry> ScreenProbe::ListEntries()
{
    std::vector<Entry> entries;
    Controls::Frame* frame = ActiveFrame();
    if (frame == nullptr)
        return entries;
    if (KeypadOverlay* keypad = KeypadOverlay::Get(); keypad != nullptr && keypad->GetClient() != nullptr) {
        for (const ActionArea& key : keypad->GetKeys()) {
            Entry entry;
            entry.kind = "Keypad";
            entry.text = key.text.ToUtf8();
            entry.actionId = key.actionId;
            entry.bounds = ToWindow(*keypad->GetWidget(), key.rect);
            entries.push_back(entry);
        }
    }
    const QObjectList popups = frame->GetWindow().PopupHost()->children();
    for (auto popup = popups.rbegin(); popup != popups.rend(); ++popup) {
        auto* widget = qobject_cast<QWidget*>(*popup);
        if (widget == nullptr || widget->isHidden())
            continue;
        Control* control = Control::FromWidget(widget);
        if (auto* box = dynamic_cast<Controls::Popup*>(control)) {
            Entry entry;
            entry.kind = "Popup";
            entry.text = box->GetTitleText().ToUtf8();
            entry.bounds = WindowBounds(*box);
            entry.control = box;
            entries.push_back(entry);
            AddControls(entries, box->GetContentWidget(), true);
        }
    }
    AddForm(entries);
    AddStatusNotice(entries);
    return entries;
}

void ScreenProbe::AddStatusNotice(std::vector<Entry>& entries)
{
    const FrameWindow& window = ActiveFrame()->GetWindow();
    const QString notice = window.VisibleStatusNotice();
    if (notice.isEmpty())
        return;
    Entry entry;
    entry.kind = "StatusNotice";
    entry.text = notice.toStdString();
    const QRect area = window.OngoingEntryRect();
    entry.bounds = Graphics::Rectangle(area.x(), area.y(), area.width(), area.height());
    entries.push_back(entry);
}

void ScreenProbe::AddForm(std::vector<Entry>& entries)
{
    Controls::Form* form = ActiveFrame()->GetCurrentForm();
    if (form == nullptr)
        return;
    Entry entry;
    entry.kind = "Form";
    entry.text = form->GetName().ToUtf8();
    entry.bounds = WindowBounds(*form);
    entry.control = form;
    entries.push_back(entry);
    if (Controls::Header* header = form->GetHeader(); header != nullptr && header->IsVisible()) {
        Entry title;
        title.kind = "Title";
        title.text = header->GetTitleText().ToUtf8();
        title.bounds = WindowBounds(*header);
        title.control = header;
        entries.push_back(title);
        AddAreas(entries, "Header", *header);
    }
    if (Controls::Footer* footer = form->GetFooter())
        AddAreas(entries, "Footer", *footer);
    AddControls(entries, form->GetContentWidget(), false);
}

void ScreenProbe::AddControls(std::vector<Entry>& entries, const QWidget* root, bool)
{
    // Children in drawing order; the ScreenProbe lists the ones a user can see.
    for (QObject* child : root->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr || widget->isHidden())
            continue;
        if (Control* control = Control::FromWidget(widget))
            AddControl(entries, *control);
        else
            AddControls(entries, widget, false);
    }
}

void ScreenProbe::AddControl(std::vector<Entry>& entries, Control& control)
{
    Entry entry;
    entry.control = &control;
    entry.bounds = WindowBounds(control);
    entry.enabled = control.IsEnabled();
    if (auto* button = dynamic_cast<Controls::Button*>(&control)) {
        entry.kind = "Button";
        entry.text = button->GetText().ToUtf8();
        entry.actionId = button->GetActionId();
    } else if (auto* check = dynamic_cast<Controls::CheckButton*>(&control)) {
        entry.kind = "CheckButton";
        entry.text = check->GetText().ToUtf8();
        entry.actionId = check->GetCheckedActionId();
        entry.secondActionId = check->GetUncheckedActionId();
        entry.selected = check->IsSelected();
    } else if (auto* label = dynamic_cast<Controls::Label*>(&control)) {
        entry.kind = "Label";
        entry.text = label->GetText().ToUtf8();
    } else if (auto* field = dynamic_cast<Controls::EditField*>(&control)) {
        entry.kind = "EditField";
        entry.text = field->GetText().ToUtf8();
    } else if (auto* area = dynamic_cast<Controls::EditArea*>(&control)) {
        entry.kind = "EditArea";
        entry.text = area->GetText().ToUtf8();
    } else if (auto* list = dynamic_cast<Controls::ListView*>(&control)) {
        AddListView(entries, entry, *list);
        return;
    } else if (auto* grouped = dynamic_cast<Controls::GroupedListView*>(&control)) {
        AddGroupedListView(entries, entry, *grouped);
        return;
    } else if (auto* search = dynamic_cast<Controls::SearchBar*>(&control)) {
        entry.kind = "SearchBar";
        entry.text = search->GetText().ToUtf8();
        entry.selected = search->GetMode() == Controls::SEARCH_BAR_MODE_INPUT;
        entries.push_back(entry);
        AddControls(entries, search->GetContentWidget(), false);
        return;
    } else if (auto* animation = dynamic_cast<Controls::Animation*>(&control)) {
        entry.kind = "Animation";
        entry.text = "frame " + std::to_string(animation->GetCurrentFrameIndex()) + " of " + std::to_string(animation->GetFrameCount());
        entry.selected = animation->GetStatus() == Controls::ANIMATION_PLAYING;
    } else if (auto* box = dynamic_cast<Controls::TextBox*>(&control)) {
        entry.kind = "TextBox";
        entry.text = box->GetText().ToUtf8();
    } else if (auto* icons = dynamic_cast<Controls::IconListView*>(&control)) {
        AddIconListView(entries, entry, *icons);
        return;
    } else if (auto* container = dynamic_cast<Container*>(&control)) {
        entry.kind = "Container";
        entries.push_back(entry);
        AddControls(entries, container->GetContentWidget(), false);
        return;
    } else {
        entry.kind = "Control";
    }
    entries.push_back(entry);
}

template <typename NameRow>
void ScreenProbe::AddRows(std::vector<Entry>& entries, Controls::RowListBase& list, NameRow nameRow)
{
    const int first = list.GetRowIndexFromPosition(Graphics::Point(0, 0));
    for (int row = std::max(0, first); first >= 0 && row < list.GetRowCount(); ++row) {
        Controls::ListItemBase* item = list.GetRowItem(row);
        if (item == nullptr)
            continue;
        Entry rowEntry;
        rowEntry.control = &list;
        rowEntry.selected = list.IsRowChecked(row);
        // Only what is in view, so that looking does not scroll and a tap lands inside the list.
        const Graphics::Rectangle bounds = list.GetRowBounds(row);
        const int top = std::max(0, bounds.y);
        const int bottom = std::min(list.GetHeight(), bounds.y + bounds.height);
        rowEntry.bounds = ToWindow(*list.GetWidget(), Graphics::Rectangle(bounds.x, top, bounds.width, bottom - top));
        for (const Base::String& text : item->GetTexts())
            rowEntry.text += (rowEntry.text.empty() ? "" : " | ") + text.ToUtf8();
        nameRow(rowEntry, row);
        entries.push_back(rowEntry);
        if (list.GetRowIndexFromPosition(Graphics::Point(0, list.GetHeight() - 1)) == row)
            break;
    }
}

void ScreenProbe::AddListView(std::vector<Entry>& entries, Entry entry, Controls::ListView& list)
{
    entry.kind = "ListView";
    entry.text = list.GetItemCount() == 0 ? list.GetTextOfEmptyList().ToUtf8() : std::to_string(list.GetItemCount()) + " rows";
    entries.push_back(entry);
    AddRows(entries, list, [](Entry& row, int index) {
        row.kind = "ListRow";
        row.row = index;
    });
}

void ScreenProbe::AddGroupedListView(std::vector<Entry>& entries, Entry entry, Controls::GroupedListView& list)
{
    entry.kind = "GroupedListView";
    entry.text = list.GetGroupCount() == 0 ? list.GetTextOfEmptyList().ToUtf8() : std::to_string(list.GetGroupCount()) + " groups";
    entries.push_back(entry);
    AddRows(entries, list, [&list](Entry& row, int index) {
        const auto [group, item] = list.GetItemOfRow(index);
        row.kind = item < 0 ? "GroupHeader" : "GroupedRow";
        row.group = group;
        row.row = item;
    });
}

void ScreenProbe::AddIconListView(std::vector<Entry>& entries, Entry entry, Controls::IconListView& icons)
{
    entry.kind = "IconListView";
    entry.text = std::to_string(icons.GetItemCount()) + " icons";
    entries.push_back(entry);
    for (int index = 0; index < icons.GetItemCount(); ++index) {
        const Graphics::Rectangle cell = icons.GetItemBounds(index);
        if (cell.y + cell.height <= 0)
            continue;
        if (cell.y >= icons.GetHeight())
            break;
        const Controls::IconListViewItem* item = icons.GetItemAt(index);
        Entry icon;
        icon.kind = "Icon";
        icon.row = index;
        icon.control = &icons;
        icon.text = item != nullptr ? item->GetText().ToUtf8() : std::string();
        icon.selected = icons.IsItemChecked(index);
        const int top = std::max(0, cell.y);
        const int bottom = std::min(icons.GetHeight(), cell.y + cell.height);
        icon.bounds = ToWindow(*icons.GetWidget(), Graphics::Rectangle(cell.x, top, cell.width, bottom - top));
        entries.push_back(icon);
    }
}

std::string ScreenProbe::Describe()
{
    std::ostringstream out;
    for (const Entry& entry : ListEntries()) {
        out << entry.kind;
        if (entry.group >= 0)
            out << " " << entry.group;
        if (entry.group >= 0 && entry.row >= 0)
            out << "." << entry.row;
        else if (entry.row >= 0)
            out << " " << entry.row;
        if (!entry.text.empty())
            out << " \"" << entry.text << "\"";
        if (entry.actionId >= 0)
            out << " #" << entry.actionId;
        if (entry.secondActionId >= 0)
            out << "/" << entry.secondActionId;
        if (!entry.enabled)
            out << " (disabled)";
        if (entry.selected)
            out << " (selected)";
        out << "\n";
    }
    return out.str();
}

bool ScreenProbe::PressAt(const Graphics::Point& point) { return SendMouse(QEvent::MouseButtonPress, point); }

bool ScreenProbe::ReleaseAt(const Graphics::Point& point) { return SendMouse(QEvent::MouseButtonRelease, point); }

bool ScreenProbe::MoveTo(const Graphics::Point& point) { return SendMouse(QEvent::MouseMove, point); }

bool ScreenProbe::TapAt(const Graphics::Point& point) { return PressAt(point) && ReleaseAt(point); }

bool ScreenProbe::Tap(const Entry& entry)
{
    return TapAt(Graphics::Point(entry.bounds.x + entry.bounds.width / 2, entry.bounds.y + entry.bounds.height / 2));
}

bool ScreenProbe::TypeText(const Base::String& text)
{
    QWidget* focus = QApplication::focusWidget();
    // The handset's window need not be the desktop's active window (offscreen, activation is
    // not guaranteed); its own focus widget is where the keys go.
    if (focus == nullptr && ActiveFrame() != nullptr)
        focus = ActiveFrame()->GetWidget()->focusWidget();
    if (focus == nullptr)
        return false;
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QtBridge::ToQString(text));
    QApplication::sendEvent(focus, &press);
    return true;
}

void ScreenProbe::ProcessEvents(int maxRounds)
{
    for (int round = 0; round < maxRounds; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (UiEventQueue::GetPendingCount() == 0 && round > 1)
            return;
    }
}

Graphics::Rectangle ScreenProbe::WindowBounds(const Control& control)
{
    const QWidget* widget = control.GetWidget();
    if (widget == nullptr)
        return Graphics::Rectangle();
    return ToWindow(*widget, Graphics::Rectangle(0, 0, widget->width(), widget->height()));
}

std::vector<Graphics::Color> ScreenProbe::ReadPixels(const Graphics::Rectangle& area)
{
    std::vector<Graphics::Color> pixels;
    if (ActiveFrame() == nullptr)
        return pixels;
    const QImage image = ScreenshotRecorder::Render(ActiveFrame()->GetWindow()).convertToFormat(QImage::Format_RGB32);
    const QRect inside = QtBridge::ToQRect(area).intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            pixels.emplace_back(qRed(pixel), qGreen(pixel), qBlue(pixel));
        }
    }
    return pixels;
}

}  // namespace Ixa::Ui
