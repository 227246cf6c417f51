// The Import command: host-version gate, file dialog, SKP reading and hand-over.
#pragma once

#include "frame/host_names.h"

// The names of the gate's message: built by InitHostNames (entry 0, then entry 1) when the
// module loads, before the host's first call, and destroyed by DestroyHostNames (entry 1, then
// entry 0) when it unloads, which InitHostNames arranges.
extern HostNameTable& HostNames;
void InitHostNames();
void DestroyHostNames();

// The command as the Import item and the tool button run it: 0 when the gate stops it, else
// the result of ImportSkpModel.
int RunImportCommand();

// The gate: the host must be Acrobat 9.
int CheckImportAllowed();

// 1 when the running host has the required index; otherwise 0 after an alert naming the
// required host.
int CheckHostVersion(int requiredIndex);

// 1 when the converted model was handed to the host; 0 on every other end, each failure with
// exactly one alert and a cancelled dialog with none.
int ImportSkpModel();
