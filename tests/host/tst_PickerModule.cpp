// The built ColorDorvoPicker.dlu, loaded as the host loads it: its exports, its two class
// descriptors, and the color selector it creates, driven through the host's interfaces.
#include "ModalSupport.h"
#include "RecordingCallback.h"

#include "hostsdk/HostRuntime.h"
#include "hostsdk/ModuleExports.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>

using Note = RecordingCallback::Notification;

Q_DECLARE_METATYPE(AColor)

namespace {

QString Text(const MCHAR* text)
{
    return text ? QString::fromWCharArray(text) : QStringLiteral("<null>");
}

QString Describe(const AColor& c)
{
    return QStringLiteral("(%1, %2, %3, %4)").arg(c.r).arg(c.g).arg(c.b).arg(c.a);
}

AColor Unit(int red, int green, int blue, int alpha = 255)
{
    return AColor(red / 255.0f, green / 255.0f, blue / 255.0f, alpha / 255.0f);
}

// The module's string table as the host's language pack ships it.
QString LanguagePackString(int id)
{
    QFile file(QStringLiteral(LANGPACK_DIR "/ColorDorvoPicker.dlu.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QJsonDocument::fromJson(file.readAll()).object().value(QString::number(id)).toString();
}

QWidget* AsWidget(ColorPicker* picker)
{
    return dynamic_cast<QWidget*>(picker);
}

} // namespace

class tst_PickerModule : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir configDir;
    std::unique_ptr<MaxSDK::QmaxMainWindow> mainWindow;
    QLibrary library;
    HINSTANCE handle = nullptr;
    DllMainFn dllMain = nullptr;
    LibDescriptionFn libDescription = nullptr;
    LibNumberClassesFn libNumberClasses = nullptr;
    LibClassDescFn libClassDesc = nullptr;
    LibVersionFn libVersion = nullptr;
    LibInitializeFn libInitialize = nullptr;
    LibShutdownFn libShutdown = nullptr;
    GUP* utility = nullptr;
    ColPick* selector = nullptr;
    long heapBaseline = 0;

    template <typename T> static T* child(QWidget* dialog, const char* name)
    {
        T* widget = dialog->findChild<T*>(QLatin1String(name));
        if (!widget) {
            qFatal("the picker has no %s", name);
        }
        return widget;
    }

    static QList<int> shownRgba(QWidget* dialog)
    {
        return {child<QSpinBox>(dialog, "redIntSpinner")->value(),
                child<QSpinBox>(dialog, "greenIntSpinner")->value(),
                child<QSpinBox>(dialog, "blueIntSpinner")->value(),
                child<QSpinBox>(dialog, "alphaIntSpinner")->value()};
    }

    static void typeHex(QWidget* dialog, const QString& text)
    {
        auto* line = child<QLineEdit>(dialog, "hexEditLine");
        line->selectAll();
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
    }

    static void clickButton(QWidget* dialog, const char* name)
    {
        QTest::mouseClick(child<QPushButton>(dialog, name), Qt::LeftButton);
    }

    // True when the picker opened and its window was exposed; a test cannot drive it otherwise.
    bool openModeless(ColorPicker*& picker, const AColor& color, HSVCallback* callback,
                      const MCHAR* name = _M("Light color"))
    {
        picker = selector->CreateColorPicker(HostRuntime::WindowHandle(mainWindow.get()), color,
                                             nullptr, callback, name, FALSE);
        return picker && QTest::qWaitForWindowExposed(AsWidget(picker));
    }

    static bool waitUntilGone(const QPointer<QWidget>& window)
    {
        return QTest::qWaitFor([&] { return window.isNull(); });
    }

private slots:
    void initTestCase();
    void cleanupTestCase();

    void exports();
    void classDescriptorByIndex_data();
    void classDescriptorByIndex();
    void classDescriptors_data();
    void classDescriptors();
    void classNameSurvivesCategoryLookup();
    void withoutLanguagePack();
    void versionScriptFunction();
    void selectorIdentity();

    void modalOpensOnTruncatedColor_data();
    void modalOpensOnTruncatedColor();
    void modalPackedRoundTrip_data();
    void modalPackedRoundTrip();
    void modalAcceptAfterEdit();
    void modalCancelAfterEdits_data();
    void modalCancelAfterEdits();
    void fieldPagesAcrossShutdown();

    void modelessOpensOwnWindow();
    void modelessPackedSetNewColorGivesRed();
    void modelessAcceptNotifiesThenGoes();
    void modelessInstallNewCallback();
    void modelessModifyColorThenCancel();
    void modelessDestroyReportsOnce();
    void objectColorOwnerRefused_data();
    void objectColorOwnerRefused();
};

void tst_PickerModule::initTestCase()
{
    QVERIFY(configDir.isValid());
    HostRuntime::SetPlugCfgDir(configDir.path());
    HostRuntime::SetLanguagePackDir(QStringLiteral(LANGPACK_DIR));
    mainWindow = std::make_unique<MaxSDK::QmaxMainWindow>();
    mainWindow->setWindowTitle(QStringLiteral("Host"));
    HostRuntime::SetMainWindow(mainWindow.get());

    library.setFileName(QStringLiteral(MODULE_FILE));
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    dllMain = reinterpret_cast<DllMainFn>(library.resolve("DllMain"));
    libDescription = reinterpret_cast<LibDescriptionFn>(library.resolve("LibDescription"));
    libNumberClasses = reinterpret_cast<LibNumberClassesFn>(library.resolve("LibNumberClasses"));
    libClassDesc = reinterpret_cast<LibClassDescFn>(library.resolve("LibClassDesc"));
    libVersion = reinterpret_cast<LibVersionFn>(library.resolve("LibVersion"));
    libInitialize = reinterpret_cast<LibInitializeFn>(library.resolve("LibInitialize"));
    libShutdown = reinterpret_cast<LibShutdownFn>(library.resolve("LibShutdown"));
    QVERIFY(dllMain && libDescription && libNumberClasses && libClassDesc && libVersion &&
            libInitialize && libShutdown);

    // Until the entry point has stored the module handle there is no string table.
    QVERIFY2(libDescription() == nullptr, qPrintable(Text(libDescription())));

    handle = HostRuntime::RegisterModule(QStringLiteral(MODULE_FILE));
    QCOMPARE(dllMain(handle, DLL_PROCESS_ATTACH, nullptr), TRUE);
    QCOMPARE(libInitialize(), TRUE);

    utility = static_cast<GUP*>(libClassDesc(0)->Create(FALSE));
    QVERIFY(utility);
    QCOMPARE(utility->Start(), DWORD(GUPRESULT_KEEP));
    selector = static_cast<ColPick*>(libClassDesc(1)->Create(FALSE));
    QVERIFY(selector);
    heapBaseline = HostRuntime::HostHeapBlocks();
}

void tst_PickerModule::cleanupTestCase()
{
    // Every picker this suite opened has given its host heap block back.
    QCOMPARE(HostRuntime::HostHeapBlocks(), heapBaseline);
    const long withObjects = HostRuntime::HostHeapBlocks();
    selector->DeleteThis();
    utility->Stop();
    utility->DeleteThis();
    QCOMPARE(HostRuntime::HostHeapBlocks(), withObjects - 2);
    QCOMPARE(libShutdown(), TRUE);
    QCOMPARE(dllMain(handle, DLL_PROCESS_DETACH, nullptr), TRUE);
    HostRuntime::UnregisterModule(handle);
    mainWindow.reset();
    QVERIFY2(library.unload(), qPrintable(library.errorString()));
    // The script function goes with its module.
    QVERIFY(!HostRuntime::EvaluateScript(QStringLiteral("ColorDorvo.Version()")).ok);
}

void tst_PickerModule::exports()
{
    QCOMPARE(Text(libDescription()), LanguagePackString(1));
    QVERIFY(!LanguagePackString(1).isEmpty());
    QCOMPARE(libNumberClasses(), 2);
    QCOMPARE(libVersion(), ULONG(0x55F03700));
    QCOMPARE(libVersion(), ULONG(VERSION_3DSMAX));
    // Repeated calls keep answering the same.
    QCOMPARE(libInitialize(), TRUE);
    QCOMPARE(libShutdown(), TRUE);
    QCOMPARE(dllMain(handle, DLL_THREAD_ATTACH, nullptr), TRUE);
}

void tst_PickerModule::classDescriptorByIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("exists");
    QTest::newRow("utility") << 0 << true;
    QTest::newRow("picker") << 1 << true;
    QTest::newRow("one past the count") << 2 << false;
    QTest::newRow("minus one") << -1 << false;
    QTest::newRow("far past") << 1000 << false;
    QTest::newRow("int min") << INT_MIN << false;
    QTest::newRow("int max") << INT_MAX << false;
}

