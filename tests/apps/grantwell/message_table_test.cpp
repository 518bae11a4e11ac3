#include <gtest/gtest.h>

#include <string>

#include "AddLocStrings_grantwell.h"
#include "lib1/loc/LocaleSetter.h"
#include "lib1/loc/Localize.h"

namespace {

AddLocStrings_grantwell addLocStrings;

// English only, registered in the order of the application's own list, not
// sorted; the too-long notice stands after the six original rows.
TEST(GrantwellMessages, EnglishRowsInTheirOwnOrder) {
  std::string keys;
  for (int i = 0; i < AddLocStrings_grantwell_rowCount; i++) {
    EXPECT_STREQ(AddLocStrings_grantwell_rows[i][0], "en");
    keys += std::string(AddLocStrings_grantwell_rows[i][1]) + " ";
  }
  EXPECT_EQ(keys,
            "about_link edit_permissions update_text_button update_ui_button "
            "update_ui_invalid_string grantwell_app_name_r update_text_too_long ");
}

TEST(GrantwellMessages, ButtonTextsKeepTheirMnemonicsAndTheNameItsSign) {
  loc::LocaleSetter english("en_US");
  EXPECT_STREQ(loc::localize(loc::msgid_t("update_ui_button")), "Refresh &Users && Groups");
  EXPECT_STREQ(loc::localize(loc::msgid_t("grantwell_app_name_r")), "Zem\u00ae Grantwell");
}

}  // namespace
