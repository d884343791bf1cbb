#include "platform/Database.h"
#include "store/PropertiesModel.h"
#include "store/QuickTextModel.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

using Ixa::Base::String;
using Ixa::Base::Collection::ArrayList;

namespace {

// The password column as it is on disk.
String StoredPassword()
{
    Ixa::Io::Database raw;
    if (Ixa::IsFailed(raw.Construct(String("/Home/gtalkprop.db"), false))) {
        return String("<no file>");
    }
    std::unique_ptr<Ixa::Io::DbEnumerator> row(raw.QueryN(String("SELECT password FROM PropertiesTable1")));
    String password("<no row>");
    if (row != nullptr && Ixa::IsSucceeded(row->MoveNext())) {
        row->GetStringAt(0, password);
    }
    return password;
}

std::string Texts(ArrayList* list)
{
    std::string joined;
    for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
        joined += (i > 0 ? "|" : "") + static_cast<String*>(list->GetAt(i))->ToUtf8();
    }
    return joined;
}

class PropertiesStoreTest : public testing::Test {
protected:
    void Reopen()
    {
        model_.reset();
        model_.reset(PropertiesModel::GetInstance());
    }

    TempDataDir dir_;
    std::unique_ptr<PropertiesModel> model_{PropertiesModel::GetInstance()};
};

}  // namespace

TEST_F(PropertiesStoreTest, AFreshInstallationReadsTheDefaults)
{
    PropertiesModel& model = *model_;
    EXPECT_EQ(model.GetAlertSettings(), String("melody"));
    EXPECT_TRUE(model.GetShowOfflineContactsOrPics());
    EXPECT_TRUE(model.IsMyProfileExpanded());
    EXPECT_TRUE(model.IsAvailableState());
    EXPECT_FALSE(model.GetSavePassword());
    EXPECT_FALSE(model.GetIsAutoSignIn());
    EXPECT_FALSE(model.GetIsSignInInvisible());
    EXPECT_FALSE(model.IsResetDBRequired());
    EXPECT_TRUE(model.GetUserName().IsEmpty());
    EXPECT_TRUE(model.GetPassword().IsEmpty());
    EXPECT_TRUE(model.GetCustomMessage().IsEmpty());
    std::unique_ptr<Properties> created(model.CreateProperties());
    EXPECT_EQ(created->GetAlertSettings(), String("melody"));
}

TEST_F(PropertiesStoreTest, SettingsAreCoupledAndSurviveReopen)
{
    model_->SetIsAutoSignIn(true);
    EXPECT_TRUE(model_->GetSavePassword()) << "auto sign-in needs the saved password";
    model_->SetUserName(String("ann@x"));
    model_->SetPassword(String("s3cret'\""));
    model_->SetAlertSettings(String("none"));
    model_->SetCustomMessage(String(u"away \U0001F600"));
    model_->SetShowOfflineContactsOrPics(false);
    model_->SetIsSignInAsInvisible(true);
    model_->SetAvailableState(false);
    model_->SetMyProfileExpanded(false);
    EXPECT_EQ(StoredPassword(), String("s3cret'\""));

    Reopen();
    EXPECT_EQ(model_->GetUserName(), String("ann@x"));
    EXPECT_EQ(model_->GetPassword(), String("s3cret'\""));
    EXPECT_TRUE(model_->GetIsAutoSignIn());
    EXPECT_EQ(model_->GetAlertSettings(), String("none"));
    EXPECT_EQ(model_->GetCustomMessage(), String(u"away \U0001F600"));
    EXPECT_FALSE(model_->GetShowOfflineContactsOrPics());
    EXPECT_TRUE(model_->GetIsSignInInvisible());
    EXPECT_FALSE(model_->IsAvailableState());
    EXPECT_FALSE(model_->IsMyProfileExpanded());

    String empty;
    model_->SetCustomMessage(empty);
    model_->SavePassword(false);
    EXPECT_TRUE(model_->GetPassword().IsEmpty());
    EXPECT_FALSE(model_->GetIsAutoSignIn()) << "no auto sign-in without a saved password";
    EXPECT_TRUE(StoredPassword().IsEmpty());
    Reopen();
    EXPECT_TRUE(model_->GetCustomMessage().IsEmpty());
    EXPECT_FALSE(model_->GetSavePassword());
    EXPECT_FALSE(model_->GetIsAutoSignIn());
}

TEST_F(PropertiesStoreTest, ThePasswordReachesTheDiskOnlyWhileSavePasswordIsOn)
{
    model_->SetUserName(String("ann@x"));
    model_->SetPassword(String("typed"));
    EXPECT_EQ(model_->GetPassword(), String("typed")) << "kept for this run";
    model_->SetAlertSettings(String("none"));
    EXPECT_TRUE(StoredPassword().IsEmpty()) << "a later save of the other settings leaves it out too";
    Reopen();
    EXPECT_TRUE(model_->GetPassword().IsEmpty());

    model_->SavePassword(true);
    model_->SetPassword(String("Typed-Secret-42"));
    EXPECT_EQ(StoredPassword(), String("Typed-Secret-42"));
    model_->SavePassword(false);
    auto expectNowhereOnDisk = [this](const char* when) {
        for (const auto& file : std::filesystem::directory_iterator(dir_.Path())) {
            std::ifstream in(file.path(), std::ios::binary);
            std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            EXPECT_EQ(bytes.find("Typed-Secret-42"), std::string::npos) << "left in " << file.path() << when;
        }
    };
    expectNowhereOnDisk(" while open");
    model_.reset();
    expectNowhereOnDisk(" after closing");
}

