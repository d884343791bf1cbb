#include "screens/BlockedListEntries.h"

#include "app/IMManager.h"
#include "screens/BuddyScreen.h"

#include "store/ContactModel.h"

#include "platform/ArrayList.h"
#include "platform/CustomItem.h"

#include <algorithm>
#include <set>
#include <string>

namespace {

constexpr int RowHeight = 100;
constexpr int Inset = 20;
constexpr int NameTop = 10;
constexpr int NameHeight = 46;
constexpr int NameSize = 32;
constexpr int AddressHeight = 34;
constexpr int AddressSize = 22;
// The room the check mark of a selection row takes at the right.
constexpr int MarkWidth = 88;

const Ixa::Graphics::Color White(255, 255, 255);
const Ixa::Graphics::Color Secondary(0x9a, 0xa8, 0xb8);

// The ids asked for, as UTF-8.
std::set<std::string>& requested()
{
    static std::set<std::string> ids;
    return ids;
}

}  // namespace

BlockedListEntries::Contacts BlockedListEntries::Load()
{
    Contacts shown;
    std::set<std::string> stillBlocked;
    std::unique_ptr<Ixa::Base::Collection::ArrayList> stored(IMManager::GetContactModel()->GetAllBlockedContacts());
    for (int i = 0; stored != nullptr && i < stored->GetCount(); ++i) {
        std::unique_ptr<Contact> contact(static_cast<Contact*>(stored->GetAt(i)));
        const std::string id = contact->GetContactId().ToUtf8();
        stillBlocked.insert(id);
        if (requested().count(id) == 0) {
            shown.push_back(std::move(contact));
        }
    }
    if (stored != nullptr) {
        stored->RemoveAll(false);
    }
    std::erase_if(requested(), [&stillBlocked](const std::string& id) { return stillBlocked.count(id) == 0; });
    return shown;
}

void BlockedListEntries::MarkRequested(const IMString& contactId) { requested().insert(contactId.ToUtf8()); }

void BlockedListEntries::ForgetRequests() { requested().clear(); }

Ixa::Ui::Controls::ListItemBase* BlockedListEntries::MakeRow(
    const Contact& contact, int width, Ixa::Ui::Controls::ListAnnexStyle annex, const Ixa::Ui::Controls::ListContextItem* context)
{
    using Ixa::Graphics::Rectangle;
    auto* item = new Ixa::Ui::Controls::CustomItem;
    item->Construct(Ixa::Graphics::Dimension(width, RowHeight), annex);
    const int textWidth = width - 2 * Inset - (annex == Ixa::Ui::Controls::LIST_ANNEX_STYLE_MARK ? MarkWidth : 0);
    item->AddElement(Rectangle(Inset, NameTop, textWidth, NameHeight), 1, BuddyScreen::ShownName(contact), NameSize, White, White, White);
    item->AddElement(Rectangle(Inset, NameTop + NameHeight, textWidth, AddressHeight), 2, contact.GetContactId(), AddressSize, Secondary,
        Secondary, Secondary);
    if (context != nullptr) {
        item->SetContextItem(context);
    }
    return item;
}
