#include "HostOptions.h"

#include <QCommandLineParser>

HostOptions HostOptions::Parse(const QStringList& arguments)
{
    HostOptions options;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption plugins(QStringLiteral("plugins"), QString(), QStringLiteral("dir"));
    const QCommandLineOption plugcfg(QStringLiteral("plugcfg"), QString(), QStringLiteral("dir"));
    const QCommandLineOption script(QStringLiteral("script"), QString(), QStringLiteral("call"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({plugins, plugcfg, script, help, version});
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.error = QStringLiteral("Unexpected argument '%1'.")
                            .arg(parser.positionalArguments().constFirst());
        return options;
    }
    for (const QCommandLineOption* single : {&plugins, &plugcfg, &script}) {
        const QStringList values = parser.values(*single);
        if (values.size() > 1) {
            options.error = QStringLiteral("Option '%1' given more than once.")
                                .arg(single->names().constFirst());
            return options;
        }
        if (values.size() == 1 && values.constFirst().trimmed().isEmpty()) {
            options.error = QStringLiteral("Option '%1' needs a non-empty value.")
                                .arg(single->names().constFirst());
            return options;
        }
    }
    options.pluginDir = parser.value(plugins);
    options.plugCfgDir = parser.value(plugcfg);
    options.script = parser.value(script);
    options.help = parser.isSet(help);
    options.version = parser.isSet(version);
    return options;
}

QString HostOptions::HelpText()
{
    return QStringLiteral(
        "Usage: colordorvo-host [options]\n"
        "A stand-in 3D host: loads the host modules (*.dlu) of its plug-in folder, starts their\n"
        "utilities and offers their color selector and script functions.\n"
        "\n"
        "Options:\n"
        "  --plugins DIR     load modules from DIR (default: the \"plugins\" folder next to the "
        "program)\n"
        "  --plugcfg DIR     plug-in configuration folder (default: $COLORDORVO_PLUGCFG, else\n"
        "                    $XDG_CONFIG_HOME/colordorvo-host/plugcfg)\n"
        "  --script CALL     evaluate a script function call such as 'ColorDorvo.Version()', "
        "print\n"
        "                    its result and exit (exit status 1 when it fails); needs no display\n"
        "  -h, --help        show this help and exit\n"
        "  --version         show the program's version and exit\n"
        "\n"
        "Without --script a main window opens with the script listener.\n");
}
