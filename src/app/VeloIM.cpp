#include "app/VeloIM.h"

#include "app/IMManager.h"

#include "platform/ArrayList.h"
#include "store/ContactModel.h"

#include <memory>

namespace {

const char* const NotificationLaunchPrefix = "Notification from Non Buddy:";
constexpr int NotificationArgumentCount = 3;

}  // namespace

Ixa::App::Application* VeloIM::CreateInstance() { return new VeloIM; }

bool VeloIM::OnAppInitializing(Ixa::App::AppRegistry&)
{
    IMManager::setAppResource(GetAppResource());
    IMManager::setFrame(GetAppFrame()->GetFrame());
    IMManager::initIMManager();
    return true;
}

bool VeloIM::OnAppTerminating(Ixa::App::AppRegistry& registry, bool urgentTermination)
{
    return IMManager::OnAppTerminating(registry, urgentTermination);
}

void VeloIM::OnForeground() { IMManager::OnForeground(); }

void VeloIM::OnBackground() { IMManager::OnBackground(); }

void VeloIM::OnLowMemory() { IMManager::OnLowMemory(); }

void VeloIM::OnBatteryLevelChanged(Ixa::App::BatteryLevel) {}

void VeloIM::OnScreenOn() { IMManager::OnScreenOn(); }

void VeloIM::OnScreenOff() { IMManager::OnScreenOff(); }

void VeloIM::OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args)
{
    if (requestId == TERMINATE_REQUEST) {
        Terminate();
    } else if (requestId == NOTIFICATION_SELECTED_EVENT) {
        const Ixa::Base::String user = notifiedUser(args);
        if (!user.IsEmpty()) {
            openNotifiedChat(user);
        }
    }
    Application::OnUserEventReceivedN(requestId, args);
}

Ixa::Base::String VeloIM::notifiedUser(const Ixa::Base::Collection::IList* args)
{
    if (args == nullptr || args->GetCount() != NotificationArgumentCount) {
        return Ixa::Base::String();
    }
    const auto* launch = dynamic_cast<const Ixa::Base::String*>(args->GetAt(2));
    const Ixa::Base::String prefix(NotificationLaunchPrefix);
    Ixa::Base::String user;
    if (launch != nullptr && launch->StartsWith(prefix, 0)) {
        launch->SubString(prefix.GetLength(), user);
    }
    return user;
}

// A sender who is not a contact is stored as a non-buddy, so the chat has someone to show.
void VeloIM::openNotifiedChat(const Ixa::Base::String& user)
{
    ContactModel* contacts = IMManager::GetContactModel();
    notifiedContact_.reset(contacts->GetContactById(user));
    if (notifiedContact_ == nullptr) {
        notifiedContact_.reset(contacts->CreateContact());
        notifiedContact_->SetContactId(user);
        notifiedContact_->SetNickName(user);
        notifiedContact_->SetOnBuddyList(false);
        contacts->SaveOrUpdate(notifiedContact_.get());
    }
    IMManager::SetAppInBackgroundState(false);
    IMManager::notifyEvent(EVENT_OPEN_NOTIFIED_CHAT, static_cast<void*>(notifiedContact_.get()));
}

int IxaMain(int argc, char** argv)
{
    auto arguments = std::make_unique<Ixa::Base::Collection::ArrayList>();
    arguments->Construct(10);
    for (int i = 0; i < argc; ++i) {
        arguments->Add(new Ixa::Base::String(argv[i]));
    }
    const Ixa::result outcome = Ixa::App::Application::Execute(&VeloIM::CreateInstance, arguments.get());
    arguments->RemoveAll(true);
    return static_cast<int>(outcome);
}
