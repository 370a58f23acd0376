"""Advance widths of a TrueType font, read straight from its tables (cmap format 4,
hmtx), so the generator can centre and measure panel texts without extra modules."""
import struct


class Font:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        count = struct.unpack(">H", d[4:6])[0]
        self.tables = {}
        for i in range(count):
            tag, _, off, length = struct.unpack(">4sIII", d[12 + 16 * i:28 + 16 * i])
            self.tables[tag.decode("latin-1")] = (off, length)
        head = self.tables["head"][0]
        self.units = struct.unpack(">H", d[head + 18:head + 20])[0]
        hhea = self.tables["hhea"][0]
        self.metric_count = struct.unpack(">H", d[hhea + 34:hhea + 36])[0]
        self.ascent, self.descent = struct.unpack(">hh", d[hhea + 4:hhea + 8])
        self.cmap = self._read_cmap()

    def _read_cmap(self):
        d = self.data
        base = self.tables["cmap"][0]
        n = struct.unpack(">H", d[base + 2:base + 4])[0]
        for i in range(n):
            pid, eid, off = struct.unpack(">HHI", d[base + 4 + 8 * i:base + 12 + 8 * i])
            if pid == 3 and eid == 1:
                sub = base + off
                if struct.unpack(">H", d[sub:sub + 2])[0] == 4:
                    return self._format4(sub)
        raise ValueError("no Unicode BMP cmap")

    def _format4(self, sub):
        d = self.data
        segs = struct.unpack(">H", d[sub + 6:sub + 8])[0] // 2
        ends = struct.unpack(">%dH" % segs, d[sub + 14:sub + 14 + 2 * segs])
        p = sub + 16 + 2 * segs
        starts = struct.unpack(">%dH" % segs, d[p:p + 2 * segs])
        deltas = struct.unpack(">%dh" % segs, d[p + 2 * segs:p + 4 * segs])
        ro_pos = p + 4 * segs
        ranges = struct.unpack(">%dH" % segs, d[ro_pos:ro_pos + 2 * segs])
        table = {}
        for s in range(segs):
            for c in range(starts[s], min(ends[s], 0x2FFF) + 1):
                if ranges[s] == 0:
                    g = (c + deltas[s]) & 0xFFFF
                else:
                    at = ro_pos + 2 * s + ranges[s] + 2 * (c - starts[s])
                    g = struct.unpack(">H", d[at:at + 2])[0]
                    if g:
                        g = (g + deltas[s]) & 0xFFFF
                table[c] = g
        return table

    def advance_units(self, glyph):
        d = self.data
        hmtx = self.tables["hmtx"][0]
        i = min(glyph, self.metric_count - 1)
        return struct.unpack(">H", d[hmtx + 4 * i:hmtx + 4 * i + 2])[0]

    def width(self, text, size, spacing=0.0):
        """Width in pixels of text at the given size, with extra letter spacing."""
        units = sum(self.advance_units(self.cmap.get(ord(c), 0)) for c in text)
        return units * size / self.units + spacing * max(len(text) - 1, 0)
