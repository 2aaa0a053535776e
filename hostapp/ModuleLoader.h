#pragma once

#include "plugapi.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class ClassDesc;
class ColPick;
class GUP;
class QLibrary;

// Loads host modules the way the real host does: the entry point with process-attach, the
// LibVersion check, LibInitialize, then every class by its super class id. Global utilities
// are created and started at once; the first color-selector class becomes the host's picker.
// Unloading reverses all of it. A module that cannot be used is reported and skipped.
class ModuleLoader
{
public:
    using MessageSink = std::function<void(const QString& message)>;

    ModuleLoader();
    ~ModuleLoader();
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    void setMessageSink(MessageSink sink) { mSink = std::move(sink); }

    // Loads every "*.dlu" of the folder in name order; returns how many modules were loaded.
    int loadFolder(const QString& dir);
    bool loadModule(const QString& filePath);
    // Stops and deletes the utilities (last started first), releases the picker, then shuts
    // down and unloads the modules (last loaded first).
    void unloadAll();

    QStringList loadedModules() const;
    // What each loaded module says of itself (LibDescription), in the order of loadedModules().
    QStringList moduleDescriptions() const;
    QStringList messages() const { return mMessages; }
    int utilityCount() const { return static_cast<int>(mUtilities.size()); }

    // The color-selector class of the first module that offers one, or null.
    ClassDesc* colorSelectorClass() const { return mColorSelectorClass; }
    // The host's color selector, created through its class on first use; null without one.
    ColPick* colorSelector();

private:
    struct Module;

    void report(const QString& message);
    bool initialise(Module& module);
    void createClasses(Module& module);

    std::vector<std::unique_ptr<Module>> mModules;
    std::vector<GUP*> mUtilities;
    ClassDesc* mColorSelectorClass = nullptr;
    ColPick* mColorSelector = nullptr;
    QStringList mMessages;
    MessageSink mSink;
};
