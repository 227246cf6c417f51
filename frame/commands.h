// The commands behind the plug-in's menu items and tool button.
#pragma once

#include "platform/acrobat/host_abi.h"

// Execute procedures: each runs its command; whatever the host passes is ignored.
void HOSTCALL ExecuteImportItem(void* clientData);
void HOSTCALL ExecuteHelpItem(void* clientData);
void HOSTCALL ExecuteAboutItem(void* clientData);

// The compute-enabled procedure of the tool button and the own-menu items: always enabled.
HostBool HOSTCALL ComputeEnabled(void* clientData);

// Help and About.
void ShowHelp();
void ShowAbout();
void BuildProductTitle();
extern char ProductTitle[256];
