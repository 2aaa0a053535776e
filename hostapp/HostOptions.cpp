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
    const QCommandLineOption pick(QStringLiteral("pick"));
    const QCommandLineOption color(QStringLiteral("color"), QString(), QStringLiteral("value"));
    const QCommandLineOption modeless(QStringLiteral("modeless"));
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("name"));
    parser.addOptions({plugins, plugcfg, script, help, version, pick, color, modeless, format});
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.error = QStringLiteral("Unexpected argument '%1'.")
                            .arg(parser.positionalArguments().constFirst());
        return options;
    }
    for (const QCommandLineOption* single : {&plugins, &plugcfg, &script, &color, &format}) {
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
    options.pick = parser.isSet(pick);
    options.pickModeless = parser.isSet(modeless);
    for (const QCommandLineOption* pickOnly : {&color, &modeless, &format}) {
        if (parser.isSet(*pickOnly) && !options.pick) {
            options.error =
                QStringLiteral("Option '%1' needs --pick.").arg(pickOnly->names().constFirst());
            return options;
        }
    }
    if (options.pick && !options.script.isEmpty()) {
        options.error = QStringLiteral("Options 'pick' and 'script' cannot be combined.");
        return options;
    }
    if (parser.isSet(color)) {
        QString reason;
        if (!HostColorText::Parse(parser.value(color), &options.pickColor, &reason)) {
            options.error = QStringLiteral("Bad color: %1.").arg(reason);
            return options;
        }
        // The host's color selector takes no alpha and answers opaque. An opaque fourth value
        // is taken, so that what --format rgb or afloat prints reads back.
        if (options.pickColor.a != 1.0f) {
            options.error = QStringLiteral("Bad color: '%1' has an alpha, but the color selector "
                                           "takes none; leave the fourth value out or make it "
                                           "255 (1.0 as a float).")
                                .arg(parser.value(color).trimmed());
            return options;
        }
    }
    if (parser.isSet(format) &&
        !HostColorText::ParseFormat(parser.value(format), &options.pickFormat)) {
        options.error = QStringLiteral("Unknown format '%1' (hex, rgb, afloat or packed).")
                            .arg(parser.value(format));
        return options;
    }
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
        "  --pick            open one color picker instead of the main window; print the\n"
        "                    accepted color and exit 0, or exit 1 when it is cancelled\n"
        "  --color VALUE     the color --pick starts from: #rrggbb, r,g,b on 0..255, or r,g,b\n"
        "                    as unit floats such as 0.5,0.25,1 (default #808080); the color\n"
        "                    selector takes no alpha, so a fourth value must be opaque (255,\n"
        "                    or 1.0 as a float)\n"
        "  --modeless        open the picker modeless (the host follows it live)\n"
        "  --format NAME     how --pick prints the color: hex (#RRGGBB, the default), rgb\n"
        "                    (r,g,b,a on 0..255), afloat (unit floats) or packed (0x00BBGGRR)\n"
        "  -h, --help        show this help and exit\n"
        "  --version         show the program's version and exit\n"
        "\n"
        "Without --script a main window opens with the script listener.\n");
}