void tst_PickerModule::classDescriptorByIndex()
{
    QFETCH(int, index);
    QFETCH(bool, exists);
    ClassDesc* first = libClassDesc(index);
    QCOMPARE(first != nullptr, exists);
    // The descriptor is one object for the module's life.
    QCOMPARE(libClassDesc(index), first);
}

void tst_PickerModule::classDescriptors_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<uint>("superClass");
    QTest::addColumn<uint>("idA");
    QTest::addColumn<uint>("idB");
    QTest::addColumn<QString>("internalName");
    QTest::newRow("utility") << 0 << 0x10E0u << 0x0D260474u << 0x5F0A73B6u
                             << QStringLiteral("DorvoColorUtility");
    QTest::newRow("picker") << 1 << 0x10C0u << 0xA84B9764u << 0x9F58F6D6u
                            << QStringLiteral("ColorDorvoPicker");
}

void tst_PickerModule::classDescriptors()
{
    QFETCH(int, index);
    QFETCH(uint, superClass);
    QFETCH(uint, idA);
    QFETCH(uint, idB);
    QFETCH(QString, internalName);
    ClassDesc* desc = libClassDesc(index);
    QVERIFY(desc);
    QCOMPARE(uint(desc->SuperClassID()), superClass);
    QCOMPARE(uint(desc->ClassID().PartA()), idA);
    QCOMPARE(uint(desc->ClassID().PartB()), idB);
    QCOMPARE(Text(desc->InternalName()), internalName);
    QCOMPARE(Text(desc->ClassName()), LanguagePackString(3));
    QCOMPARE(Text(desc->Category()), LanguagePackString(2));
    QCOMPARE(desc->IsPublic(), TRUE);
    QCOMPARE(desc->OkToCreate(nullptr), TRUE);
    QCOMPARE(desc->BeginCreate(nullptr), 0);
    QCOMPARE(desc->EndCreate(nullptr), 0);
    QCOMPARE(desc->HInstance(), handle);

    // Created on the host heap, so the host can delete what the module made.
    const long before = HostRuntime::HostHeapBlocks();
    void* object = desc->Create(TRUE);
    QVERIFY(object);
    QCOMPARE(HostRuntime::HostHeapBlocks(), before + 1);
    if (superClass == GUP_CLASS_ID) {
        static_cast<GUP*>(object)->DeleteThis();
    } else {
        auto* picker = static_cast<ColPick*>(object);
        QCOMPARE(uint(picker->ClassID().PartA()), idA);
        picker->DeleteThis();
    }
    QCOMPARE(HostRuntime::HostHeapBlocks(), before);
}

