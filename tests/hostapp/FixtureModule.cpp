// A small host module for the loader's tests. Compile definitions turn it into the faulty
// variants: FIXTURE_LIB_VERSION (another SDK), FIXTURE_ATTACH_FAILS (the entry point refuses),
// FIXTURE_NO_LIBCLASSDESC (an export missing), FIXTURE_UNRESOLVED (a dangling reference).
// Every step the host takes is logged to the listener as "fixture <step>"; starting and
// stopping the utility also leave marker files in the configuration folder for tests that
// watch the host program from outside.
#include "host/DorvoColorUtility.h"
#include "host/services/ScriptServices.h"
#include "host/services/SettingsStore.h"

#include <QFile>
#include <QWidget>

#ifndef FIXTURE_LIB_VERSION
#define FIXTURE_LIB_VERSION VERSION_3DSMAX
#endif

namespace {

HINSTANCE gInstance = nullptr;
MCHAR gBuffer[256];

void Log(const MCHAR* step)
{
    ListenerStream()->printf(_M("fixture %s\n"), step);
}

void Mark(const QString& name)
{
    QFile marker(HostPlugCfgDir() + QLatin1Char('/') + name);
    marker.open(QIODevice::WriteOnly);
}

const MCHAR* GetString(UINT id)
{
    return gInstance && LoadStringW(gInstance, id, gBuffer, 256) > 0 ? gBuffer : nullptr;
}

// The settings utility, wrapped so that the tests see when the host starts and stops it.
class FixtureUtility : public DorvoColorUtility
{
public:
    DWORD Start() override
    {
        Log(_M("start"));
        Mark(QStringLiteral("fixture-started"));
        return DorvoColorUtility::Start();
    }
    void Stop() override
    {
        Log(_M("stop"));
        DorvoColorUtility::Stop();
        Mark(QStringLiteral("fixture-stopped"));
    }
    void DeleteThis() override
    {
        Log(_M("delete utility"));
        DorvoColorUtility::DeleteThis();
    }
};

class FixtureWindow : public QWidget
{
public:
    explicit FixtureWindow(QWidget* parent) : QWidget(parent, Qt::Window) {}
    ~FixtureWindow() override { Log(_M("window destroyed")); }
};

// The host's picker calls carry the color's color-management context from 3ds Max 2025.
#if COLORDORVO_SDK_COLOR_CONTEXT
#define FIXTURE_COLOR_CONTEXT , ColorContext
#else
#define FIXTURE_COLOR_CONTEXT
#endif

// A color selector that answers every modal request with one fixed color.
class FixturePicker : public ColPick
{
public:
    INT_PTR ModalColorPicker(HWND, AColor* color, IPoint2*, HSVCallback*,
                             const MCHAR* FIXTURE_COLOR_CONTEXT) override
    {
        *color = AColor(0.25f, 0.5f, 0.75f, 1.0f);
        return 1;
    }
    INT_PTR ModalColorPicker(HWND, DWORD* color, IPoint2*, HSVCallback*,
                             const MCHAR* FIXTURE_COLOR_CONTEXT) override
    {
        *color = RGB(64, 128, 191);
        return 1;
    }
    // Opens a window on the host's main window (and hands the host no picker interface), so
    // that tests see when the host destroys module windows.
    ColorPicker* CreateColorPicker(HWND, AColor, IPoint2*, HSVCallback*, const MCHAR*,
                                   BOOL FIXTURE_COLOR_CONTEXT) override
    {
        (new FixtureWindow(HostMainWindow()))->show();
        return nullptr;
    }
    ColorPicker* CreateColorPicker(HWND, DWORD, IPoint2*, HSVCallback*, const MCHAR*,
                                   BOOL FIXTURE_COLOR_CONTEXT) override
    {
        return nullptr;
    }
    const MCHAR* ClassName() override { return _M("Fixture Picker"); }
    Class_ID ClassID() override { return Class_ID(0x1234, 0x5678); }
    INT_PTR Execute(int, ULONG_PTR, ULONG_PTR, ULONG_PTR) override { return 0; }
    void DeleteThis() override
    {
        Log(_M("delete picker"));
        delete this;
    }
};

class FixtureUtilityClassDesc : public ClassDesc2
{
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override
    {
        Log(_M("create utility"));
        return new FixtureUtility;
    }
    const MCHAR* ClassName() override { return _M("Fixture Utility"); }
    SClass_ID SuperClassID() override { return GUP_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x1111, 0x2222); }
    const MCHAR* Category() override { return _M("Fixture"); }
    HINSTANCE HInstance() override { return gInstance; }
};

