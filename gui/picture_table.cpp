#include "gui/picture_table.h"

namespace gui {
namespace {
const PictureTable* gInstalled = nullptr;  // one per loaded module
}

const PictureEntry* PictureTable::find(int id) const noexcept {
    for (const PictureEntry& e : entries_)
        if (e.id == id) return &e;
    return nullptr;
}

void PictureTable::install(const PictureTable* table) noexcept { gInstalled = table; }

const PictureTable* PictureTable::installed() noexcept { return gInstalled; }

}  // namespace gui
