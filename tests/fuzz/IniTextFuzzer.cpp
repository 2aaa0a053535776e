// The settings file's ini reader on arbitrary bytes. Besides the sanitizers' checks (no value is
// ever decoded, so no count from the file is ever allocated): what is read is written, read back
// to the same values, and written again byte for byte the same; under Windows' rules, read back
// to the same values.
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

    // Under Windows' rules, names spelled in other cases come together, so only this holds:
    // every value read is read again under its name.
    IniText::Document windows(IniText::Rules::Windows);
    windows.Read(bytes);
    IniText::Document windowsAgain(IniText::Rules::Windows);
    windowsAgain.Read(windows.Write());
    const IniText::Values read = windows.All();
    for (auto it = read.begin(); it != read.end(); ++it) {
        const QVariant value = windowsAgain.Value(it.key());
        const bool leftOut = it.value().userType() == QMetaType::QByteArray && !value.isValid();
        if (value != it.value() && !leftOut) {
            std::abort();
        }
    }
    return 0;
}
