// What evaluation and formatting will make of a text, counted the way the
// library's evaluation and formatter read it: the arguments it takes, the
// messages it names in braces, the escapes it expands. A translation must
// keep these of its base text.
#ifndef TRALVEX_TOOLS_TEXTTRAITS_H
#define TRALVEX_TOOLS_TEXTTRAITS_H

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tralvex::tool {

struct TextTraits {
  // Argument texts formatting takes: one per conversion ("%s", and any
  // other printf conversion, since every argument is a text), one more per
  // "*" in it.
  std::size_t arguments = 0;
  std::size_t textConversions = 0;   // "%s" among them, flags and widths allowed
  std::vector<uint32_t> references;  // the numbers named in braces, ascending
  std::size_t newlines = 0;          // the escape backslash-n
  std::size_t tabs = 0;              // the escape backslash-t
};

// In the active code page.
TextTraits TraitsOf(std::string_view text);

}  // namespace tralvex::tool

#endif
