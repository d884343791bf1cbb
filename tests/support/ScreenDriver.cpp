#include "ScreenDriver.h"

#include "platform/Button.h"
#include "platform/EditField.h"
#include "platform/Frame.h"
#include "platform/GroupedListView.h"
#include "platform/IconListView.h"
#include "platform/KeypadOverlay.h"
#include "platform/ListContextItem.h"
#include "platform/ListView.h"
#include "platform/SearchBar.h"
#include "platform/TextBox.h"
#include "platform/FrameClock.h"
#include "platform/VirtualClock.h"

#include <algorithm>

using Ixa::Ui::ScreenProbe;

namespace {

Ixa::Graphics::Point Center(const Ixa::Graphics::Rectangle& bounds)
{
    return Ixa::Graphics::Point(bounds.x + bounds.width / 2, bounds.y + bounds.height / 2);
}

}  // namespace

ScreenDriver::ScreenDriver() { Ixa::Base::Runtime::VirtualClock::Enable(); }

ScreenDriver::~ScreenDriver()
{
    Shutdown();
    Ixa::Base::Runtime::VirtualClock::Disable();
}

Ixa::result ScreenDriver::Launch(Ixa::App::ApplicationInstanceFactory factory, const std::vector<std::string>& arguments)
{
    const Ixa::result launched = Ixa::App::Application::Launch(factory, arguments);
    PumpUntilIdle();
    return launched;
}

void ScreenDriver::Shutdown()
{
    PumpUntilIdle();
    Ixa::App::Application::Shutdown();
}

std::optional<ScreenProbe::Entry> ScreenDriver::FindByActionId(int actionId) const
{
    for (const ScreenProbe::Entry& entry : ScreenProbe::ListEntries()) {
        if (entry.actionId == actionId || (entry.secondActionId == actionId && entry.kind == "CheckButton"))
            return entry;
    }
    return std::nullopt;
}

std::optional<ScreenProbe::Entry> ScreenDriver::FindByText(const std::string& text) const
{
    for (const ScreenProbe::Entry& entry : ScreenProbe::ListEntries()) {
        if (entry.text == text)
            return entry;
    }
    return std::nullopt;
}

std::optional<ScreenProbe::Entry> ScreenDriver::FindRow(int row) const
{
    for (const ScreenProbe::Entry& entry : ScreenProbe::ListEntries()) {
        if (entry.kind == "ListRow" && entry.row == row)
            return entry;
    }
    return std::nullopt;
}

bool ScreenDriver::TapAction(int actionId)
{
    const auto entry = FindByActionId(actionId);
    const bool tapped = entry && ScreenProbe::Tap(*entry);
    PumpUntilIdle();
    return tapped;
}

bool ScreenDriver::TapText(const std::string& text)
{
    const auto entry = FindByText(text);
    const bool tapped = entry && ScreenProbe::Tap(*entry);
    PumpUntilIdle();
    return tapped;
}

Ixa::Ui::Control* ScreenDriver::FindControl(const std::string& kind)
{
    for (const ScreenProbe::Entry& entry : ScreenProbe::ListEntries()) {
        if (entry.kind == kind)
            return entry.control;
    }
    return nullptr;
}

bool ScreenDriver::TapListRow(Ixa::Ui::Controls::RowListBase& list, int row, const Ixa::Graphics::Point* inRow)
{
    if (row < 0)
        return false;
    const Ixa::Graphics::Rectangle bounds = ScreenProbe::WindowBounds(list);
    const Ixa::Graphics::Rectangle rowBounds = list.ShowItem(row);
    const Ixa::Graphics::Point point = inRow != nullptr ? *inRow : Ixa::Graphics::Point(rowBounds.width / 2, rowBounds.height / 2);
    const bool tapped = ScreenProbe::TapAt(Ixa::Graphics::Point(bounds.x + rowBounds.x + point.x, bounds.y + rowBounds.y + point.y));
    PumpUntilIdle();
    return tapped;
}

bool ScreenDriver::TapListElement(Ixa::Ui::Controls::RowListBase& list, int row, int elementId)
{
    const Ixa::Ui::Controls::ListItemBase* item = list.GetRowItem(row);
    const Ixa::Graphics::Rectangle element = item != nullptr ? item->GetElementBounds(elementId) : Ixa::Graphics::Rectangle();
    if (element.width <= 0 || element.height <= 0)
        return false;
    const Ixa::Graphics::Point centre(element.x + element.width / 2, element.y + element.height / 2);
    return TapListRow(list, row, &centre);
}

