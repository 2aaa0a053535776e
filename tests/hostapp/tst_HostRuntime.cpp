#include "host/services/ScriptServices.h"

#include "hostsdk/HostRuntime.h"

#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(AColor)

namespace {

// Joins the arguments' texts with "|", so a test sees exactly what the function received.
Value* EchoFn(Value** args, int count)
{
    std::wstring joined;
    for (int i = 0; i < count; ++i) {
        joined += (i ? L"|" : L"") + args[i]->ToText();
    }
    return new String(joined.c_str());
}

Value* NothingFn(Value**, int)
{
    return nullptr;
}

class PackedCallback : public HSVCallback
{
public:
    void ColorChanged(DWORD col, BOOL buttonUp) override
    {
        last = col;
        lastButtonUp = buttonUp;
    }
    void BeingDestroyed(IPoint2) override {}
    DWORD last = 0;
    BOOL lastButtonUp = FALSE;
};

} // namespace

// The host runtime behind the SDK: colors, output, window and module lookups, icons, scripts.
class tst_HostRuntime : public QObject
{
    Q_OBJECT

private slots:
    void init() { HostRuntime::ClearOutput(); }

    void acolorFromPacked_data()
    {
        QTest::addColumn<uint>("packed");
        QTest::addColumn<float>("alpha");
        QTest::addColumn<AColor>("expected");
        QTest::newRow("red in the low byte") << 0x0000FFu << 1.0f << AColor(1.0f, 0.0f, 0.0f, 1.0f);
        QTest::newRow("blue 255 green 128")
            << 0xFF8000u << 1.0f << AColor(0.0f, 128.0f / 255.0f, 1.0f, 1.0f);
        QTest::newRow("top byte ignored") << 0xAB000000u << 0.5f << AColor(0.0f, 0.0f, 0.0f, 0.5f);
        QTest::newRow("alpha passed through")
            << 0x010203u << 0.3f << AColor(3.0f / 255.0f, 2.0f / 255.0f, 1.0f / 255.0f, 0.3f);
    }

    void acolorFromPacked()
    {
        QFETCH(uint, packed);
        QFETCH(float, alpha);
        QFETCH(AColor, expected);
        QCOMPARE(AColor(DWORD(packed), alpha), expected);
    }

    void acolorToPacked_data()
    {
        QTest::addColumn<float>("channel");
        QTest::addColumn<uint>("byte");
        QTest::newRow("zero") << 0.0f << 0u;
        QTest::newRow("half rounds up") << 0.5f << 128u;    // 127.5 + 0.5
        QTest::newRow("just below half") << 0.498f << 127u; // 126.99 + 0.5
        QTest::newRow("one") << 1.0f << 255u;
        QTest::newRow("above one wraps to the low byte") << 1.5f << 127u;  // 383 & 0xFF
        QTest::newRow("negative truncates toward zero") << -0.1f << 0xE7u; // -25 & 0xFF
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << 0u;
        QTest::newRow("huge is pinned, not undefined") << 1e20f << 255u;
        QTest::newRow("huge negative") << -1e20f << 0u;
    }

    void acolorToPacked()
    {
        QFETCH(float, channel);
        QFETCH(uint, byte);
        QCOMPARE(uint(AColor(channel, 0.0f, 0.0f, 1.0f).toRGB()), byte);
        QCOMPARE(uint(AColor(0.0f, channel, 0.0f, 1.0f).toRGB()), byte << 8);
        QCOMPARE(uint(AColor(0.0f, 0.0f, channel, 1.0f).toRGB()), byte << 16);
    }

    void callbackDefaultNarrowsToPacked()
    {
        PackedCallback callback;
        HSVCallback& host = callback;
        host.ColorChanged(AColor(1.0f, 0.5f, 0.0f, 0.2f), TRUE);
        QCOMPARE(uint(callback.last), 0x0080FFu);
        QCOMPARE(callback.lastButtonUp, TRUE);
    }