// The account signing in is the e-mail id; the user name is only what was typed last.
TEST_F(PropertiesStoreTest, OnlyAnotherAccountSigningInRequiresAReset)
{
    model_->SetEmailId(String("ann@x"));
    EXPECT_TRUE(model_->IsResetDBRequired()) << "the stores belong to nobody yet";
    model_->ResetDBHolder();
    EXPECT_FALSE(model_->IsResetDBRequired());
    model_->SavePassword(true);
    model_->SetPassword(String("first"));

    Reopen();
    EXPECT_FALSE(model_->IsResetDBRequired()) << "nobody is signing in";
    model_->SetUserName(String("ann@x"));
    model_->SetEmailId(String("ann@x"));
    model_->SetPassword(String("changed"));
    EXPECT_FALSE(model_->IsResetDBRequired()) << "a new password is the same account";

    // Another id typed and tried (its password refused), then a restart: still ann's stores.
    model_->SetUserName(String("bob@x"));
    model_->SetEmailId(String("bob@x"));
    EXPECT_TRUE(model_->IsResetDBRequired());
    Reopen();
    EXPECT_EQ(model_->GetUserName(), String("bob@x")) << "the typed id is shown again";
    model_->SetUserName(String("ann@x"));
    model_->SetEmailId(String("ann@x"));
    EXPECT_FALSE(model_->IsResetDBRequired()) << "the stores never stopped being ann's";

    model_->SetEmailId(String("bob@x"));
    model_->ResetDBHolder();
    Reopen();
    model_->SetEmailId(String("bob@x"));
    EXPECT_FALSE(model_->IsResetDBRequired()) << "bob signed in and the stores are his";
    model_->SetEmailId(String("ann@x"));
    EXPECT_TRUE(model_->IsResetDBRequired());

    EXPECT_TRUE(model_->DeleteDatabase());
    EXPECT_TRUE(model_->GetUserName().IsEmpty());
    model_->SetEmailId(String("bob@x"));
    EXPECT_TRUE(model_->IsResetDBRequired()) << "after a full reset the stores belong to nobody";
    EXPECT_EQ(model_->GetAlertSettings(), String("melody"));
}

namespace {

// The id of the stored phrase `text`, or -1.
long long IdOf(QuickTextModel& model, const String& text)
{
    for (const QuickTextDatabase::Entry& entry : model.GetAllEntries()) {
        if (entry.text == text) {
            return entry.id;
        }
    }
    return -1;
}

}  // namespace

TEST(QuickTextStoreTest, EachPhraseIsStoredOnceInTheOrderAddedAndDeletedByItsOwnId)
{
    TempDataDir dir;
    std::unique_ptr<QuickTextModel> model(QuickTextModel::GetInstance());
    EXPECT_EQ(model->GetAllTexts(), nullptr) << "no texts yet";
    String call("Call me");
    String quoted(u"It's \"late\" \\ 50% _now_");
    String emoji(u"\U0001F44D ok");
    // Two phrases with one string hash.
    String facebook("See you on FB");
    String alike("See you on Ea");
    ASSERT_EQ(facebook.GetHashCode(), alike.GetHashCode());
    for (const String* text : {&call, &quoted, &call, &facebook, &alike, &emoji}) {
        EXPECT_TRUE(model->AddNewText(*text));
    }
    EXPECT_TRUE(model->FindTextById(IdOf(*model, quoted)));
    EXPECT_FALSE(model->FindTextById(-1));
    std::unique_ptr<String> found(model->GetTextById(IdOf(*model, emoji)));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(*found, emoji);

    model.reset();
    model.reset(QuickTextModel::GetInstance());
    ArrayList* texts = model->GetAllTexts();
    EXPECT_EQ(Texts(texts), "Call me|It's \"late\" \\ 50% _now_|See you on FB|See you on Ea|\U0001F44D ok");
    texts->RemoveAll(true);
    delete texts;

    const long long quotedId = IdOf(*model, quoted);
    EXPECT_TRUE(model->DeleteTextById(quotedId));
    EXPECT_FALSE(model->DeleteTextById(quotedId));
    EXPECT_TRUE(model->DeleteTextById(IdOf(*model, facebook)));
    texts = model->GetAllTexts();
    EXPECT_EQ(Texts(texts), "Call me|See you on Ea|\U0001F44D ok") << "the phrase with the same hash stays";
    texts->RemoveAll(true);
    delete texts;
    EXPECT_TRUE(model->DeleteAllTexts());
    EXPECT_EQ(model->GetAllTexts(), nullptr);
}

TEST_F(PropertiesStoreTest, OneStreamSessionPerAccountReplacedOrForgotten)
{
    const String alice("alice@example.com");
    const String bob("bob@example.com");
    String id("unchanged");
    long long handled = -1;
    EXPECT_FALSE(model_->GetStreamSession(alice, &id, &handled)) << "a fresh installation has no session";

    model_->SaveStreamSession(alice, String("S1"), 5);
    model_->SaveStreamSession(alice, String("S2"), 4294967295LL);
    Reopen();
    ASSERT_TRUE(model_->GetStreamSession(alice, &id, &handled));
    EXPECT_EQ(id, String("S2")) << "a save replaces the account's session";
    EXPECT_EQ(handled, 4294967295LL) << "the whole unsigned 32-bit count survives";
    EXPECT_FALSE(model_->GetStreamSession(bob, &id, &handled)) << "another account's session is not this one's";

    model_->SaveStreamSession(alice, String(), 0);
    Reopen();
    EXPECT_FALSE(model_->GetStreamSession(alice, &id, &handled)) << "an empty id forgets the session";
}