void tst_PickerModule::classNameSurvivesCategoryLookup()
{
    // A host that keeps the class name while it asks for the category must still read the
    // class name there.
    ClassDesc* desc = libClassDesc(1);
    const MCHAR* name = desc->ClassName();
    const MCHAR* category = desc->Category();
    const MCHAR* description = libDescription();
    QCOMPARE(Text(name), LanguagePackString(3));
    QCOMPARE(Text(category), LanguagePackString(2));
    QCOMPARE(Text(description), LanguagePackString(1));
}

void tst_PickerModule::withoutLanguagePack()
{
    // A host without the module's string table: no description, and the classes fall back to
    // their internal names rather than handing the host a null name.
    QTemporaryDir emptyPack;
    HostRuntime::SetLanguagePackDir(emptyPack.path());
    QCOMPARE(dllMain(handle, DLL_PROCESS_ATTACH, nullptr), TRUE);
    const bool noDescription = libDescription() == nullptr;
    const QString utilityName = Text(libClassDesc(0)->ClassName());
    const QString pickerName = Text(libClassDesc(1)->ClassName());
    const QString selectorName = Text(selector->ClassName());
    const bool noCategory = libClassDesc(1)->Category() == nullptr;
    HostRuntime::SetLanguagePackDir(QStringLiteral(LANGPACK_DIR));
    QCOMPARE(dllMain(handle, DLL_PROCESS_ATTACH, nullptr), TRUE);

    QVERIFY(noDescription);
    QVERIFY(noCategory);
    QCOMPARE(utilityName, QStringLiteral("DorvoColorUtility"));
    QCOMPARE(pickerName, QStringLiteral("ColorDorvoPicker"));
    QCOMPARE(selectorName, QStringLiteral("ColorDorvoPicker"));
    QCOMPARE(Text(libDescription()), LanguagePackString(1));
}

