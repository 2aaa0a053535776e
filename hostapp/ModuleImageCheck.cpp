#include "ModuleImageCheck.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <elf.h>
#include <link.h>
#include <map>
#include <type_traits>
#include <vector>

namespace {

// The ELF class and byte order this program was built for.
constexpr unsigned char kNativeClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr unsigned char kNativeData = ELFDATA2LSB;
#else
constexpr unsigned char kNativeData = ELFDATA2MSB;
#endif

// True when `length` bytes from `offset` lie inside a file of `size` bytes (no overflow).
bool Inside(quint64 offset, quint64 length, quint64 size)
{
    return offset <= size && length <= size - offset;
}

// The length of a table of `count` entries of `entrySize` bytes; false when it overflows.
bool TableLength(quint64 count, quint64 entrySize, quint64* length)
{
    if (entrySize != 0 && count > ~quint64(0) / entrySize) {
        return false;
    }
    *length = count * entrySize;
    return true;
}

template <typename T> bool ReadAt(QFile& file, quint64 offset, T* value)
{
    static_assert(std::is_trivially_copyable<T>::value, "read as raw bytes");
    return file.seek(static_cast<qint64>(offset)) &&
           file.read(reinterpret_cast<char*>(value), sizeof(T)) == qint64(sizeof(T));
}

QString Outside(const QString& what, quint64 offset, quint64 length, quint64 size)
{
    return QStringLiteral("%1 (%2 bytes at offset %3) reaches past the end of the file at %4 bytes")
        .arg(what)
        .arg(length)
        .arg(offset)
        .arg(size);
}

// True when the `length` bytes at `offset`, which lie inside the file, are all zero.
bool ZeroFilled(QFile& file, quint64 offset, quint64 length)
{
    if (!file.seek(static_cast<qint64>(offset))) {
        return true;
    }
    char buffer[4096];
    while (length > 0) {
        const qint64 chunk = static_cast<qint64>(std::min<quint64>(length, sizeof buffer));
        if (file.read(buffer, chunk) != chunk) {
            return true;
        }
        if (std::any_of(buffer, buffer + chunk, [](char c) { return c != 0; })) {
            return false;
        }
        length -= static_cast<quint64>(chunk);
    }
    return true;
}

// The dynamic section names its tables by their addresses once loaded; the file holds them where
// a loadable segment maps that address from its file contents.
class AddressMap
{
public:
    void add(const ElfW(Phdr) & segment) { mLoads.push_back(segment); }

    // The file offset of `length` bytes at `address`; false when they are not all file contents
    // of one loadable segment (memory-only parts read as zeros, which the loader cannot use).
    bool offsetOf(quint64 address, quint64 length, quint64* offset) const
    {
        for (const ElfW(Phdr) & load : mLoads) {
            if (address >= load.p_vaddr && address - load.p_vaddr <= load.p_filesz &&
                length <= load.p_filesz - (address - load.p_vaddr)) {
                *offset = load.p_offset + (address - load.p_vaddr);
                return true;
            }
        }
        return false;
    }

private:
    std::vector<ElfW(Phdr)> mLoads;
};

// What the dynamic loader reads of the module before it runs any of its code: the dynamic
// section, and the string, symbol, hash and relocation tables that it names. A copy that stopped
// after the file was allocated has the right length but zeros where these should be, and the
// loader follows the zeros into a crash.
class DynamicCheck
{
public:
    DynamicCheck(QFile& file, const AddressMap& addresses) : mFile(file), mAddresses(addresses) {}

    QString damage(const ElfW(Phdr) & dynamic)
    {
        if (QString why = readEntries(dynamic); !why.isEmpty()) {
            return why;
        }
        for (const auto tag : {DT_STRTAB, DT_SYMTAB}) {
            if (!mValues.count(tag)) {
                return QStringLiteral("its dynamic section names no %1 table")
                    .arg(tag == DT_STRTAB ? QStringLiteral("string") : QStringLiteral("symbol"));
            }
        }
        if (QString why = table(QStringLiteral("string table"), DT_STRTAB, value(DT_STRSZ, 1));
            !why.isEmpty()) {
            return why;
        }
        quint64 symbols = 0;
        if (QString why = symbolCount(&symbols); !why.isEmpty()) {
            return why;
        }
        // Entry 0 is the undefined symbol, all zeros by definition; the others are not.
        quint64 length = 0;
        const quint64 entrySize = value(DT_SYMENT, sizeof(ElfW(Sym)));
        if (entrySize != sizeof(ElfW(Sym)) || !TableLength(symbols, entrySize, &length)) {
            return QStringLiteral("its symbol table is not one of %1-byte entries")
                .arg(sizeof(ElfW(Sym)));
        }
        if (symbols > 1) {
            if (QString why = table(QStringLiteral("symbol table"), DT_SYMTAB, length, entrySize);
                !why.isEmpty()) {
                return why;
            }
        }
        const struct
        {
            ElfW(Sxword) table;
            ElfW(Sxword) size;
            const char* name;
        } relocations[] = {{DT_RELA, DT_RELASZ, "relocation table"},
                           {DT_REL, DT_RELSZ, "relocation table"},
                           {DT_JMPREL, DT_PLTRELSZ, "procedure linkage relocation table"}};
        for (const auto& relocation : relocations) {
            if (mValues.count(relocation.table)) {
                if (QString why = table(QString::fromLatin1(relocation.name), relocation.table,
                                        value(relocation.size, 0));
                    !why.isEmpty()) {
                    return why;
                }
            }
        }
        return QString();
    }

private:
    quint64 value(ElfW(Sxword) tag, quint64 fallback) const
    {
        const auto found = mValues.find(tag);
        return found == mValues.end() ? fallback : found->second;
    }

