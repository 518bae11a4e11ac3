#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "AddLocStrings_product.h"
#include "lib1/loc/LocaleSetter.h"
#include "lib1/loc/Localize.h"

namespace {

AddLocStrings_product addLocStrings;

// Six keys in each of German, Spanish, French and English; the About box
// maps link 1 to the web site and link 2 to the acknowledgements in each.
TEST(ProductMessages, EveryLanguageHasEveryKeyAndBothAboutLinks) {
  ASSERT_EQ(AddLocStrings_product_rowCount, 24);
  std::set<std::string> texts;
  for (const char* locale : {"de_DE", "es_ES", "fr_FR", "en_US"}) {
    loc::LocaleSetter setter(locale);
    std::string about = loc::localize(loc::msgid_t("product_info_marked_up"));
    EXPECT_TRUE(std::regex_search(about, std::regex(R"(\^1\{[^]*\^2\{)"))) << locale;
    texts.insert(about);
  }
  EXPECT_EQ(texts.size(), 4u) << "none falls back to another language";
}

TEST(ProductMessages, AcknowledgementTextsInFrenchAndEnglish) {
  {
    loc::LocaleSetter french("fr_FR");
    EXPECT_STREQ(loc::localize(loc::msgid_t("product_ack_intro")),
                 "Pour les avis de propriété intellectuelle d'entreprises tierces, voir :");
  }
  loc::LocaleSetter english("en_US");
  std::string about = loc::localize(loc::msgid_t("product_info_marked_up"));
  EXPECT_EQ(about.substr(about.find("\n\n")),
            "\n\nClick ^2{here^} for third party acknowledgements.");
}

}  // namespace