void tst_PickerModule::versionScriptFunction()
{
    QVERIFY(HostRuntime::ScriptFunctions().contains(QStringLiteral("ColorDorvo.Version")));
    const long scriptBlocks = HostRuntime::ScriptHeapBlocks();
    const HostRuntime::ScriptResult result =
        HostRuntime::EvaluateScript(QStringLiteral("ColorDorvo.Version()"));
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.text, QStringLiteral("0.3.1"));
    // Arguments are ignored.
    const HostRuntime::ScriptResult withArgs =
        HostRuntime::EvaluateScript(QStringLiteral("ColorDorvo.Version(\"x\", 3)"));
    QVERIFY2(withArgs.ok, qPrintable(withArgs.error));
    QCOMPARE(withArgs.text, QStringLiteral("0.3.1"));
    // Only as a member of the struct.
    QVERIFY(!HostRuntime::EvaluateScript(QStringLiteral("Version()")).ok);
    QCOMPARE(HostRuntime::ScriptHeapBlocks(), scriptBlocks);
}

void tst_PickerModule::selectorIdentity()
{
    QCOMPARE(Text(selector->ClassName()), LanguagePackString(3));
    QCOMPARE(uint(selector->ClassID().PartA()), 0xA84B9764u);
    QCOMPARE(uint(selector->ClassID().PartB()), 0x9F58F6D6u);
    for (int command : {0, 1, 42, -1}) {
        QCOMPARE(selector->Execute(command, 1, 2, 3), INT_PTR(0));
    }
}

void tst_PickerModule::modalOpensOnTruncatedColor_data()
{
    QTest::addColumn<AColor>("color");
    QTest::addColumn<QList<int>>("shown");
    // 0.5 × 255 = 127.5 truncates to 127; the host's alpha does not reach the dialog.
    QTest::newRow("half grey, alpha 0.3")
        << AColor(0.5f, 0.5f, 0.5f, 0.3f) << QList<int>{127, 127, 127, 255};
    QTest::newRow("just under one")
        << AColor(0.999f, 0.0039f, 0.0040f, 0.0f) << QList<int>{254, 0, 1, 255};
    QTest::newRow("exact channels") << Unit(1, 128, 254) << QList<int>{1, 128, 254, 255};
    // Out of range and NaN are held at the ends instead of making an invalid color.
    QTest::newRow("out of range") << AColor(1.5f, -0.25f, 1.0f, 2.0f)
                                  << QList<int>{255, 0, 255, 255};
    QTest::newRow("not a number") << AColor(std::nanf(""), 0.5f, 0.5f, 1.0f)
                                  << QList<int>{0, 127, 127, 255};
}

void tst_PickerModule::modalOpensOnTruncatedColor()
{
    QFETCH(AColor, color);
    QFETCH(QList<int>, shown);
    QList<int> seen;
    QString title;
    whenModalOpens(this, [&](QDialog* dialog) {
        seen = shownRgba(dialog);
        title = dialog->windowTitle();
        clickButton(dialog, "cancelBtn");
    });
    AColor inOut = color;
    RecordingCallback callback;
    const INT_PTR result = selector->ModalColorPicker(HostRuntime::WindowHandle(mainWindow.get()),
                                                      &inOut, nullptr, &callback, _M("Diffuse"));
    QCOMPARE(result, INT_PTR(0));
    QCOMPARE(seen, shown);
    QCOMPARE(title, QStringLiteral("Color Selector"));
    // Cancelled: the caller's color is untouched, bit for bit.
    QCOMPARE(std::memcmp(&inOut, &color, sizeof color), 0);
}

