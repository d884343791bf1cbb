// The engine's response delegate: every callback reaches the half the routing table names,
// with its arguments; the two that go nowhere reach nobody; and what is meant for a missing
// model side is freed rather than lost (the sanitizer runs check that).
#include "engine/GtalkResponseDelegate.h"
#include "store/ContactImpl.h"
#include "store/GroupImpl.h"
#include "store/MessageImpl.h"
#include "support/RecordingDelegate.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;
using TestSupport::RecordingDelegate;

namespace {

class ResponseDelegateTest : public testing::Test {
protected:
    ResponseDelegateTest()
    {
        delegate_.SetModelResponseDelegate(&model_);
        delegate_.SetNonModelResponseDelegate(&nonModel_);
    }

    static Contact* contact(const char* id)
    {
        auto contact = new ContactImpl();
        contact->SetContactId(IMString(id));
        return contact;
    }

    GtalkResponseDelegate delegate_;
    RecordingDelegate model_;
    RecordingDelegate nonModel_;
};

}  // namespace

TEST_F(ResponseDelegateTest, ModelCallbacksReachTheModelSideWithTheirObjects)
{
    IMString text("no route");
    delegate_.OnListsRefreshed();
    delegate_.OnIgnoreListRefreshed();
    delegate_.OnAllPresenceReceived();
    delegate_.OnContactUpdated(contact("bob@x"));
    delegate_.OnContactImageUpdated(contact("carol@x"));
    delegate_.OnMyIconChanged();
    delegate_.OnMessageSentToChat(new MessageImpl());
    delegate_.OnMessageReceivedToChat(new MessageImpl(), contact("dave@x"));
    delegate_.OnMessageSentToChatFailed(new MessageImpl(), &text, 7);
    delegate_.OnContactDeletedFromServer(contact("eve@x"), nullptr);

    EXPECT_EQ(model_.Names(), (Names{"OnListsRefreshed", "OnIgnoreListRefreshed", "OnAllPresenceReceived",
                                  "OnContactUpdated", "OnContactImageUpdated", "OnMyIconChanged",
                                  "OnMessageSentToChat", "OnMessageReceivedToChat", "OnMessageSentToChatFailed",
                                  "onContactDeletedFromServer"}));
    EXPECT_TRUE(nonModel_.Names().empty());
    EXPECT_EQ(model_.CallsOf("OnContactUpdated")[0].contact->GetContactId().ToUtf8(), "bob@x");
    EXPECT_EQ(model_.CallsOf("OnMessageReceivedToChat")[0].contact->GetContactId().ToUtf8(), "dave@x");
    EXPECT_EQ(model_.CallsOf("onContactDeletedFromServer")[0].contact->GetContactId().ToUtf8(), "eve@x");
    RecordingDelegate::Call failed = model_.CallsOf("OnMessageSentToChatFailed")[0];
    EXPECT_EQ(failed.text, "no route");
    EXPECT_EQ(failed.code, 7);
    EXPECT_NE(failed.message, nullptr);
}

TEST_F(ResponseDelegateTest, ManagerCallbacksReachTheNonModelSide)
{
    IMString user("frank@x");
    IMString text("why");
    IMString name("Alice");
    PresenceStatus busy(PresenceStatus::BUSY, IMString("meeting"), true, 0);
    delegate_.OnSignInSuccess();
    delegate_.OnSignInError(3, &text);
    delegate_.OnClientPresenceUpdated(busy);
    delegate_.OnMyDisplayNameChanged(&name);
    delegate_.OnServerInitiatedSignOut(&text);
    delegate_.OnSignOutSuccess();
    delegate_.OnError(&text);
    delegate_.OnConnectionLost();
    IMString other("ignored");
    delegate_.OnPresenceSubscriptionRequested(&user, &other, &other);
    delegate_.OnAddToIgnoreListFailed(&user, &text, 1);
    delegate_.OnClientPresenceUpdateFailed(&busy, &text, 2);
    delegate_.OnIgnoreListRefreshFailed(&text, 3);
    delegate_.OnAllPresenceReceivedFailed(&text, 4);
    std::unique_ptr<Contact> kept(contact("gina@x"));
    delegate_.OnDeleteContactFailed(kept.get(), &text, 5);
    delegate_.OnDenyPresenceSubscriptionFailed(&user, &text, 6);
    delegate_.OnListsRefreshedFailed(&text, 7);
    delegate_.OnRemoveFromIgnoreListFailed(&user, &text, 8);

    EXPECT_EQ(nonModel_.Names(),
        (Names{"OnSignInSuccess", "OnSignInError", "OnClientPresenceUpdated", "OnMyDisplayNameChanged",
            "OnServerInitiatedSignOut", "OnSignOutSuccess", "OnError", "OnConnectionLost",
            "OnPresenceSubscriptionRequested", "OnAddToIgnoreListFailed", "OnClientPresenceUpdateFailed",
            "OnIgnoreListRefreshFailed", "OnAllPresenceReceivedFailed", "OnDeleteContactFailed",
            "OnDenyPresenceSubscriptionFailed", "OnListsRefreshedFailed", "OnRemoveFromIgnoreListFailed"}));
    EXPECT_TRUE(model_.Names().empty());
    RecordingDelegate::Call presence = nonModel_.CallsOf("OnClientPresenceUpdated")[0];
    EXPECT_TRUE(presence.status.Equals(&busy));
    EXPECT_EQ(nonModel_.CallsOf("OnSignInError")[0].code, 3);
    EXPECT_EQ(nonModel_.CallsOf("OnPresenceSubscriptionRequested")[0].text, "frank@x");
    EXPECT_EQ(nonModel_.CallsOf("OnRemoveFromIgnoreListFailed")[0].code, 8);
}

TEST_F(ResponseDelegateTest, ANullDisplayNameAndTheTwoUnroutedCallbacksReachNobody)
{
    IMString user("hank@x");
    GroupImpl group;
    delegate_.OnMyDisplayNameChanged(nullptr);
    delegate_.OnAddContactSuccess();
    delegate_.onCreateContactInExistingGroupFailed(&group, &user, 1, &user);
    EXPECT_TRUE(model_.Names().empty());
    EXPECT_TRUE(nonModel_.Names().empty());
}

TEST_F(ResponseDelegateTest, WithoutReceiversNothingIsCalledAndWhatWouldPassIsFreed)
{
    GtalkResponseDelegate alone;
    IMString text("lost");
    alone.OnContactUpdated(contact("a@x"));
    alone.OnContactImageUpdated(contact("b@x"));
    alone.OnContactDeletedFromServer(contact("c@x"), nullptr);
    alone.OnMessageSentToChat(new MessageImpl());
    alone.OnMessageSentToChatFailed(new MessageImpl(), &text, 0);
    alone.OnMessageReceivedToChat(new MessageImpl(), contact("d@x"));
    alone.OnSignInSuccess();
    alone.OnConnectionLost();
    EXPECT_TRUE(model_.Names().empty());
    EXPECT_TRUE(nonModel_.Names().empty());
}
