// Windows' own mappings that iconv lacks, for the native code-page stand-in.
#pragma once

#include <cstdint>

namespace versotime {

// The private-use character Windows gives a GBK cell iconv rejects, or 0.
char16_t gbk_private_use(unsigned char lead, unsigned char trail);
// The GBK cell (lead << 8 | trail) of a private-use character, or 0.
std::uint16_t gbk_cell_of_private_use(char16_t unit);
// Windows' best-fit substitute for a character the code page cannot hold:
// one byte, or lead << 8 | trail; 0 when there is none (it becomes '?').
std::uint16_t best_fit_bytes(unsigned code_page, char16_t unit);

}  // namespace versotime
