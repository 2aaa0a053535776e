#pragma once

// The master header of the host's script engine: everything a plug-in that defines script
// functions needs, the script value classes (colors among them) included.
#include "maxscript/foundation/CharStream.h"
#include "maxscript/foundation/colors.h"
#include "maxscript/foundation/functions.h"
#include "maxscript/foundation/numbers.h"
#include "maxscript/foundation/strings.h"
#include "maxscript/kernel/MAXScript_TLS.h"
#include "maxscript/kernel/value.h"
