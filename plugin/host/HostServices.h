#pragma once

// The one place where the plug-in meets the host's SDK. Every other file of the plug-in
// includes this header instead of the SDK's own.

#include "hostsdk/AColor.h"
#include "hostsdk/CharStream.h"
#include "hostsdk/ClassDesc2.h"
#include "hostsdk/Class_ID.h"
#include "hostsdk/ColPick.h"
#include "hostsdk/ColorPicker.h"
#include "hostsdk/DebugPrint.h"
#include "hostsdk/GUP.h"
#include "hostsdk/HSVCallback.h"
#include "hostsdk/IPoint2.h"
#include "hostsdk/Integer.h"
#include "hostsdk/Interface.h"
#include "hostsdk/InterfaceServer.h"
#include "hostsdk/LanguagePack.h"
#include "hostsdk/MAXScript_TLS.h"
#include "hostsdk/MaxHeapOperators.h"
#include "hostsdk/MaxIcons.h"
#include "hostsdk/MaxTypes.h"
#include "hostsdk/Primitive.h"
#include "hostsdk/QmaxDoubleSpinBox.h"
#include "hostsdk/QmaxSpinBox.h"
#include "hostsdk/String.h"
#include "hostsdk/Value.h"
#include "hostsdk/WinTypes.h"

#include <QString>

class QWidget;

// The host's main window: parent of every dialog, message box and overlay the plug-in opens.
inline QWidget* HostMainWindow()
{
    return GetCOREInterface()->GetQmaxMainWindow();
}

// The host's plug-in configuration directory, without a trailing separator.
inline QString HostPlugCfgDir()
{
    return QString::fromWCharArray(GetCOREInterface()->GetDir(APP_PLUGCFG_DIR));
}

// The current thread's script listener output stream.
inline CharStream* ListenerStream()
{
    auto* tls = static_cast<MAXScript_TLS*>(TlsGetValue(thread_locals_index));
    return tls ? tls->current_stdout : nullptr;
}
