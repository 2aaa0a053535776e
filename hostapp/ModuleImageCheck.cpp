#include "ModuleImageCheck.h"

#include <QFile>

#include <cstring>
#include <elf.h>
#include <link.h>
#include <type_traits>

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
