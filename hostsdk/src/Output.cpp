// The host's debug output and script listener stream.
#include "hostsdk/CharStream.h"
#include "hostsdk/DebugPrint.h"
#include "hostsdk/MAXScript_TLS.h"

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
    int n = vprintf(format, args);
    va_end(args);
    return n;
}

int CharStream::vprintf(const MCHAR* format, va_list args)
{
    return puts(FormatWide(format, args).c_str());
}

namespace {

class ListenerStream : public CharStream
{
public:
    int puts(const MCHAR* text) override
    {
        if (!text) {
            return 0;
        }
        QString s = QString::fromWCharArray(text);
        WriteOutput(OutputChannel::Listener, s);
        return s.size();
    }
};

} // namespace

DWORD thread_locals_index = 7;

LPVOID TlsGetValue(DWORD index)
{
    if (index != thread_locals_index) {
        return nullptr;
    }
    static ListenerStream listener;
    thread_local MAXScript_TLS tls{&listener};
    return &tls;
}