void tst_PickerModule::modalPackedRoundTrip_data()
{
    QTest::addColumn<uint>("packed");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("blue 255 green 128") << 0x00FF8000u << QList<int>{0, 128, 255, 255};
    QTest::newRow("red only") << 0x000000FFu << QList<int>{255, 0, 0, 255};
    QTest::newRow("black") << 0x00000000u << QList<int>{0, 0, 0, 255};
    QTest::newRow("white") << 0x00FFFFFFu << QList<int>{255, 255, 255, 255};
    QTest::newRow("low values") << 0x00030201u << QList<int>{1, 2, 3, 255};
    QTest::newRow("mid values") << 0x00807F81u << QList<int>{129, 127, 128, 255};
    // The top byte is not a channel: it is dropped on the way back.
    QTest::newRow("top byte set") << 0xFF102030u << QList<int>{0x30, 0x20, 0x10, 255};
}

void tst_PickerModule::modalPackedRoundTrip()
{
    QFETCH(uint, packed);
    QFETCH(QList<int>, shown);
    QList<int> seen;
    whenModalOpens(this, [&](QDialog* dialog) {
        seen = shownRgba(dialog);
        clickButton(dialog, "acceptBtn");
    });
    DWORD inOut = packed;
    const INT_PTR result = selector->ModalColorPicker(HostRuntime::WindowHandle(mainWindow.get()),
                                                      &inOut, nullptr, nullptr, _M("Wire"));
    QVERIFY(result != 0);
    QCOMPARE(seen, shown);
    QCOMPARE(uint(inOut), packed & 0x00FFFFFFu);
}

void tst_PickerModule::modalAcceptAfterEdit()
{
    RecordingCallback callback;
    QPoint position;
    whenModalOpens(this, [&](QDialog* dialog) {
        typeHex(dialog, QStringLiteral("336699"));
        position = dialog->pos();
        clickButton(dialog, "acceptBtn");
    });
    AColor inOut(0.5f, 0.5f, 0.5f, 0.3f);
    const INT_PTR result = selector->ModalColorPicker(HostRuntime::WindowHandle(mainWindow.get()),
                                                      &inOut, nullptr, &callback, _M("Diffuse"));
    QVERIFY(result != 0);
    // All four channels are written back; the dialog's alpha is opaque.
    QVERIFY2(inOut == Unit(0x33, 0x66, 0x99), qPrintable(Describe(inOut)));
    // The edit, then the accept with the same color, then goodbye with the position.
    QCOMPARE(int(callback.notifications.size()), 3);
    QCOMPARE(int(callback.notifications[0].kind), int(Note::Changed));
    QVERIFY(callback.notifications[0].color == Unit(0x33, 0x66, 0x99));
    QCOMPARE(int(callback.notifications[1].kind), int(Note::Changed));
    QVERIFY(callback.notifications[1].color == Unit(0x33, 0x66, 0x99));
    QCOMPARE(callback.notifications[1].buttonUp, TRUE);
    QCOMPARE(int(callback.notifications[2].kind), int(Note::Destroyed));
    QCOMPARE(callback.notifications[2].position, IPoint2(position.x(), position.y()));
}

void tst_PickerModule::modalCancelAfterEdits_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("cancel button") << false;
    QTest::newRow("escape key") << true;
}

