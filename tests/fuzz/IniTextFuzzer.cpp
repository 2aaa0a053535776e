// The settings file's ini reader on arbitrary bytes. Besides the sanitizers' checks (no value is
// ever decoded, so no count from the file is ever allocated): what is read is written, read back
// to the same values, and written again byte for byte the same.
#include "host/services/IniText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    IniText::Values values;
    IniText::Read(bytes, values);
    const QByteArray text = IniText::Write(values);
    IniText::Values again;
    IniText::Read(text, again);
    // Serialized text that would run into the next line is left out when written.
    for (auto it = values.begin(); it != values.end();) {
        it = again.contains(it.key()) || it.value().userType() != QMetaType::QByteArray
                 ? std::next(it)
                 : values.erase(it);
    }
    if (again != values || IniText::Write(again) != text) {
        std::abort();
    }
    return 0;
}
