// The buddy list with 5,000 contacts (five groups of 1,000, all unfolded), the application
// launched offscreen as the screen tests run it, the list on screen:
//
// - A burst of 5,000 presence changes, stored and reported from a worker thread as the
//   engine's response thread does (the contact saved, then OnContactUpdated). Figures: how
//   many rebuilds of the list the screen made per frame (the frames are the display's, 1/60 s
//   slots of the monotonic clock, counted from the one the first change was made in to the
//   one the last was shown in; goal: at most one), and that time beside the same 5,000 writes
//   made to the store alone. The screen's timers run in real time, as in the program (the
//   virtual clock of the screen tests is off), so a rebuild that waits for the next frame
//   waits as long as it would there. A burst that has not reached the
//   screen after 20 s is cut short and counted as far as it came; the rebuilds it left
//   waiting would take many minutes, so the bench then ends without working through them
//   (which is why the burst is measured last).
// - One search keystroke: the first letter typed into the empty search field, which all
//   5,000 contacts match, until the results are drawn (goal: at most 16 ms).
// - Scrolling: the rows the list asks for while it jumps from the top to the middle of the
//   list, beside the rows in view there (goal: only those).
// Each figure is the median of several runs, the spread their minimum and maximum.
// Not part of the test run.
#include "BenchFigure.h"
#include "Spread.h"

#include "support/AppUnderTest.h"

#include "app/IMManager.h"
#include "app/ModelResponseImpl.h"
#include "screens/BuddyController.h"
#include "screens/BuddyScreen.h"
#include "store/ContactModel.h"
#include "store/GroupModel.h"
#include "store/PropertiesModel.h"

#include "app/ScreenStates.h"
#include "platform/ListView.h"
#include "platform/ScreenProbe.h"
#include "platform/UiEventQueue.h"
#include "platform/VirtualClock.h"
#include "platform/WidgetSession.h"

#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr BenchFigure::Better Lower = BenchFigure::Better::LOWER;

constexpr int GROUPS = 5;
constexpr int CONTACTS = 5000;
constexpr int RUNS = 5;
constexpr int FRAMES_PER_SECOND = 60;
constexpr auto BURST_CAP = std::chrono::seconds(20);
const int PRESENCES[] = {Contact::PRESENCE_AVAILABLE, Contact::PRESENCE_AWAY, Contact::PRESENCE_OFFLINE};

double Since(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

std::string Id(int i) { return "contact" + std::to_string(i) + "@localhost"; }

std::string GroupName(int i) { return "Group " + std::to_string(i % GROUPS); }

void Seed()
{
    IMManager::GetPropertiesModel()->SetUserName("me@localhost");
    IMManager::GetPropertiesModel()->SetEmailId("me@localhost");
    for (int g = 0; g < GROUPS; ++g) {
        std::unique_ptr<Group> group(IMManager::GetGroupModel()->CreateGroup());
        group->SetGroupId(IMString(GroupName(g).c_str()));
        group->SetGroupName(IMString(GroupName(g).c_str()));
        group->SetHasContacts(true);
        group->SetIsExpanded(true);
        IMManager::GetGroupModel()->SaveOrUpdate(group.get());
    }
    ContactModel* contacts = IMManager::GetContactModel();
    contacts->BeginBatch();
    for (int i = 0; i < CONTACTS; ++i) {
        std::unique_ptr<Contact> contact(contacts->CreateContact());
        char nick[32];
        std::snprintf(nick, sizeof nick, "Friend%04d", i);
        contact->SetContactId(IMString(Id(i).c_str()));
        contact->SetUserName(IMString(Id(i).c_str()));
        contact->SetNickName(IMString(nick));
        contact->SetGroupName(IMString(GroupName(i).c_str()));
        contact->SetPresenceType(PRESENCES[i % 3]);
        contact->SetCustomMessage(IMString("out and about"));
        contact->SetOnBuddyList(true);
        contacts->SaveOrUpdate(contact.get());
    }
    contacts->EndBatch();
}

BuddyScreen* Shown()
{
    ScreenStates* states = IMManager::GetScreenStatesObj();
    return states != nullptr ? dynamic_cast<BuddyScreen*>(states->getCurrentIMScreen()) : nullptr;
}

// Every change of the burst is a presence a contact did not have before.
int PresenceOf(int i, int round) { return PRESENCES[(i + round + 1) % 3]; }

void Change(int i, int round, bool report)
{
    ContactModel* contacts = IMManager::GetContactModel();
    std::unique_ptr<Contact> contact(contacts->GetContactById(IMString(Id(i).c_str())));
    contact->SetPresenceType(PresenceOf(i, round));
    contacts->SaveOrUpdate(contact.get());
    if (report) {
        ModelResponseImpl::GetInstance()->OnContactUpdated(contact.release());
    }
}

// Nothing waits for the screen: no event, and no rebuild for its frame.
bool Settled(const BuddyScreen& screen)
{
    return Ixa::Ui::UiEventQueue::GetPendingCount() == 0 && !screen.isBuddyListRefreshPending();
}

void PumpUntilDelivered(AppUnderTest& app, const BuddyScreen& screen)
{
    app.driver.PumpUntilIdle();
    while (!Settled(screen)) {
        app.driver.PumpUntilIdle();
    }
}

long long FrameOf(Clock::time_point time)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count() * FRAMES_PER_SECOND / 1000;
}

