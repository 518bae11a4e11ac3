#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/IntParameter.h"
#include "lib1/plat/LogParam.h"
#include "lib1/plat/StringParameter.h"

using namespace plat;

namespace {

struct CmdLine : testing::Test {
  Configuration conf{"Test"};
  StringParameter log{"Log", "", "", false, &conf};
  BoolParameter verbose{"Verbose", "", false, false, &conf};
  IntParameter width{"Width", "", 1, false, &conf, 0, 1000};

  // Runs the arguments; returns "" or the error as "<type>: <message>".
  std::string run(std::vector<const char*> args, Configuration::UsageCallback usage = nullptr) {
    args.push_back(nullptr);
    try {
      conf.processParamArgs(args.data(), usage);
      return "";
    } catch (const Exception& e) {
      return std::string(e.type.get()) + ": " + e.str();
    }
  }
};

Configuration::UsageType usageSeen;
Configuration* usageConf;
int usageCalls;
void recordUsage(Configuration::UsageType type, Configuration* c) {
  usageSeen = type;
  usageConf = c;
  usageCalls++;
}

}  // namespace

TEST_F(CmdLine, EveryAssignmentFormSetsAtPriority50) {
  for (std::vector<const char*> args : {std::vector<const char*>{"Log=*:stderr:100"},
                                        {"-Log=*:stderr:100"},
                                        {"--LOG=*:stderr:100"},
                                        {"-log", "*:stderr:100"}}) {
    log.unsetParam(50, false);
    EXPECT_EQ(run(args), "") << args[0];
    EXPECT_STREQ(log.getValue(), "*:stderr:100") << args[0];
    EXPECT_EQ(log.getPriority(), 50);
  }
  EXPECT_EQ(run({"Log=a=b", "--Verbose", "-Width=0x20"}), "");
  EXPECT_STREQ(log.getValue(), "a=b");
  EXPECT_TRUE(verbose.getValue());
  EXPECT_EQ(width.getValue(), 32);
  EXPECT_EQ(run({"-Verbose=off", "-Width", "7", "Log="}), "");
  EXPECT_FALSE(verbose.getValue());
  EXPECT_EQ(width.getValue(), 7);
  EXPECT_STREQ(log.getValue(), "");
  EXPECT_EQ(run({}), "");
}

TEST_F(CmdLine, DoubleDashTakesNoSeparateValue) {
  EXPECT_EQ(run({"--Log", "*:stderr:100"}), "BadCmdLineArg: Bad argument '--Log'.");
  EXPECT_EQ(log.getPriority(), 100);
}

TEST_F(CmdLine, BooleanAloneConsumesNoValue) {
  EXPECT_EQ(run({"-Verbose", "false"}), "BadCmdLineArg: Bad argument 'false'.");
  EXPECT_TRUE(verbose.getValue());
}

TEST_F(CmdLine, ParsingStopsAtTheFirstNonAssignment) {
  EXPECT_EQ(run({"Width=5", "word", "Width=7"}), "BadCmdLineArg: Bad argument 'word'.");
  EXPECT_EQ(width.getValue(), 5);
  for (const char* bad : {"-", "--", "=5", "-=5", "Nope=1", "-Nope", "-Width=abc", "-Width"}) {
    EXPECT_EQ(run({bad, "abc"}), std::string("BadCmdLineArg: Bad argument '") + bad + "'.");
    EXPECT_EQ(width.getValue(), 5) << bad;  // the value at 50 survives
  }
  EXPECT_EQ(run({"-Width", "2000"}), "BadCmdLineArg: Bad argument '-Width'.");

  const char* args[] = {"Width=6", "-Verbose", "stop", "Width=8", nullptr};
  const char** p = args;
  conf.processParamArgs(&p, nullptr);
  EXPECT_EQ(p, args + 2);
}

TEST_F(CmdLine, HelpIsABadArgumentWithoutAUsageCallback) {
  usageCalls = 0;
  EXPECT_EQ(run({"-help"}), "BadCmdLineArg: Bad argument '-help'.");
  EXPECT_EQ(usageCalls, 0);
  // A callback that returns leaves the help argument unconsumed.
  EXPECT_EQ(run({"Width=3", "-HELP", "ALL"}, recordUsage),
            "BadCmdLineArg: Bad argument '-HELP'.  Run with -help for usage.");
  EXPECT_EQ(usageSeen, Configuration::UsageAll);
  EXPECT_EQ(usageConf, &conf);
  run({"/?", "Xml"}, recordUsage);
  EXPECT_EQ(usageSeen, Configuration::UsageXml);
  run({"--Help", "other"}, recordUsage);
  EXPECT_EQ(usageSeen, Configuration::UsageBasic);
  run({"-h"}, recordUsage);
  EXPECT_EQ(usageSeen, Configuration::UsageBasic);
  EXPECT_EQ(usageCalls, 4);
  run({"-helpme"}, recordUsage);
  EXPECT_EQ(usageCalls, 4);
}

TEST_F(CmdLine, HugeArgumentIsCutOnACharacterBoundary) {
  std::string big = "x";
  for (int i = 0; i < 200; i++) big += "\xc3\xa9";
  std::string err = run({big.c_str()});
  std::string msg = err.substr(err.find(": ") + 2);
  EXPECT_LE(msg.size(), 255u);
  EXPECT_EQ(msg.rfind("Bad argument 'x\xc3\xa9", 0), 0u);
  EXPECT_EQ((msg.size() - strlen("Bad argument 'x")) % 2, 0u);
}

TEST_F(CmdLine, BadUtf8InAStringValueThrowsAndChangesNothing) {
  const char* args[] = {"Width=9", "Log=ok\xff", "Width=10", nullptr};
  EXPECT_THROW(conf.processParamArgs(args, nullptr), BadUtf8);
  EXPECT_EQ(width.getValue(), 9);
  EXPECT_EQ(log.getPriority(), 100);
  const char* sep[] = {"-Log", "\xc0\x80", nullptr};  // overlong NUL
  EXPECT_THROW(conf.processParamArgs(sep, nullptr), BadUtf8);
  EXPECT_STREQ(log.getValue(), "");
}

TEST(CmdLineGlobal, GlobalLogTakesTheCommandLine) {
  const char* args[] = {"--log=", nullptr};
  Configuration::global()->processParamArgs(args, nullptr);
  EXPECT_EQ(logParam.getPriority(), 50);
  logParam.unsetParam(50, true);
  EXPECT_EQ(logParam.getPriority(), 100);
}
