#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "AddLocStrings_product.h"
#include "lib1/loc/LocaleSetter.h"
#include "lib1/loc/Localize.h"

namespace {

AddLocStrings_product addLocStrings;

TEST(ProductMessages, SixKeysPerLanguageInGermanSpanishFrenchEnglishBlocks) {
  const char* keys[] = {"product_ack_intro",      "product_copyright", "product_further_info",
                        "product_info_marked_up", "product_patents",   "product_trademarks"};
  ASSERT_EQ(AddLocStrings_product_rowCount, 24);
  for (int i = 0; i < 24; i++) {
    auto [lang, key, text] = AddLocStrings_product_rows[i];
    EXPECT_EQ(lang, std::string("deesfren").substr(i / 6 * 2, 2)) << i;
    EXPECT_STREQ(key, keys[i % 6]) << i;
    // The About box maps link 1 to the web site and link 2 to the acknowledgements.
    if (i % 6 == 3) {
      EXPECT_TRUE(std::regex_search(text, std::regex(R"(\^1\{[^]*\^2\{)"))) << lang;
    }
  }
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
