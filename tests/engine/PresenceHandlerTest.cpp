// Presence, avatars and the user's own state through the real response thread: contacts'
// presence codes and status messages ("buddyStatus"), avatar hashes and pictures
// ("buddyStatus", "displayImage"), subscription requests ("buddyAuthorize"), the shared
// status ("sharedstatus") and the display name ("myDisplayName"). The user's own id needs a
// signed-in connection, which a scripted server provides; its recorded bytes show the vCard
// requests.
#include "EngineFixture.h"

#include "xmpp/Presence.h"
#include "xmpp/SharedStatusMessage.h"
#include "xmpp/UserSettings.h"
#include "xmpp/VCard.h"

using Names = std::vector<std::string>;
using Show = Presence::Status;

namespace {

Presence* presence(const std::string& from, Show show, const char* status = nullptr, const char* hash = nullptr,
    Presence::Type type = Presence::Type::NONE)
{
    auto presence = new Presence();
    presence->setFrom(new IMString(from.c_str()));
    presence->setPresenceStatus(show);
    presence->setPresenceType(type);
    presence->setStatusMessage(status != nullptr ? new IMString(status) : nullptr);
    presence->setAvatarHash(hash != nullptr ? new IMString(hash) : nullptr);
    return presence;
}

Presence* unavailable(const std::string& from, const char* hash = nullptr)
{
    return presence(from, Show::NONE, nullptr, hash, Presence::Type::UNAVAILABLE);
}

VCard* vCard(const std::string& from, const char* base64)
{
    auto card = new VCard();
    card->setType(IQ::Type::RESULT);
    card->setFrom(new IMString(from.c_str()));
    card->setUserAvatar(base64 != nullptr ? new IMString(base64) : nullptr);
    return card;
}

std::string vCardRequest(const std::string& to)
{
    return "<iq id=\"#\" to=\"" + to + "\" type=\"get\"><vCard xmlns=\"vcard-temp\"/></iq>";
}

std::string bytesOf(ContactIcon& avatar)
{
    IMByteBuffer* image = avatar.GetImageByteBuffer();
    return std::string(reinterpret_cast<const char*>(image->GetPointer()) + image->GetPosition(),
        static_cast<size_t>(image->GetRemaining()));
}

class PresenceHandlerTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        storeContact(idOf("bob"), Contact::PRESENCE_OFFLINE);
    }

    std::unique_ptr<Contact> bob() { return storedContact(idOf("bob")); }
};

}  // namespace

TEST_F(PresenceHandlerTest, ShowsBecomePresenceCodesAndXaKeepsTheCodeButTakesTheMessage)
{
    struct Step {
        Presence* presence;
        int code;
        bool busy;
        const char* message;
    };
    const std::string from = idOf("Bob") + "/Phone";
    for (Step step : {Step{presence(from, Show::NONE, "here"), Contact::PRESENCE_AVAILABLE, false, "here"},
             Step{presence(from, Show::DND, "busy"), Contact::PRESENCE_BUSY, true, "busy"},
             Step{presence(from, Show::CHAT), Contact::PRESENCE_AVAILABLE, false, ""},
             Step{presence(from, Show::AWAY, "lunch"), Contact::PRESENCE_AWAY, false, "lunch"},
             Step{presence(from, Show::XA, "long lunch"), Contact::PRESENCE_AWAY, false, "long lunch"},
             Step{presence(from, Show::AVAILABLE), Contact::PRESENCE_AVAILABLE, false, ""},
             Step{unavailable(from), Contact::PRESENCE_OFFLINE, false, ""}}) {
        deliver("buddyStatus", step.presence);
        std::unique_ptr<Contact> stored = bob();
        EXPECT_EQ(stored->GetPresenceType(), step.code) << step.message;
        EXPECT_EQ(stored->GetIsBusy(), step.busy) << step.message;
        EXPECT_EQ(stored->GetCustomMessage().ToUtf8(), step.message);
    }
    std::vector<TestSupport::RecordingDelegate::Call> updates = delegate_.CallsOf("OnContactUpdated");
    ASSERT_EQ(updates.size(), 7u);
    EXPECT_EQ(updates[1].contact->GetPresenceType(), Contact::PRESENCE_BUSY);
    EXPECT_EQ(updates[1].contact->GetContactId().ToUtf8(), idOf("bob"));
}