void tst_PickerModule::modalCancelAfterEdits()
{
    QFETCH(bool, escape);
    RecordingCallback callback;
    whenModalOpens(this, [&](QDialog* dialog) {
        typeHex(dialog, QStringLiteral("FF0000"));
        typeHex(dialog, QStringLiteral("00FF00"));
        if (escape) {
            QTest::keyClick(child<QLineEdit>(dialog, "hexEditLine"), Qt::Key_Escape);
        } else {
            clickButton(dialog, "cancelBtn");
        }
    });
    const AColor initial = Unit(10, 20, 30);
    AColor inOut = initial;
    const INT_PTR result = selector->ModalColorPicker(HostRuntime::WindowHandle(mainWindow.get()),
                                                      &inOut, nullptr, &callback, _M("Diffuse"));
    QCOMPARE(result, INT_PTR(0));
    QVERIFY(inOut == initial);
    // The host previewed both edits and is put back to the initial color before goodbye.
    const auto& notes = callback.notifications;
    QCOMPARE(int(notes.size()), 4);
    QVERIFY2(notes[0].color == Unit(255, 0, 0), qPrintable(Describe(notes[0].color)));
    QVERIFY2(notes[1].color == Unit(0, 255, 0), qPrintable(Describe(notes[1].color)));
    QCOMPARE(int(notes[2].kind), int(Note::Changed));
    QVERIFY2(notes[2].color == initial, qPrintable(Describe(notes[2].color)));
    QCOMPARE(int(notes[3].kind), int(Note::Destroyed));
}

void tst_PickerModule::fieldPagesAcrossShutdown()
{
    // Every page of the field selector, on the Lab lightness channel, fills the module's tables
    // and decoded pictures. The module's shutdown frees them: in the sanitized run, the leak check
    // at exit finds nothing of the module once cleanupTestCase has unloaded it. Initialised again,
    // the module fills them again and shows the same.
    const auto showPages = [this] {
        QList<QImage> shown;
        whenModalOpens(this, [&shown](QDialog* dialog) {
            // The dialog keeps its channel and page for the next one: both are put back.
            QRadioButton* channel = nullptr;
            for (const char* name :
                 {"hueRdBtn", "saturationRdBtn", "valueRdBtn", "redRdBtn", "greenRdBtn",
                  "blueRdBtn", "lightnessRdBtn", "redGreenRdBtn", "blueYellowRdBtn"}) {
                if (child<QRadioButton>(dialog, name)->isChecked())
                    channel = child<QRadioButton>(dialog, name);
            }
            auto* fieldSelector = child<QComboBox>(dialog, "colorFieldComboBox");
            const int page = fieldSelector->currentIndex();
            child<QRadioButton>(dialog, "lightnessRdBtn")->click();
            for (int i = 0; i < fieldSelector->count(); ++i) {
                fieldSelector->setCurrentIndex(i);
                shown << child<QWidget>(dialog, "colorFieldStack")->grab().toImage()
                      << child<QWidget>(dialog, "channelSlider")->grab().toImage();
            }
            fieldSelector->setCurrentIndex(page);
            if (channel)
                channel->click();
            clickButton(dialog, "cancelBtn");
        });
        AColor color = Unit(40, 160, 90);
        selector->ModalColorPicker(HostRuntime::WindowHandle(mainWindow.get()), &color, nullptr,
                                   nullptr, _M("Diffuse"));
        return shown;
    };
    const QList<QImage> before = showPages();
    QCOMPARE(before.size(), 8);
    QCOMPARE(libShutdown(), TRUE);
    QCOMPARE(libInitialize(), TRUE);
    QVERIFY(showPages() == before);
}

void tst_PickerModule::modelessOpensOwnWindow()
{
    RecordingCallback callback;
    ColorPicker* picker = nullptr;
    QVERIFY2(openModeless(picker, AColor(0.5f, 0.5f, 0.5f, 0.3f), &callback),
             "the picker did not open or was never exposed");
    QPointer<QWidget> window = AsWidget(picker);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(window->internalWinId() != 0);
    QCOMPARE(window->parentWidget(), mainWindow.get());
    QCOMPARE(window->windowTitle(), QStringLiteral("Light color"));
    QCOMPARE(shownRgba(window), (QList<int>{127, 127, 127, 255}));
    QVERIFY(picker->GetAColor() == Unit(127, 127, 127));
    QCOMPARE(uint(picker->GetColor()), 0x007F7F7Fu);
    QCOMPARE(picker->GetPosition(), IPoint2(window->pos().x(), window->pos().y()));
    // Opening alone tells the host nothing.
    QVERIFY(callback.notifications.empty());
    clickButton(window, "cancelBtn");
    QVERIFY(waitUntilGone(window));
}

