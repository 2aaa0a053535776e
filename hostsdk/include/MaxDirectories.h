#pragma once

// Directory codes of IPathConfigMgr::GetDir.
#define APP_PLUGCFG_DIR 9
