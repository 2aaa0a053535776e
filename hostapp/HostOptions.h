#pragma once

#include "HostColorText.h"

#include "acolor.h"

#include <QString>
#include <QStringList>

// The command line of colordorvo-host.
struct HostOptions
{
    QString pluginDir;  // empty: the "plugins" folder next to the program
    QString plugCfgDir; // empty: the runtime's default
    QString script;     // a script call to evaluate instead of opening the main window
    bool pick = false;  // open one picker instead of the main window and print the color
    AColor pickColor = AColor(DWORD(0x808080), 1.0f);
    bool pickModeless = false;
    HostColorText::Format pickFormat = HostColorText::Format::Hex;
    bool help = false;
    bool version = false;
    QString error; // set when the command line is unusable

    // Parses the arguments (the program name first).
    static HostOptions Parse(const QStringList& arguments);
    static QString HelpText();
};
