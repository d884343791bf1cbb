// What searching the stored messages costs: 1,000,000 messages of 3 to 12 words over 1,000
// conversations, the words drawn from a 30,000-word vocabulary with the skew of real text
// (a word's chance falls with its rank), stored through the message store and then indexed in
// the steps the application takes. Each query asks for the 100 newest hits; the figure is the
// median over all queries, and per kind of query with its fastest and slowest (goal: at most
// 20 ms overall). Then the share of the file the index takes, and how long a file of that
// size made before the index existed takes to be indexed after it is first opened, in the
// steps the application takes between screen updates (and how long the longest step holds
// the store).
// Not part of the test run.
#include "store/MessageModel.h"

#include "BenchFigure.h"
#include "BenchFigures.h"
#include "ScratchHome.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int MESSAGES = 1000000;
constexpr int CONVERSATIONS = 1000;
constexpr int VOCABULARY = 30000;
constexpr int HITS = 100;
constexpr int QUERIES_PER_KIND = 21;
constexpr int INDEXING_STEP_ROWS = 2000;

const char* const SYLLABLES[] = {"ka", "lo", "mi", "ne", "ru", "sa", "ti", "vo", "de", "po", "ga", "lu",
                                 "mo", "ri", "se", "ta", "bi", "fe", "no", "zu", "ha", "ki", "me", "ya"};
constexpr int SYLLABLE_COUNT = sizeof(SYLLABLES) / sizeof(SYLLABLES[0]);

// Distinct words of two to four syllables; rank 0 is the most frequent.
std::vector<std::string> MakeVocabulary()
{
    std::vector<std::string> words;
    for (int i = 0; static_cast<int>(words.size()) < VOCABULARY; ++i) {
        std::string word;
        for (int n = i, syllables = 2 + i % 3; syllables > 0; --syllables, n /= SYLLABLE_COUNT) {
            word += SYLLABLES[n % SYLLABLE_COUNT];
        }
        words.push_back(word + std::to_string(i / (SYLLABLE_COUNT * SYLLABLE_COUNT)));
    }
    return words;
}

// A rank drawn so that its chance falls roughly as 1/rank.
int SkewedRank(std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    return std::min(VOCABULARY - 1, static_cast<int>(std::exp(unit(random) * std::log(VOCABULARY))) - 1);
}

bool Seed(MessageModel& store, const std::vector<std::string>& words)
{
    std::mt19937 random(24);
    std::uniform_int_distribution<int> length(3, 12);
    IMDateTime start;
    start.SetValue(2020, 1, 1, 8, 0, 0);
    bool stored = true;
    for (int i = 0; i < MESSAGES && stored; ++i) {
        if (i % 50000 == 0) {
            store.BeginBatch();
        }
        std::string text;
        for (int n = length(random); n > 0; --n) {
            text += words[SkewedRank(random)] + (n > 1 ? " " : "");
        }
        std::unique_ptr<Message> message(store.CreateMessage());
        const std::string user = "user" + std::to_string(i % CONVERSATIONS) + "@localhost";
        IMDateTime time(start);
        time.AddSeconds(i * 60);
        message->SetOtherUserId(user.c_str());
        message->SetMessage(text.c_str());
        message->SetMessageType(i % 2 == 0 ? Message::TYPE_SENT : Message::TYPE_RECEIVED_READ);
        message->SetTimeStamp(time);
        stored = store.SaveOrUpdate(message.get());
        if (i % 50000 == 49999 || i == MESSAGES - 1) {
            store.EndBatch();
        }
    }
    return stored;
}

struct QueryKind {
    const char* name;
    std::function<std::string(int)> make;
};

std::vector<QueryKind> MakeKinds(const std::vector<std::string>& words)
{
    return {
        {"a frequent word", [&](int i) { return words[i * 3]; }},
        {"a rare word", [&](int i) { return words[VOCABULARY - 1 - i * 97]; }},
        {"three letters", [&](int i) { return words[i * 1013 % VOCABULARY].substr(0, 3); }},
        {"two words", [&](int i) { return words[i * 7] + " " + words[100 + i * 31]; }},
        {"a word and a prefix", [&](int i) { return words[i * 11] + " " + words[500 + i * 53].substr(0, 4); }},
        {"nothing stored", [&](int i) { return "qx" + std::to_string(i); }},
    };
}

void PrintMilliseconds(const std::string& name, const std::vector<double>& times, double goal)
{
    BenchFigure figure;
    figure.name = name;
    figure.value = Median(times);
    figure.unit = "ms";
    figure.better = BenchFigure::Better::LOWER;
    figure.goal = goal;
    figure.low = *std::min_element(times.begin(), times.end());
    figure.high = *std::max_element(times.begin(), times.end());
    figure.Print();
}

// One search answering its hits; -1 when it failed.
double SearchMilliseconds(MessageModel& store, const std::string& typed)
{
    bool answered = false;
    double milliseconds = MillisecondsOf([&] {
        Ixa::Base::Collection::ArrayList* hits = store.SearchMessages(IMString(typed.c_str()), HITS);
        answered = hits != nullptr;
        if (hits != nullptr) {
            hits->RemoveAll(true);
            delete hits;
        }
    });
    return answered ? milliseconds : -1;
}

