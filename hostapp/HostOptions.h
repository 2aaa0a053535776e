#pragma once

#include <QString>
#include <QStringList>

// The command line of colordorvo-host.
struct HostOptions
{
    QString pluginDir;  // empty: the "plugins" folder next to the program
    QString plugCfgDir; // empty: the runtime's default
    QString script;     // a script call to evaluate instead of opening the main window
    bool help = false;
    bool version = false;
    QString error; // set when the command line is unusable

    // Parses the arguments (the program name first).
    static HostOptions Parse(const QStringList& arguments);
    static QString HelpText();
};
