// The host's debug output and script listener stream.
#include "dbgprint.h"
#include "maxscript/foundation/CharStream.h"
#include "maxscript/kernel/MAXScript_TLS.h"

#include "RuntimeState.h"

using HostRuntime::OutputChannel;
using HostRuntimeDetail::FormatWide;
using HostRuntimeDetail::WriteOutput;

void DebugPrint(const MCHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = FormatWide(format, args);
    va_end(args);
    WriteOutput(OutputChannel::Debug, QString::fromStdWString(text));
}

CharStream::~CharStream() = default;

int CharStream::printf(const MCHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::wstring text = FormatWide(format, args);
    va_end(args);
    puts(text.c_str());
    return static_cast<int>(text.size());
}

std::wstring CharStream::ToText() const
{
    return std::wstring();
}

namespace {

class ListenerStream : public CharStream
{
public:
    const MCHAR* puts(const MCHAR* text) override
    {
        if (text) {
            WriteOutput(OutputChannel::Listener, QString::fromWCharArray(text));
        }
        return text;
    }
};

} // namespace

int thread_locals_index = 7;

LPVOID TlsGetValue(DWORD index)
{
    if (index != static_cast<DWORD>(thread_locals_index)) {
        return nullptr;
    }
    static ListenerStream listener;
    thread_local MAXScript_TLS tls{&listener};
    return &tls;
}
