#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "CaptureLogger.h"
#include "lib1/plat/BinaryParameter.h"
#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/IntParameter.h"
#include "lib1/plat/StringParameter.h"

using namespace plat;

namespace {

std::string str(const ConfigParameter& p) {
  char* v = p.getValueStr();
  std::string s = v;
  delete[] v;
  return s;
}

struct Params : testing::Test {
  Configuration conf{"Test"};
  CaptureLogger log;
  RouteWriter route{&configParamLog(), &log, LogWriter::LEVEL_DEBUG};
  RecordingObserver obs;
};

}  // namespace

TEST_F(Params, PrioritiesLowestNumberWinsAndMaskedChangesStillNotify) {
  IntParameter p("Width", "w", 10, false, &conf);
  p.callbacks.push_back(&obs);
  EXPECT_TRUE(p.setParam("50", 50));
  EXPECT_TRUE(p.setParam("0", 0));
  EXPECT_EQ(p.getValue(), 0);
  EXPECT_TRUE(p.isLocked());
  EXPECT_TRUE(p.setParam("99", 100));  // masked by 0 and 50
  EXPECT_EQ(p.getValue(), 0);
  EXPECT_EQ(obs.calls, (std::vector<int>{50, 0, 100}));
  EXPECT_EQ(obs.seen, (std::vector<std::string>{"50", "0", "0"}));
  EXPECT_TRUE(log.has("set Width(Int) to 99, priority 100"));

  // The same value again: no log line, no observer.
  size_t lines = log.lines.size();
  EXPECT_TRUE(p.setParam("0x0", 0));
  EXPECT_EQ(obs.calls.size(), 3u);
  EXPECT_EQ(log.lines.size(), lines);

  p.unsetParam(100, true);  // the default stays
  p.unsetParam(7, true);    // nothing there
  EXPECT_EQ(obs.calls.size(), 3u);
  p.unsetParam(0, true);
  EXPECT_EQ(p.getValue(), 50);
  EXPECT_FALSE(p.isLocked());
  EXPECT_TRUE(log.has("unset Width(Int) priority 0, now 50, priority 50"));
  p.resetToDefault();  // silent
  EXPECT_EQ(obs.calls.size(), 4u);
  EXPECT_EQ(p.getValue(), 99);
  EXPECT_EQ(p.getPriority(), 100);
  p.notifyResetToDefault();
  EXPECT_EQ(obs.calls.back(), 100);
  p.callbacks.remove(&obs);
}

TEST_F(Params, ObserversMayUnregisterThemselvesOrOthersWhileNotified) {
  StringParameter p("Name", "n", "", false, &conf);
  struct Remover : ParameterChangedCallback {
    ConfigParameter* param;
    ParameterChangedCallback* victim;
    int calls = 0;
    void parameterChanged(ConfigParameter*, int) override {
      calls++;
      param->callbacks.remove(victim);
    }
  };
  Remover self, other;
  auto later = std::make_unique<RecordingObserver>();
  self.param = other.param = &p;
  self.victim = &self;
  other.victim = later.get();
  p.callbacks = {&self, &other, later.get()};
  EXPECT_TRUE(p.setParam("a", 50));
  later.reset();  // removed before its turn: must not be called
  EXPECT_TRUE(p.setParam("b", 50));
  EXPECT_EQ(self.calls, 1);
  EXPECT_EQ(other.calls, 2);
  p.callbacks.clear();
}

TEST_F(Params, ThrowingObserverDoesNotHideTheChangeFromTheOthers) {
  BoolParameter p("Flag", "f", false, false, &conf);
  struct Thrower : ParameterChangedCallback {
    void parameterChanged(ConfigParameter*, int) override { throw Exception("observer failed"); }
  } thrower;
  p.callbacks = {&thrower, &obs};
  EXPECT_THROW(p.setParam("yes", 50), Exception);
  EXPECT_TRUE(p.getValue());
  EXPECT_EQ(obs.calls, (std::vector<int>{50}));
  p.callbacks.clear();
}

TEST_F(Params, BoolTextForms) {
  BoolParameter p("Flag", loc::msgid_t("plat_test_flag"), false, true, &conf);
  EXPECT_STREQ(p.getDescription(), "plat_test_flag");
  for (const char* t : {"", "Yes", "ON", "TRUE", "1"}) {
    EXPECT_TRUE(p.setParam("0", 50));
    EXPECT_TRUE(p.setParam(t, 50)) << t;
    EXPECT_TRUE(p.getValue()) << t;
  }
  EXPECT_TRUE(p.setParam(nullptr, 0));
  EXPECT_TRUE(p.setParam("No", 50));
  EXPECT_TRUE(p.getValue());  // 0 still wins
  p.unsetParam(0, false);
  EXPECT_FALSE(p.getValue());
  for (const char* t : {"01", "2", "enabled", " 1"}) {
    EXPECT_FALSE(p.setParam(t, 50)) << t;
    EXPECT_TRUE(log.has(std::string("Bool parameter Flag: invalid value '") + t + "'"));
  }
  EXPECT_EQ(str(p), "0");
  EXPECT_TRUE(p.setIntValue(-3, 50));
  EXPECT_EQ(p.getIntValue(), 1);
}

