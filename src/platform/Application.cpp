#include "platform/Application.h"

#include "platform/ArrayList.h"
#include "platform/FrameWindow.h"
#include "platform/NotificationCenter.h"
#include "platform/QuitSignals.h"
#include "platform/UiTheme.h"
#include "platform/UiEventQueue.h"
#include "platform/UiThreadCalls.h"

#include <QApplication>
#include <QFont>
#include <QMetaObject>
#include <QThreadPool>

#include <memory>

namespace Ixa::App {

namespace {

Application* instance = nullptr;
bool loopRunning = false;

std::vector<std::string> ToStrings(const Base::Collection::IList* arguments)
{
    std::vector<std::string> strings;
    const int count = arguments != nullptr ? arguments->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        if (const auto* text = dynamic_cast<const Base::String*>(arguments->GetAt(i)))
            strings.push_back(text->ToUtf8());
    }
    return strings;
}

// Emoji are drawn from the colour emoji face: it stands in first for the characters the text
// face lacks (labels, rows, bubbles and fields alike), ahead of any other installed font that
// has them in black and white, which fontconfig's own order may prefer.
void PreferColourEmoji()
{
    QFont::insertSubstitution(QString::fromLatin1(Ui::UiTheme::TextFamily), QString::fromLatin1(Ui::UiTheme::EmojiFamily));
}

// Qt's raster engine cuts large fills, smooth scalings and image conversions into tasks on
// the global thread pool (the one Qt 6.4 uses for painting) and waits until all are done, so
// the user-interface thread gains little from more than one helper. With several helpers,
// Qt hands its pool bookkeeping from one to the next under its own futex-based locks, which
// race detectors cannot see, and every painting test then reports races inside Qt. One
// helper that never retires leaves nothing to hand over. What is drawn stays the same: Qt
// cuts the work by the size of the picture, not by the number of threads.
void KeepOnePaintingHelper()
{
    QThreadPool* pool = QThreadPool::globalInstance();
    pool->setMaxThreadCount(1);
    pool->setExpiryTimeout(-1);
}

}  // namespace

Application::Application() = default;

Application::~Application() = default;

result Application::Execute(ApplicationInstanceFactory factory, const Base::Collection::IList* arguments)
{
    static int argc = 1;
    static char name[] = "veloim";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QApplication> owned;
    if (QCoreApplication::instance() == nullptr)
        owned = std::make_unique<QApplication>(argc, argv);
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return E_INVALID_STATE;
    const result launched = Launch(factory, ToStrings(arguments));
    if (IsSucceeded(launched) && IsRunning()) {
        // Asked to end by a signal, the program quits as the user's own quit does.
        QuitSignals quitSignals([] {
            if (instance != nullptr)
                instance->Terminate();
        });
        loopRunning = true;
        QApplication::exec();
        loopRunning = false;
    }
    Shutdown();
    return launched;
}

result Application::Launch(ApplicationInstanceFactory factory, const std::vector<std::string>& arguments)
{
    if (instance != nullptr || factory == nullptr || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return E_INVALID_STATE;
    instance = factory();
    if (instance == nullptr)
        return E_OUT_OF_MEMORY;
    KeepOnePaintingHelper();
    PreferColourEmoji();
    Ui::UiThreadCalls::Open();
    NotificationCenter::Reset();
    const result constructed = instance->frame_.Construct();
    if (IsFailed(constructed)) {
        Shutdown();
        return constructed;
    }
    Ui::FrameWindow& window = instance->frame_.GetFrame()->GetWindow();
    window.onHomeKey = [] { SetInBackground(!instance->background_); };
    window.onOngoingSelected = [] { SelectOngoingActivity(); };
    Ui::UiEventQueue::SetApplicationReceiver(
        [](int requestId, Base::Collection::IList* args) { instance->OnUserEventReceivedN(requestId, args); });
    instance->ApplyArguments(arguments);
    if (!instance->OnAppInitializing(instance->registry_)) {
        Shutdown();
        return E_FAILURE;
    }
    window.show();
    instance->OnForeground();
    return E_SUCCESS;
}

void Application::ApplyArguments(const std::vector<std::string>& arguments)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--screenshot-dir" && i + 1 < arguments.size())
            frame_.GetFrame()->SetScreenshotDirectory(arguments[i + 1]);
        else if (arguments[i] == "--report-drawn")
            frame_.GetFrame()->ReportDrawnScreens();
    }
}

void Application::Shutdown()
{
    if (instance == nullptr)
        return;
    Application* ending = instance;
    if (Ui::Controls::Frame* frame = ending->frame_.GetFrame())
        frame->TerminateForms();
    ending->OnAppTerminating(ending->registry_, false);
    Ui::UiEventQueue::Close();
    instance = nullptr;
    delete ending;
}

bool Application::IsRunning() { return instance != nullptr; }

Application* Application::GetInstance() { return instance; }

AppFrame* Application::GetAppFrame() { return instance != nullptr ? &instance->frame_ : nullptr; }

AppResource* Application::GetAppResource() { return instance != nullptr ? &instance->resource_ : nullptr; }

result Application::Terminate()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr)
        return E_INVALID_STATE;
    QMetaObject::invokeMethod(application, [] {
        Shutdown();
        if (loopRunning)
            QCoreApplication::quit();
    }, Qt::QueuedConnection);
    return E_SUCCESS;
}

result Application::SendUserEvent(int requestId, Base::Collection::IList* args)
{
    return Ui::UiEventQueue::PostToApplication(requestId, args);
}

void Application::OnUserEventReceivedN(int, Base::Collection::IList* args)
{
    if (args == nullptr)
        return;
    args->RemoveAll(true);
    delete args;
}

void Application::SetInBackground(bool background)
{
    if (instance == nullptr || instance->background_ == background)
        return;
    instance->background_ = background;
    instance->frame_.GetFrame()->GetWindow().ShowHomeScreen(background);
    if (background)
        instance->OnBackground();
    else
        instance->OnForeground();
    instance->frame_.GetFrame()->RequestScreenshot(background ? "home" : "foreground");
}

result Application::SelectOngoingActivity()
{
    const NotificationCenter::Ongoing ongoing = NotificationCenter::GetOngoing();
    if (instance == nullptr || !ongoing.shown)
        return E_INVALID_STATE;
    SetInBackground(false);
    auto* args = new Base::Collection::ArrayList;
    args->Construct(3);
    args->Add(new Base::String("notification"));
    args->Add(new Base::String(ongoing.text));
    args->Add(new Base::String(ongoing.launchArgument));
    const result posted = Ui::UiEventQueue::PostToApplication(NOTIFICATION_SELECTED_EVENT, args);
    if (IsFailed(posted)) {
        args->RemoveAll(true);
        delete args;
    }
    return posted;
}

}  // namespace Ixa::App