    void debugPrintUsesTheHostFormat()
    {
        DebugPrint(L"opeing\n");
        DebugPrint(L"%s=%d;", L"wide", 42);
        DebugPrint(L"%S|%hs|%ls|%ws;", "narrow", "narrow2", L"wide2", L"wide3");
        DebugPrint(L"%c%C%5.2f%%%-3d|", L'\u00e9', 'n', 3.14159, 7);
        DebugPrint(L"%s", L"\u7eff");
        DebugPrint(nullptr);
        QCOMPARE(
            HostRuntime::DebugOutput(),
            QStringLiteral(u"opeing\nwide=42;narrow|narrow2|wide2|wide3;\u00e9n 3.14%7  |\u7eff"));
        QVERIFY(HostRuntime::ListenerOutput().isEmpty());
    }

    void longDebugLineIsKeptWhole()
    {
        const std::wstring longText(5000, L'x');
        DebugPrint(L"[%s]", longText.c_str());
        QCOMPARE(HostRuntime::DebugOutput().size(), 5002);
    }

    void listenerStreamAndSink()
    {
        QStringList heard;
        HostRuntime::SetOutputSink(
            [&heard](HostRuntime::OutputChannel channel, const QString& text) {
                heard << (channel == HostRuntime::OutputChannel::Debug ? QStringLiteral("D:")
                                                                       : QStringLiteral("L:")) +
                             text;
            });
        CharStream* listener = ListenerStream();
        QVERIFY(listener);
        QCOMPARE(listener->printf(L"Set color field %s\n", L"Red"), 20);
        DebugPrint(L"Didn't get a valid color space type\n");
        listener->printf(L"Undo\n");
        HostRuntime::SetOutputSink({});
        listener->printf(L"Redo\n");
        QCOMPARE(heard, (QStringList{QStringLiteral("L:Set color field Red\n"),
                                     QStringLiteral("D:Didn't get a valid color space type\n"),
                                     QStringLiteral("L:Undo\n")}));
        QCOMPARE(HostRuntime::ListenerOutput(),
                 QStringLiteral("Set color field Red\nUndo\nRedo\n"));
        QVERIFY(TlsGetValue(thread_locals_index + 1) == nullptr);
    }

