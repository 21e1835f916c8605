// The lookup every handle-based message function rests on, and the
// placeholder text that stands in for a message that cannot be found.
#ifndef TRALVEX_API_LOOKUP_H
#define TRALVEX_API_LOOKUP_H

#include <cstdint>

namespace tralvex {

// Handle 0 is the error catalogue, opened on demand; 0xFFFF is none. The
// message's text in the catalogue's current section, else defaultText,
// else the placeholder text. Never null.
const char* LookupMessageText(uint32_t handle, uint32_t number, const char* defaultText);

// The message in the current section of a registered catalogue (handle 0
// meaning the error catalogue), or null: no default, no placeholder.
const char* CatalogueMessage(uint32_t handle, uint32_t number);

// "MSG(%05X)" of the number in the module's placeholder buffer, which the
// next placeholder overwrites.
const char* MakePlaceholderText(uint32_t number);

// True for the placeholder buffer itself, whatever it holds.
bool IsPlaceholderText(const char* text);

// Opens "QelError.msg" unless it is open already; true when it is open.
bool OpenErrorCatalogue();

}  // namespace tralvex

#endif