    QString readEntries(const ElfW(Phdr) & dynamic)
    {
        const quint64 count = dynamic.p_filesz / sizeof(ElfW(Dyn));
        for (quint64 i = 0; i < count; ++i) {
            ElfW(Dyn) entry;
            if (!ReadAt(mFile, dynamic.p_offset + i * sizeof entry, &entry)) {
                break;
            }
            if (entry.d_tag == DT_NULL) {
                return i == 0 ? QStringLiteral("its dynamic section is zero-filled") : QString();
            }
            // The first entry of a tag counts, as for the loader.
            mValues.emplace(entry.d_tag, entry.d_un.d_val);
        }
        return QStringLiteral("its dynamic section has no end");
    }

    // A table at the address that the dynamic entry `tag` holds, `length` bytes long, of which
    // the `skip` first bytes may be zero.
    QString table(const QString& what, ElfW(Sxword) tag, quint64 length, quint64 skip = 0)
    {
        quint64 offset = 0;
        const quint64 address = value(tag, 0);
        if (!mAddresses.offsetOf(address, length, &offset)) {
            return QStringLiteral("its %1 (%2 bytes at address %3) lies outside the file's "
                                  "contents")
                .arg(what)
                .arg(length)
                .arg(address);
        }
        if (length > skip && ZeroFilled(mFile, offset + skip, length - skip)) {
            return QStringLiteral("its %1 (%2 bytes at offset %3) is zero-filled")
                .arg(what)
                .arg(length)
                .arg(offset);
        }
        return QString();
    }

    // Checks a table's head as table() does, then reads it; `offset` is where the table starts
    // in the file.
    template <typename Head>
    QString readHead(const QString& what, ElfW(Sxword) tag, Head* head, quint64* offset)
    {
        if (QString why = table(what, tag, sizeof *head); !why.isEmpty()) {
            return why;
        }
        mAddresses.offsetOf(value(tag, 0), sizeof *head, offset);
        ReadAt(mFile, *offset, head);
        return QString();
    }

    // The number of dynamic symbols, as the hash tables tell it. The hash tables are where the
    // loader starts every lookup, so they are checked on the way.
    QString symbolCount(quint64* count)
    {
        if (mValues.count(DT_HASH)) {
            // nbucket, nchain, then the buckets and chains; nchain is the number of symbols.
            quint32 head[2] = {};
            quint64 offset = 0;
            if (QString why = readHead(QStringLiteral("hash table"), DT_HASH, &head, &offset);
                !why.isEmpty()) {
                return why;
            }
            quint64 length = 0;
            if (head[0] == 0 || !TableLength(quint64(head[0]) + head[1] + 2, 4, &length)) {
                return QStringLiteral("its hash table has no buckets");
            }
            if (QString why = table(QStringLiteral("hash table"), DT_HASH, length);
                !why.isEmpty()) {
                return why;
            }
            *count = head[1];
            return QString();
        }
        if (!mValues.count(DT_GNU_HASH)) {
            *count = 2; // no way to count them: at least the first real symbol is there
            return QString();
        }
        // nbuckets, symoffset, bloom size, bloom shift; the bloom words; the buckets, each the
        // first symbol of its chain; the chains, one word per symbol from symoffset on, where
        // bit 0 ends a chain. The symbols count up to the end of the chain of the last bucket.
        quint32 head[4] = {};
        quint64 offset = 0;
        if (QString why = readHead(QStringLiteral("GNU hash table"), DT_GNU_HASH, &head, &offset);
            !why.isEmpty()) {
            return why;
        }
        if (head[0] == 0 || head[2] == 0) {
            return QStringLiteral("its GNU hash table has no buckets or no bloom filter");
        }
        const quint64 buckets = sizeof head + quint64(head[2]) * sizeof(ElfW(Addr));
        if (QString why = table(QStringLiteral("GNU hash table"), DT_GNU_HASH,
                                buckets + quint64(head[0]) * 4);
            !why.isEmpty()) {
            return why;
        }
        quint32 last = 0;
        for (quint64 i = 0; i < head[0]; ++i) {
            quint32 first = 0;
            ReadAt(mFile, offset + buckets + i * 4, &first);
            last = std::max(last, first);
        }
        if (last < head[1]) {
            *count = head[1]; // no symbol is in the table
            return QString();
        }
        const quint64 chains = buckets + quint64(head[0]) * 4;
        for (quint64 symbol = last;; ++symbol) {
            const quint64 at = chains + (symbol - head[1]) * 4;
            quint64 chainOffset = 0;
            quint32 hash = 0;
            if (!mAddresses.offsetOf(value(DT_GNU_HASH, 0) + at, 4, &chainOffset) ||
                !ReadAt(mFile, chainOffset, &hash)) {
                return QStringLiteral("its GNU hash chains reach outside the file's contents");
            }
            if (hash & 1) {
                *count = symbol + 1;
                return QString();
            }
        }
    }

