// What opening the conversations list costs over a large message store: 1,000 conversations
// with 200,000 stored messages between them (one in ten unread), the application launched
// offscreen as the screen tests run it. A run goes from the buddy list to the conversations
// list: the list is read from the store, the rows on view are made (avatar, presence, last
// message, badge) and the form is drawn, until the user-interface thread is idle. The figure
// is the median of eleven runs (goal: under 150 ms), after one run that warms the caches.
// Not part of the test run.
#include "support/AppUnderTest.h"

#include "BenchFigure.h"

#include "app/IMManager.h"
#include "store/Message.h"
#include "store/MessageModel.h"

#include "foundation/IMDateTime.h"
#include "platform/WidgetSession.h"

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int CONVERSATIONS = 1000;
constexpr int MESSAGES = 200000;
constexpr int RUNS = 11;

// Spreads the messages over the conversations a second apart, every tenth one unread.
bool Seed()
{
    MessageModel* store = IMManager::GetMessageModel();
    IMDateTime start;
    start.SetValue(2026, 1, 1, 8, 0, 0);
    store->BeginBatch();
    bool stored = true;
    for (int i = 0; i < MESSAGES && stored; ++i) {
        std::unique_ptr<Message> message(store->CreateMessage());
        const std::string user = "user" + std::to_string(i % CONVERSATIONS) + "@localhost";
        IMDateTime time(start);
        time.AddSeconds(i);
        message->SetOtherUserId(user.c_str());
        message->SetMessage(("message number " + std::to_string(i)).c_str());
        message->SetMessageType(i % 10 == 0 ? Message::TYPE_RECEIVED_UNREAD : (i % 2 == 0 ? Message::TYPE_SENT : Message::TYPE_RECEIVED_READ));
        message->SetTimeStamp(time);
        stored = store->SaveOrUpdate(message.get());
    }
    store->EndBatch();
    return stored;
}

double OpenConversations(AppUnderTest& app)
{
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
    app.driver.PumpUntilIdle();
    const auto start = std::chrono::steady_clock::now();
    IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS);
    app.driver.PumpUntilIdle();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return app.Visible().form == "CONVERSATIONS_SCREEN" ? spent.count() : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    // The handset runs without a display unless one is asked for.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Ixa::WidgetSession platform(argc, argv);
    AppUnderTest app;
    if (!app.Launched() || !Seed()) {
        std::fprintf(stderr, "conversations bench: the application or its store could not be set up\n");
        return 1;
    }
    IMManager::notifyEvent(EVENT_SIGNED_IN);
    app.driver.PumpUntilIdle();
    OpenConversations(app);
    std::vector<double> runs;
    for (int run = 0; run < RUNS; ++run) {
        runs.push_back(OpenConversations(app));
    }
    if (std::any_of(runs.begin(), runs.end(), [](double ms) { return ms < 0; })) {
        std::fprintf(stderr, "conversations bench: the conversations list did not show\n");
        return 1;
    }
    std::sort(runs.begin(), runs.end());
    std::printf("conversations list, %d conversations over %d messages: median %.1f ms (min %.1f, max %.1f) to show\n", CONVERSATIONS,
        MESSAGES, runs[RUNS / 2], runs.front(), runs.back());
    BenchFigure figure;
    figure.name = "conversations list shown, 1,000 over 200,000 messages";
    figure.value = runs[RUNS / 2];
    figure.unit = "ms";
    figure.better = BenchFigure::Better::LOWER;
    figure.goal = 150;
    figure.low = runs.front();
    figure.high = runs.back();
    figure.Print();
    return 0;
}
