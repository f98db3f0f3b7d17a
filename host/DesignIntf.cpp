#include "DesignIntf.h"
#include "ToolsAPI.h"

IDesigner::~IDesigner() = default;

IDesigner* DesignerOf(const TComponent* root) {
    return root ? static_cast<IDesigner*>(root->Designer()) : nullptr;
}

void SetDesignerOf(TComponent* root, IDesigner* designer) {
    root->SetDesigner(static_cast<void*>(designer));
}

IOTAEditor::~IOTAEditor() = default;
IOTAComponent::~IOTAComponent() = default;
IOTAModule::~IOTAModule() = default;
IOTAModuleInfo::~IOTAModuleInfo() = default;
IOTAModuleServices::~IOTAModuleServices() = default;
IIDEServices::~IIDEServices() = default;

IIDEServices* IDEServices = nullptr;