struct BurstRun {
    double ms;
    double storeMs;
    int rebuilds;
    long long frames;
    int changes;
    bool shown;
};

// The last contact changed shows its new presence in the rebuilt list.
bool LastChangeShown(int round)
{
    const int row = bc.updateContactInfo(Ixa::Base::String(Id(CONTACTS - 1).c_str()));
    const Contact* contact = row >= 0 ? bc.GetContactByIndex(row) : nullptr;
    return contact != nullptr && contact->GetPresenceType() == PresenceOf(CONTACTS - 1, round);
}

BurstRun PresenceBurst(AppUnderTest& app, BuddyScreen& screen, int round)
{
    BurstRun run{};
    // The yardstick: the same writes to the store, nothing reported (they are undone by the
    // burst, which writes the same values).
    Clock::time_point start = Clock::now();
    std::thread([round] {
        for (int i = 0; i < CONTACTS; ++i) {
            Change(i, round, false);
        }
    }).join();
    run.storeMs = Since(start);

    const int rebuildsBefore = screen.GetRebuildCount();
    std::atomic<bool> stop{false};
    std::atomic<int> changed{0};
    start = Clock::now();
    std::thread burst([&] {
        for (int i = 0; i < CONTACTS && !stop; ++i) {
            Change(i, round, true);
            ++changed;
        }
    });
    while ((changed < CONTACTS || !Settled(screen)) && Clock::now() - start < BURST_CAP) {
        Ixa::Ui::ScreenProbe::ProcessEvents(1);
    }
    // Outside the pumping the user-interface thread holds no lock the worker could wait on.
    stop = true;
    burst.join();
    run.shown = Settled(screen);
    if (run.shown) {
        PumpUntilDelivered(app, screen);
    }
    run.ms = Since(start);
    run.frames = FrameOf(Clock::now()) - FrameOf(start) + 1;
    run.rebuilds = screen.GetRebuildCount() - rebuildsBefore;
    run.changes = changed;
    run.shown = run.shown && run.changes == CONTACTS && LastChangeShown(round);
    return run;
}

// False when a burst was cut short.
bool MeasureBurst(AppUnderTest& app, BuddyScreen& screen)
{
    bool whole = true;
    std::vector<double> perFrame;
    std::vector<double> toScreen;
    std::vector<double> storeAlone;
    std::vector<double> rebuilds;
    for (int round = 0; round < RUNS && whole; ++round) {
        const BurstRun run = PresenceBurst(app, screen, round);
        whole = run.shown;
        const double frames = static_cast<double>(run.frames);
        // Cut short, a burst is counted per change that arrived, as if all had.
        const double scale = static_cast<double>(CONTACTS) / std::max(1, run.changes);
        perFrame.push_back(run.rebuilds / frames);
        toScreen.push_back(run.ms * scale);
        storeAlone.push_back(run.storeMs);
        rebuilds.push_back(run.rebuilds * scale);
        std::printf("  burst %d: %d of %d changes in %.0f ms, %d rebuilds in %lld frames (%.2f per frame), %s; store alone %.0f ms\n", round,
            run.changes, CONTACTS, run.ms, run.rebuilds, run.frames, run.rebuilds / frames, run.shown ? "final state shown" : "final state NOT shown", run.storeMs);
    }
    const Spread rate = Spread::Of(perFrame);
    const Spread time = Spread::Of(toScreen);
    const Spread store = Spread::Of(storeAlone);
    std::printf("presence burst of %d over %d contacts: median %.2f rebuilds per frame, %.0f ms to screen (store alone %.0f ms)\n",
        CONTACTS, CONTACTS, rate.median, time.median, store.median);
    BenchFigure figure = BenchFigure::Of("buddy list: rebuilds per frame, 5,000 presence changes", rate, "rebuilds/frame", Lower);
    figure.goal = 1;
    figure.Print();
    BenchFigure::Of("buddy list: rebuilds for 5,000 presence changes", Spread::Of(rebuilds), "rebuilds", Lower).Print();
    BenchFigure shown = BenchFigure::Of("buddy list: 5,000 presence changes to screen", time, "ms", Lower);
    shown.yardstick = "the same writes to the store alone";
    shown.yardstickValue = store.median;
    shown.Print();
    return whole;
}

