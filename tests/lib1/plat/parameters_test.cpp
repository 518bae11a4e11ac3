#include <gtest/gtest.h>

#include <functional>

#include "lib1/plat/BinaryParameter.h"
#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/IntParameter.h"
#include "lib1/plat/StringParameter.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Failure.h"

using namespace gwtest;
using namespace plat;

namespace {

const char* const kNames[] = {"Low", "Medium", "High", nullptr};

struct Params : testing::Test {
  Configuration conf{"Test"};
  CaptureLogger log;
  RouteWriter route{&configParamLog(), &log, LogWriter::LEVEL_DEBUG};
  RecordingObserver obs;
};
using ParamsDeathTest = Params;

// An observer that runs fn when told.
struct Hook : ParameterChangedCallback {
  explicit Hook(std::function<void()> f) : fn(std::move(f)) {}
  std::function<void()> fn;
  int calls = 0;
  void parameterChanged(ConfigParameter*, int) override {
    calls++;
    fn();
  }
};

const unsigned char kDefaultKey[] = {1, 2, 3};
using Texts = std::vector<const char*>;

struct Kinds : Params {
  BoolParameter flag{"Flag", "", false, false, &conf};
  IntParameter small{"Small", "", 0, false, &conf, 0, 100};
  EnumParameter quality{"Quality", "", "medium", kNames, false, &conf};
  S64Parameter big{"Big", "", -2, false, &conf};
  BinaryParameter key{"Key", "", CBuf<unsigned char>{3, kDefaultKey}, &conf, true};
  StringParameter title{"Title", "", "x", false, &conf};
};

}  // namespace

TEST_F(Params, TheLowestPriorityNumberWinsAndChangesBeneathItStillNotify) {
  IntParameter p("Width", "w", 10, false, &conf);
  p.callbacks.push_back(&obs);
  for (auto [text, priority] : {std::pair{"50", 50}, {"0", 0}, {"99", 100}, {"0x0", 0}})
    EXPECT_TRUE(p.setParam(text, priority));  // the same value again is silent
  EXPECT_EQ(obs.calls, (std::vector<int>{50, 0, 100}));
  EXPECT_EQ(obs.seen, (std::vector<std::string>{"50", "0", "0"}));
  EXPECT_TRUE(log.has("set Width(Int) to 99, priority 100"));
}

TEST_F(Params, ObserversMayLeaveWhileTheyAreTold) {
  StringParameter p("Name", "n", "", false, &conf);
  RecordingObserver later;
  Hook self([&] { p.callbacks.remove(&self); }), other([&] { p.callbacks.remove(&later); });
  p.callbacks = {&self, &other, &later};
  EXPECT_TRUE(p.setParam("a", 50) && p.setParam("b", 50));
  EXPECT_TRUE(later.calls.empty());  // removed before its turn
  EXPECT_EQ(std::pair(self.calls, other.calls), std::pair(1, 2));
}

TEST_F(Kinds, AcceptedTextsAreStoredInTheirOwnForm) {
  // Texts set in turn at priority 50, each followed by its stored form.
  const std::pair<ConfigParameter*, Texts> accepted[] = {
      {&flag, {"", "1", "No", "0", "Yes", "1", "0", "0", "ON", "1", "off", "0", "TRUE", "1"}},
      {&small, {"0x10", "16", "010", "8", " 5", "5"}},
      {&quality, {"HIGH", "High", "low", "Low"}},
      {&big,
       {"int64:fffffffffffffffe", "int64:fffffffffffffffe", "00000000000000fF",
        "int64:00000000000000ff", "int64:000000000000abcd", "int64:000000000000abcd"}},
      {&key, {"010203", "010203", "00fF9c", "00ff9c", "0A0b", "0a0b", "", ""}},
  };
  for (const auto& [p, texts] : accepted) {
    for (size_t i = 0; i < texts.size(); i += 2) {
      SCOPED_TRACE(std::string(p->name) + " '" + texts[i] + "'");
      EXPECT_TRUE(p->setParam(texts[i], 50));
      EXPECT_EQ(valueOf(*p), texts[i + 1]);
    }
  }
}