    void windowText_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("maxCount");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << QStringLiteral("Object Color") << 500
                               << QStringLiteral("Object Color");
        QTest::newRow("cut to fit")
            << QStringLiteral("Object Color") << 7 << QStringLiteral("Object");
        QTest::newRow("room for the zero only") << QStringLiteral("Object Color") << 1 << QString();
        QTest::newRow("non-ASCII")
            << QStringLiteral(u"Farbe \u00e4") << 500 << QStringLiteral(u"Farbe \u00e4");
    }

    void windowText()
    {
        QFETCH(QString, title);
        QFETCH(int, maxCount);
        QFETCH(QString, expected);
        QWidget owner;
        owner.setWindowTitle(title);
        std::vector<wchar_t> buffer(512, L'#');
        const int n = GetWindowTextW(HostRuntime::WindowHandle(&owner), buffer.data(), maxCount);
        QCOMPARE(n, expected.size());
        QCOMPARE(QString::fromWCharArray(buffer.data()), expected);
    }

    void staleWindowHandleIsRefused()
    {
        auto* owner = new QWidget;
        owner->setWindowTitle(QStringLiteral("gone"));
        HWND handle = HostRuntime::WindowHandle(owner);
        delete owner;
        wchar_t buffer[16] = L"untouched";
        QCOMPARE(GetWindowTextW(handle, buffer, 16), 0);
        QCOMPARE(buffer[0], L'\0');
        QCOMPARE(GetWindowTextW(nullptr, buffer, 16), 0);
    }

    void coreInterface()
    {
        QTemporaryDir temp;
        const QString dir = temp.path() + QStringLiteral("/made/on/demand");
        HostRuntime::SetPlugCfgDir(dir);
        const IPathConfigMgr* paths = IPathConfigMgr::GetPathConfigMgr();
        QCOMPARE(QString::fromWCharArray(paths->GetDir(APP_PLUGCFG_DIR)), dir);
        QVERIFY(QDir(dir).exists());
        QCOMPARE(HostPlugCfgDir(), dir);
        QCOMPARE(QString::fromWCharArray(paths->GetDir(3)), QString());

        auto* window = new MaxSDK::QmaxMainWindow;
        HostRuntime::SetMainWindow(window);
        QCOMPARE(HostMainWindow(), window);
        QCOMPARE(HostRuntime::WidgetFromHandle(GetCOREInterface()->GetMAXHWnd()), window);
        delete window;
        QVERIFY(HostMainWindow() == nullptr);
    }

    void moduleStrings_data()
    {
        QTest::addColumn<bool>("useLanguagePack");
        QTest::addColumn<uint>("id");
        QTest::addColumn<int>("bufferMax");
        QTest::addColumn<QString>("expected");
        QTest::newRow("without the language pack") << false << 1u << 256 << QString();
        QTest::newRow("description") << true << 1u << 256 << QStringLiteral(u"Sch\u00f6ne Farben");
        QTest::newRow("cut to the buffer") << true << 1u << 5 << QStringLiteral(u"Sch\u00f6");
        QTest::newRow("missing id") << true << 9u << 256 << QString();
        QTest::newRow("not a string") << true << 4u << 256 << QString();
    }

    void moduleStrings()
    {
        QFETCH(bool, useLanguagePack);
        QFETCH(uint, id);
        QFETCH(int, bufferMax);
        QFETCH(QString, expected);
        QTemporaryDir temp;
        QFile table(temp.path() + QStringLiteral("/Sample.dlu.json"));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.write(u8"{\"1\": \"Sch\u00f6ne Farben\", \"2\": \"Cat\", \"4\": 17}");
        table.close();
        HostRuntime::SetLanguagePackDir(temp.path());
        HINSTANCE module = HostRuntime::RegisterModule(QStringLiteral("/somewhere/Sample.dlu"));
        QCOMPARE(DisableThreadLibraryCalls(module), TRUE);
        if (useLanguagePack) {
            MaxSDK::Util::UseLanguagePackLocale(module);
        }
        std::vector<wchar_t> buffer(300, L'#');
        QCOMPARE(LoadStringW(module, id, buffer.data(), bufferMax), expected.size());
        QCOMPARE(QString::fromWCharArray(buffer.data()), expected);
        HostRuntime::UnregisterModule(module);
        QCOMPARE(LoadStringW(module, 1, buffer.data(), bufferMax), 0);
        QCOMPARE(DisableThreadLibraryCalls(module), FALSE);
    }

    void hostIcons_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("eyedropper") << QStringLiteral("ColorPicker/EyeDropper");
        QTest::newRow("sphere center") << QStringLiteral(":/SnapTools/MaxSDK/Sphere/SphereCenter");
        QTest::newRow("sphere quad") << QStringLiteral(":/SnapTools/MaxSDK/Sphere/SphereQuad");
        QTest::newRow("zero all") << QStringLiteral(":/CommandPanel/Motion/BipedRollout/ZeroAll");
        QTest::newRow("tree closed") << QStringLiteral(":/Common/TreeView/Closed");
        QTest::newRow("arrow head") << QStringLiteral(":/Common/ArrowHeadLeft");
    }

    void hostIcons()
    {
        QFETCH(QString, path);
        const QIcon icon = MaxSDK::LoadMaxMultiResIcon(path);
        QVERIFY(!icon.isNull());
        // Drawn at each size (64 being 32 at pixel ratio 2), never a scaled-up small bitmap: the
        // share of fully opaque pixels stays about the same at every size.
        for (int size : {16, 20, 32, 64}) {
            const QImage image =
                icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(size, size));
            int opaque = 0;
            for (int y = 0; y < size; ++y) {
                const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                for (int x = 0; x < size; ++x) {
                    opaque += qAlpha(row[x]) == 255;
                }
            }
            QVERIFY2(opaque >= size,
                     qPrintable(QStringLiteral("%1 px: %2 opaque pixels").arg(size).arg(opaque)));
        }
    }

    void unknownIconIsNull_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty") << QString();
        QTest::newRow("root only") << QStringLiteral(":/");
        QTest::newRow("unknown") << QStringLiteral("ColorPicker/NoSuchIcon");
        QTest::newRow("escaping the folder")
            << QStringLiteral(":/Common/../../hostsdk/icons/Common/ArrowHeadLeft");
        QTest::newRow("with suffix") << QStringLiteral(":/Common/ArrowHeadLeft.svg");
    }

    void unknownIconIsNull()
    {
        QFETCH(QString, path);
        QVERIFY(MaxSDK::LoadMaxMultiResIcon(path).isNull());
    }

    void scriptCalls_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("text");
        QTest::newRow("no arguments") << QStringLiteral("Test.Echo()") << true << QString();
        QTest::newRow("string and integer")
            << QStringLiteral("Test.Echo(\"a b\", -5)") << true << QStringLiteral("a b|-5");
        QTest::newRow("any case, spaces")
            << QStringLiteral("  test . ECHO ( \"q\\\"x\" ) ;") << true << QStringLiteral("q\"x");
        QTest::newRow("global function")
            << QStringLiteral("Nothing()") << true << QStringLiteral("undefined");
        QTest::newRow("struct function without struct")
            << QStringLiteral("Echo()") << false << QString();
        QTest::newRow("trailing comma") << QStringLiteral("Test.Echo(1,)") << false << QString();
        QTest::newRow("missing comma") << QStringLiteral("Test.Echo(1 2)") << false << QString();
        QTest::newRow("unclosed call") << QStringLiteral("Test.Echo(") << false << QString();
        QTest::newRow("not a number") << QStringLiteral("Test.Echo(abc)") << false << QString();
        QTest::newRow("too big a number")
            << QStringLiteral("Test.Echo(99999999999)") << false << QString();
        QTest::newRow("empty") << QString() << false << QString();
    }

    void scriptCalls()
    {
        QFETCH(QString, expression);
        QFETCH(bool, ok);
        QFETCH(QString, text);
        Primitive echo(L"Echo", L"Test", EchoFn);
        Primitive nothing(L"Nothing", NothingFn);
        const long scriptHeap = HostRuntime::ScriptHeapBlocks();
        const HostRuntime::ScriptResult result = HostRuntime::EvaluateScript(expression);
        QVERIFY2(result.ok == ok, qPrintable(result.error));
        QCOMPARE(result.text, text);
        QCOMPARE(result.error.isEmpty(), ok);
        QCOMPARE(HostRuntime::ScriptHeapBlocks(), scriptHeap); // arguments and result freed
    }

    void primitiveLivesAsLongAsItsObject()
    {
        {
            Primitive echo(L"Echo", L"Scoped", EchoFn);
            QVERIFY(HostRuntime::ScriptFunctions().contains(QStringLiteral("Scoped.Echo")));
            const HostRuntime::ScriptResult r =
                HostRuntime::EvaluateScript(QStringLiteral("Scoped.Echo(\"v\")"));
            QCOMPARE(r.printForm, QStringLiteral("\"v\""));
        }
        QVERIFY(!HostRuntime::ScriptFunctions().contains(QStringLiteral("Scoped.Echo")));
        QVERIFY(!HostRuntime::EvaluateScript(QStringLiteral("Scoped.Echo()")).ok);
    }
};

QTEST_MAIN(tst_HostRuntime)
#include "tst_HostRuntime.moc"
