#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "AddLocStrings_ui.h"
#include "lib1/loc/Localize.h"

namespace {

std::string in(const char* language, const char* key) {
  loc::Localize::inst()->init({});
  loc::localeParam.setParam(language, 50);
  std::string text = loc::localize(loc::msgid_t(key), nullptr, 0, true);
  loc::localeParam.unsetParam(50, false);
  return text;
}

TEST(UiMessages, EveryKeyHasItsFourLanguagesInRegistrationOrder) {
  ASSERT_EQ(AddLocStrings_ui_rowCount, 116);
  const char* order[] = {"de", "es", "fr", "en"};
  for (int i = 0; i < AddLocStrings_ui_rowCount; i++)
    EXPECT_STREQ(AddLocStrings_ui_rows[i][0], order[i / 29]) << i;
}

TEST(UiMessages, TextsFollowTheLanguage) {
  struct Row {
    const char* language;
    const char* key;
    const char* text;
  } rows[] = {
      {"es", "ui_button_ok", "Aceptar"},
      {"fr", "ui_button_ok", "OK"},
      {"de", "ui_button_finish", "Fertig stellen"},
      {"fr", "ui_treeview_header_pending", "Loading..."},
      {"es", "ui_aboutdialog_title_fmt", "%S: Acerca de"},
      {"fr", "ui_aboutdialog_title_fmt", "%S - À propos"},
      {"es", "ui_getfileorfolderdialog_send_confirm", "¿Desea enviar %S?"},
      {"de", "ui_wizard_back_text", "< Zurück"},
  };
  for (const Row& row : rows) EXPECT_EQ(in(row.language, row.key), row.text) << row.key;
}

TEST(UiMessages, AnotherInstanceRegistersNothingAgain) {
  loc::Localize::inst()->addBuiltInString("en", "ui_button_ok", "Okay");
  AddLocStrings_ui again;
  EXPECT_EQ(in("en", "ui_button_ok"), "Okay");
}

}  // namespace