TEST_F(Kinds, RejectedTextsChangeNothingAndOnlyABooleanSaysWhy) {
  const std::pair<ConfigParameter*, Texts> rejected[] = {
      {&flag, {"01", "2", "enabled", " 1"}},
      {&small, {"5 ", "2147483648", "101", "-1", ""}},
      {&quality, {"Highest"}},
      {&big,
       {"int64:00000000000000FF", "int64:00000000000000f", "0000000000000ff",
        "INT64:00000000000000ff", "0x000000000000ff"}},
      {&key, {"abc", "0g"}}};
  for (const auto& [p, texts] : rejected) {
    for (const char* text : texts) {
      SCOPED_TRACE(std::string(p->name) + " '" + text + "'");
      std::map<int, String> before = p->getStringValues();
      size_t lines = log.lines.size();
      EXPECT_FALSE(p->setParam(text, 50));
      EXPECT_EQ(p->getStringValues(), before);
      std::string why =
          p == &flag ? "Bool parameter Flag: invalid value '" + std::string(text) + "'" : "";
      EXPECT_EQ(log.lines.size() > lines ? log.lines.back().text : "", why);
    }
  }
}

TEST_F(Kinds, ANullTextIsTrueForABooleanAndNoValueForTheRest) {
  EXPECT_TRUE(flag.setIntValue(0, 0) && flag.setParam(nullptr, 0) && flag.getValue());
  for (ConfigParameter* p : std::vector<ConfigParameter*>{&small, &quality, &big, &key, &title})
    EXPECT_FALSE(p->setParam(nullptr, 50)) << p->name;
}

TEST_F(Kinds, TextThatIsNotUtf8ThrowsAndChangesNothing) {
  title.callbacks.push_back(&obs);
  EXPECT_EQ(failureOf([&] { title.setParam("\xc0\x80", 50); }), "Bad UTF-8 string for Title");
  EXPECT_EQ(title.values.size(), 1u);
  EXPECT_TRUE(obs.calls.empty());
}

TEST_F(ParamsDeathTest, BadDefinitionsAreFatal) {
  static const char* const none[] = {nullptr};
  EXPECT_DEATH(StringParameter("Bad", "b", nullptr, false, &conf),
               "Assertion 'v' failed at .*: Default value <null> for Bad not allowed");
  EXPECT_DEATH(EnumParameter("E", "e", "x", none, false, &conf), "EnumParameter E has no names");
}

TEST(ParamsLifetime, DestroyedParametersLeaveTheirRegistry) {
  Configuration conf("Test");
  BoolParameter a("A", "a", false, false, &conf);
  { StringParameter c("C", "c", "", false, &conf); }
  EXPECT_TRUE(conf.head == &a && a.next == nullptr);
  { StringParameter g("G", "g", "", false, nullptr); }
  EXPECT_EQ(Configuration::global()->get("G"), nullptr);
}

TEST_F(Params, ObserversAfterOneThatThrowsAreStillTold) {
  StringParameter p("Name", "n", "", false, &conf);
  Hook thrower([] { throw Exception("observer failed"); });
  p.callbacks = {&thrower, &obs};
  EXPECT_THROW(p.setParam("c", 50), Exception);
  EXPECT_EQ(obs.seen, std::vector<std::string>{"c"});
}

TEST_F(ParamsDeathTest, AParameterWithoutValuesIsFatalToRead) {
  IntParameter p("P", "", 0, false, &conf);
  p.values.clear();
  EXPECT_DEATH(p.getValue(), "Assertion '!values.empty\\(\\)' failed");
  EXPECT_DEATH(p.getPriority(), "Assertion '!values.empty\\(\\)' failed");
}
