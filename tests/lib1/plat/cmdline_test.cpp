#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/IntParameter.h"
#include "lib1/plat/StringParameter.h"

using namespace plat;

namespace {

struct CmdLine : testing::Test {
  Configuration conf{"Test"};
  StringParameter log{"Log", "", "", false, &conf};
  BoolParameter verbose{"Verbose", "", false, false, &conf};
  IntParameter width{"Width", "", 1, false, &conf, 0, 1000};

  // Runs the line split at blanks; "" or the error as "<type>: <message>".
  std::string run(const char* line, Configuration::UsageCallback usage = nullptr) {
    std::istringstream in(line);
    std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
    std::vector<const char*> args;
    for (const std::string& w : words) args.push_back(w.c_str());
    args.push_back(nullptr);
    try {
      conf.processParamArgs(args.data(), usage);
      return "";
    } catch (const Exception& e) {
      return std::string(e.type.get()) + ": " + e.str();
    }
  }
};

std::vector<Configuration::UsageType> usageSeen;
void recordUsage(Configuration::UsageType type, Configuration* c) {
  EXPECT_EQ(c->name, std::string("Test"));
  usageSeen.push_back(type);
}

}  // namespace

TEST_F(CmdLine, EveryAssignmentFormSetsAtPriority50) {
  for (const char* line :
       {"Log=*:stderr:100", "-Log=*:stderr:100", "--LOG=*:stderr:100", "-log *:stderr:100"}) {
    log.unsetParam(50, false);
    EXPECT_EQ(run(line), "") << line;
    EXPECT_STREQ(log.getValue(), "*:stderr:100") << line;
    EXPECT_EQ(log.getPriority(), 50);
  }
  EXPECT_EQ(run("Log=a=b --Verbose -Width 7"), "");
  EXPECT_TRUE(verbose.getValue() && width.getValue() == 7);
  EXPECT_STREQ(log.getValue(), "a=b");
}

TEST_F(CmdLine, FirstArgumentThatIsNoAssignmentEndsTheLine) {
  // Each line stops at the "^" argument. A separate value follows a single dash only; a
  // Boolean alone takes no value; without a usage callback there is no help either.
  for (std::string line :
       {"^--Log *:stderr:100", "-Verbose ^false", "^-help", "Width=5 ^word Width=7", "^- 1", "^=5",
        "^Nope=1", "^-Nope 1", "^-Width=abc 1", "^-Width", "^-Width 2000"}) {
    size_t at = line.find('^');
    std::string bad = line.substr(at + 1, line.find(' ', at) - at - 1);
    line.erase(at, 1);
    EXPECT_EQ(run(line.c_str()), "BadCmdLineArg: Bad argument '" + bad + "'.");
  }
  // What was set before a failure stays; nothing after it is applied.
  EXPECT_EQ(log.getPriority(), 100);
  EXPECT_TRUE(verbose.getValue() && width.getValue() == 5);
}

TEST_F(CmdLine, HelpCallsTheUsageCallbackWithTheKindAfterIt) {
  usageSeen.clear();
  // A callback that returns leaves the help argument unconsumed.
  EXPECT_EQ(run("Width=3 -HELP ALL", recordUsage),
            "BadCmdLineArg: Bad argument '-HELP'.  Run with -help for usage.");
  for (const char* line : {"/? Xml", "--Help other", "-h", "-helpme"}) run(line, recordUsage);
  EXPECT_EQ(usageSeen, (std::vector<Configuration::UsageType>{
                           Configuration::UsageAll, Configuration::UsageXml,
                           Configuration::UsageBasic, Configuration::UsageBasic}));
}
