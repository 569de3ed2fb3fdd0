// Windows gives the GBK cells that hold no character consecutive private-use
// characters: three user-defined areas by formula, then the scattered
// unassigned cells in byte order from U+E766.
#include "host/code_page_tables.h"

namespace versotime {

namespace {

struct CellRange {
    std::uint16_t first;
    std::uint16_t last;
    char16_t first_unit;
};

const CellRange unassigned_cells[] = {
    {0xA2AB, 0xA2B0, 0xE766}, {0xA2E3, 0xA2E4, 0xE76C}, {0xA2EF, 0xA2F0, 0xE76E},
    {0xA2FD, 0xA2FE, 0xE770}, {0xA4F4, 0xA4FE, 0xE772}, {0xA5F7, 0xA5FE, 0xE77D},
    {0xA6B9, 0xA6C0, 0xE785}, {0xA6D9, 0xA6DF, 0xE78D}, {0xA6EC, 0xA6ED, 0xE794},
    {0xA6F3, 0xA6F3, 0xE796}, {0xA6F6, 0xA6FE, 0xE797}, {0xA7C2, 0xA7D0, 0xE7A0},
    {0xA7F2, 0xA7FE, 0xE7AF}, {0xA896, 0xA8A0, 0xE7BC}, {0xA8BC, 0xA8BC, 0xE7C7},
    {0xA8BF, 0xA8BF, 0xE7C8}, {0xA8C1, 0xA8C4, 0xE7C9}, {0xA8EA, 0xA8FE, 0xE7CD},
    {0xA958, 0xA958, 0xE7E2}, {0xA95B, 0xA95B, 0xE7E3}, {0xA95D, 0xA95F, 0xE7E4},
    {0xA989, 0xA995, 0xE7E7}, {0xA997, 0xA9A3, 0xE7F4}, {0xA9F0, 0xA9FE, 0xE801},
    {0xD7FA, 0xD7FE, 0xE810}, {0xFE50, 0xFE7E, 0xE815}, {0xFE80, 0xFEA0, 0xE844},
};

// Rows of 94 cells (trail A1-FE) or of 96 (trail 40-A0 without 7F).
struct Area {
    unsigned char first_lead;
    unsigned char last_lead;
    bool low_trails;
    char16_t first_unit;
};

const Area user_defined_areas[] = {
    {0xAA, 0xAF, false, 0xE000},
    {0xF8, 0xFE, false, 0xE234},
    {0xA1, 0xA7, true, 0xE4C6},
};

// The index of a trail byte within its row, or -1.
int trail_index(bool low_trails, unsigned char trail) {
    if (!low_trails) return trail >= 0xA1 && trail <= 0xFE ? trail - 0xA1 : -1;
    if (trail < 0x40 || trail > 0xA0 || trail == 0x7F) return -1;
    return trail < 0x7F ? trail - 0x40 : trail - 0x41;
}

unsigned char trail_at(bool low_trails, int index) {
    if (!low_trails) return static_cast<unsigned char>(0xA1 + index);
    return static_cast<unsigned char>(index < 0x3F ? 0x40 + index : 0x41 + index);
}

}  // namespace

char16_t gbk_private_use(unsigned char lead, unsigned char trail) {
    for (const Area& a : user_defined_areas) {
        const int t = trail_index(a.low_trails, trail);
        if (lead >= a.first_lead && lead <= a.last_lead && t >= 0) {
            const int row = a.low_trails ? 96 : 94;
            return static_cast<char16_t>(a.first_unit + (lead - a.first_lead) * row + t);
        }
    }
    const unsigned cell = unsigned(lead) << 8 | trail;
    for (const CellRange& r : unassigned_cells) {
        if (cell >= r.first && cell <= r.last) return static_cast<char16_t>(r.first_unit + (cell - r.first));
    }
    return 0;
}

std::uint16_t gbk_cell_of_private_use(char16_t unit) {
    for (const Area& a : user_defined_areas) {
        const int row = a.low_trails ? 96 : 94;
        const int count = (a.last_lead - a.first_lead + 1) * row;
        const int offset = int(unit) - int(a.first_unit);
        if (offset >= 0 && offset < count) {
            return static_cast<std::uint16_t>((a.first_lead + offset / row) << 8 |
                                              trail_at(a.low_trails, offset % row));
        }
    }
    for (const CellRange& r : unassigned_cells) {
        const int offset = int(unit) - int(r.first_unit);
        if (offset >= 0 && offset <= r.last - r.first) return static_cast<std::uint16_t>(r.first + offset);
    }
    return 0;
}

}  // namespace versotime
