// The scan that places PO entries and decides whether the library may take
// the text byte by byte: it must tell the same whatever pieces the text
// arrives in.
#include "po/PoScan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tralvex::tool {
namespace {

const char kPo[] =
    "msgid \"\"\n"
    "msgstr \"\"\n"
    "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
    "\n"
    "#. a comment naming msgid \"x\"\n"
    "msgctxt \"MAIN/1\"\n"
    "msgid \"\xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD\"\n"
    "msgstr \"\"\n"
    "\n"
    "#~ msgctxt \"MAIN/2\"\n"
    "#~ msgid \"old\"\n"
    "#~ msgstr \"star\xC3\xA9\"\n"
    "  msgid\t\"indented\"\n"
    "msgstr \"\"";

PoScan InPiecesOf(std::string_view text, std::size_t size) {
  PoScan scan;
  for (std::size_t at = 0; at < text.size(); at += size) scan.Take(text.substr(at, size));
  scan.Finish();
  return scan;
}

TEST(PoScan, PlacesEntriesAndTellsTheSameForAnyPieces) {
  const std::vector<std::size_t> lines = {1, 7, 11, 13};
  PoScan whole = ScanPoText(kPo);
  EXPECT_EQ(whole.EntryLines(), lines);
  EXPECT_TRUE(whole.ByteWise());
  // Pieces that cut lines, keywords and characters apart.
  for (std::size_t size : {1u, 2u, 3u, 7u, 64u}) {
    PoScan scan = InPiecesOf(kPo, size);
    EXPECT_EQ(scan.EntryLines(), lines) << size;
    EXPECT_TRUE(scan.ByteWise()) << size;
  }
}

TEST(PoScan, TakesNoTextByteWiseThatIsNotUtf8OrNotSaidToBe) {
  std::string po = kPo;
  std::string latin2 = po;
  latin2.replace(latin2.find("UTF-8"), 5, "ISO-8859-2");
  EXPECT_FALSE(ScanPoText(latin2).ByteWise());
  EXPECT_FALSE(ScanPoText("msgid \"a\"\nmsgstr \"b\"\n").ByteWise());  // no charset at all
  // A byte that is no UTF-8, and a character cut off at the end.
  for (std::size_t size : {1u, 5u, 4096u}) {
    EXPECT_FALSE(InPiecesOf(po + "\n# \xC5x\n", size).ByteWise()) << size;
    EXPECT_FALSE(InPiecesOf(po + "\n# \xE2\x82", size).ByteWise()) << size;
  }
  // Only the first charset counts, as the library reads the header.
  EXPECT_TRUE(ScanPoText(po + "\n# charset=ISO-8859-2\n").ByteWise());
}

}  // namespace
}  // namespace tralvex::tool
