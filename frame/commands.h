// The commands behind the plug-in's menu items and tool button.
#pragma once

#include <string>

#include "platform/acrobat/host_abi.h"

// Execute procedures: each runs its command; whatever the host passes is ignored.
void HOSTCALL ExecuteImportItem(void* clientData);
void HOSTCALL ExecuteHelpItem(void* clientData);
void HOSTCALL ExecuteAboutItem(void* clientData);

// The compute-enabled procedure of the tool button and the own-menu items: always enabled.
HostBool HOSTCALL ComputeEnabled(void* clientData);

// Help and About.
void ShowHelp();
// The help file that Help opens for the module at modulePath: Korvalume.chm in the module's
// drive and directory (D:\Tools\Plugins\Korvalume.api gives D:\Tools\Plugins\Korvalume.chm).
std::string HelpFilePath(const std::string& modulePath);
void ShowAbout();
void BuildProductTitle();
extern char ProductTitle[256];
