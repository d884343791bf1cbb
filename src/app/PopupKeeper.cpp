#include "app/PopupKeeper.h"

#include "platform/Popup.h"
#include "platform/UiThreadCalls.h"

using Ixa::Ui::Controls::Popup;

PopupKeeper::PopupKeeper()
    : aside_(std::make_shared<Aside>())
{
}

PopupKeeper::~PopupKeeper() = default;

Popup* PopupKeeper::Show(int kind, std::unique_ptr<Popup> popup)
{
    Popup* shown = take(kind, std::move(popup));
    if (shown != nullptr) {
        shown->SetShowState(true);
        shown->Show();
    }
    return shown;
}

Popup* PopupKeeper::Keep(int kind, std::unique_ptr<Popup> popup) { return take(kind, std::move(popup)); }

Popup* PopupKeeper::take(int kind, std::unique_ptr<Popup> popup)
{
    Close(kind);
    if (popup == nullptr) {
        return nullptr;
    }
    Popup* taken = popup.get();
    popups_[kind] = std::move(popup);
    return taken;
}

bool PopupKeeper::ShowAgain(int kind)
{
    Popup* popup = Find(kind);
    if (popup == nullptr) {
        return false;
    }
    popup->SetShowState(true);
    popup->Show();
    return true;
}

bool PopupKeeper::Close(int kind)
{
    auto found = popups_.find(kind);
    if (found == popups_.end()) {
        return false;
    }
    std::unique_ptr<Popup> closed = std::move(found->second);
    popups_.erase(found);
    closed->SetShowState(false);
    setAside(std::move(closed));
    return true;
}

void PopupKeeper::CloseAll()
{
    while (!popups_.empty()) {
        Close(popups_.begin()->first);
    }
}

void PopupKeeper::DeleteAll()
{
    auto shown = std::move(popups_);
    popups_.clear();
    shown.clear();
    auto aside = std::move(aside_->popups);
    aside_->popups.clear();
}

bool PopupKeeper::Has(int kind) const { return popups_.count(kind) != 0; }

Popup* PopupKeeper::Find(int kind) const
{
    auto found = popups_.find(kind);
    return found != popups_.end() ? found->second.get() : nullptr;
}

void PopupKeeper::setAside(std::unique_ptr<Popup> popup)
{
    aside_->popups.push_back(std::move(popup));
    if (aside_->cleanUpPosted) {
        return;
    }
    aside_->cleanUpPosted = true;
    std::weak_ptr<Aside> later(aside_);
    Ixa::Ui::UiThreadCalls::Post([later] {
        if (std::shared_ptr<Aside> aside = later.lock()) {
            aside->cleanUpPosted = false;
            // Taken out first, so the list is whole and empty while the popups are deleted.
            auto popups = std::move(aside->popups);
            aside->popups.clear();
        }
    });
}
