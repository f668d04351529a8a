#include "shell/startup.h"

#include "controls/register_controls.h"
#include "platform/folders.h"
#include "ui/control_factory.h"
#include "ui/paint_manager.h"
#include "ui/resource_index.h"

bool SetupResources() {
    CPaintManagerUI::SetResourcePath(ProgramFolder() + L"/skin");
    const bool indexed = CResourceIndex::Instance().Load(L"res.xml");
    RegisterCustomControls(CControlFactory::Instance());
    return indexed;
}