    QFile& mFile;
    const AddressMap& mAddresses;
    std::map<ElfW(Sxword), quint64> mValues;
};

} // namespace

namespace ModuleImageCheck {

QString Damage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString(); // the dynamic loader says why it cannot open it
    }
    const quint64 size = static_cast<quint64>(file.size());
    unsigned char ident[EI_NIDENT] = {};
    if (file.read(reinterpret_cast<char*>(ident), SELFMAG) != SELFMAG ||
        std::memcmp(ident, ELFMAG, SELFMAG) != 0) {
        return QString();
    }
    ElfW(Ehdr) header;
    if (!ReadAt(file, 0, &header)) {
        return QStringLiteral("the file ends at %1 bytes, inside its ELF header").arg(size);
    }
    if (header.e_ident[EI_CLASS] != kNativeClass || header.e_ident[EI_DATA] != kNativeData) {
        return QString();
    }
    if (header.e_phnum == 0) {
        return QStringLiteral("it has no program headers");
    }
    if (header.e_phentsize != sizeof(ElfW(Phdr))) {
        return QStringLiteral("its program headers are %1 bytes each instead of %2")
            .arg(header.e_phentsize)
            .arg(sizeof(ElfW(Phdr)));
    }
    quint64 tableLength = quint64(header.e_phnum) * header.e_phentsize;
    if (!Inside(header.e_phoff, tableLength, size)) {
        return Outside(QStringLiteral("the program header table"), header.e_phoff, tableLength,
                       size);
    }
    AddressMap addresses;
    std::vector<ElfW(Phdr)> dynamics;
    for (quint64 i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment;
        if (!ReadAt(file, header.e_phoff + i * sizeof(segment), &segment)) {
            return QStringLiteral("program header %1 cannot be read").arg(i);
        }
        if (!Inside(segment.p_offset, segment.p_filesz, size)) {
            const QString what = segment.p_type == PT_LOAD
                                     ? QStringLiteral("loadable segment %1").arg(i)
                                     : QStringLiteral("segment %1").arg(i);
            return Outside(what, segment.p_offset, segment.p_filesz, size);
        }
        if (segment.p_type == PT_LOAD) {
            addresses.add(segment);
        } else if (segment.p_type == PT_DYNAMIC) {
            dynamics.push_back(segment);
        }
    }
    for (const ElfW(Phdr) & dynamic : dynamics) {
        if (QString why = DynamicCheck(file, addresses).damage(dynamic); !why.isEmpty()) {
            return why;
        }
    }

    if (header.e_shoff == 0) {
        return QString(); // no section headers: the loader does not need them
    }
    if (header.e_shentsize != sizeof(ElfW(Shdr))) {
        return QStringLiteral("its section headers are %1 bytes each instead of %2")
            .arg(header.e_shentsize)
            .arg(sizeof(ElfW(Shdr)));
    }
    quint64 sections = header.e_shnum;
    if (sections == 0) {
        // More sections than the header can count: the first entry holds the number.
        ElfW(Shdr) first;
        if (!Inside(header.e_shoff, sizeof(first), size) || !ReadAt(file, header.e_shoff, &first)) {
            return Outside(QStringLiteral("the section header table"), header.e_shoff,
                           sizeof(first), size);
        }
        sections = first.sh_size;
    }
    if (!TableLength(sections, header.e_shentsize, &tableLength) ||
        !Inside(header.e_shoff, tableLength, size)) {
        return QStringLiteral("the section header table (%1 entries at offset %2) reaches past "
                              "the end of the file at %3 bytes")
            .arg(sections)
            .arg(header.e_shoff)
            .arg(size);
    }
    return QString();
}

} // namespace ModuleImageCheck
