// Script values and the registration of script functions.
#include "maxscript/foundation/functions.h"
#include "maxscript/foundation/numbers.h"
#include "maxscript/foundation/strings.h"
#include "maxscript/kernel/value.h"

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

// The script engine's initialisation flags mean nothing to the stand-in.
Primitive::Primitive(const MCHAR* name, const MCHAR* structure, value_cf fn, short)
    : mName(name ? name : L""), mStructName(structure ? structure : L""), mFunction(fn)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    state().primitives.emplace(PrimitiveKey(mStructName, mName), this);
}

Primitive::Primitive(const MCHAR* name, value_cf fn, short init_flags)
    : Primitive(name, nullptr, fn, init_flags)
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
