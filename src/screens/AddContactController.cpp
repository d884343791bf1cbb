#include "screens/AddContactController.h"

#include "app/IMManager.h"
#include "engine/RosterGroups.h"
#include "engine/UserId.h"
#include "screens/AddContactView.h"
#include "screens/QuickTextListController.h"

#include "engine/GtalkRequestController.h"
#include "store/ContactModel.h"
#include "store/GroupModel.h"
#include "store/PropertiesModel.h"

#include <cstring>
#include <memory>

namespace {

bool isLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool isDomainChar(wchar_t c) { return isLetter(c) || isDigit(c) || c == L'-' || c == L'[' || c == L']'; }

int indexOf(const IMString& text, wchar_t c)
{
    int index = -1;
    return Ixa::IsSucceeded(text.IndexOf(c, 0, index)) ? index : -1;
}

// The name before the "@" (the whole text without one): letters first; then letters,
// digits, one "." at most and "_"; not ending in "." or "_".
bool isValidName(const IMString& name)
{
    const int length = name.GetLength();
    bool dotSeen = false;
    for (int i = 0; i < length; ++i) {
        const wchar_t c = name.charAt(i);
        if (isLetter(c)) {
            continue;
        }
        const bool last = i == length - 1;
        if (i == 0 || !(isDigit(c) || c == L'.' || c == L'_') || (c == L'.' && dotSeen) || (last && (c == L'.' || c == L'_'))) {
            return false;
        }
        dotSeen = dotSeen || c == L'.';
    }
    return length > 0;
}

// Whether everything from the first "@" on is the service's default domain, in any case. The
// service's own domain needs no dot ("localhost" on a test server).
bool inDefaultDomain(const IMString& address)
{
    const int at = indexOf(address, L'@');
    IMString domain;
    return at >= 0 && Ixa::IsSucceeded(address.SubString(at, domain)) && domain.Equals(UserId::defaultSuffix(), false);
}

// The address the user means: trimmed, with the default domain when typed without one, in
// lower case, so that it compares with stored ids.
IMString completed(const IMString& typed)
{
    IMString address(typed);
    address.Trim();
    UserId::complete(&address);
    return IMString(address.ToLower());
}

}  // namespace

const char* const AddContactController::VALID_LOCAL_PART_BEGIN_CHARS = "!#$%*/?|^{}`~&'+-=_";

void AddContactController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<AddContactView*>(view);
    if (screen == nullptr) {
        return;
    }
    if (actionId == ACTION_ADD || actionId == ACTION_ADD_KEYPAD) {
        add(*screen);
    } else if (actionId == ACTION_CANCEL) {
        leave(*screen);
    }
}

void AddContactController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void AddContactController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView* view)
{
    if (auto* screen = dynamic_cast<AddContactView*>(view)) {
        leave(*screen);
    }
}

void AddContactController::processListViewItemStateChanged(ListView&, int index, int, ListItemStatus, IMView* view)
{
    if (index != 0 || view == nullptr) {
        return;
    }
    if (auto* screen = dynamic_cast<AddContactView*>(view)) {
        screen->HideKeypad();
    }
    IMManager::notifyEvent(EVENT_SHOW_GROUP_LIST);
}

int AddContactController::processGetItemCount(IMView*) { return 1; }

IMController::ListItemBase* AddContactController::processCreateItem(int index, int itemWidth, IMView* view)
{
    auto* screen = dynamic_cast<AddContactView*>(view);
    if (index != 0 || screen == nullptr) {
        return nullptr;
    }
    const IMString& group = screen->GetNewGroupEntered();
    return QuickTextListController::MakeTextRow(group.IsEmpty() ? IMString(IMManager::GetStringFromResource("IDS_ADD_TO_GROUP")) : group,
        itemWidth, Ixa::Ui::Controls::LIST_ANNEX_STYLE_NORMAL);
}

bool AddContactController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

bool AddContactController::IsValidContactName(const IMString& text)
{
    IMString trimmed(text);
    trimmed.Trim();
    const int at = indexOf(trimmed, L'@');
    IMString name;
    if (at < 0) {
        name = trimmed;
    } else {
        trimmed.SubString(0, at, name);
    }
    if (!isValidName(name)) {
        return false;
    }
    return at < 0 || inDefaultDomain(trimmed) || IsValidEmailAddress(trimmed, 0, trimmed.GetLength());
}