bool RunQueries(MessageModel& store, const std::vector<std::string>& words)
{
    std::vector<double> all;
    for (const QueryKind& kind : MakeKinds(words)) {
        std::vector<double> times;
        for (int i = 0; i < QUERIES_PER_KIND; ++i) {
            double milliseconds = SearchMilliseconds(store, kind.make(i));
            if (milliseconds < 0) {
                return false;
            }
            times.push_back(milliseconds);
        }
        const auto [fastest, slowest] = std::minmax_element(times.begin(), times.end());
        std::printf("  %-22s median %7.2f ms, fastest %7.2f ms, slowest %7.2f ms\n", kind.name, Median(times), *fastest,
                    *slowest);
        PrintMilliseconds(std::string("search: ") + kind.name, times, BenchFigure::None);
        all.insert(all.end(), times.begin(), times.end());
    }
    std::printf("search over %d messages: median %.2f ms over %zu queries (goal: at most 20 ms)\n", MESSAGES,
                Median(all), all.size());
    PrintMilliseconds("search: median query over 1M messages", all, 20);
    return true;
}

long long QueryNumber(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    long long value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW) {
        value = sqlite3_column_int64(statement, 0);
    }
    sqlite3_finalize(statement);
    return value;
}

// The index's pages against all of the file's, the write-ahead log folded in first.
bool PrintIndexShare(const std::string& file)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    long long index = QueryNumber(db, "SELECT sum(pgsize) FROM dbstat WHERE name LIKE 'messagesearch%'");
    long long keys = QueryNumber(db, "SELECT sum(pgsize) FROM dbstat WHERE name LIKE 'messagesearchkey%'");
    long long total = QueryNumber(db, "SELECT page_count*page_size FROM pragma_page_count,pragma_page_size");
    sqlite3_close(db);
    if (index <= 0 || total <= 0) {
        return false;
    }
    std::printf("index %.1f MB (%.1f MB of it the keys) of a %.1f MB file: %.2f of the database (%.2f of what it "
                "would be without)\n",
                index / 1e6, keys / 1e6, total / 1e6, static_cast<double>(index) / total,
                static_cast<double>(index) / (total - index));
    BenchFigure share;
    share.name = "search: index share of the message database";
    share.value = static_cast<double>(index) / total;
    share.unit = "ratio";
    share.better = BenchFigure::Better::LOWER;
    share.Print();
    return true;
}

// Drops the index as a file from before it existed, then times its indexing in steps.
bool PrintFirstOpening(const std::string& file)
{
    sqlite3* db = nullptr;
    bool dropped = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
                   sqlite3_exec(db, "DROP TRIGGER messagesearch_lowerfill;DROP TRIGGER messagesearch_delete;"
                                    "DROP TRIGGER messagesearch_unindex;DROP TRIGGER messagesearch_refresh;"
                                    "DROP VIEW messagesearchinput;DROP VIEW messagesearchindexed;DROP VIEW messagesearchrow;"
                                    "DROP TABLE messagesearch;DROP TABLE messagesearchkey;DROP TABLE messagesearchfill",
                                nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (!dropped) {
        return false;
    }
    std::unique_ptr<MessageModel> store;
    double opening = MillisecondsOf([&] { store.reset(MessageModel::GetInstance()); });
    std::vector<double> steps;
    for (double done = 0; done >= 0 && done < 1.0;) {
        steps.push_back(MillisecondsOf([&] { done = store->IndexSearchStep(INDEXING_STEP_ROWS); }));
        if (done < 0) {
            return false;
        }
    }
    double total = 0;
    for (double step : steps) {
        total += step;
    }
    std::printf("first opening of a file without the index: opened in %.1f ms, indexed in %.1f s over %zu steps of "
                "%d messages (median %.1f ms, longest %.1f ms)\n",
                opening, total / 1000, steps.size(), INDEXING_STEP_ROWS, Median(steps),
                *std::max_element(steps.begin(), steps.end()));
    BenchFigure indexing;
    indexing.name = "search: indexing 1M messages after the first opening";
    indexing.value = total / 1000;
    indexing.unit = "s";
    indexing.better = BenchFigure::Better::LOWER;
    indexing.Print();
    PrintMilliseconds("search: one indexing step of 2000 messages", steps, BenchFigure::None);
    return store->IsSearchIndexComplete();
}

}  // namespace

int main()
{
    ScratchHome home;
    const std::vector<std::string> words = MakeVocabulary();
    {
        std::unique_ptr<MessageModel> store(MessageModel::GetInstance());
        double seeding = MillisecondsOf([&] { Seed(*store, words); });
        double done = 0;
        double indexing = MillisecondsOf([&] {
            while (done >= 0 && done < 1.0) {
                done = store->IndexSearchStep(INDEXING_STEP_ROWS);
            }
        });
        std::printf("stored %d messages in %.1f s, indexed them in %.1f s\n", MESSAGES, seeding / 1000, indexing / 1000);
    }
    std::unique_ptr<MessageModel> store(MessageModel::GetInstance());
    SearchMilliseconds(*store, words[0]);
    if (!RunQueries(*store, words)) {
        std::fprintf(stderr, "search bench: a search failed\n");
        return 1;
    }
    store.reset();
    const std::string file = home.Path() + "/gtalkmessage.db";
    if (!PrintIndexShare(file) || !PrintFirstOpening(file)) {
        std::fprintf(stderr, "search bench: the file could not be measured\n");
        return 1;
    }
    return 0;
}
