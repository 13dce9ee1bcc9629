// The tables that name protocol numbers, checked against each other: the
// codec's class table (which the analyser, the client and the keyword lookup
// read) and the packet names. (That every keyword but ALERT19 has a builder
// of its class: the shipped models' test.)
#include <gtest/gtest.h>

#include <ios>
#include <set>
#include <string>
#include <typeindex>
#include <typeinfo>

#include "connection/analyser.h"
#include "connection/reply_select.h"
#include "protocol/message_classes.h"

namespace {

using Zuno::LengthRule;
using Zuno::MessageClass;

std::type_index typeOf(const Zuno::ZunoMSG& m) { return std::type_index(typeid(m)); }

// A length field that `rule` takes: its own value, or for a rule that takes
// any length one that no exact rule of the same protocol number claims.
uint16_t lengthFor(const MessageClass& c, LengthRule MessageClass::*rule) {
    const LengthRule& r = c.*rule;
    if (r.kind != LengthRule::Any) return r.value;
    std::set<uint16_t> claimed;
    for (const MessageClass& other : Zuno::messageClasses())
        if (other.protocol == c.protocol && (other.*rule).kind != LengthRule::Any) claimed.insert((other.*rule).value);
    uint16_t length = 5;
    while (claimed.count(length)) ++length;
    return length;
}

TEST(ClassTables, EveryClassCarriesItsNumberAndHasAName) {
    std::set<std::string> names;
    std::set<std::type_index> types;
    for (const MessageClass& c : Zuno::messageClasses()) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(names.insert(c.name).second) << "listed twice";
        const auto msg = c.make();
        EXPECT_TRUE(types.insert(typeOf(*msg)).second) << "two rows make one class";
        EXPECT_EQ(msg->command, c.protocol) << "the constructor and kProtocol disagree";
        EXPECT_FALSE(Zuno::ZunoMSG::commandName(c.protocol).empty()) << "no packet name";
        if (c.sender != Zuno::Sender::Platform) {
            EXPECT_EQ(c.received.kind, LengthRule::Never);
        }
        if (c.keyword) {
            EXPECT_EQ(c.sender, Zuno::Sender::Terminal);
        }
    }
}

// Every row the analyser or the client can choose is reached by some length,
// and what they choose is the row's class: no row shadows another.
TEST(ClassTables, TypedAndReceivedFramesReachEveryClass) {
    for (const MessageClass& c : Zuno::messageClasses()) {
        SCOPED_TRACE(c.name);
        const std::type_index type = typeOf(*c.make());
        if (c.typed.kind != LengthRule::Never) {
            const auto typed = Zuno::makeTypedMessage(c.protocol, lengthFor(c, &MessageClass::typed));
            ASSERT_NE(typed, nullptr);
            EXPECT_EQ(typeOf(*typed), type);
        }
        if (c.received.kind != LengthRule::Never) {
            const auto received = makePlatformMessage(c.protocol, lengthFor(c, &MessageClass::received));
            ASSERT_NE(received, nullptr);
            EXPECT_EQ(typeOf(*received), type);
        }
    }
}

// Each keyword names one protocol number, and the keyword lookup finds it.
TEST(ClassTables, EveryKeywordNamesItsNumberOnce) {
    std::set<std::string> keywords;
    for (const Zuno::CommandKeyword& k : Zuno::commandKeywords()) {
        EXPECT_TRUE(keywords.insert(k.keyword).second) << k.keyword << " listed twice";
        EXPECT_EQ(Zuno::protocolNumber(k.keyword), k.number) << k.keyword;
        EXPECT_NE(k.number, Zuno::kNoKeyword) << k.keyword;
    }
}

} // namespace