TEST_F(Params, IntTextFormsAndRange) {
  IntParameter p("Size", "s", 500, false, &conf, 0, 100);  // default not range-checked
  EXPECT_EQ(p.getValue(), 500);
  EXPECT_TRUE(p.setParam("0x10", 50));
  EXPECT_EQ(p.getValue(), 16);
  EXPECT_TRUE(p.setParam("010", 50));
  EXPECT_EQ(p.getValue(), 8);
  EXPECT_TRUE(p.setParam(" 5", 50));
  EXPECT_EQ(p.getValue(), 5);
  for (const char* t : {"5 ", "2147483648", "101", "-1", "", "x"}) EXPECT_FALSE(p.setParam(t, 50));
  EXPECT_FALSE(p.setParam(nullptr, 50));
  EXPECT_FALSE(p.setIntValue(101, 50));
  EXPECT_EQ(p.getValue(), 5);
  IntParameter wide("Wide", "w", 0, false, &conf);
  EXPECT_TRUE(wide.setParam("-2147483648", 50));
  EXPECT_EQ(wide.getIntValue(), INT_MIN);
}

TEST_F(Params, EnumNamesAndClones) {
  static const char* const names[] = {"Low", "Medium", "High", nullptr};
  EnumParameter p("Quality", "q", "medium", names, false, &conf);
  EXPECT_TRUE(p.isInt() && p.isEnum());
  EXPECT_EQ(p.getValue(), 1);
  EXPECT_TRUE(p.setParam("HIGH", 50));
  EXPECT_EQ(str(p), "High");
  EXPECT_FALSE(p.setParam("Highest", 50));
  EXPECT_FALSE(p.setParam(nullptr, 50));
  EXPECT_FALSE(p.setIntValue(3, 50));
  EXPECT_EQ(p.getStringValues()[100].get(), std::string("Medium"));
  EnumParameter fallback("Q2", "q", "nope", names, false, &conf);
  EXPECT_EQ(fallback.getValue(), 0);

  Configuration other("Other");
  p.ownsStrings = true;  // its clone copies every string, the name table too
  std::unique_ptr<ConfigParameter> c(p.clone(&other));
  p.ownsStrings = false;
  auto* e = dynamic_cast<EnumParameter*>(c.get());
  ASSERT_TRUE(e);
  EXPECT_NE(e->names, names);
  EXPECT_NE(e->name, p.name);
  EXPECT_EQ(e->max, 2);
  EXPECT_EQ(str(*e), "High");
  EXPECT_TRUE(e->setParam("low", 50));
  EXPECT_EQ(str(*e), "Low");
  EXPECT_EQ(other.get("quality"), c.get());
}

TEST_F(Params, StringRejectsNullAndBadUtf8WithoutChange) {
  StringParameter p("Title", "t", "x", false, &conf);
  p.callbacks.push_back(&obs);
  EXPECT_TRUE(p.setParam("caf\xc3\xa9", 50));
  EXPECT_FALSE(p.setParam(nullptr, 50));
  try {
    p.setParam("bad\xff", 50);
    ADD_FAILURE() << "no exception";
  } catch (const BadUtf8& e) {
    EXPECT_STREQ(e.str(), "Bad UTF-8 string for Title");
  }
  EXPECT_THROW(p.setParam("\xed\xa0\x80", 0), BadUtf8);  // a surrogate
  EXPECT_STREQ(p.getValue(), "caf\xc3\xa9");
  EXPECT_EQ(p.values.size(), 2u);
  EXPECT_EQ(obs.calls.size(), 1u);
  p.callbacks.clear();
}

TEST(ParamsDeathTest, NullStringDefaultAndEmptyEnumAreFatal) {
  Configuration conf("Test");
  EXPECT_DEATH(StringParameter("Bad", "b", nullptr, false, &conf),
               "Assertion 'v' failed at .*: Default value <null> for Bad not allowed");
  static const char* const none[] = {nullptr};
  EXPECT_DEATH(EnumParameter("E", "e", "x", none, false, &conf), "EnumParameter E has no names");
}

