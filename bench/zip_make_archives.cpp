// Writes the ZIP benchmark's inputs: an archive of many small stored entries (the listing) and an
// archive with one large deflated entry of photo-like data (the inflate).
// Usage: zip_make_archives many.zip COUNT big.zip MEBIBYTES
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void put16(std::string &o, uint16_t v) { o.push_back(char(v & 0xFF)), o.push_back(char(v >> 8)); }
void put32(std::string &o, uint32_t v) { put16(o, uint16_t(v & 0xFFFF)), put16(o, uint16_t(v >> 16)); }

struct Entry {
    std::string name;
    uint32_t crc, compressed, uncompressed, offset;
    uint16_t method;
};

std::string localHeader(const Entry &e)
{
    std::string o;
    put32(o, 0x04034B50);
    put16(o, 20);
    put16(o, 0);
    put16(o, e.method);
    put16(o, 0x6000);
    put16(o, 0x5821);
    put32(o, e.crc);
    put32(o, e.compressed);
    put32(o, e.uncompressed);
    put16(o, uint16_t(e.name.size()));
    put16(o, 0);
    return o + e.name;
}

std::string directory(const std::vector<Entry> &entries, uint32_t start)
{
    std::string o;
    for (const Entry &e : entries) {
        put32(o, 0x02014B50);
        put16(o, 0x0314);
        put16(o, 20);
        put16(o, 0);
        put16(o, e.method);
        put16(o, 0x6000);
        put16(o, 0x5821);
        put32(o, e.crc);
        put32(o, e.compressed);
        put32(o, e.uncompressed);
        put16(o, uint16_t(e.name.size()));
        put16(o, 0);
        put16(o, 0);
        put16(o, 0);
        put16(o, 0);
        put32(o, 0x81A40000);
        put32(o, e.offset);
        o += e.name;
    }
    const size_t size = o.size();
    const uint16_t count = entries.size() > 0xFFFF ? 0xFFFF : uint16_t(entries.size());
    put32(o, 0x06054B50);
    put16(o, 0);
    put16(o, 0);
    put16(o, count);
    put16(o, count);
    put32(o, uint32_t(size));
    put32(o, start);
    put16(o, 0);
    return o;
}

bool writeMany(const char *path, int count)
{
    FILE *f = std::fopen(path, "wb");
    if (!f)
        return false;
    std::vector<Entry> entries;
    uint32_t pos = 0;
    char name[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "set%03d/photo_%06d.jpg", i / 1000, i);
        const std::string data = std::string("small entry ") + name;
        Entry e{name, uint32_t(crc32(0, reinterpret_cast<const Bytef *>(data.data()), uInt(data.size()))),
                uint32_t(data.size()), uint32_t(data.size()), pos, 0};
        const std::string h = localHeader(e);
        std::fwrite(h.data(), 1, h.size(), f);
        std::fwrite(data.data(), 1, data.size(), f);
        pos += uint32_t(h.size() + data.size());
        entries.push_back(e);
    }
    // More than 65,535 entries: the count field saturates; real writers add Zip64 records then.
    std::string tail;
    if (count > 0xFFFF) {
        std::string dir = directory(entries, pos);
        const size_t dirSize = dir.size() - 22;
        std::string z;
        put32(z, 0x06064B50);
        put32(z, 44), put32(z, 0);
        put16(z, 45), put16(z, 45);
        put32(z, 0), put32(z, 0);
        put32(z, uint32_t(count)), put32(z, 0);
        put32(z, uint32_t(count)), put32(z, 0);
        put32(z, uint32_t(dirSize)), put32(z, 0);
        put32(z, pos), put32(z, 0);
        put32(z, 0x07064B50);
        put32(z, 0);
        put32(z, uint32_t(pos + dirSize)), put32(z, 0);
        put32(z, 1);
        tail = dir.substr(0, dirSize) + z + dir.substr(dirSize);
    } else {
        tail = directory(entries, pos);
    }
    std::fwrite(tail.data(), 1, tail.size(), f);
    return std::fclose(f) == 0;
}

// Photo-like: mostly high-entropy bytes (as entropy-coded JPEG data is), with short repeats now and
// then so that inflate copies matches too.
std::vector<unsigned char> photoLike(size_t size)
{
    std::vector<unsigned char> data(size);
    uint64_t s = 0x9E3779B97F4A7C15ull;
    size_t i = 0;
    while (i < size) {
        s ^= s << 13, s ^= s >> 7, s ^= s << 17;
        if ((s & 31) == 0 && i > 4096) {
            const size_t len = std::min<size_t>(8 + (s >> 8) % 120, size - i);
            const size_t from = i - 1 - (s >> 20) % 4000;
            for (size_t k = 0; k < len; ++k)
                data[i + k] = data[from + k];
            i += len;
        } else {
            const size_t len = std::min<size_t>(8, size - i);
            std::memcpy(&data[i], &s, len);
            i += len;
        }
    }
    return data;
}

bool writeBig(const char *path, size_t mebibytes)
{
    const std::vector<unsigned char> data = photoLike(mebibytes << 20);
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<unsigned char> out(deflateBound(&z, uLong(data.size())));
    z.next_in = const_cast<Bytef *>(data.data());
    z.avail_in = uInt(data.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    const size_t compressed = z.total_out;
    deflateEnd(&z);
    Entry e{"photo.jpg", uint32_t(crc32(0, data.data(), uInt(data.size()))), uint32_t(compressed),
            uint32_t(data.size()), 0, 8};
    FILE *f = std::fopen(path, "wb");
    if (!f)
        return false;
    const std::string h = localHeader(e);
    std::fwrite(h.data(), 1, h.size(), f);
    std::fwrite(out.data(), 1, compressed, f);
    const std::string tail = directory({e}, uint32_t(h.size() + compressed));
    std::fwrite(tail.data(), 1, tail.size(), f);
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: zip_make_archives many.zip COUNT big.zip MEBIBYTES\n");
        return 2;
    }
    if (!writeMany(argv[1], std::atoi(argv[2])) || !writeBig(argv[3], size_t(std::atoi(argv[4]))))
        return 1;
    return 0;
}
