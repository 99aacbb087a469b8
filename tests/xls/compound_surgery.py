"""Just enough of the compound file format to take fixtures apart, break them on purpose and
repack their Workbook streams into other container layouts."""

import struct

END_OF_CHAIN = 0xFFFFFFFE


class Container:
    """Just enough of a compound file to find and patch the Workbook stream."""

    def __init__(self, data):
        self.data = bytearray(data)
        self.sector_size = 1 << struct.unpack_from("<H", data, 30)[0]
        fat_count = struct.unpack_from("<I", data, 44)[0]
        difat = list(struct.unpack_from("<109I", data, 76))[:fat_count]
        next_difat = struct.unpack_from("<I", data, 68)[0]
        per_sector = self.sector_size // 4
        while len(difat) < fat_count:
            entries = struct.unpack_from("<%dI" % per_sector, data, self.offset(next_difat))
            difat.extend(entries[:-1][:fat_count - len(difat)])
            next_difat = entries[-1]
        self.fat_sectors = difat
        self.fat = []
        for sector in difat:
            self.fat.extend(struct.unpack_from("<%dI" % per_sector, data, self.offset(sector)))
        self.directory = self.chain(struct.unpack_from("<I", data, 48)[0])

    def offset(self, sector):
        return (sector + 1) * self.sector_size

    def chain(self, sector):
        sectors = []
        while sector != END_OF_CHAIN:
            sectors.append(sector)
            sector = self.fat[sector]
        return sectors

    def entry_offset(self, index):
        per_sector = self.sector_size // 128
        return self.offset(self.directory[index // per_sector]) + (index % per_sector) * 128

    def entry_name(self, index):
        offset = self.entry_offset(index)
        length = struct.unpack_from("<H", self.data, offset + 64)[0]
        return bytes(self.data[offset:offset + max(length - 2, 0)]).decode("utf-16-le")

    def find(self, name):
        for index in range(len(self.directory) * self.sector_size // 128):
            if self.entry_name(index) == name:
                return index
        raise KeyError(name)

    def stream_start(self, index):
        return struct.unpack_from("<I", self.data, self.entry_offset(index) + 116)[0]

    def stream_size(self, index):
        return struct.unpack_from("<I", self.data, self.entry_offset(index) + 120)[0]

    def rename(self, index, name):
        encoded = name.encode("utf-16-le") + b"\0\0"
        offset = self.entry_offset(index)
        self.data[offset:offset + 64] = encoded + b"\0" * (64 - len(encoded))
        struct.pack_into("<H", self.data, offset + 64, len(encoded))

    def set_entry_field(self, index, field_offset, value):
        struct.pack_into("<I", self.data, self.entry_offset(index) + field_offset, value)

    def set_fat(self, sector, value):
        per_sector = self.sector_size // 4
        offset = self.offset(self.fat_sectors[sector // per_sector]) + (sector % per_sector) * 4
        struct.pack_into("<I", self.data, offset, value)

    def stream(self, index):
        data = b"".join(
            bytes(self.data[self.offset(s):self.offset(s) + self.sector_size])
            for s in self.chain(self.stream_start(index)))
        return data[:self.stream_size(index)]

    def stream_file_offset(self, index, position):
        """Where byte `position` of a stream lies in the file."""
        sectors = self.chain(self.stream_start(index))
        return self.offset(sectors[position // self.sector_size]) + position % self.sector_size


def biff_records_end(stream):
    """The length of the record data in a stream that xlwt padded with zero bytes."""
    position = 0
    end = 0
    while position + 4 <= len(stream):
        record_id, size = struct.unpack_from("<HH", stream, position)
        if record_id == 0 and size == 0:
            break
        position += 4 + size
        end = position
    return end


def shared_string_boundaries(stream):
    """Where the CONTINUE records of the shared string table split a string: a set of "chars"
    (between characters), "pair" (between the halves of a surrogate pair) and "runs" (inside
    the formatting runs)."""
    parts = []
    parts_open = False
    position = 0
    while position + 4 <= len(stream):
        record_id, size = struct.unpack_from("<HH", stream, position)
        data = stream[position + 4:position + 4 + size]
        if record_id == 0x00FC:
            parts = [data]
        elif record_id == 0x003C and parts_open:
            parts.append(data)
        parts_open = record_id in (0x00FC, 0x003C) and bool(parts)
        position += 4 + size
    kinds = set()
    part, offset = 0, 8

    def byte():
        nonlocal part, offset
        while offset == len(parts[part]):
            part, offset = part + 1, 0
        offset += 1
        return parts[part][offset - 1]

    for _ in range(struct.unpack_from("<I", parts[0], 4)[0]):
        count = byte() | byte() << 8
        flags = byte()
        runs = byte() | byte() << 8 if flags & 8 else 0
        wide = flags & 1
        previous = 0
        while count:
            if offset == len(parts[part]):
                part, offset = part + 1, 0
                wide = byte() & 1
                unit = parts[part][offset] | parts[part][offset + 1] << 8 if wide else 0
                kinds.add("pair" if 0xD800 <= previous <= 0xDBFF and 0xDC00 <= unit <= 0xDFFF
                          else "chars")
            width = 2 if wide else 1
            available = min(count, (len(parts[part]) - offset) // width)
            if wide and available:
                end = offset + available * 2
                previous = parts[part][end - 2] | parts[part][end - 1] << 8
            offset += available * width
            count -= available
        for _ in range(runs * 4):
            if offset == len(parts[part]):
                kinds.add("runs")
            byte()
    return kinds


def write_container(path, streams, sector_size):
    """A compound file holding `streams` (name -> bytes) in the root storage. Streams under
    4096 bytes go to the mini stream. Written only to repack streams that xlwt made."""
    mini_cutoff = 4096
    big = {n: s for n, s in streams.items() if len(s) >= mini_cutoff}
    small = {n: s for n, s in streams.items() if len(s) < mini_cutoff}

    def pad(data, size):
        return data + b"\0" * (-len(data) % size)

    mini_stream = b""
    mini_fat = []
    mini_fat_sectors = 0
    mini_starts = {}
    for name, data in small.items():
        count = (len(data) + 63) // 64
        start = len(mini_fat)
        mini_starts[name] = start if count else END_OF_CHAIN
        mini_fat.extend(range(start + 1, start + count))
        if count:
            mini_fat.append(END_OF_CHAIN)
        mini_stream += pad(data, 64)

    payloads = []  # (key, bytes) in sector order

    def add(key, data):
        payloads.append((key, pad(data, sector_size)))

    for name, data in big.items():
        add(name, data)
    if mini_stream:
        add("<ministream>", mini_stream)
        add("<minifat>", struct.pack("<%dI" % len(mini_fat), *mini_fat))
        mini_fat_sectors = len(payloads[-1][1]) // sector_size

    names = list(streams)
    entry_count = 1 + len(names)
    directory_size = entry_count * 128
    add("<directory>", b"\0" * directory_size)

    data_sectors = sum(len(p) // sector_size for _, p in payloads)
    per_fat_sector = sector_size // 4
    fat_sector_count = 1
    while fat_sector_count * per_fat_sector < data_sectors + fat_sector_count:
        fat_sector_count += 1
    assert fat_sector_count <= 109

    fat = []
    starts = {}
    for key, payload in payloads:
        count = len(payload) // sector_size
        starts[key] = len(fat)
        fat.extend(range(len(fat) + 1, len(fat) + count))
        fat.append(END_OF_CHAIN)
    first_fat_sector = len(fat)
    fat.extend([0xFFFFFFFD] * fat_sector_count)
    fat.extend([0xFFFFFFFF] * (fat_sector_count * per_fat_sector - len(fat)))

    def entry(name, kind, child, start, size):
        encoded = name.encode("utf-16-le") + b"\0\0"
        return struct.pack("<64sHBBIII16sIQQIQ", encoded, len(encoded), kind, 1, 0xFFFFFFFF,
                           0xFFFFFFFF, child, b"\0" * 16, 0, 0, 0, start, size)

    # The streams hang off the root as a chain of right siblings: a valid (if unbalanced) tree.
    entries = [
        entry("Root Entry", 5, 1 if names else 0xFFFFFFFF,
              starts.get("<ministream>", END_OF_CHAIN), len(mini_stream))
    ]
    for i, name in enumerate(names):
        start = starts[name] if name in big else mini_starts[name]
        raw = bytearray(entry(name, 2, 0xFFFFFFFF, start, len(streams[name])))
        struct.pack_into("<I", raw, 72, i + 2 if i + 1 < len(names) else 0xFFFFFFFF)
        entries.append(bytes(raw))
    directory = b"".join(entries)
    payloads = [(k, pad(directory, sector_size) if k == "<directory>" else p)
                for k, p in payloads]

    header = bytearray(512)
    header[0:8] = bytes([0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1])
    struct.pack_into("<HHHHH", header, 24, 0x3E, 4 if sector_size == 4096 else 3, 0xFFFE,
                     sector_size.bit_length() - 1, 6)
    struct.pack_into("<IIIIIIIII", header, 40,
                     (directory_size + sector_size - 1) // sector_size if sector_size == 4096 else 0,
                     fat_sector_count, starts["<directory>"], 0, mini_cutoff,
                     starts.get("<minifat>", END_OF_CHAIN),
                     mini_fat_sectors, END_OF_CHAIN, 0)
    difat = list(range(first_fat_sector, first_fat_sector + fat_sector_count))
    difat += [0xFFFFFFFF] * (109 - len(difat))
    struct.pack_into("<109I", header, 76, *difat)

    with open(path, "wb") as out:
        out.write(pad(bytes(header), sector_size))
        for _, payload in payloads:
            out.write(payload)
        out.write(struct.pack("<%dI" % len(fat), *fat))