bool ScreenDriver::TapListContext(Ixa::Ui::Controls::RowListBase& list, int row, int elementId)
{
    if (row < 0)
        return false;
    const Ixa::Graphics::Rectangle rowBounds = list.ShowItem(row);
    const Ixa::Graphics::Rectangle bounds = ScreenProbe::WindowBounds(list);
    const Ixa::Graphics::Point centre(bounds.x + rowBounds.x + rowBounds.width / 2, bounds.y + rowBounds.y + rowBounds.height / 2);
    ScreenProbe::PressAt(centre);
    AdvanceTime(500);
    ScreenProbe::ReleaseAt(centre);
    PumpUntilIdle();
    const Ixa::Ui::Controls::ListItemBase* item = list.GetRowItem(row);
    if (list.GetContextRow() != row || item == nullptr)
        return false;
    const auto& elements = item->GetContextItem()->GetElements();
    const std::vector<Ixa::Graphics::Rectangle> buttons = list.GetContextElementBounds();
    for (size_t i = 0; i < elements.size() && i < buttons.size(); ++i) {
        if (elements[i].id != elementId)
            continue;
        const bool tapped = ScreenProbe::TapAt(Ixa::Graphics::Point(bounds.x + buttons[i].x + buttons[i].width / 2, bounds.y + buttons[i].y + buttons[i].height / 2));
        PumpUntilIdle();
        return tapped;
    }
    return false;
}

bool ScreenDriver::TapRow(int row)
{
    auto* list = static_cast<Ixa::Ui::Controls::ListView*>(FindControl("ListView"));
    return list != nullptr && TapListRow(*list, row);
}

bool ScreenDriver::TapRowElement(int row, int elementId)
{
    auto* list = static_cast<Ixa::Ui::Controls::ListView*>(FindControl("ListView"));
    return list != nullptr && TapListElement(*list, row, elementId);
}

Ixa::Graphics::Rectangle ScreenDriver::RowElementOnScreen(int row, int elementId)
{
    auto* list = static_cast<Ixa::Ui::Controls::ListView*>(FindControl("ListView"));
    const Ixa::Ui::Controls::ListItemBase* item = list != nullptr && row >= 0 ? list->GetRowItem(row) : nullptr;
    if (item == nullptr)
        return Ixa::Graphics::Rectangle();
    const Ixa::Graphics::Rectangle element = item->GetElementBounds(elementId);
    const Ixa::Graphics::Rectangle rowBounds = list->ShowItem(row);
    const Ixa::Graphics::Rectangle listBounds = ScreenProbe::WindowBounds(*list);
    return Ixa::Graphics::Rectangle(listBounds.x + rowBounds.x + element.x, listBounds.y + rowBounds.y + element.y, element.width, element.height);
}

bool ScreenDriver::TapContextItem(int row, int elementId)
{
    const auto entry = FindRow(row);
    return entry && TapListContext(*static_cast<Ixa::Ui::Controls::ListView*>(entry->control), row, elementId);
}

std::optional<ScreenProbe::Entry> ScreenDriver::FindGroupedRow(int group, int item) const
{
    for (const ScreenProbe::Entry& entry : ScreenProbe::ListEntries()) {
        if ((entry.kind == "GroupHeader" || entry.kind == "GroupedRow") && entry.group == group && entry.row == item)
            return entry;
    }
    return std::nullopt;
}

bool ScreenDriver::TapGroupHeader(int group) { return TapGroupedItem(group, -1); }

bool ScreenDriver::TapGroupedItem(int group, int item)
{
    auto* list = static_cast<Ixa::Ui::Controls::GroupedListView*>(FindControl("GroupedListView"));
    return list != nullptr && TapListRow(*list, list->GetRowOf(group, item));
}

bool ScreenDriver::TapGroupedElement(int group, int item, int elementId)
{
    auto* list = static_cast<Ixa::Ui::Controls::GroupedListView*>(FindControl("GroupedListView"));
    return list != nullptr && TapListElement(*list, list->GetRowOf(group, item), elementId);
}

bool ScreenDriver::TapGroupedContextItem(int group, int item, int elementId)
{
    auto* list = static_cast<Ixa::Ui::Controls::GroupedListView*>(FindControl("GroupedListView"));
    return list != nullptr && TapListContext(*list, list->GetRowOf(group, item), elementId);
}

bool ScreenDriver::Type(const std::string& text)
{
    const bool typed = ScreenProbe::TypeText(Ixa::Base::String(text.c_str()));
    PumpUntilIdle();
    return typed;
}

bool ScreenDriver::TapIcon(int index)
{
    auto* icons = static_cast<Ixa::Ui::Controls::IconListView*>(FindControl("IconListView"));
    if (icons == nullptr || Ixa::IsFailed(icons->ScrollToItem(index)))
        return false;
    const Ixa::Graphics::Rectangle grid = ScreenProbe::WindowBounds(*icons);
    const Ixa::Graphics::Rectangle cell = icons->GetItemBounds(index);
    const bool tapped = ScreenProbe::TapAt(Center(Ixa::Graphics::Rectangle(grid.x + cell.x, grid.y + cell.y, cell.width, cell.height)));
    PumpUntilIdle();
    return tapped;
}

