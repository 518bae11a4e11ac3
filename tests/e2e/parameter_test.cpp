// The permission box below the list: the parameter's text copied down into
// it, text typed or pasted into it copied up into the list, and what the
// tool refuses there.
#include <X11/keysym.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/Fixture.h"

namespace e2e {
namespace {

using Strings = std::vector<std::string>;

// The text trimmed, the list rebuilt from it, the last one selected and its
// level shown, ready to change.
TEST_F(E2e, RefreshUsersAndGroupsRebuildsTheListFromTheBox) {
  ASSERT_TRUE(startShown({"Permissions=gw-gone:d"}));
  ASSERT_TRUE(tool.typeIntoBox("  root:f,%users:v "));
  ASSERT_TRUE(tool.click(ids::kRefreshUi));
  ASSERT_TRUE(tool.waitSelected(2, 1, "View-only permissions"));
  EXPECT_EQ(tool.rowTexts(), Strings({"root (root)", "users"}));
  EXPECT_TRUE(tool.refreshParameterShows("root:f,%users:v"));
  closeAndExpectStatusZero();
}

// A bad escape, a backslash at the very end or a text that is no list:
// a message box shows the text as typed; after OK the list and the parameter
// are as they were.
TEST_F(E2e, RefusesATextThatIsNoListAndChangesNothing) {
  struct Row {
    const char* name;
    const char* typed;
  } rows[] = {
      {"a bad escape", "gw-a\\q:v"},
      {"a backslash at the end", "gw-a:v\\"},
      {"no list: a letter that is no permission", "alice:V"},
  };
  ASSERT_TRUE(startShown({"Permissions=gw-keep:f"}));
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    ASSERT_TRUE(tool.typeIntoBox(r.typed));
    ASSERT_TRUE(tool.click(ids::kRefreshUi));
    std::string message = std::string("The following string is invalid:\n\n") + r.typed;
    ASSERT_TRUE(tool.waitDump(
        ids::kMessageBox,
        [&](const Dump& d) {
          for (const Element& e : d.elements)
            if (e.kind == "static" && e.field("label") == message) return e.shown;
          return false;
        },
        "the message box"));
    Window box = tool.latest(ids::kMessageBox)->window;
    EXPECT_EQ(desktop.text(box, "WM_NAME"), "Zem Grantwell");
    std::string ok = tool.idEnding(ids::kMessageBox, ".ok");
    // Owned by the main window, so the window manager keeps it on top.
    EXPECT_EQ(desktop.cardinals(box, "WM_TRANSIENT_FOR"),
              std::vector<long>{long(tool.mainWindow())});
    ASSERT_TRUE(tool.waitUntil([&] { return desktop.focused(box); }, "the message box focused"));
    ASSERT_TRUE(tool.click(ok, ids::kMessageBox));
    ASSERT_TRUE(tool.waitUntil([&] { return !desktop.viewable(box); }, "the message box to go"));
    EXPECT_EQ(tool.rowTexts(), Strings({"Unknown user (gw-keep)"}));
    EXPECT_TRUE(tool.refreshParameterShows("gw-keep:f"));
  }
  closeAndExpectStatusZero();
}

// A configured list that does not parse is all that is left of its
// principals. Return in the box says so and keeps the box as it is, from the
// keyboard alone; Add cannot be used; a list that parses, read from the box,
// ends that.
TEST_F(E2e, KeepsAConfiguredListThatDoesNotParseUntilOneThatParsesIsRead) {
  ASSERT_TRUE(startShown({"Permissions=gw-a:V"}));
  auto boxShows = [this](const std::string& text) {
    return tool.waitDump(
        ids::kMain, [&](const Dump& d) { return d.find(ids::kBox)->field("text") == text; },
        "the box to show " + text);
  };
  ASSERT_TRUE(boxShows("gw-a:V"));
  EXPECT_FALSE(tool.element(ids::kAddButton).usable());
  // Twice: the box is kept, and Return there says the same again.
  for (int time = 1; time <= 2; time++) {
    SCOPED_TRACE(time);
    ASSERT_TRUE(tool.focusBox());
    ASSERT_TRUE(tool.key(XK_Return));
    ASSERT_TRUE(tool.waitDump(
        ids::kMessageBox,
        [](const Dump& d) {
          for (const Element& e : d.elements)
            if (e.kind == "static" &&
                e.field("label") == "The following string is invalid:\n\ngw-a:V")
              return e.shown;
          return false;
        },
        "the message box"));
    Window box = tool.latest(ids::kMessageBox)->window;
    ASSERT_TRUE(tool.waitUntil([&] { return desktop.focused(box); }, "the message box focused"));
    desktop.key(XK_Return);
    ASSERT_TRUE(tool.waitUntil([&] { return !desktop.viewable(box); }, "the message box to go"));
    EXPECT_TRUE(boxShows("gw-a:V"));
  }
  ASSERT_TRUE(tool.typeIntoBox("gw-b:v"));
  ASSERT_TRUE(tool.click(ids::kRefreshUi));
  ASSERT_TRUE(tool.waitSelected(1, 0, "View-only permissions"));
  EXPECT_TRUE(tool.element(ids::kAddButton).usable());
  EXPECT_TRUE(tool.refreshParameterShows("gw-b:v"));
  closeAndExpectStatusZero();
}

// count users with names padded to width, each with "d", in the order the
// tool lists and writes them.
std::string longList(int count, int width) {
  std::string list;
  for (int i = 0; i < count; i++) {
    char name[32];
    snprintf(name, sizeof name, "gw-u%05d-", i);
    if (i) list += ",";
    list += name + std::string(size_t(width) - strlen(name), 'x') + ":d";
  }
  return list;
}

// Down into the box, up into the list, down again: the text is the same,
// whole, and the clipboard takes all of it. A backslash in a name shows
// doubled in the box and is one again in the list.
TEST_F(E2e, LongListsRoundTripUnchanged) {
  struct Row {
    const char* name;
    std::string list, shown;  // shown: in the box
    size_t rows;
  } rows[] = {
      {"300 bytes", longList(20, 13), "", 20},
      {"60 KB", longList(1000, 58), "", 1000},
      {"a backslash", "gw-a\\b:v", "gw-a\\\\b:v", 1},
  };
  for (Row& r : rows) {
    SCOPED_TRACE(r.name);
    if (r.shown.empty()) r.shown = r.list;
    ASSERT_TRUE(startShown({"Permissions=" + r.list}));
    ASSERT_TRUE(tool.click(ids::kRefreshText));
    auto boxShows = [&](const Dump& d) {
      const Element* box = d.find(ids::kBox);
      return box->field("length") == std::to_string(r.shown.size()) &&
             box->field("text") == r.shown.substr(0, box->field("text").size()) &&
             !box->field("text").empty();
    };
    ASSERT_TRUE(tool.waitDump(ids::kMain, boxShows, "the text in the box"));
    ASSERT_TRUE(tool.click(ids::kRefreshUi));
    ASSERT_TRUE(tool.waitDump(
        ids::kMain,
        [&](const Dump& d) {
          const Element* list = d.find(ids::kList);
          return list->field("rows") == std::to_string(r.rows) &&
                 list->selected() == int(r.rows) - 1;
        },
        "the list rebuilt, the last row selected"));
    ASSERT_TRUE(tool.typeIntoBox(""));
    ASSERT_TRUE(tool.click(ids::kRefreshText));
    ASSERT_TRUE(tool.waitDump(ids::kMain, boxShows, "the same text again"));
    Window before = desktop.clipboardOwner();
    ASSERT_TRUE(tool.focusBox() && tool.key(XK_a, {XK_Control_L}) &&
                tool.key(XK_c, {XK_Control_L}));
    ASSERT_TRUE(tool.waitUntil([&] { return desktop.clipboardOwner() != before; },
                               "the tool to take the clipboard"));
    EXPECT_EQ(tool.run({"xclip", "-selection", "clipboard", "-o"}), r.shown);
    closeAndExpectStatusZero();
  }
}

}  // namespace
}  // namespace e2e

