#include "ModuleLoader.h"

#include "ModuleImageCheck.h"

#include "plugapi.h"
#include "hsv.h"
#include "gup.h"
#include "hostsdk/HostRuntime.h"
#include "hostsdk/ModuleExports.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

// More classes than this means the export is not what it claims to be.
constexpr int kMaxClasses = 1024;

QString VersionText(ULONG v)
{
    return QStringLiteral("0x%1 (release %2, API %3, revision %4)")
        .arg(v, 8, 16, QLatin1Char('0'))
        .arg(v >> 16)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

// Why the file must not reach the dynamic loader, or empty. Only a regular file is opened: a
// pipe would block the host.
QString Unusable(const QFileInfo& info)
{
    if (info.isSymLink() && !info.exists()) {
        return QStringLiteral("broken link to '%1'").arg(info.symLinkTarget());
    }
    if (!info.exists()) {
        return QString(); // the dynamic loader names the error
    }
    if (!info.isFile()) {
        return QStringLiteral("not a regular file");
    }
    if (!info.isReadable()) {
        return QStringLiteral("not readable");
    }
    const QString damage = ModuleImageCheck::Damage(info.absoluteFilePath());
    return damage.isEmpty() ? QString() : QStringLiteral("damaged module (%1)").arg(damage);
}

} // namespace

struct ModuleLoader::Module
{
    QString fileName;
    std::unique_ptr<QLibrary> library;
    HINSTANCE handle = nullptr;
    DllMainFn dllMain = nullptr;
    LibDescriptionFn libDescription = nullptr;
    LibNumberClassesFn libNumberClasses = nullptr;
    LibClassDescFn libClassDesc = nullptr;
    LibVersionFn libVersion = nullptr;
    LibInitializeFn libInitialize = nullptr;
    LibShutdownFn libShutdown = nullptr;
    QString description;
    bool attached = false;
    bool initialised = false;
};

ModuleLoader::ModuleLoader() = default;

ModuleLoader::~ModuleLoader()
{
    unloadAll();
}

void ModuleLoader::report(const QString& message)
{
    mMessages << message;
    if (mSink) {
        mSink(message);
    }
}

int ModuleLoader::loadFolder(const QString& dir)
{
    // System lists what is neither file nor folder (broken links, pipes), so that it is
    // reported like any other file that is no module.
    const QFileInfoList files =
        QDir(dir).entryInfoList({QStringLiteral("*.dlu")}, QDir::Files | QDir::System, QDir::Name);
    int loaded = 0;
    for (const QFileInfo& file : files) {
        if (loadModule(file.absoluteFilePath())) {
            ++loaded;
        }
    }
    return loaded;
}

bool ModuleLoader::loadModule(const QString& filePath)
{
    auto module = std::make_unique<Module>();
    const QFileInfo info(filePath);
    module->fileName = info.fileName();
    const QString unusable = Unusable(info);
    if (!unusable.isEmpty()) {
        report(QStringLiteral("%1: %2; skipped").arg(module->fileName, unusable));
        return false;
    }
    module->library = std::make_unique<QLibrary>(filePath);
    // Resolve everything now, so a module with a dangling reference fails here, not mid-call.
    module->library->setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!module->library->load()) {
        report(QStringLiteral("%1: not a loadable module (%2); skipped")
                   .arg(module->fileName, module->library->errorString()));
        return false;
    }

    // Opening: find every export the host needs before calling any of them.
    QLibrary& lib = *module->library;
    module->dllMain = reinterpret_cast<DllMainFn>(lib.resolve("DllMain"));
    module->libDescription = reinterpret_cast<LibDescriptionFn>(lib.resolve("LibDescription"));
    module->libNumberClasses =
        reinterpret_cast<LibNumberClassesFn>(lib.resolve("LibNumberClasses"));
    module->libClassDesc = reinterpret_cast<LibClassDescFn>(lib.resolve("LibClassDesc"));
    module->libVersion = reinterpret_cast<LibVersionFn>(lib.resolve("LibVersion"));
    module->libInitialize = reinterpret_cast<LibInitializeFn>(lib.resolve("LibInitialize"));
    module->libShutdown = reinterpret_cast<LibShutdownFn>(lib.resolve("LibShutdown"));
    QStringList missing;
    if (!module->dllMain) {
        missing << QStringLiteral("DllMain");
    }
    if (!module->libDescription) {
        missing << QStringLiteral("LibDescription");
    }
    if (!module->libNumberClasses) {
        missing << QStringLiteral("LibNumberClasses");
    }
    if (!module->libClassDesc) {
        missing << QStringLiteral("LibClassDesc");
    }
    if (!module->libVersion) {
        missing << QStringLiteral("LibVersion");
    }
    if (!missing.isEmpty()) {
        report(QStringLiteral("%1: missing export %2; skipped")
                   .arg(module->fileName, missing.join(QStringLiteral(", "))));
        lib.unload();
        return false;
    }

    // Initialising: what the Windows loader and then the host would do.
    module->handle = HostRuntime::RegisterModule(filePath);
    if (!initialise(*module)) {
        if (module->initialised && module->libShutdown) {
            module->libShutdown();
        }
        if (module->attached) {
            module->dllMain(module->handle, DLL_PROCESS_DETACH, nullptr);
        }
        HostRuntime::UnregisterModule(module->handle);
        lib.unload();
        return false;
    }
    Module& kept = *module;
    mModules.push_back(std::move(module));
    createClasses(kept);
    return true;
}

