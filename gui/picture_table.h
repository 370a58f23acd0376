// The pictures compiled into a deliverable, found by resource number. Each plug-in
// gets its table from tarn_add_pictures and installs it once, in its editor's
// constructor, before loading any GuiBitmap.
#pragma once

#include <cstdint>
#include <span>

namespace gui {

struct PictureEntry {
    int id;
    int width, height;
    const unsigned char* rgb;  // rows of red, green, blue bytes, top row first
};

class PictureTable {
public:
    constexpr PictureTable() = default;
    template <size_t N>
    constexpr explicit PictureTable(const PictureEntry (&entries)[N]) : entries_(entries, N) {}
    constexpr explicit PictureTable(std::span<const PictureEntry> entries) : entries_(entries) {}

    // The entry with this resource number, or null.
    const PictureEntry* find(int id) const noexcept;
    size_t size() const noexcept { return entries_.size(); }

    // The module's table, which GuiBitmap(id) reads; null until installed.
    static void install(const PictureTable* table) noexcept;
    static const PictureTable* installed() noexcept;

private:
    std::span<const PictureEntry> entries_;
};

}  // namespace gui