void tst_PickerModule::modelessPackedSetNewColorGivesRed()
{
    RecordingCallback callback;
    ColorPicker* picker =
        selector->CreateColorPicker(HostRuntime::WindowHandle(mainWindow.get()), DWORD(0x00FF8000),
                                    nullptr, &callback, nullptr, FALSE);
    QVERIFY(picker);
    QPointer<QWidget> window = AsWidget(picker);
    QCOMPARE(shownRgba(window), (QList<int>{0, 128, 255, 255}));
    QVERIFY(window->windowTitle().isEmpty());

    picker->SetNewColor(DWORD(0x000000FF), _M("Packed"));
    QCOMPARE(shownRgba(window), (QList<int>{255, 0, 0, 255}));
    QVERIFY2(picker->GetAColor() == AColor(1.0f, 0.0f, 0.0f, 1.0f),
             qPrintable(Describe(picker->GetAColor())));
    QCOMPARE(window->windowTitle(), QStringLiteral("Packed"));
    QCOMPARE(int(callback.notifications.size()), 1);
    QVERIFY(callback.last().color == AColor(1.0f, 0.0f, 0.0f, 1.0f));
    // The new color is also the one Cancel goes back to.
    clickButton(window, "cancelBtn");
    QVERIFY(waitUntilGone(window));
    QCOMPARE(int(callback.notifications.size()), 3);
    QVERIFY(callback.notifications[1].color == AColor(1.0f, 0.0f, 0.0f, 1.0f));
}

void tst_PickerModule::modelessAcceptNotifiesThenGoes()
{
    RecordingCallback callback;
    ColorPicker* picker = nullptr;
    QVERIFY2(openModeless(picker, Unit(200, 100, 50), &callback),
             "the picker did not open or was never exposed");
    QPointer<QWidget> window = AsWidget(picker);
    typeHex(window, QStringLiteral("102030"));
    window->move(40, 60);
    clickButton(window, "acceptBtn");
    QVERIFY(waitUntilGone(window));
    const auto& notes = callback.notifications;
    QCOMPARE(int(notes.size()), 3);
    QVERIFY(notes[0].color == Unit(0x10, 0x20, 0x30));
    QVERIFY(notes[1].color == Unit(0x10, 0x20, 0x30));
    QCOMPARE(int(notes[2].kind), int(Note::Destroyed));
    QCOMPARE(notes[2].position, IPoint2(40, 60));
}

void tst_PickerModule::modelessInstallNewCallback()
{
    RecordingCallback outgoing;
    RecordingCallback incoming;
    ColorPicker* picker = nullptr;
    QVERIFY2(openModeless(picker, Unit(1, 2, 3), &outgoing),
             "the picker did not open or was never exposed");
    QPointer<QWidget> window = AsWidget(picker);
    typeHex(window, QStringLiteral("445566"));
    outgoing.notifications.clear();

    picker->InstallNewCB(DWORD(0x00332211), &incoming, _M("Background"));
    // The outgoing owner hears the color it last saw, once; the incoming one its own color.
    QCOMPARE(int(outgoing.notifications.size()), 1);
    QVERIFY2(outgoing.last().color == Unit(0x44, 0x55, 0x66),
             qPrintable(Describe(outgoing.last().color)));
    QCOMPARE(int(incoming.notifications.size()), 1);
    QVERIFY(incoming.last().color == Unit(0x11, 0x22, 0x33));
    QCOMPARE(window->windowTitle(), QStringLiteral("Background"));
    QCOMPARE(shownRgba(window), (QList<int>{0x11, 0x22, 0x33, 255}));

    clickButton(window, "acceptBtn");
    QVERIFY(waitUntilGone(window));
    QCOMPARE(int(outgoing.notifications.size()), 1);
    QCOMPARE(int(incoming.notifications.size()), 3);
    QCOMPARE(int(incoming.last().kind), int(Note::Destroyed));
}