bool ModuleLoader::initialise(Module& module)
{
    if (!module.dllMain(module.handle, DLL_PROCESS_ATTACH, nullptr)) {
        report(QStringLiteral("%1: the entry point refused process attach; skipped")
                   .arg(module.fileName));
        return false;
    }
    module.attached = true;
    const ULONG version = module.libVersion();
    if (version != VERSION_3DSMAX) {
        report(QStringLiteral("%1: built for SDK version %2, but this host needs %3; skipped")
                   .arg(module.fileName, VersionText(version), VersionText(VERSION_3DSMAX)));
        return false;
    }
    if (module.libInitialize && !module.libInitialize()) {
        report(QStringLiteral("%1: LibInitialize failed; skipped").arg(module.fileName));
        return false;
    }
    module.initialised = true;
    const MCHAR* description = module.libDescription();
    module.description = description ? QString::fromWCharArray(description) : QString();
    return true;
}

void ModuleLoader::createClasses(Module& module)
{
    const int count = module.libNumberClasses();
    if (count < 0 || count > kMaxClasses) {
        report(QStringLiteral("%1: LibNumberClasses gave %2; no classes used")
                   .arg(module.fileName)
                   .arg(count));
        return;
    }
    for (int i = 0; i < count; ++i) {
        ClassDesc* desc = module.libClassDesc(i);
        if (!desc) {
            report(QStringLiteral("%1: class %2 has no descriptor; skipped")
                       .arg(module.fileName)
                       .arg(i));
            continue;
        }
        const SClass_ID superClass = desc->SuperClassID();
        if (superClass == GUP_CLASS_ID) {
            auto* utility = static_cast<GUP*>(desc->Create(FALSE));
            if (!utility) {
                report(QStringLiteral("%1: utility class %2 could not be created")
                           .arg(module.fileName)
                           .arg(i));
                continue;
            }
            const DWORD result = utility->Start();
            if (result == GUPRESULT_KEEP) {
                mUtilities.push_back(utility);
            } else {
                // The utility asked not to be kept (or to abort, which this host does not honour).
                if (result != GUPRESULT_NOKEEP) {
                    report(QStringLiteral("%1: utility class %2 asked the host to abort; released")
                               .arg(module.fileName)
                               .arg(i));
                }
                utility->DeleteThis();
            }
        } else if (superClass == COLPICK_CLASS_ID) {
            if (!mColorSelectorClass) {
                mColorSelectorClass = desc;
            }
        }
    }
}

ColPick* ModuleLoader::colorSelector()
{
    if (!mColorSelector && mColorSelectorClass) {
        mColorSelector = static_cast<ColPick*>(mColorSelectorClass->Create(FALSE));
    }
    return mColorSelector;
}

void ModuleLoader::unloadAll()
{
    for (auto it = mUtilities.rbegin(); it != mUtilities.rend(); ++it) {
        (*it)->Stop();
    }
    for (auto it = mUtilities.rbegin(); it != mUtilities.rend(); ++it) {
        (*it)->DeleteThis();
    }
    mUtilities.clear();
    if (mColorSelector) {
        mColorSelector->DeleteThis();
        mColorSelector = nullptr;
    }
    mColorSelectorClass = nullptr;
    while (!mModules.empty()) {
        Module& module = *mModules.back();
        if (module.libShutdown) {
            module.libShutdown();
        }
        module.dllMain(module.handle, DLL_PROCESS_DETACH, nullptr);
        HostRuntime::UnregisterModule(module.handle);
        module.library->unload();
        mModules.pop_back();
    }
}

QStringList ModuleLoader::loadedModules() const
{
    QStringList names;
    for (const auto& module : mModules) {
        names << module->fileName;
    }
    return names;
}

QStringList ModuleLoader::moduleDescriptions() const
{
    QStringList descriptions;
    for (const auto& module : mModules) {
        descriptions << module->description;
    }
    return descriptions;
}