class FixturePickerClassDesc : public ClassDesc2
{
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override
    {
        Log(_M("create picker"));
        return new FixturePicker;
    }
    const MCHAR* ClassName() override { return _M("Fixture Picker"); }
    SClass_ID SuperClassID() override { return COLPICK_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x1234, 0x5678); }
    const MCHAR* Category() override { return _M("Fixture"); }
    HINSTANCE HInstance() override { return gInstance; }
};

Value* RememberFn(Value** args, int count)
{
    auto* text = count == 1 ? dynamic_cast<String*>(args[0]) : nullptr;
    if (!text) {
        return nullptr;
    }
    WriteSetting(QStringLiteral("Fixture"), QStringLiteral("remembered"),
                 QString::fromWCharArray(text->to_string()));
    return new String(text->to_string());
}

Value* RecallFn(Value**, int)
{
    QVariant value(QStringLiteral("nothing"));
    ReadSetting(QStringLiteral("Fixture"), QStringLiteral("remembered"), value);
    return new String(value.toString().toStdWString().c_str());
}

Value* DescribeFn(Value**, int)
{
    const MCHAR* text = GetString(1);
    return text ? new String(text) : nullptr;
}

Primitive gRemember(_M("Remember"), _M("DorvoFixture"), RememberFn);
Primitive gRecall(_M("Recall"), _M("DorvoFixture"), RecallFn);
Primitive gDescribe(_M("Describe"), _M("DorvoFixture"), DescribeFn);

} // namespace

#ifdef FIXTURE_UNRESOLVED
extern "C" int NoSuchHostFunction();
#endif

COLORDORVO_ENTRY_POINT BOOL WINAPI DllMain(HINSTANCE instance, ULONG reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        Log(_M("attach"));
        MaxSDK::Util::UseLanguagePackLocale(instance);
        gInstance = instance;
        DisableThreadLibraryCalls(instance);
#ifdef FIXTURE_ATTACH_FAILS
        return FALSE;
#endif
    } else if (reason == DLL_PROCESS_DETACH) {
        Log(_M("detach"));
    }
    return TRUE;
}

COLORDORVO_EXPORT const MCHAR* LibDescription()
{
    return GetString(1);
}

COLORDORVO_EXPORT int LibNumberClasses()
{
    return 3;
}

#ifndef FIXTURE_NO_LIBCLASSDESC
COLORDORVO_EXPORT ClassDesc* LibClassDesc(int i)
{
    static FixtureUtilityClassDesc utility;
    static FixturePickerClassDesc picker;
    switch (i) {
    case 0:
        return &utility;
    case 1:
        return &picker;
    default:
        return nullptr; // class 2 is announced but missing, which the host reports and skips
    }
}
#endif

COLORDORVO_EXPORT ULONG LibVersion()
{
#ifdef FIXTURE_UNRESOLVED
    return static_cast<ULONG>(NoSuchHostFunction());
#else
    return FIXTURE_LIB_VERSION;
#endif
}

COLORDORVO_EXPORT int LibInitialize()
{
    Log(_M("initialize"));
    return TRUE;
}

COLORDORVO_EXPORT int LibShutdown()
{
    Log(_M("shutdown"));
    return TRUE;
}
