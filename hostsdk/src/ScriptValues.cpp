// Script values and the registration of script functions.
#include "hostsdk/Integer.h"
#include "hostsdk/Primitive.h"
#include "hostsdk/String.h"
#include "hostsdk/Value.h"

#include "RuntimeState.h"

#include <cstdlib>
#include <new>

using HostRuntimeDetail::PrimitiveKey;
using HostRuntimeDetail::state;

Value::~Value() = default;

std::wstring Value::PrintForm() const
{
    return ToText();
}

void* Value::operator new(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block) {
        throw std::bad_alloc();
    }
    ++state().scriptHeapBlocks;
    return block;
}

void Value::operator delete(void* block) noexcept
{
    if (block) {
        --state().scriptHeapBlocks;
        std::free(block);
    }
}

String::String(const MCHAR* text) : mText(text ? text : L"")
{
}

std::wstring String::ToText() const
{
    return mText;
}

std::wstring String::PrintForm() const
{
    std::wstring quoted = L"\"";
    for (wchar_t c : mText) {
        if (c == L'"' || c == L'\\') {
            quoted += L'\\';
        }
        quoted += c;
    }
    return quoted + L"\"";
}

std::wstring Integer::ToText() const
{
    return std::to_wstring(mValue);
}

Primitive::Primitive(const MCHAR* name, const MCHAR* structName, Function function)
    : mName(name ? name : L""), mStructName(structName ? structName : L""), mFunction(function)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    state().primitives.emplace(PrimitiveKey(mStructName, mName), this);
}

Primitive::Primitive(const MCHAR* name, Function function) : Primitive(name, nullptr, function)
{
}

Primitive::~Primitive()
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    auto range = state().primitives.equal_range(PrimitiveKey(mStructName, mName));
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == this) {
            state().primitives.erase(it);
            break;
        }
    }
}