void MeasureSearch(AppUnderTest& app)
{
    std::vector<double> runs;
    for (int run = 0; run < RUNS * 2 + 1; ++run) {
        app.driver.CancelSearch();
        app.driver.TypeInSearchBar("");
        const Clock::time_point start = Clock::now();
        app.driver.Type("f");
        runs.push_back(Since(start));
    }
    const int results = bc.GetSearchResultCount();
    app.driver.CancelSearch();
    const Spread keystroke = Spread::Of(runs);
    std::printf("search keystroke over %d contacts (%d results): median %.1f ms (min %.1f, max %.1f)\n", CONTACTS, results, keystroke.median,
        keystroke.low, keystroke.high);
    BenchFigure figure = BenchFigure::Of("buddy list: one search keystroke, 5,000 contacts", keystroke, "ms", Lower);
    figure.goal = 16;
    figure.Print();
}

int RowsInView(const Ixa::Ui::Controls::ListView& list)
{
    const int top = list.GetItemIndexFromPosition(Ixa::Graphics::Point(0, 0));
    const int bottom = list.GetItemIndexFromPosition(Ixa::Graphics::Point(0, list.GetHeight() - 1));
    return (bottom >= 0 ? bottom : list.GetItemCount() - 1) - top + 1;
}

void MeasureScroll(AppUnderTest& app, BuddyScreen& screen)
{
    std::vector<double> made;
    std::vector<double> inView;
    std::vector<double> held;
    for (int run = 0; run < RUNS; ++run) {
        screen.RefreshBuddyList();
        screen.ScrollToItemIndex(0);
        PumpUntilDelivered(app, screen);
        Ixa::Ui::Controls::ListView* list = screen.GetMainListView();
        const int before = list->GetRowsMadeSoFar();
        screen.ScrollToItemIndex(list->GetItemCount() / 2 + run * 7);
        PumpUntilDelivered(app, screen);
        made.push_back(list->GetRowsMadeSoFar() - before);
        inView.push_back(RowsInView(*list));
        held.push_back(list->GetMadeRowCount());
    }
    const Spread rows = Spread::Of(made);
    const Spread view = Spread::Of(inView);
    std::printf("scrolling to the middle of %d rows: median %.0f rows made (min %.0f, max %.0f), %.0f in view, %.0f held\n",
        screen.GetMainListView()->GetItemCount(), rows.median, rows.low, rows.high, view.median, Spread::Of(held).median);
    BenchFigure figure = BenchFigure::Of("buddy list: rows made scrolling to the middle", rows, "rows", Lower);
    figure.yardstick = "rows in view";
    figure.yardstickValue = view.median;
    figure.goal = 1;
    figure.goalOn = BenchFigure::GoalOn::RATIO;
    figure.Print();
}

}  // namespace

int main(int argc, char** argv)
{
    // The handset runs without a display unless one is asked for.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Ixa::WidgetSession platform(argc, argv);
    AppUnderTest app;
    if (!app.Launched()) {
        std::fprintf(stderr, "buddy list bench: the application did not start\n");
        return 1;
    }
    Ixa::Base::Runtime::VirtualClock::Disable();
    Seed();
    IMManager::notifyEvent(EVENT_SIGNED_IN, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    std::thread([] { ModelResponseImpl::GetInstance()->OnAllPresenceReceived(); }).join();
    BuddyScreen* screen = Shown();
    if (screen != nullptr) {
        PumpUntilDelivered(app, *screen);
    }
    if (screen == nullptr || screen->GetMainListView() == nullptr) {
        std::fprintf(stderr, "buddy list bench: the buddy list did not show\n");
        return 1;
    }
    std::printf("Buddy list with %d contacts in %d groups, offscreen\n", CONTACTS, GROUPS);
    MeasureScroll(app, *screen);
    MeasureSearch(app);
    if (!MeasureBurst(app, *screen)) {
        std::fflush(stdout);
        std::_Exit(0);
    }
    return 0;
}