// Bob is signed in on his phone and his laptop: he stays available while either is, and shows
// the resource of highest priority, else the most available one.
TEST_F(PresenceHandlerTest, AContactIsAvailableWhileAnyOfItsResourcesIs)
{
    signIn();
    const std::string phone = idOf("bob") + "/phone";
    const std::string laptop = idOf("Bob") + "/laptop";
    struct Step {
        Presence* presence;
        int code;
        const char* message;
    };
    Presence* important = presence(laptop, Show::DND, "working");
    important->setPrioriy(5);
    for (Step step : {Step{presence(phone, Show::AWAY, "lunch"), Contact::PRESENCE_AWAY, "lunch"},
             Step{presence(laptop, Show::NONE, "here"), Contact::PRESENCE_AVAILABLE, "here"},
             Step{presence(phone, Show::AWAY, "still lunch"), Contact::PRESENCE_AVAILABLE, "here"},
             Step{unavailable(laptop), Contact::PRESENCE_AWAY, "still lunch"},
             Step{presence(laptop, Show::CHAT, "chatty"), Contact::PRESENCE_AVAILABLE, "chatty"},
             Step{important, Contact::PRESENCE_BUSY, "working"},
             Step{unavailable(phone), Contact::PRESENCE_BUSY, "working"},
             Step{unavailable(laptop), Contact::PRESENCE_OFFLINE, ""},
             Step{presence(idOf("bob"), Show::NONE, "bare"), Contact::PRESENCE_AVAILABLE, "bare"}}) {
        deliver("buddyStatus", step.presence);
        std::unique_ptr<Contact> stored = bob();
        EXPECT_EQ(stored->GetPresenceType(), step.code) << step.message;
        EXPECT_EQ(stored->GetCustomMessage().ToUtf8(), step.message);
    }
}

// An avatar whose vCard fails (or comes without a picture) is asked for again at the next
// presence that names it; once the picture is stored the hash is no news, and a presence
// without the vCard-update element leaves the avatar alone.
TEST_F(PresenceHandlerTest, AnAvatarWhoseFetchFailedIsFetchedAgain)
{
    storeContact(idOf("carol"), Contact::PRESENCE_OFFLINE);
    signIn();
    const std::string phone = idOf("bob") + "/phone";
    const std::string request = vCardRequest(idOf("bob"));
    deliver("buddyStatus", presence(phone, Show::NONE, nullptr, "AAA"));
    deliver("displayImage", vCard(idOf("bob"), nullptr));
    deliver("buddyStatus", presence(phone, Show::AWAY, nullptr, "aaa"));
    deliver("displayImage", vCard(idOf("bob"), "cGljdHVyZQ=="));
    deliver("buddyStatus", presence(idOf("bob") + "/laptop", Show::NONE, nullptr, "AAA"));
    deliver("buddyStatus", presence(phone, Show::NONE));
    // Carol's request marks the end of what was sent.
    deliver("buddyStatus", presence(idOf("carol") + "/x", Show::NONE, nullptr, "CCC"));
    const std::string carol = vCardRequest(idOf("carol"));
    EXPECT_EQ(sentAfterSignIn(carol.substr(carol.find(" to="))), request + request + carol);
    std::unique_ptr<ContactIcon> avatar = storedAvatar(idOf("bob"));
    EXPECT_EQ(avatar->GetIconValidity().ToUtf8(), "AAA");
    EXPECT_EQ(bytesOf(*avatar), "picture");
    EXPECT_TRUE(bob()->IsHavingAvatar());

    // A new hash drops the old picture until its own arrives, so a failed fetch is retried.
    deliver("buddyStatus", presence(phone, Show::NONE, nullptr, "BBB"));
    EXPECT_EQ(bytesOf(*storedAvatar(idOf("bob"))), "");
    EXPECT_EQ(storedAvatar(idOf("bob"))->GetIconValidity().ToUtf8(), "BBB");
}

