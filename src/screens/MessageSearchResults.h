// The hits of the message search on the conversations screen, and the rows of its result
// list: messages of the current conversations and of the saved ones together, the newest
// first, at most LIMIT. A row shows the contact's name, the local date and time, "Saved" for a
// saved copy, and the text around the first word that matches, that word highlighted. While
// older messages are still being indexed, a first row says so, with how far it has got.
// Searching reads both stores on the calling thread: each query stops after LIMIT hits, so
// it stays short however many messages are stored.
// Threading: user-interface thread. Ownership: owns the hits; the rows it makes are the
// list's.
#pragma once

#include "store/Message.h"

#include "platform/ArrayList.h"
#include "platform/IListViewItemProvider.h"
#include "platform/String.h"

#include <memory>
#include <vector>

class MessageSearchResults : public Ixa::Ui::Controls::IListViewItemProvider {
public:
    enum Element {
        ELEMENT_NAME = 2,
        ELEMENT_TIME = 3,
        ELEMENT_SAVED = 4,
        ELEMENT_TEXT = 5,
        ELEMENT_MATCH = 6,
        ELEMENT_TEXT_REST = 7,
        ELEMENT_INDEXING = 8,
        ELEMENT_INDEXING_MISSING = 9,
    };
    static constexpr int LIMIT = 50;
    static constexpr int ROW_HEIGHT = 100;

    // Replaces the hits with those of `typed`; nothing typed finds nothing.
    void Search(const Ixa::Base::String& typed);
    void Clear();
    // How much of the older messages is indexed, in percent; 100 once all are (no notice row).
    void SetIndexedPercent(int percent);
    int GetIndexedPercent() const;
    // The rows: the notice, if any, then the hits.
    int GetCount() const;
    // The hit of a row (lent), or null (the notice row, out of range); IsSaved() tells a saved
    // copy.
    const Message* GetHit(int row) const;
    // Where the first word of `text` that begins like a typed word starts, and how long that
    // word is (case aside); false when none does.
    static bool FindMatch(const Ixa::Base::String& text, const Ixa::Base::String& typed, int& at, int& length);

    int GetItemCount() override;
    Ixa::Ui::Controls::ListItemBase* CreateItem(int index, int itemWidth) override;
    bool DeleteItem(int index, Ixa::Ui::Controls::ListItemBase* item, int itemWidth) override;

private:
    void take(Ixa::Base::Collection::ArrayList* found, bool saved);

    int noticeRows() const;

    Ixa::Base::String typed_;
    int indexedPercent_ = 100;
    std::vector<std::unique_ptr<Message>> hits_;
};
