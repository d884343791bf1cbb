#include "app/ReconnectStatus.h"

#include "app/IMManager.h"

namespace {

constexpr int SecondMs = 1000;

}  // namespace

ReconnectStatus::ReconnectStatus(Ixa::Ui::Controls::Frame* frame) : frame_(frame) { countdown_.Construct(*this); }

ReconnectStatus::~ReconnectStatus() { End(); }

bool ReconnectStatus::Reconnecting(int seconds)
{
    const bool starting = !reconnecting_;
    reconnecting_ = true;
    seconds_ = seconds > 0 ? seconds : 0;
    if (seconds_ > 0) {
        countdown_.Start(SecondMs);
    } else {
        countdown_.Cancel();
    }
    show();
    return starting;
}

bool ReconnectStatus::End()
{
    const bool was = reconnecting_;
    reconnecting_ = false;
    countdown_.Cancel();
    if (was && frame_ != nullptr) {
        frame_->ClearStatusNotice();
    }
    return was;
}

// At zero the try is due: the notice says "Reconnecting…" alone until the engine reports again.
void ReconnectStatus::OnTimerExpired(Ixa::Base::Runtime::Timer&)
{
    if (!reconnecting_ || seconds_ == 0) {
        return;
    }
    --seconds_;
    if (seconds_ > 0) {
        countdown_.Start(SecondMs);
    }
    show();
}

void ReconnectStatus::show()
{
    if (frame_ == nullptr) {
        return;
    }
    Ixa::Base::String text = IMManager::GetStringFromResource("IDS_RECONNECTING");
    if (seconds_ > 0) {
        Ixa::Base::String count;
        count.Append(seconds_);
        text = IMManager::GetFormatString(IMManager::GetStringFromResource("IDS_RECONNECTING_IN"), count);
    }
    frame_->SetStatusNotice(text, [] {
        if (RequestController* requests = IMManager::GetRequestController()) {
            requests->ReconnectNow();
        }
    });
}