TEST(ParamsDeathTest, BadUtf8AssertSwitchAborts) {
  ConfigParameter* sw = Configuration::global()->get("_BadUtf8Assert");
  ASSERT_TRUE(sw && sw->isBool());
  EXPECT_STREQ(sw->getDescription(), "Make bad UTF-8 cause an assertion failure for debugging");
  EXPECT_THROW(throw BadUtf8("plain"), BadUtf8);
  EXPECT_DEATH(
      {
        sw->setParam("1", 50);
        BadUtf8 e(1, "Bad UTF-8 string for %s", "X");
      },
      "Assertion '0' failed at .*: Bad UTF-8 string for X");
}

TEST_F(Params, S64Forms) {
  S64Parameter p("Big", "b", -2, false, &conf);
  EXPECT_EQ(str(p), "int64:fffffffffffffffe");
  EXPECT_EQ(p.getValue(), -2);
  EXPECT_TRUE(p.setParam("00000000000000fF", 50));
  EXPECT_EQ(str(p), "int64:00000000000000ff");
  EXPECT_EQ(p.getValue(), 255);
  for (const char* t : {"int64:00000000000000FF", "int64:00000000000000f", "0000000000000ff",
                        "int64:00000000000000fg", "INT64:00000000000000ff", "0x000000000000ff"})
    EXPECT_FALSE(p.setParam(t, 50)) << t;
  EXPECT_TRUE(p.setParam(LLONG_MIN, 0));
  EXPECT_EQ(p.getValue(), LLONG_MIN);
  std::unique_ptr<ConfigParameter> c(p.clone(&conf));
  EXPECT_EQ(dynamic_cast<S64Parameter*>(c.get()), nullptr);
  EXPECT_TRUE(c->isString());
  EXPECT_TRUE(c->setParam("anything", 0));  // a plain string now
}

TEST_F(Params, BinaryFormsAndGetData) {
  const unsigned char def[] = {1, 2, 3};
  BinaryParameter p("Key", "k", CBuf<unsigned char>{3, def}, &conf, true);
  EXPECT_EQ(str(p), "010203");
  EXPECT_TRUE(p.setParam("0A0b", 50));
  EXPECT_EQ(str(p), "0a0b");
  EXPECT_FALSE(p.setParam("abc", 50));
  EXPECT_FALSE(p.setParam("0g", 50));
  EXPECT_FALSE(p.setParam(nullptr, 50));
  EXPECT_EQ(p.getLength(), 2);

  MBuf<unsigned char> out(true);
  out.replace(new unsigned char[4]{9, 9, 9, 9}, 4);
  unsigned char* before = out.data;
  p.getData(&out);  // long enough: reused, the tail zeroed
  EXPECT_EQ(out.data, before);
  EXPECT_EQ(out.length, 2);
  EXPECT_EQ(out.data[1], 0x0b);
  EXPECT_EQ(out.data[2], 0);
  EXPECT_TRUE(p.setParam(CBuf<unsigned char>{-5, def}, 50));
  EXPECT_EQ(str(p), "");
  EXPECT_TRUE(p.setParam("", 0));
  EXPECT_EQ(p.getLength(), 0);
  p.unsetParam(0, false);
  p.unsetParam(50, false);
  p.getData(&out);
  EXPECT_EQ(out.length, 3);
  EXPECT_EQ(out.data[2], 3);
}

TEST_F(Params, CopyValuesTakesTheOthersPrioritiesAsFarAsItsParserAccepts) {
  StringParameter from("From", "f", "def", false, &conf);
  IntParameter to("To", "t", 1, false, &conf, 0, 10);
  from.setParam("7", 0);
  from.setParam("abc", 50);
  to.setParam("3", 20);
  to.callbacks.push_back(&obs);
  to.copyValues(from);
  auto v = to.getStringValues();
  EXPECT_EQ(v.size(), 2u);  // 20 removed, 0 taken, 50 and 100 rejected
  EXPECT_STREQ(v[0].get(), "7");
  EXPECT_STREQ(v[100].get(), "1");
  EXPECT_EQ(obs.calls, (std::vector<int>{20, 0}));
  to.copyValues(to);
  to.callbacks.clear();
}

TEST(ParamsLifetime, DestroyedParametersLeaveTheirRegistry) {
  Configuration conf("Test");
  auto* a = new BoolParameter("A", "a", false, false, &conf);
  {
    IntParameter b("B", "b", 0, false, &conf);
    StringParameter c("C", "c", "", false, nullptr);
    EXPECT_EQ(conf.head, &b);
    EXPECT_EQ(Configuration::global()->get("c"), &c);
  }
  EXPECT_EQ(conf.head, a);
  EXPECT_EQ(a->next, nullptr);
  EXPECT_EQ(Configuration::global()->get("C"), nullptr);
  conf.clear();  // not owned: detached, not deleted
  EXPECT_EQ(conf.get("A"), nullptr);
  delete a;
}