bool ScreenDriver::TapTextBoxLink()
{
    auto* box = static_cast<Ixa::Ui::Controls::TextBox*>(FindControl("TextBox"));
    if (box == nullptr)
        return false;
    const Ixa::Graphics::Rectangle bounds = ScreenProbe::WindowBounds(*box);
    Ixa::Graphics::LinkType type = Ixa::Graphics::LINK_TYPE_NONE;
    Ixa::Base::String link;
    Ixa::Base::String text;
    for (int y = 2; y < bounds.height; y += 4) {
        for (int x = 2; x < bounds.width; x += 4) {
            if (Ixa::IsFailed(box->GetLinkAt(Ixa::Graphics::Point(x, y), type, link, text)))
                continue;
            const bool tapped = ScreenProbe::TapAt(Ixa::Graphics::Point(bounds.x + x, bounds.y + y));
            PumpUntilIdle();
            return tapped;
        }
    }
    return false;
}

bool ScreenDriver::TypeInSearchBar(const std::string& text)
{
    auto* bar = static_cast<Ixa::Ui::Controls::SearchBar*>(FindControl("SearchBar"));
    if (bar == nullptr || !ScreenProbe::TapAt(Center(ScreenProbe::WindowBounds(*bar->GetField()))))
        return false;
    PumpUntilIdle();
    return Type(text);
}

bool ScreenDriver::CancelSearch()
{
    auto* bar = static_cast<Ixa::Ui::Controls::SearchBar*>(FindControl("SearchBar"));
    if (bar == nullptr || !bar->GetCancelButton()->IsVisible())
        return false;
    const bool tapped = ScreenProbe::TapAt(Center(ScreenProbe::WindowBounds(*bar->GetCancelButton())));
    PumpUntilIdle();
    return tapped;
}

bool ScreenDriver::OpenKeypad(const ScreenProbe::Entry& field)
{
    const bool tapped = ScreenProbe::Tap(field);
    PumpUntilIdle();
    return tapped;
}

bool ScreenDriver::CloseKeypad() { return TapText(Ixa::Ui::KeypadOverlay::HIDE_KEY); }

bool ScreenDriver::TypeWithKeypad(const std::string& kind, const std::string& text)
{
    for (const ScreenProbe::Entry& entry : ScreenProbe::ListEntries()) {
        if (entry.kind == kind)
            return OpenKeypad(entry) && Type(text);
    }
    return false;
}

bool ScreenDriver::KeypadShows()
{
    const std::vector<ScreenProbe::Entry> entries = ScreenProbe::ListEntries();
    return std::any_of(entries.begin(), entries.end(), [](const ScreenProbe::Entry& entry) { return entry.kind == "Keypad"; });
}

void ScreenDriver::Rotate(bool landscape)
{
    if (Ixa::Ui::Controls::Frame* frame = Ixa::Ui::Controls::Frame::GetActiveFrame())
        frame->SetOrientationStatus(landscape ? Ixa::Ui::ORIENTATION_STATUS_LANDSCAPE : Ixa::Ui::ORIENTATION_STATUS_PORTRAIT);
    PumpUntilIdle();
}

void ScreenDriver::Home()
{
    Ixa::App::Application* application = Ixa::App::Application::GetInstance();
    if (application != nullptr)
        Ixa::App::Application::SetInBackground(!application->IsInBackground());
    PumpUntilIdle();
}

bool ScreenDriver::SelectNotification()
{
    const bool selected = Ixa::IsSucceeded(Ixa::App::Application::SelectOngoingActivity());
    PumpUntilIdle();
    return selected;
}

void ScreenDriver::AdvanceTime(int milliseconds)
{
    Ixa::Base::Runtime::VirtualClock::Advance(milliseconds);
    PumpUntilIdle();
}

void ScreenDriver::PumpUntilIdle() { ScreenProbe::ProcessEvents(); }

void ScreenDriver::PumpAFrame()
{
    PumpUntilIdle();
    const long long next = Ixa::Base::Runtime::VirtualClock::GetTimeToNextExpiry();
    if (next >= 0 && next <= Ixa::Ui::FrameClock::LongestFrameMs) {
        AdvanceTime(static_cast<int>(next));
    }
}

std::string ScreenDriver::Describe() const { return ScreenProbe::Describe(); }

bool ScreenDriver::SaveScreenshot(const std::string& path) const
{
    const Ixa::Ui::Controls::Frame* frame = Ixa::Ui::Controls::Frame::GetActiveFrame();
    return frame != nullptr && frame->SaveScreenshot(path);
}

int ScreenDriver::CountColourPixels(const Ixa::Graphics::Rectangle& area)
{
    // The theme's most colourful grey-blue spreads its channels by about 40.
    constexpr int MinSpread = 96;
    int count = 0;
    for (const Ixa::Graphics::Color& pixel : ScreenProbe::ReadPixels(area)) {
        const int high = std::max({pixel.GetRed(), pixel.GetGreen(), pixel.GetBlue()});
        const int low = std::min({pixel.GetRed(), pixel.GetGreen(), pixel.GetBlue()});
        count += high - low >= MinSpread ? 1 : 0;
    }
    return count;
}
