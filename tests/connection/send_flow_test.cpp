// Timing of the automatic send flow, the serial counter, and a message made
// ready to be sent.
#include <gtest/gtest.h>

#include <cstdint>
#include <list>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "config/flow_file.h"
#include "connection/flow_tick.h"
#include "protocol/login.h"
#include "support/frame_fixture.h"
#include "support/test_util.h"

namespace {

using Zuno::TaskTick;

constexpr int64_t kSecond = Zuno::kNanosPerSecond;
// Any steady-clock reading far from 0 does: 0 means "clock not running".
constexpr int64_t kT0 = 1000 * kSecond;

TEST(FlowTiming, WholeSecondsMustExceedTheInterval) {
    struct Row {
        int64_t lastSent;
        int16_t delay;
        int64_t now;
        TaskTick expected;
    };
    const Row rows[] = {
        {0, 10, kT0, TaskTick::Start},
        {kSecond - 1, 10, kT0, TaskTick::Start}, // under one second counts as 0
        {kT0, 1, kT0 + 2 * kSecond - 1, TaskTick::Wait},
        {kT0, 1, kT0 + 2 * kSecond, TaskTick::Due},
        {kT0, 10, kT0 + 10 * kSecond, TaskTick::Wait},
        {kT0, 10, kT0 + 11 * kSecond, TaskTick::Due},
        {kT0, 0, kT0 + kSecond - 1, TaskTick::Wait},
        {kT0, 0, kT0 + kSecond, TaskTick::Due},
        // A file value from 32768 to 65535 is a negative delay (-1, -32768):
        // due at every tick once the clock runs.
        {kT0, -1, kT0, TaskTick::Due},
        {kT0, -32768, kT0 + kSecond - 1, TaskTick::Due},
        {kT0, 32767, kT0 + 32767 * kSecond, TaskTick::Wait},
        {kT0, 32767, kT0 + 32768 * kSecond, TaskTick::Due},
        {0, -1, kT0, TaskTick::Start}, // the first tick only starts the clock
    };
    for (const Row& r : rows)
        EXPECT_EQ(Zuno::taskTick(r.lastSent, r.delay, r.now), r.expected)
            << r.lastSent << " " << r.delay << " " << r.now;
}

// A task of the loaded flow as the tick sees it.
struct Task {
    int64_t lastSent = 0;
    ProtocolTask task;
    std::shared_ptr<Zuno::ZunoMSG> message;
};

Task step(int16_t delay, std::shared_ptr<Zuno::ZunoMSG> message) {
    Task t;
    t.task.delay = delay;
    t.message = std::move(message);
    return t;
}

std::shared_ptr<Zuno::ZunoMSG> bare(uint8_t protocol) { return std::make_shared<zt::BareMessage>(protocol); }

struct FlowFixture : ::testing::Test {
    int64_t now = kT0;
    Zuno::FlowClock clock = [this] { return now; };
    Zuno::SerialCounter serials{100};
    std::list<Task> tasks;
    std::vector<std::pair<uint8_t, uint16_t>> sent; // protocol, serial
    bool socketOpen = true;

    void tick() {
        Zuno::runFlowTick(tasks, clock, [this](Task& t) {
            Zuno::Outgoing out = Zuno::prepareSending(*t.message, serials);
            sent.emplace_back(out.message->command, out.message->seq);
            return socketOpen;
        });
    }
};

TEST_F(FlowFixture, FirstTickStartsClocksAndLoginIsNeverSent) {
    tasks = {step(0, bare(0x01)), step(1, bare(0x13)), step(3, bare(0x12))};
    tick();
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(tasks.front().lastSent, 0);
    EXPECT_EQ(std::next(tasks.begin())->lastSent, kT0);

    now += 2 * kSecond;
    tick();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], std::make_pair(uint8_t(0x13), uint16_t(100)));

    now += 2 * kSecond; // 4 s since the start of the 0x12 clock, 2 since the last 0x13
    tick();
    ASSERT_EQ(sent.size(), 3u);
    // Two sendings of one tick take consecutive serial numbers in list order.
    EXPECT_EQ(sent[1], std::make_pair(uint8_t(0x13), uint16_t(101)));
    EXPECT_EQ(sent[2], std::make_pair(uint8_t(0x12), uint16_t(102)));
}