bool AddContactController::IsValidEmailAddress(const IMString& text, int start, int length)
{
    int at = -1;
    int lastDot = -1;
    bool labelAfterDot = false;
    const int end = start + length;
    for (int i = start; i < end; ++i) {
        const wchar_t c = text.charAt(i);
        const wchar_t previous = i > start ? text.charAt(i - 1) : L'\0';
        if (at < 0) {
            const bool punctuation = FindChar(c, VALID_LOCAL_PART_BEGIN_CHARS, 0, static_cast<int>(std::strlen(VALID_LOCAL_PART_BEGIN_CHARS))) >= 0;
            if (!(isLetter(c) || isDigit(c) || c == L'.' || c == L'@' || punctuation)) {
                return false;
            }
            if ((c == L'.' || c == L'@') && (i == start || previous == L'.')) {
                return false;
            }
            at = c == L'@' ? i : -1;
        } else if (c == L'.') {
            if (previous == L'@' || previous == L'.') {
                return false;
            }
            lastDot = i;
        } else if (isDomainChar(c)) {
            labelAfterDot = labelAfterDot || lastDot >= 0;
        } else {
            return false;
        }
    }
    return at >= 0 && lastDot > at && lastDot != end - 1 && labelAfterDot;
}

int AddContactController::FindChar(wchar_t c, const char* set, int from, int to)
{
    for (int i = from; set != nullptr && i < to && set[i] != '\0'; ++i) {
        if (static_cast<wchar_t>(static_cast<unsigned char>(set[i])) == c) {
            return i;
        }
    }
    return -1;
}

void AddContactController::add(AddContactView& view)
{
    IMString typed = view.GetEmailIdTextFieldText();
    typed.Trim();
    if (typed.IsEmpty() || !IsValidContactName(typed)) {
        view.InitializeAndShowPopup(IMScreen::POPUP_INFO, IMManager::GetStringFromResource("IDS_INVALID_EMAIL_ID"));
        return;
    }
    view.HideKeypad();
    if (AddContact(view)) {
        view.ClearData();
        IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
    }
}

bool AddContactController::AddContact(AddContactView& view)
{
    IMString typed = view.GetEmailIdTextFieldText();
    typed.Trim();
    if (const char* refusal = refusalOf(typed)) {
        view.InitializeAndShowPopup(IMScreen::POPUP_INFO, IMManager::GetStringFromResource(refusal));
        return false;
    }
    // An address in the default domain goes as its name, which the request completes.
    if (inDefaultDomain(typed)) {
        typed = UserId::localPart(typed);
    }
    std::unique_ptr<Group> group(targetGroup(view));
    IMString empty;
    IMManager::GetRequestController()->CreateContactInExistingGroup(group.get(), &typed, &empty, &empty);
    return true;
}

const char* AddContactController::refusalOf(const IMString& typed)
{
    const IMString address = completed(typed);
    std::unique_ptr<Contact> contact(IMManager::GetContactModel()->GetContactById(address));
    if (contact != nullptr && contact->GetIsBlocked()) {
        return "IDS_CONTACT_EXISTS_IN_BLOCK_LIST_ERROR";
    }
    if (address.Equals(completed(IMString(IMManager::GetPropertiesModel()->GetUserName())), true)) {
        return "IDS_ADD_SELF_CONTACT_ERROR";
    }
    if (contact != nullptr && contact->GetOnBuddyList()) {
        return "IDS_CONTACT_EXISTS_ERROR";
    }
    return nullptr;
}

Group* AddContactController::targetGroup(const AddContactView& view)
{
    GroupModel* groups = IMManager::GetGroupModel();
    const IMString chosen = view.GetNewGroupEntered().IsEmpty() ? IMString(RosterGroups::DEFAULT_GROUP) : view.GetNewGroupEntered();
    Group* group = groups->FindByGroupId(chosen);
    if (group == nullptr) {
        group = groups->CreateGroup();
        group->SetGroupName(chosen);
        group->SetGroupId(IMString(chosen.ToLower()));
        groups->SaveOrUpdate(group);
    }
    return group;
}

void AddContactController::leave(AddContactView& view)
{
    view.HideKeypad();
    view.ClearData();
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
}
