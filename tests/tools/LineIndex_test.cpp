#include "LineIndex.h"

#include <gtest/gtest.h>

#include <string>

namespace tralvex::tool {
namespace {

std::string Places(std::string_view text) {
  LineIndex index(text);
  std::string places;
  for (std::size_t offset = 0; offset <= text.size(); ++offset) {
    Place place = index.PlaceOf(offset);
    places += std::to_string(place.line) + "." + std::to_string(place.column) + " ";
  }
  return places;
}

TEST(LineIndex, EndsLinesAtCrLfCrOrLfAsEditorsDo) {
  EXPECT_EQ(Places("a\r\nb\rc\nd"), "1.1 1.2 1.3 2.1 2.2 3.1 3.2 4.1 4.2 ");
  EXPECT_EQ(Places("\n\r\r\n"), "1.1 2.1 3.1 3.2 4.1 ");
  // A file that ends in a carriage return, with nothing after it to pair.
  EXPECT_EQ(Places("a\r"), "1.1 1.2 2.1 ");
  EXPECT_EQ(Places(""), "1.1 ");
}

}  // namespace
}  // namespace tralvex::tool