TEST_F(PresenceHandlerTest, PresencesOfUnknownSendersOrWithoutSenderChangeNothing)
{
    deliver("buddyStatus", presence(idOf("stranger") + "/x", Show::NONE, "hi", "abc"));
    auto anonymous = new Presence();
    deliver("buddyStatus", anonymous);
    EXPECT_TRUE(delegate_.Names().empty());
    EXPECT_EQ(storedContact(idOf("stranger")), nullptr);
    EXPECT_EQ(storedAvatar(idOf("stranger")), nullptr);
}

TEST_F(PresenceHandlerTest, AContactsAvatarHashIsTrackedAndItsLossClearsTheAvatar)
{
    const std::string from = idOf("bob") + "/phone";
    deliver("buddyStatus", presence(from, Show::NONE, nullptr, "ABC123"));
    std::unique_ptr<ContactIcon> avatar = storedAvatar(idOf("bob"));
    ASSERT_NE(avatar, nullptr);
    EXPECT_EQ(avatar->GetIconValidity().ToUtf8(), "ABC123");
    EXPECT_EQ(delegate_.Count("OnContactImageUpdated"), 0u);

    deliver("displayImage", vCard(idOf("bob"), "cGljdHVyZQ=="));
    EXPECT_TRUE(bob()->IsHavingAvatar());
    EXPECT_EQ(bytesOf(*storedAvatar(idOf("bob"))), "picture");
    ASSERT_EQ(delegate_.Count("OnContactImageUpdated"), 1u);

    // The same hash in another letter case is no change; an unavailable presence without a
    // hash keeps the avatar.
    deliver("buddyStatus", presence(from, Show::AWAY, nullptr, "abc123"));
    deliver("buddyStatus", unavailable(from));
    EXPECT_EQ(storedAvatar(idOf("bob"))->GetIconValidity().ToUtf8(), "ABC123");
    EXPECT_TRUE(bob()->IsHavingAvatar());
    EXPECT_EQ(delegate_.Count("OnContactImageUpdated"), 1u);

    // A presence without the vCard-update element says nothing about the avatar; an empty
    // photo says there is none.
    deliver("buddyStatus", presence(from, Show::NONE));
    EXPECT_EQ(storedAvatar(idOf("bob"))->GetIconValidity().ToUtf8(), "ABC123");
    EXPECT_TRUE(bob()->IsHavingAvatar());
    EXPECT_EQ(delegate_.Count("OnContactImageUpdated"), 1u);
    deliver("buddyStatus", presence(from, Show::NONE, nullptr, ""));
    EXPECT_TRUE(storedAvatar(idOf("bob"))->GetIconValidity().IsEmpty());
    EXPECT_FALSE(bob()->IsHavingAvatar());
    std::vector<TestSupport::RecordingDelegate::Call> images = delegate_.CallsOf("OnContactImageUpdated");
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[1].contact->GetContactId().ToUtf8(), idOf("bob"));
}

TEST_F(PresenceHandlerTest, APictureThatIsMissingOrNotBase64ChangesNothing)
{
    deliver("displayImage", vCard(idOf("bob"), "not base64 at all!"));
    deliver("displayImage", vCard(idOf("bob"), nullptr));
    auto anonymous = new VCard();
    anonymous->setUserAvatar(new IMString("cGljdHVyZQ=="));
    deliver("displayImage", anonymous);
    EXPECT_EQ(storedAvatar(idOf("bob")), nullptr);
    EXPECT_FALSE(bob()->IsHavingAvatar());
    EXPECT_TRUE(delegate_.Names().empty());
}

TEST_F(PresenceHandlerTest, APictureOfSomeoneWithoutAContactIsKeptButReportedToNobody)
{
    deliver("displayImage", vCard(idOf("stranger"), "cGljdHVyZQ=="));
    std::unique_ptr<ContactIcon> avatar = storedAvatar(idOf("stranger"));
    ASSERT_NE(avatar, nullptr);
    EXPECT_EQ(bytesOf(*avatar), "picture");
    EXPECT_TRUE(delegate_.Names().empty());
}

