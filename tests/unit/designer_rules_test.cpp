// The designer's window-free rules: the control table lookup, geometry,
// span and font descriptions, names, event names and labels, line breaks
// and joining.
#include <gtest/gtest.h>

#include "commands/designer_rules.h"

namespace kestrel::designer {
namespace {

struct KindCase {
  const char* id;
  const char* keyword;  // already trimmed and upper-cased
  int type;             // -1: creates a dialog
  const char* class_name;
  uint32_t ex_style;
  uint32_t style;
};

const KindCase kKindCases[] = {
    {"kind-1", "BUTTON", kTypeButton, "BUTTON", 0, 0x50014000},
    {"kind-2", "1", kTypeButton, "BUTTON", 0, 0x50014000},
    {"kind-3", "IMAGEBUTTON", kTypeButton, "BUTTON", 0, 0x50014080},
    {"kind-4", "12", kTypeButton, "BUTTON", 0, 0x50014080},  // not COMBO
    {"kind-5", "INPUT", kTypeInput, "edit", 0x200, 0x508100C0},
    {"kind-6", "3", kTypeEdit, "edit", 0x200, 0x50B110C4},
    {"kind-7", "EDIT_LINEWRAP", kTypeEdit, "edit", 0x200, 0x50A11044},
    {"kind-8", "LABEL", kTypeLabel, "static", 0, 0x50000100},
    {"kind-9", "6", kTypeOption, "BUTTON", 0, 0x50014003},
    {"kind-10", "RADIO", kTypeRadio, "BUTTON", 0, 0x50014009},
    {"kind-11", "LIST", kTypeList, "LISTBOX", 0x200, 0x50A10101},
    {"kind-12", "9", kTypeList, "LISTBOX", 0x200, 0x50A10103},
    {"kind-13", "LIST_MULTI", kTypeMultiList, "LISTBOX", 0x200, 0x50A10109},
    {"kind-14", "11", kTypeMultiList, "LISTBOX", 0x200, 0x50A1010B},
    {"kind-15", "COMBO", kTypeCombo, "COMBOBOX", 0x200, 0x50210402},
    {"kind-16", "13", kTypeStaticCombo, "COMBOBOX", 0x200, 0x50210403},
    {"kind-17", "GROUP", kTypeGroup, "button", 0, 0x50000007},
    {"kind-18", "15", kTypeImage, "static", 0, 0x5000010E},
    {"kind-19", "PWD", kTypePassword, "edit", 0x200, 0x508100E0},
    {"kind-20", "17", kTypeProgress, "msctls_progress32", 0x200, 0x50000000},
    {"kind-21", "DIALOG", -1, nullptr, 0, 0},
    {"kind-22", "18", -1, nullptr, 0, 0},
    {"kind-23", "", -1, nullptr, 0, 0},
    {"kind-24", "button", -1, nullptr, 0, 0},  // callers upper-case first
    {"kind-25", "0", -1, nullptr, 0, 0},
};

TEST(DesignerRules, ControlTableRows) {
  for (const KindCase& c : kKindCases) {
    const ControlKind* kind = find_control_kind(c.keyword);
    if (c.type < 0) {
      EXPECT_EQ(kind, nullptr) << c.id << ": expected a dialog, got " << (kind ? kind->keyword : "");
      continue;
    }
    ASSERT_NE(kind, nullptr) << c.id << ": expected a control row for " << c.keyword;
    EXPECT_EQ(kind->type, c.type) << c.id;
    EXPECT_STREQ(kind->class_name, c.class_name) << c.id;
    EXPECT_EQ(kind->ex_style, c.ex_style) << c.id;
    EXPECT_EQ(kind->style, c.style) << c.id << std::hex << ": got 0x" << kind->style;
  }
}

TEST(DesignerRules, OnlyEditBoxesLiftTheTextLimit) {
  for (const char* keyword : {"EDIT", "EDIT_LINEWRAP", "3", "4"}) {
    EXPECT_TRUE(find_control_kind(keyword)->lift_text_limit) << keyword;
  }
  for (const char* keyword : {"INPUT", "PWD", "LIST", "COMBO"}) {
    EXPECT_FALSE(find_control_kind(keyword)->lift_text_limit) << keyword;
  }
  EXPECT_TRUE(is_radio_keyword("RADIO"));
  EXPECT_TRUE(is_radio_keyword("7"));
  EXPECT_FALSE(is_radio_keyword("OPTION"));
}

TEST(DesignerRules, TypeNames) {
  const std::pair<int, const char*> cases[] = {
      {0, "DIALOG"},  {1, "BUTTON"},   {2, "INPUT"},     {3, "EDIT"},     {4, "LABEL"},
      {5, "OPTION"},  {6, "RADIO"},    {7, "LIST"},      {8, "COMBO"},    {9, "GROUP"},
      {10, "IMAGE"},  {11, "PWD"},     {12, "MENU"},     {13, "MULTILIST"}, {14, ""},
      {15, ""},       {16, "PROGRESS"}, {17, "STATIC_COMBO"}, {18, ""},   {-1, ""},
  };
  for (const auto& [type, name] : cases) {
    EXPECT_STREQ(element_type_name(type), name) << "type " << type;
  }
}

struct GeometryCase {
  const char* id;
  const char* text;
  const char* separator;
  bool ok;
  Geometry expected;
};

const GeometryCase kGeometryCases[] = {
    {"geo-1", "10|20|100|30", "|", true, {10, 20, 100, 30}},
    {"geo-2", "10||20|100|30", "|", true, {10, 20, 100, 30}},
    {"geo-3", "|10|20|100|30|", "|", true, {10, 20, 100, 30}},
    {"geo-4", "10|20|100", "|", false, {}},
    {"geo-5", "", "|", false, {}},
    {"geo-6", "1|2|3|4|5|6", "|", true, {1, 2, 3, 4}},
    {"geo-7", " 7|x|-3|12px", "|", true, {7, 0, -3, 12}},
    {"geo-8", "10;20,100;30", ";,", true, {10, 20, 100, 30}},
    {"geo-9", "10|20|100|30", ";;", false, {}},
};

TEST(DesignerRules, Geometry) {
  for (const GeometryCase& c : kGeometryCases) {
    const std::optional<Geometry> g = parse_geometry(c.text, c.separator);
    ASSERT_EQ(g.has_value(), c.ok) << c.id;
    if (!g) continue;
    EXPECT_EQ(g->x, c.expected.x) << c.id;
    EXPECT_EQ(g->y, c.expected.y) << c.id;
    EXPECT_EQ(g->width, c.expected.width) << c.id;
    EXPECT_EQ(g->height, c.expected.height) << c.id;
  }
}

TEST(DesignerRules, SpanAndFont) {
  const std::optional<Span> span = parse_span("3|2", "|");
  ASSERT_TRUE(span);
  EXPECT_EQ(span->start, 3);
  EXPECT_EQ(span->length, 2);
  EXPECT_FALSE(parse_span("3", "|"));
  EXPECT_FALSE(parse_span("3||", "|"));

  EXPECT_FALSE(parse_font("Arial|12", "|")) << "two fields must fail";
  EXPECT_FALSE(parse_font("", "|"));
  struct FontCase {
    const char* text;
    int weight;
    bool italic, underline, strike_out;
  };
  const FontCase cases[] = {
      {"Arial|12|0", 400, false, false, false}, {"Arial|12|1", 400, false, false, false},
      {"Arial|12|2", 700, false, false, false}, {"Arial|12|6", 700, true, false, false},
      {"Arial|12|8", 400, false, true, false},  {"Arial|12|30", 700, true, true, true},
  };
  for (const FontCase& c : cases) {
    const std::optional<FontSpec> font = parse_font(c.text, "|");
    ASSERT_TRUE(font) << c.text;
    EXPECT_EQ(font->face, "Arial") << c.text;
    EXPECT_EQ(font->points, 12) << c.text;
    EXPECT_EQ(font->weight, c.weight) << c.text;
    EXPECT_EQ(font->italic, c.italic) << c.text;
    EXPECT_EQ(font->underline, c.underline) << c.text;
    EXPECT_EQ(font->strike_out, c.strike_out) << c.text;
  }
  const std::optional<FontSpec> spaced = parse_font("Courier New|10|2", "|");
  ASSERT_TRUE(spaced);
  EXPECT_EQ(spaced->face, "Courier New");
}

TEST(DesignerRules, NamesInsideOwners) {
  EXPECT_EQ(parent_name("d:b"), std::optional<std::string_view>("d"));
  EXPECT_EQ(parent_name("d:g:b"), std::optional<std::string_view>("d:g"));
  EXPECT_EQ(parent_name(":b"), std::optional<std::string_view>(""));
  EXPECT_FALSE(parent_name("d"));

  struct InsideCase {
    const char* name;
    const char* owner;
    bool inside;
  };
  const InsideCase cases[] = {
      {"d:b", "d", true},          {"d:g:b", "d", true},   {"d:Menu_Open", "d", true},
      {"d", "d", false},           {"d:", "d", true},      {"dx:b", "d", false},
      {"main:ok", "mai", false},   {"d:b", "d:b", false},  {"d:b:c", "d:b", true},
  };
  for (const InsideCase& c : cases) {
    EXPECT_EQ(is_inside(c.name, c.owner), c.inside) << c.name << " in " << c.owner;
  }
}

struct EventNameCase {
  const char* name;  // the text after "EVENT_"
  int setter_kind;   // prefix rule for every name
  int reader_kind;   // MOUSEMOVE must be equal
};

const EventNameCase kEventNameCases[] = {
    {"CLICK", 1, 1},        {"CLICKED", 1, 1},       {"CLIC", 0, 0},
    {"DBLCLICK", 2, 2},     {"SIZE", 3, 3},          {"CLOSE", 4, 4},
    {"CHANGE", 5, 5},       {"OK", 6, 6},            {"OKAY", 6, 6},
    {"CANCEL", 7, 7},       {"MOVE", 8, 8},          {"MOVED", 8, 8},
    {"GETFOCUS", 9, 9},     {"LEAVEFOCUS", 10, 10},  {"MOUSEMOVE", 11, 11},
    {"MOUSEMOVES", 11, 0},  {"MOUSE", 0, 0},         {"", 0, 0},
    {"click", 0, 0},
};

TEST(DesignerRules, EventNames) {
  for (const EventNameCase& c : kEventNameCases) {
    EXPECT_EQ(event_kind_from_name(c.name, false), c.setter_kind) << "set EVENT_" << c.name;
    EXPECT_EQ(event_kind_from_name(c.name, true), c.reader_kind) << "read EVENT_" << c.name;
  }
}

struct LabelCase {
  const char* id;
  int kind;
  int result;
  const char* element;
  const char* hotkey;
  const char* expected;
};

const LabelCase kLabelCases[] = {
    {"label-1", 1, 2001, "main:ok", nullptr, "click_main:ok"},
    {"label-2", 4, 2000, "main", nullptr, "close_main"},
    {"label-3", 2, 2003, "d:l", nullptr, "dblclick_d:l"},
    {"label-4", 3, 2000, "d", nullptr, "size_d"},
    {"label-5", 5, 2002, "d:i", nullptr, "change_d:i"},
    {"label-6", 6, 2000, "d", nullptr, "ok_d"},
    {"label-7", 7, 2000, "d", nullptr, "cancel_d"},
    {"label-8", 8, 2000, "d", nullptr, "move_d"},
    {"label-9", 11, 2000, "d", nullptr, "mousemove_d"},
    {"label-10", 0, 2001, "d", nullptr, ""},
    {"label-11", 1, 1999, "d", nullptr, ""},
    {"label-12", 1, 2001, nullptr, nullptr, ""},
    {"label-13", 9, 2001, "d", nullptr, ""},
    {"label-14", 10, 2001, "d", nullptr, ""},
    {"label-15", 99, 3, nullptr, "F5", "hotkey_F5"},
    {"label-16", 99, 3, nullptr, nullptr, ""},
    {"label-17", 1, 2001, "main:Menu_Open", nullptr, "click_main:Menu_Open"},
};

TEST(DesignerRules, EventLabels) {
  for (const LabelCase& c : kLabelCases) {
    EXPECT_EQ(event_label(c.kind, c.result, c.element, c.hotkey), c.expected) << c.id;
  }
}

TEST(DesignerRules, LineBreaks) {
  const std::pair<const char*, const char*> to_control[] = {
      {"a\nb", "a\r\nb"},  {"a\r\nb", "a\r\nb"}, {"a\rb", "ab"},
      {"\n\n", "\r\n\r\n"}, {"", ""},            {"x\r\r\n", "x\r\n"},
  };
  for (const auto& [in, out] : to_control) EXPECT_EQ(to_control_breaks(in), out) << in;
  const std::pair<const char*, const char*> to_script[] = {
      {"a\r\nb", "a\nb"}, {"a\rb", "a\rb"}, {"a\nb", "a\nb"}, {"\r\n\r\n", "\n\n"}, {"x\r", "x\r"},
  };
  for (const auto& [in, out] : to_script) EXPECT_EQ(to_script_breaks(in), out) << in;
}

TEST(DesignerRules, Joining) {
  EXPECT_EQ(join_numbers({10, 20, 100, 30}, "|"), "10|20|100|30");
  EXPECT_EQ(join_numbers({10, 20, 100, 30}, ";;"), "10;20;100;30");
  EXPECT_EQ(join_numbers({3, 2}, ""), "3");
  EXPECT_EQ(join_numbers({-4}, "|"), "-4");
  EXPECT_EQ(join_texts({"a", "b"}, ";;"), "a;;b");
  EXPECT_EQ(join_texts({}, "|"), "");
  EXPECT_EQ(join_texts({"", ""}, "|"), "|");
}

}  // namespace
}  // namespace kestrel::designer