void tst_PickerModule::modelessModifyColorThenCancel()
{
    RecordingCallback callback;
    ColorPicker* picker = nullptr;
    QVERIFY2(openModeless(picker, Unit(9, 9, 9), &callback),
             "the picker did not open or was never exposed");
    QPointer<QWidget> window = AsWidget(picker);
    picker->ModifyColor(Unit(200, 150, 100));
    // Shown everywhere at once, not echoed back to the host that sent it.
    QCOMPARE(shownRgba(window), (QList<int>{200, 150, 100, 255}));
    QCOMPARE(child<QLineEdit>(window, "hexEditLine")->text().toUpper(), QStringLiteral("C89664"));
    QVERIFY(picker->GetAColor() == Unit(200, 150, 100));
    QVERIFY(callback.notifications.empty());
    picker->ModifyColor(DWORD(0x00010203));
    QCOMPARE(shownRgba(window), (QList<int>{3, 2, 1, 255}));
    picker->RefreshUI();
    QCOMPARE(shownRgba(window), (QList<int>{3, 2, 1, 255}));
    QVERIFY(callback.notifications.empty());
    // The initial color stays the one the picker was opened with.
    clickButton(window, "cancelBtn");
    QVERIFY(waitUntilGone(window));
    QCOMPARE(int(callback.notifications.size()), 2);
    QVERIFY(callback.notifications[0].color == Unit(9, 9, 9));
}

void tst_PickerModule::modelessDestroyReportsOnce()
{
    RecordingCallback callback;
    ColorPicker* picker = nullptr;
    QVERIFY2(openModeless(picker, Unit(50, 60, 70), &callback),
             "the picker did not open or was never exposed");
    QPointer<QWidget> window = AsWidget(picker);
    picker->Destroy();
    QVERIFY(!window || !window->isVisible());
    QVERIFY(waitUntilGone(window));
    QCOMPARE(int(callback.notifications.size()), 1);
    QCOMPARE(int(callback.last().kind), int(Note::Destroyed));
}

void tst_PickerModule::objectColorOwnerRefused_data()
{
    QTest::addColumn<QString>("ownerTitle");
    QTest::addColumn<bool>("refused");
    QTest::newRow("exact") << QStringLiteral("Object Color") << true;
    QTest::newRow("lower case") << QStringLiteral("object color") << true;
    QTest::newRow("upper case") << QStringLiteral("OBJECT COLOR") << true;
    QTest::newRow("trailing space") << QStringLiteral("Object Color ") << false;
    QTest::newRow("british") << QStringLiteral("Object Colour") << false;
    QTest::newRow("longer") << QStringLiteral("Object Color Clipboard") << false;
    QTest::newRow("untitled") << QString() << false;
}

void tst_PickerModule::objectColorOwnerRefused()
{
    QFETCH(QString, ownerTitle);
    QFETCH(bool, refused);
    QWidget owner;
    owner.setWindowTitle(ownerTitle);
    QString boxTitle;
    QString boxText;
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    QWidget* boxParent = nullptr;
    int buttonCount = 0;
    if (refused) {
        whenModalOpens(this, [&](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box);
            boxTitle = box->windowTitle();
            boxText = box->text();
            boxIcon = box->icon();
            boxParent = box->parentWidget();
            buttonCount = box->buttons().size();
            box->button(QMessageBox::Ok)->click();
        });
    }
    RecordingCallback callback;
    const long blocks = HostRuntime::HostHeapBlocks();
    ColorPicker* picker = selector->CreateColorPicker(
        HostRuntime::WindowHandle(&owner), Unit(1, 2, 3), nullptr, &callback, _M("Object"), TRUE);
    if (refused) {
        QVERIFY(!picker);
        QCOMPARE(boxTitle, QStringLiteral("Object Color"));
        QCOMPARE(boxText,
                 QStringLiteral(
                     "Color Dorvo Picker is not compatible\nwith the object color selector."));
        QCOMPARE(boxIcon, QMessageBox::Critical);
        QCOMPARE(boxParent, mainWindow.get());
        QCOMPARE(buttonCount, 1);
        QCOMPARE(HostRuntime::HostHeapBlocks(), blocks);
        QVERIFY(callback.notifications.empty());
    } else {
        QVERIFY(picker);
        QPointer<QWidget> window = AsWidget(picker);
        picker->Destroy();
        QVERIFY(waitUntilGone(window));
    }
}

QTEST_MAIN(tst_PickerModule)
#include "tst_PickerModule.moc"
