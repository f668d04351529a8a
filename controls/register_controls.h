#pragma once
// Makes the program's own controls known to a control factory, under their class names
// ("CDeviceKeyButtonUI", ...) and under the tag names the layouts use ("DeviceKeyButton", ...).
// The program calls it once at start-up with CControlFactory::Instance(), before any layout is built.
class CControlFactory;

void RegisterCustomControls(CControlFactory& factory);
