// The procedures that connect the host's items and button to the commands.
#include "frame/commands.h"
#include "import/import_command.h"

void HOSTCALL ExecuteImportItem(void*) {
  RunImportCommand();
}

void HOSTCALL ExecuteHelpItem(void*) {
  ShowHelp();
}

void HOSTCALL ExecuteAboutItem(void*) {
  ShowAbout();
}

HostBool HOSTCALL ComputeEnabled(void*) {
  return kHostTrue;
}
