#include "Diagnostics.h"

#include <gtest/gtest.h>

#include <sstream>

#include "Json.h"
#include "LineIndex.h"

namespace tralvex::tool {
namespace {

TEST(JsonString, EscapesWhatJsonRequiresAndPassesOtherBytes) {
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString("\r\n\t\x01\x7F"), "\"\\r\\n\\t\\u0001\\u007f\"");
  EXPECT_EQ(JsonString("\xC5\xBE"), "\"\xC5\xBE\"");
  EXPECT_EQ(JsonString(std::string_view("a\0b", 3)), "\"a\\u0000b\"");
}

TEST(LineIndex, EndsLinesAtCrLfCrAndLfAlike) {
  LineIndex index("a\r\nb\rc\nd");
  EXPECT_EQ(index.PlaceOf(std::size_t{0}).line, 1u);
  EXPECT_EQ(index.PlaceOf(std::size_t{1}).column, 2u);  // the CR itself is on line 1
  EXPECT_EQ(index.PlaceOf(std::size_t{3}).line, 2u);
  EXPECT_EQ(index.PlaceOf(std::size_t{5}).line, 3u);
  EXPECT_EQ(index.PlaceOf(std::size_t{7}).line, 4u);
  EXPECT_EQ(index.PlaceOf(std::size_t{7}).column, 1u);
}

TEST(Diagnostics, CompilerFormAndJson) {
  DiagnosticList list;
  list.Add("b.msg", 3, 2, Severity::kWarning, "w", "two");
  list.Add("a.msg", 0, 0, Severity::kNote, "n", "three");
  list.Add("b.msg", 1, 5, Severity::kError, "e \"q\"", "one");
  list.SortByPlace();
  std::ostringstream text;
  for (const Diagnostic& d : list.Items()) PrintDiagnostic(d, false, text);
  // Files keep their order; within one, places ascend.
  EXPECT_EQ(
      text.str(),
      "b.msg:1:5: error: e \"q\" [one]\nb.msg:3:2: warning: w [two]\na.msg: note: n [three]\n");
  std::ostringstream json;
  PrintDiagnosticsJson(list, json);
  EXPECT_NE(json.str().find("{\"file\": \"b.msg\", \"line\": 1, \"column\": 5, \"severity\": "
                            "\"error\", \"message\": \"e \\\"q\\\"\", \"check\": \"one\"}"),
            std::string::npos);
  EXPECT_NE(json.str().find("\"errors\": 1, \"warnings\": 1, \"notes\": 1}"), std::string::npos);
  std::ostringstream coloured;
  PrintDiagnostic(list.Items()[0], true, coloured);
  EXPECT_NE(coloured.str().find("\033[31m"), std::string::npos);
}

}  // namespace
}  // namespace tralvex::tool