namespace e2e {
namespace {

// The box's selection goes to CLIPBOARD with Ctrl+C; Ctrl+V puts another
// program's CLIPBOARD text in, without its line breaks.
TEST_F(E2e, CopiesAndPastesThroughTheClipboard) {
  ASSERT_TRUE(startShown({"Permissions=gw-copy:v"}));
  ASSERT_TRUE(tool.refreshParameterShows("gw-copy:v"));
  ASSERT_TRUE(tool.focusBox() && tool.key(XK_a, {XK_Control_L}) && tool.key(XK_c, {XK_Control_L}));
  ASSERT_TRUE(tool.waitUntil([&] { return desktop.clipboardOwner() != 0; },
                             "the tool to take the clipboard"));
  Window toolsOwn = desktop.clipboardOwner();
  EXPECT_EQ(tool.run({"xclip", "-selection", "clipboard", "-o"}), "gw-copy:v");

  gwtest::TempDir dir;
  std::ofstream(dir.file("clip")) << "root:f,\n%users:v\n";
  Child xclip({"xclip", "-selection", "clipboard", "-quiet", "-i", dir.file("clip")},
              tool.environment(desktop.display()));
  ASSERT_TRUE(tool.waitUntil(
      [&] { return desktop.clipboardOwner() != toolsOwn && desktop.clipboardOwner() != 0; },
      "xclip to take the clipboard", &xclip));
  ASSERT_TRUE(tool.key(XK_a, {XK_Control_L}) && tool.key(XK_v, {XK_Control_L}));
  ASSERT_TRUE(tool.waitDump(
      ids::kMain,
      [](const Dump& d) { return d.find(ids::kBox)->field("text") == "root:f,%users:v"; },
      "the pasted text in the box"));
  ASSERT_TRUE(tool.click(ids::kRefreshUi));
  ASSERT_TRUE(tool.waitDump(
      ids::kMain, [](const Dump& d) { return d.find(ids::kList)->rows.size() == 2; },
      "the pasted list"));
  EXPECT_EQ(tool.rowTexts(), Strings({"root (root)", "users"}));
  closeAndExpectStatusZero();
}

}  // namespace
}  // namespace e2e
