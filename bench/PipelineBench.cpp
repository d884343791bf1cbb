// Throughput of the request pipeline (commands posted to the controller and run on the
// request thread) and of the response pipeline (notifications dispatched to a handler on the
// response thread). Prints one figure per pipeline; not part of the test run.
#include "BenchFigure.h"
#include "Spread.h"
#include "engine/BaseCommand.h"
#include "engine/GtalkRequestController.h"
#include "engine/NotificationHandler.h"
#include "engine/ResponseProcessor.h"
#include "platform/PlatformSession.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

std::atomic<long> handled{0};

class CountingCommand : public BaseCommand {
public:
    void executeCommand(unsigned long* result) override
    {
        ++handled;
        *result = Ixa::E_SUCCESS;
    }
};

class CountingHandler : public NotificationHandler {
public:
    void handle(GtalkNotification*) override { ++handled; }
};

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Posting and draining both count: the clock stops when the thread has run the last one.
double CommandsPerSecond(long count)
{
    GtalkRequestController controller;
    controller.init();
    handled = 0;
    auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) {
        controller.addToCommandQueue(new CountingCommand());
    }
    controller.uninit();
    double seconds = SecondsSince(start);
    return handled == count ? count / seconds : -1.0;
}

double NotificationsPerSecond(long count)
{
    auto handlers = new IMHashMap();
    handlers->construct(16);
    for (const char* name : {"signin", "buddylist", "buddyStatus", "buddyAuthorize", "message", "sharedstatus"}) {
        handlers->add(new IMString(name), new CountingHandler());
    }
    ResponseProcessor processor;
    processor.EventThreadConstruct();
    processor.setHandlersMap(handlers);
    processor.Start();
    handled = 0;
    auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) {
        auto notification = new GtalkNotification();
        notification->setNotificationName(new IMString("buddyStatus"));
        processor.HandleResponse(notification);
    }
    processor.StopResponseProcessor();
    double seconds = SecondsSince(start);
    return handled == count ? count / seconds : -1.0;
}

void Report(const std::string& name, const std::string& unit, const std::vector<double>& rounds)
{
    BenchFigure::Of(name, Spread::Of(rounds), unit, BenchFigure::Better::HIGHER).Print();
}

}  // namespace

int main(int argc, char** argv)
{
    Ixa::PlatformSession platform(argc, argv);
    long count = argc > 1 ? std::atol(argv[1]) : 200000;
    std::vector<double> commands, notifications;
    for (int round = 1; round <= 3; ++round) {
        commands.push_back(CommandsPerSecond(count));
        notifications.push_back(NotificationsPerSecond(count));
        std::printf("round %d: %ld commands: %.0f commands/s\n", round, count, commands.back());
        std::printf("round %d: %ld notifications: %.0f notifications/s\n", round, count, notifications.back());
    }
    Report("request pipeline", "commands/s", commands);
    Report("response pipeline", "notifications/s", notifications);
    return 0;
}
