#pragma once

#include "host/services/HostServices.h"

// The global utility plug-in: it owns the lifetime of the settings store, so the store exists
// before any picker opens and is written back when the host exits.
class DorvoColorUtility : public GUP
{
public:
    DWORD Start() override;
    void Stop() override;
    DWORD_PTR Control(DWORD parameter) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;
    void DeleteThis() override;
};