TEST_F(PresenceHandlerTest, TheUsersOwnAvatarIsFollowedWithoutAContactAndItsVCardRequested)
{
    signIn();
    const std::string own = ScriptedSignIn::bareId();
    deliver("buddyStatus", presence(own + "/desktop", Show::NONE, "at my desk", "F00D"));
    EXPECT_EQ(sentAfterSignIn("vcard-temp"), vCardRequest(own));
    EXPECT_EQ(storedAvatar(own)->GetIconValidity().ToUtf8(), "F00D");

    deliver("displayImage", vCard(own, "bWU="));
    EXPECT_EQ(bytesOf(*storedAvatar(own)), "me");
    deliver("buddyStatus", presence(own + "/desktop", Show::NONE));
    EXPECT_EQ(bytesOf(*storedAvatar(own)), "me");
    deliver("buddyStatus", presence(own + "/desktop", Show::NONE, nullptr, ""));
    EXPECT_EQ(storedAvatar(own), nullptr);
    EXPECT_EQ(storedContact(own), nullptr);
    EXPECT_EQ(delegate_.Names(), (Names{"OnMyDisplayNameChanged", "OnClientPresenceUpdated", "OnSignInSuccess",
                                     "OnMyIconChanged", "OnMyIconChanged"}));
}

TEST_F(PresenceHandlerTest, OnlyASubscriptionRequestReachesTheDelegate)
{
    for (auto type : {Presence::Type::SUBSCRIBED, Presence::Type::UNSUBSCRIBED, Presence::Type::UNSUBSCRIBE,
             Presence::Type::SUBSCRIBE}) {
        deliver("buddyAuthorize", presence(idOf("carol"), Show::NONE, nullptr, nullptr, type));
    }
    EXPECT_EQ(delegate_.Names(), Names{"OnPresenceSubscriptionRequested"});
    EXPECT_EQ(delegate_.CallsOf("OnPresenceSubscriptionRequested")[0].text, idOf("carol"));
}

TEST_F(PresenceHandlerTest, TheSharedStatusBecomesTheUsersOwnStatus)
{
    struct Case {
        const char* show;
        bool invisible;
        const char* message;
        int code;
    };
    const Case cases[] = {{"dnd", false, "meeting", PresenceStatus::BUSY},
        {"default", false, "free", PresenceStatus::AVAILABLE}, {nullptr, false, nullptr, PresenceStatus::AVAILABLE},
        {"away", false, nullptr, PresenceStatus::AWAY}, {"XA", false, nullptr, PresenceStatus::OFFLINE},
        {"dancing", false, nullptr, PresenceStatus::NEVER_SEEN}, {"dnd", true, "hidden", PresenceStatus::OFFLINE}};
    for (const Case& each : cases) {
        auto shared = new SharedStatusMessage();
        shared->setCurrentStatus(each.show != nullptr ? new IMString(each.show) : nullptr);
        shared->setCurrentStatusMessage(each.message != nullptr ? new IMString(each.message) : nullptr);
        shared->setInvisible(each.invisible);
        deliver("sharedstatus", shared);
    }
    std::vector<TestSupport::RecordingDelegate::Call> updates = delegate_.CallsOf("OnClientPresenceUpdated");
    ASSERT_EQ(updates.size(), std::size(cases));
    for (size_t i = 0; i < updates.size(); ++i) {
        EXPECT_EQ(updates[i].status.GetPresenceStatus(), cases[i].code) << i;
        EXPECT_EQ(updates[i].status.GetInvisible(), cases[i].invisible) << i;
        // Busy is do-not-disturb, as a status the user chooses is, so the two compare equal.
        EXPECT_EQ(updates[i].status.GetDoNotDisturb(), cases[i].code == PresenceStatus::BUSY) << i;
        EXPECT_EQ(updates[i].text, cases[i].message != nullptr ? cases[i].message : "") << i;
    }
}

TEST_F(PresenceHandlerTest, TheDisplayNameComesFromTheSettingsWhenTheyCarryOne)
{
    auto named = new UserSettings();
    named->setDisplayName(new IMString("Alice <A> & co"));
    deliver("myDisplayName", named);
    auto unnamed = new UserSettings();
    unnamed->setArchivingEnabled(true);
    deliver("myDisplayName", unnamed);
    EXPECT_EQ(delegate_.Names(), Names{"OnMyDisplayNameChanged"});
    EXPECT_EQ(delegate_.CallsOf("OnMyDisplayNameChanged")[0].text, "Alice <A> & co");
}