TEST_F(FlowFixture, TaskNotOfferedStaysDueAndClocksSurviveAPause) {
    tasks = {step(1, bare(0x13))};
    tick();
    now += 5 * kSecond;
    socketOpen = false; // the peer closed; the window still reads logged in
    tick();
    tick();
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_EQ(tasks.front().lastSent, kT0);

    // After a reconnection (or "自动" on again) the first tick sends what fell due.
    socketOpen = true;
    now += 60 * kSecond;
    tick();
    EXPECT_EQ(sent.size(), 3u);
    EXPECT_EQ(tasks.front().lastSent, now);
    tick();
    EXPECT_EQ(sent.size(), 3u);
}

// A flow value above 32767 is a negative delay once cut to 16 bits: the
// task goes out at every tick once its clock runs.
TEST_F(FlowFixture, ANegativeDelaySendsAtEveryTick) {
    tasks = {step(static_cast<int16_t>(40000 - 65536), bare(0x13)), step(1, bare(0x12))};
    tick(); // starts both clocks
    EXPECT_TRUE(sent.empty());
    for (int i = 0; i < 3; ++i)
        tick();
    ASSERT_EQ(sent.size(), 3u);
    for (const auto& s : sent)
        EXPECT_EQ(s.first, 0x13);
}

TEST(SerialCounter, StartsAtItsDefinedValueAndWraps) {
    Zuno::SerialCounter fresh;
    EXPECT_EQ(fresh.take(), Zuno::SerialCounter::kFirst);
    Zuno::SerialCounter high(65535);
    EXPECT_EQ(high.take(), 65535);
    EXPECT_EQ(high.take(), 0);
}

TEST(SerialCounter, TwoThreadsNeverTakeTheSameNumber) {
    Zuno::SerialCounter serials(0);
    std::vector<uint16_t> a, b;
    auto run = [&serials](std::vector<uint16_t>& into) {
        for (int i = 0; i < 30000; ++i)
            into.push_back(serials.take());
    };
    std::thread t1(run, std::ref(a)), t2(run, std::ref(b));
    t1.join();
    t2.join();
    std::set<uint16_t> all(a.begin(), a.end());
    all.insert(b.begin(), b.end());
    EXPECT_EQ(all.size(), 60000u);
}

TEST(Sending, CopyTakesTheSerialAndIsShownAsItIsQueued) {
    Zuno::ZunoLoginResp source;
    source.seq = 7;
    Zuno::SerialCounter serials(1);
    Zuno::Outgoing out = Zuno::prepareSending(source, serials);
    ASSERT_TRUE(out.ok());
    EXPECT_EQ(source.seq, 7);
    EXPECT_EQ(out.message->seq, 1);
    EXPECT_EQ(serials.peek(), 2);
    EXPECT_EQ(out.hex, "78 78 05 01 00 01 D9 DC 0D 0A");
    EXPECT_EQ(out.frame, zt::bytes(out.hex));
    const Zuno::ZunoMSG& m = *out.message;
    EXPECT_EQ(typeid(m), typeid(Zuno::ZunoLoginResp));
    const std::string sep(124, '/');
    const std::string dump = zt::readTestFile("golden/login_reply_block.txt");
    EXPECT_EQ(out.block, sep + "\n>> 78 78 05 01 00 01 D9 DC 0D 0A\n" + dump + "\n");
}

TEST(Sending, EncodeFailureIsReportedAndGivesNoFrame) {
    zt::BlobMessage source;
    source.content = {1, 2, 3};
    source.failWith = -7;
    Zuno::SerialCounter serials(40);
    Zuno::Outgoing out = Zuno::prepareSending(source, serials);
    EXPECT_FALSE(out.ok());
    EXPECT_EQ(out.result, -7);
    EXPECT_TRUE(out.frame.empty());
    EXPECT_TRUE(out.hex.empty());
    EXPECT_EQ(out.block.find(">> "), std::string::npos);
    EXPECT_EQ(out.block.rfind(std::string(124, '/') + "\n\"exception\" : { \n     \"code\" : -7,\n", 0), 0u);
    EXPECT_EQ(serials.peek(), 41);
}

} // namespace
