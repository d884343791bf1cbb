#include "screens/MessageSearchResults.h"

#include "app/IMManager.h"
#include "screens/ConversationsController.h"
#include "screens/RowParts.h"
#include "screens/ShownTime.h"

#include "store/ContactModel.h"
#include "store/MessageModel.h"
#include "store/SavedMessagesModel.h"

#include "platform/ArrayList.h"
#include "platform/CustomItem.h"

#include <algorithm>

namespace {

using Ixa::Graphics::Rectangle;

constexpr int Width = 480;
constexpr int Margin = 16;
constexpr int NameSize = 30;
constexpr int TimeSize = 20;
constexpr int TimeWidth = 210;
constexpr int SavedWidth = 70;
constexpr int TextSize = 24;
constexpr int LineTop = 8;
constexpr int LineHeight = 40;
constexpr int TextTop = 54;
// A match further into the text than this is shown from the start of its word.
constexpr int LeadingCharacters = 12;
const Ixa::Graphics::Color Match(0xff, 0x45, 0x3a);

// Letters and digits, as the index separates words (emoji, outside the basic plane, separate).
bool IsWordCharacter(wchar_t c)
{
    return (c >= 0x80 && (c < 0xd800 || c > 0xdfff)) || (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z');
}

// The typed words, lower case.
std::vector<Ixa::Base::String> TypedWords(const Ixa::Base::String& typed)
{
    std::vector<Ixa::Base::String> words;
    const Ixa::Base::String lower = typed.ToLower();
    Ixa::Base::String word;
    for (int i = 0; i <= lower.GetLength(); ++i) {
        const wchar_t c = i < lower.GetLength() ? lower[i] : L' ';
        if (c == L' ' || c == L'\t' || c == L'\n') {
            if (!word.IsEmpty()) {
                words.push_back(word);
            }
            word = Ixa::Base::String();
        } else {
            word.Append(c);
        }
    }
    return words;
}

}  // namespace

void MessageSearchResults::Search(const Ixa::Base::String& typed)
{
    Clear();
    typed_ = typed;
    take(IMManager::GetMessageModel()->SearchMessages(IMString(typed), LIMIT), false);
    take(IMManager::GetSavedMessagesModel()->SearchMessages(IMString(typed), LIMIT), true);
    std::stable_sort(hits_.begin(), hits_.end(), [](const std::unique_ptr<Message>& a, const std::unique_ptr<Message>& b) {
        return b->GetTimeStamp() < a->GetTimeStamp();
    });
    if (hits_.size() > LIMIT) {
        hits_.resize(LIMIT);
    }
}

void MessageSearchResults::take(Ixa::Base::Collection::ArrayList* found, bool saved)
{
    if (found == nullptr) {
        return;
    }
    for (int i = 0; i < found->GetCount(); ++i) {
        auto* hit = static_cast<Message*>(found->GetAt(i));
        hit->SetIsSaved(saved);
        hits_.emplace_back(hit);
    }
    found->RemoveAll(false);
    delete found;
}

void MessageSearchResults::Clear()
{
    hits_.clear();
    typed_ = Ixa::Base::String();
}

void MessageSearchResults::SetIndexedPercent(int percent) { indexedPercent_ = percent; }

int MessageSearchResults::GetIndexedPercent() const { return indexedPercent_; }

int MessageSearchResults::noticeRows() const { return indexedPercent_ < 100 ? 1 : 0; }

int MessageSearchResults::GetCount() const { return noticeRows() + static_cast<int>(hits_.size()); }

const Message* MessageSearchResults::GetHit(int row) const
{
    const int hit = row - noticeRows();
    return hit >= 0 && hit < static_cast<int>(hits_.size()) ? hits_[static_cast<size_t>(hit)].get() : nullptr;
}

bool MessageSearchResults::FindMatch(const Ixa::Base::String& text, const Ixa::Base::String& typed, int& at, int& length)
{
    const Ixa::Base::String lower = text.ToLower();
    at = -1;
    for (const Ixa::Base::String& word : TypedWords(typed)) {
        for (int from = 0, found = -1; Ixa::IsSucceeded(lower.IndexOf(word, from, found)) && found >= 0; from = found + 1) {
            if ((found == 0 || !IsWordCharacter(lower[found - 1])) && (at < 0 || found < at)) {
                at = found;
                break;
            }
        }
    }
    if (at < 0) {
        return false;
    }
    length = 0;
    while (at + length < lower.GetLength() && IsWordCharacter(lower[at + length])) {
        ++length;
    }
    length = std::max(length, 1);
    return true;
}

int MessageSearchResults::GetItemCount() { return GetCount(); }

Ixa::Ui::Controls::ListItemBase* MessageSearchResults::CreateItem(int index, int)
{
    const Message* hit = GetHit(index);
    auto item = std::make_unique<Ixa::Ui::Controls::CustomItem>();
    if ((hit == nullptr && index >= noticeRows()) || Ixa::IsFailed(item->Construct(Ixa::Graphics::Dimension(Width, ROW_HEIGHT)))) {
        return nullptr;
    }
    if (hit == nullptr) {
        Ixa::Base::String percent;
        percent.Append(indexedPercent_);
        RowParts::AddText(*item, Rectangle(Margin, LineTop, Width - 2 * Margin, LineHeight), ELEMENT_INDEXING,
            IMManager::GetFormatString(IMManager::GetStringFromResource("IDS_SEARCH_INDEXING"), percent), TextSize, Match);
        RowParts::AddText(*item, Rectangle(Margin, TextTop, Width - 2 * Margin, LineHeight), ELEMENT_INDEXING_MISSING,
            IMManager::GetStringFromResource("IDS_SEARCH_INDEXING_MISSING"), TextSize, RowParts::Secondary);
        return item.release();
    }
    std::unique_ptr<Contact> contact(IMManager::GetContactModel()->GetContactById(hit->GetOtherUserId()));
    const int timeLeft = Width - Margin - TimeWidth;
    const int nameRight = hit->IsSaved() ? timeLeft - SavedWidth : timeLeft;
    RowParts::AddText(*item, Rectangle(Margin, LineTop, nameRight - Margin, LineHeight), ELEMENT_NAME,
        ConversationsController::ShownName(contact.get(), hit->GetOtherUserId()), NameSize, RowParts::White);
    if (hit->IsSaved()) {
        RowParts::AddText(*item, Rectangle(nameRight, LineTop, SavedWidth, LineHeight), ELEMENT_SAVED,
            IMManager::GetStringFromResource("IDS_SEARCH_SAVED"), TimeSize, Match);
    }
    RowParts::AddText(*item, Rectangle(timeLeft, LineTop, TimeWidth, LineHeight), ELEMENT_TIME,
        ShownTime::DateAndTime(hit->GetTimeStamp()), TimeSize, RowParts::Secondary);
    Ixa::Base::String text = hit->GetMessage();
    int at = -1;
    int length = 0;
    if (FindMatch(text, typed_, at, length) && at > LeadingCharacters) {
        Ixa::Base::String rest;
        text.SubString(at, rest);
        text = Ixa::Base::String(L"\u2026");
        text.Append(rest);
        at = 1;
    }
    RowParts::AddHighlighted(*item, Rectangle(Margin, TextTop, Width - 2 * Margin, LineHeight), {ELEMENT_TEXT, ELEMENT_MATCH, ELEMENT_TEXT_REST},
        text, at, length, TextSize, RowParts::Secondary, Match);
    return item.release();
}

bool MessageSearchResults::DeleteItem(int, Ixa::Ui::Controls::ListItemBase* item, int)
{
    delete item;
    return true;
}
